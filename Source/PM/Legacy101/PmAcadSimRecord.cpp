// The format 101 record of a simulation, after the host object's own fields:
// version 101, type, id, in-use flag, created and edited times, then the sections.
#include <dbfiler.h>

#include "PmAcadSection.h"
#include "PmAcadSim.h"
#include "PmFilerCounts.h"
#include "PmModelAlgorithms.h"
#include "PmRecordChildren.h"
#include "PmTimeRecordFiler.h"

namespace
{
constexpr Adesk::Int32 kVersion = 101;
} // namespace

Acad::ErrorStatus CPmAcadSim::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    if (!filer)
        return Acad::eNullObjectPointer;
    AcDbObject::dwgOutFields(filer);

    filer->writeInt32(kVersion);
    filer->writeInt32(m_type);
    filer->writeAcDbHandle(AcDbHandle(static_cast<Adesk::UInt64>(m_id)));
    filer->writeBool(m_inUse);
    PmTimeRecord::Write(filer, m_dttmCreated);
    PmTimeRecord::Write(filer, m_dttmEdited);

    const std::vector<CPmSection*> sections = PmRecordChildren::Stored(m_sections);
    filer->writeInt32(static_cast<Adesk::Int32>(sections.size()));
    const Acad::ErrorStatus status = filer->filerStatus();
    for (CPmSection* section : sections)
        section->Save(filer);
    return status;
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

    Adesk::Int32 type = -1;
    AcDbHandle id;
    Adesk::Boolean inUse = false;
    filer->readInt32(&type);
    filer->readAcDbHandle(&id);
    filer->readBool(&inUse);
    m_type = type;
    m_id = static_cast<Adesk::UInt64>(id);  // the whole 64-bit id, high word included
    m_inUse = inUse;
    m_dttmCreated = PmTimeRecord::Read(filer);
    m_dttmEdited = PmTimeRecord::Read(filer);

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
