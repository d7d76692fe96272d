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
#include "PmSim.h"
#include "PmStoredSims.h"

namespace
{
using HeldSim = PmStoredSims::Held;

// Gives a simulation the factory handed out back to it at the end of a scope.
struct SimGiver
{
    void operator()(CPmSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};
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
    names.clear();
    std::unique_ptr<CPmSimList200> list(new CPmAcadSimList200);
    list->Load(true, false);
    for (int i = 0; i < list->Size(); ++i)
        names.push_back(*list->Sim(i)->Name());
}

CPmSim200* CPmDbxFactory200::LoadSim(const CString& name)
{
    int hostFailure = 0;
    return PmStoredSims::LoadSim(name, hostFailure);
}

void CPmDbxFactory200::UpgradeSim(const CString& name)
{
    // A name whose entry cannot be read is left as it is.
    int hostFailure = 0;
    if (CPmAcadSim200* current = PmStoredSims::OpenStored(name, hostFailure))
    {
        current->Close();
        return;
    }
    if (hostFailure != 0)
        return;
    HeldSim converted(PmStoredSims::LoadLegacy(name));
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
    const std::unique_ptr<CPmSim200, SimGiver> sim(LoadSim(name));
    if (!sim)
        return 0;
    if (sim->SimInUse())
        return 2;
    sim->Delete();
    return 1;
}

void CPmDbxFactory200::DeleteSim(CPmSim200* sim)
{
    if (!sim)
        return;
    CPmAcadSim200* object = PmAcadSimOf(sim);
    if (!object)
    {
        delete sim;
        return;
    }
    // A simulation resident in the drawing is the drawing's: it is only cancelled.
    if (!object->objectId().isNull())
        object->cancel();
    else
        delete object;
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
