// The format 101 record of a simulation, after the host object's own fields:
// version 101, type, id, in-use flag, created and edited times, then the sections.
#include "PmAcadSection.h"
#include "PmAcadSim.h"
#include "PmFilerCounts.h"
#include "PmModelAlgorithms.h"
#include "PmRecordChildren.h"
#include "PmSimRecord.h"

namespace
{
constexpr int kVersion = 101;
} // namespace

Acad::ErrorStatus CPmAcadSim::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    if (!filer)
        return Acad::eNullObjectPointer;
    AcDbObject::dwgOutFields(filer);

    return PmSimRecord::WriteRecord(filer, kVersion, {m_type, m_id, m_inUse, m_dttmCreated, m_dttmEdited},
                                    m_sections);
}

Acad::ErrorStatus CPmAcadSim::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    if (!filer)
        return Acad::eNullObjectPointer;
    AcDbObject::dwgInFields(filer);

    // A record of another version is left unread and the object as it was.
    Adesk::Int32 version = 0;
    filer->readInt32(&version);
    if (version != kVersion)
        return Acad::eMakeMeProxy;

    const PmSimRecord::Header header = PmSimRecord::ReadHeader(filer);
    m_type = header.type;
    m_id = header.id;
    m_inUse = header.inUse;
    m_dttmCreated = header.created;
    m_dttmEdited = header.edited;

    // Filed in over a simulation that holds sections (undo, a restored copy),
    // the object ends with the record's sections only.
    PmModel::DeleteAll(m_sections);
    m_length = 0;

    PmRecordChildren::Read<CPmAcadSection>(
        PmFilerCounts::Face{filer}, [filer](CPmAcadSection& section) { section.Load(filer); },
        [this](CPmAcadSection* section) { AddSection(section); });
    // A record that went wrong part way answers the filer's error, not success.
    return filer->filerStatus();
}
