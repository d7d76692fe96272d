#include "PmSimRecord.h"

#include "PmAcadSection200.h"
#include "PmFilerCounts.h"
#include "PmModelAlgorithms.h"
#include "PmSim200.h"

Acad::ErrorStatus PmSimRecord::Write(AcDbDwgFiler* filer, const CPmSim200& sim)
{
    return WriteRecord(filer, kVersion,
                       {sim.Type(), sim.Id(), sim.SimInUse() != 0, sim.DttmCreatedTime(), PmSimTimes::Edited(sim)},
                       *sim.Sections());
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

    const Header header = ReadHeader(filer);
    sim.SetType(header.type);
    sim.SetId(header.id);
    sim.SetSimInUse(header.inUse);
    sim.SetDttmCreated(header.created);
    sim.SetDttmEdited(header.edited);

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
