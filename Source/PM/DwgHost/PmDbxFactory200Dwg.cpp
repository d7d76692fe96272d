// The simulation factory of the DWG-host modules: every simulation it hands
// out is a detached CPmAcadSim200 on the host heap, every section, segment and
// part of the DWG classes.
#include <memory>

#include "PmAcadPart.h"
#include "PmAcadSection200.h"
#include "PmAcadSegment200.h"
#include "PmAcadSim200.h"
#include "PmAcadSimList200.h"
#include "PmDbxFactory200.h"
#include "PmDeleteSimNamed.h"
#include "PmSim.h"
#include "PmStoredSims.h"
#include "ZrAcadStore.h"

namespace
{
// Whether the simulation dictionary may still hold an entry of that name: it
// does, or the look-up was refused. Only the entry keeps a simulation stored:
// a block that stays once the entry is gone does not.
bool EntryMayStay(const CString& name)
{
    AcDbObjectId id;
    return ZrAcadStore::FindEntry(kPmSimDictionary, name, id) != Acad::eKeyNotFound;
}
} // namespace

CPmSim200* CPmDbxFactory200::MakeSim(PmSimId id, int type)
{
    auto* sim = new CPmAcadSim200;
    sim->SetId(id);
    sim->SetType(type);
    return sim;
}

CPmSim200* CPmDbxFactory200::CopySim(const CPmSim200& sim)
{
    return new CPmAcadSim200(sim);
}

CPmSection200* CPmDbxFactory200::MakeSection()
{
    return new CPmAcadSection200;
}

CPmSection200* CPmDbxFactory200::CopySection(const CPmSection200& section)
{
    return new CPmAcadSection200(section);
}

CPmSection200* CPmDbxFactory200::CopySection(const CPmSection& legacySection)
{
    return new CPmAcadSection200(legacySection);
}

CPmSegment200* CPmDbxFactory200::MakeSegment()
{
    return new CPmAcadSegment200;
}

CPmSegment200* CPmDbxFactory200::CopySegment(const CPmSegment200& segment)
{
    return new CPmAcadSegment200(segment);
}

CPmSegment200* CPmDbxFactory200::CopySegment(const CPmSegment& legacySegment)
{
    return new CPmAcadSegment200(legacySegment);
}

CPmPart* CPmDbxFactory200::MakePart()
{
    return new CPmAcadPart;
}

CPmPart* CPmDbxFactory200::CopyPart(const CPmPart& part)
{
    return new CPmAcadPart(part);
}

CPmSimList200* CPmDbxFactory200::MakeSimList()
{
    return new CPmAcadSimList200;
}

CPmSimList200* CPmDbxFactory200::LoadSimList(bool keepAll, bool upgrade)
{
    std::unique_ptr<CPmSimList200> list(new CPmAcadSimList200);
    list->Load(keepAll, upgrade);
    return list.release();
}

void CPmDbxFactory200::LoadSimNames(std::vector<CString>& names)
{
    // The names of the entries that LoadSim reads, read in place. Keys that
    // cannot be read leave the vector empty; an entry that cannot be read is
    // left out, as one that holds no simulation.
    names.clear();
    CStringArray keys;
    CZrAcadObject::GetObjectNames(kPmSimDictionary, &keys);
    for (INT_PTR i = 0; i < keys.GetSize(); ++i)
    {
        if (PmStoredSims::Read(keys.GetAt(i)).Sim())
            names.push_back(keys.GetAt(i));
    }
}

CPmSim200* CPmDbxFactory200::LoadSim(const CString& name)
{
    // Every refusal answers null, as an entry that holds no simulation does.
    PmStoredSims::Entry stored = PmStoredSims::Read(name);
    if (!stored.Sim())
        return nullptr;
    PmHeld::Detached<CPmAcadSim200, CPmDbxFactory200> copy(
        new CPmAcadSim200(static_cast<const CPmSim200&>(*stored.Sim())));
    stored.End();  // ends the open first: the copy is given back if that throws
    return copy.release();
}

void CPmDbxFactory200::UpgradeSim(const CString& name)
{
    // Every refusal leaves the entry as it is: one that cannot be read, and a
    // refused store, which keeps the format 101 object.
    PmStoredSims::Entry current = PmStoredSims::OpenCurrent(name);
    if (current.status != Acad::eOk || current.stored)
        return;  // the open simulation is closed again
    PmHeld::Detached<CPmAcadSim200, CPmDbxFactory200> converted(PmStoredSims::LoadLegacy(name));
    if (!converted)
        return;
    converted->SetIsCurVersion(true);
    // Stored, it replaces the format 101 object of the key and is the drawing's.
    CZrAcadObject::Save(kPmSimDictionary, name, converted.get());
    if (!converted->objectId().isNull())
        converted.release();
}

int CPmDbxFactory200::DeleteSim(const CString& name)
{
    return PmDeleteSimNamed(name, EntryMayStay);
}

void CPmDbxFactory200::DeleteSim(CPmSim200* sim)
{
    PmGiveBackAcadSim<CPmAcadSim200>(sim);
}

void CleanSims()
{
    std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
    if (!list)
        return;
    for (int i = 0; i < list->Size(); ++i)
        list->Sim(i)->Delete();
}

CPmDbxFactory200& CPmDbxFactory200::operator=(const CPmDbxFactory200&)
{
    return *this;
}
