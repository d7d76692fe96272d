// The record of a simulation, after the host object's own fields: the format
// 200 record, and what the records of both formats hold alike.
#pragma once

#include <vector>

#include <afx.h>
#include <acadstrc.h>
#include <dbfiler.h>

#include "PmHostTypes.h"
#include "PmRecordChildren.h"
#include "PmTimeRecordFiler.h"

class CPmSim200;

namespace PmSimRecord
{
constexpr int kVersion = 200;

// Writes the simulation and its tree; answers the filer status of the section count.
Acad::ErrorStatus Write(AcDbDwgFiler* filer, const CPmSim200& sim);

// Reads a record into the simulation. A record of another version marks the
// simulation not current and answers eMakeMeProxy (301) having read nothing
// more; a corrupt record answers the filer's error status.
Acad::ErrorStatus Read(AcDbDwgFiler* filer, CPmSim200& sim);

// What the records of both formats hold after the version, in this order; the
// section count and the sections follow.
struct Header
{
    int type = -1;
    PmSimId id = 0;  // filed as a handle, high word included
    bool inUse = false;
    CTime created;
    CTime edited;
};

// Writes the version, the header, the count of the stored sections and those
// sections; answers the filer status of the count.
template <class Section>
Acad::ErrorStatus WriteRecord(AcDbDwgFiler* filer, int version, const Header& header,
                              const std::vector<Section*>& sections)
{
    filer->writeInt32(version);
    filer->writeInt32(header.type);
    filer->writeAcDbHandle(AcDbHandle(static_cast<Adesk::UInt64>(header.id)));
    filer->writeBool(header.inUse);
    PmTimeRecord::Write(filer, header.created);
    PmTimeRecord::Write(filer, header.edited);

    const std::vector<Section*> stored = PmRecordChildren::Stored(sections);
    filer->writeInt32(static_cast<Adesk::Int32>(stored.size()));
    const Acad::ErrorStatus status = filer->filerStatus();
    for (Section* section : stored)
        section->Save(filer);
    return status;
}

// Reads the header that follows the version.
inline Header ReadHeader(AcDbDwgFiler* filer)
{
    Adesk::Int32 type = -1;
    AcDbHandle id;
    Adesk::Boolean inUse = false;
    filer->readInt32(&type);
    filer->readAcDbHandle(&id);
    filer->readBool(&inUse);
    Header header;
    header.type = type;
    header.id = static_cast<Adesk::UInt64>(id);
    header.inUse = inUse;
    header.created = PmTimeRecord::Read(filer);
    header.edited = PmTimeRecord::Read(filer);
    return header;
}
} // namespace PmSimRecord
