#include "PmSimRecord.h"

#include <dbfiler.h>

#include "PmAcadSection200.h"
#include "PmFilerCounts.h"
#include "PmModelAlgorithms.h"
#include "PmRecordChildren.h"
#include "PmSim200.h"
#include "PmTimeRecordFiler.h"

Acad::ErrorStatus PmSimRecord::Write(AcDbDwgFiler* filer, const CPmSim200& sim)
{
    filer->writeInt32(kVersion);
    filer->writeInt32(sim.Type());
    filer->writeAcDbHandle(AcDbHandle(static_cast<Adesk::UInt64>(sim.Id())));
    filer->writeBool(sim.SimInUse() != 0);
    PmTimeRecord::Write(filer, sim.DttmCreatedTime());
    PmTimeRecord::Write(filer, PmSimTimes::Edited(sim));

    const std::vector<CPmSection200*> sections = PmRecordChildren::Stored(*sim.Sections());
    filer->writeInt32(static_cast<Adesk::Int32>(sections.size()));
    const Acad::ErrorStatus status = filer->filerStatus();
    for (const CPmSection200* section : sections)
        section->Save(filer);
    return status;
}

Acad::ErrorStatus PmSimRecord::Read(AcDbDwgFiler* filer, CPmSim200& sim)
{
    Adesk::Int32 version = 0;
    filer->readInt32(&version);
    if (version != kVersion)
    {
        sim.SetIsCurVersion(false);
        return Acad::eMakeMeProxy;
    }

    Adesk::Int32 type = -1;
    AcDbHandle id;
    Adesk::Boolean inUse = false;
    filer->readInt32(&type);
    filer->readAcDbHandle(&id);
    filer->readBool(&inUse);
    sim.SetType(type);
    sim.SetId(static_cast<Adesk::UInt64>(id));  // the whole 64-bit id, high word included
    sim.SetSimInUse(inUse);
    sim.SetDttmCreated(PmTimeRecord::Read(filer));
    sim.SetDttmEdited(PmTimeRecord::Read(filer));

    // Filed in over a simulation that holds sections (undo, a restored copy),
    // the object ends with the record's sections only.
    PmModel::DeleteAll(*sim.Sections());
    sim.SetLength(0);

    PmRecordChildren::Read<CPmAcadSection200>(
        PmFilerCounts::Face{filer}, [filer](CPmAcadSection200& section) { section.Load(filer); },
        [&sim](CPmAcadSection200* section) { sim.AddSection(section); });
    // A record that went wrong part way answers the filer's error, not success.
    return filer->filerStatus();
}
