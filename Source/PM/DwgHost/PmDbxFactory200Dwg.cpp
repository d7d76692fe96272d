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
#include "PmLegacyBinding.h"
#include "PmSim.h"

namespace
{
// Ends a simulation object the factory opened or made: a stored one is closed,
// a detached one (never in the drawing) is freed.
void Release(CPmAcadSim200* sim)
{
    if (sim->objectId().isNull())
        delete sim;
    else
        sim->Close();
}

// Holds a simulation object the factory opened or made until it is handed on,
// so that an exception on the way leaves nothing open and nothing lost.
struct SimReleaser
{
    void operator()(CPmAcadSim200* sim) const { Release(sim); }
};
using HeldSim = std::unique_ptr<CPmAcadSim200, SimReleaser>;

// Gives a simulation the factory handed out back to it at the end of a scope.
struct SimGiver
{
    void operator()(CPmSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};

// The format 101 simulation stored under the name, converted and named with
// it; null when there is none or the build binds no format 101 module.
CPmAcadSim200* LoadLegacySim(const CString& name)
{
#if defined(PM_BINDS_FORMAT101)
    std::unique_ptr<CPmSim> legacy(PmLegacy::LoadSim(name));
    if (!legacy)
        return nullptr;
    std::unique_ptr<CPmAcadSim200> converted(new CPmAcadSim200(*legacy));
    converted->SetName(name);
    return converted.release();
#else
    static_cast<void>(name);
    return nullptr;
#endif
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
    names.clear();
    std::unique_ptr<CPmSimList200> list(new CPmAcadSimList200);
    list->Load(true, false);
    for (int i = 0; i < list->Size(); ++i)
        names.push_back(*list->Sim(i)->Name());
}

CPmSim200* CPmDbxFactory200::LoadSim(const CString& name)
{
    HeldSim found(PmAcadSimOf(CPmAcadSim200::Load(name)));
    if (!found)
    {
        found.reset(LoadLegacySim(name));
        if (!found)
            return nullptr;
        found->SetIsCurVersion(false);
    }
    std::unique_ptr<CPmAcadSim200> copy(new CPmAcadSim200(static_cast<const CPmSim200&>(*found)));
    found.reset();  // ends the open first: the copy is freed if that throws
    return copy.release();
}

void CPmDbxFactory200::UpgradeSim(const CString& name)
{
    if (CPmAcadSim200* current = PmAcadSimOf(CPmAcadSim200::Load(name)))
    {
        current->Close();
        return;
    }
    HeldSim converted(LoadLegacySim(name));
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
