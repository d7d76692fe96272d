// The simulation factory of the MicroStation modules. LoadSim's listed form
// (LoadListedMstnSim) and UpgradeSim differ between the builds that bind a
// format 101 module and the others, and live in files of their own.
#include <memory>

#include "MstnHeaderIndex.h"
#include "MstnSimStream.h"
#include "PmDbxFactory200.h"
#include "PmDeleteSimNamed.h"
#include "PmMstnPart.h"
#include "PmMstnSection.h"
#include "PmMstnSegment.h"
#include "PmMstnSim200.h"
#include "PmMstnSimList200.h"
#include "ZrMstnObject.h"

namespace
{
// Whether a record of that name may still be in the model: one of its
// headers is, or the model could not be searched to its end. A simulation
// only the format 101 module holds has no record here.
bool RecordMayStay(const CString& name)
{
    CStringArray names;
    CZrMstnObject records(MstnRecord::kSimulationKind, CString());
    records.EnumerateNames(names);
    if (!records.SearchedWholeModel())
        return true;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        if (names.GetAt(i) == name)
            return true;
    }
    return false;
}
} // namespace

CPmSim200* CPmDbxFactory200::MakeSim(PmSimId id, int type)
{
    auto* sim = new CPmMstnSim200();
    sim->SetId(id);
    sim->SetType(type);
    return sim;
}

CPmSim200* CPmDbxFactory200::CopySim(const CPmSim200& sim)
{
    return new CPmMstnSim200(sim);
}

CPmSection200* CPmDbxFactory200::MakeSection()
{
    return new CPmMstnSection();
}

CPmSection200* CPmDbxFactory200::CopySection(const CPmSection200& section)
{
    return new CPmMstnSection(section);
}

CPmSection200* CPmDbxFactory200::CopySection(const CPmSection& legacySection)
{
    return new CPmMstnSection(legacySection);
}

CPmSegment200* CPmDbxFactory200::MakeSegment()
{
    return new CPmMstnSegment();
}

CPmSegment200* CPmDbxFactory200::CopySegment(const CPmSegment200& segment)
{
    return new CPmMstnSegment(segment);
}

CPmSegment200* CPmDbxFactory200::CopySegment(const CPmSegment& legacySegment)
{
    return new CPmMstnSegment(legacySegment);
}

CPmPart* CPmDbxFactory200::MakePart()
{
    return new CPmMstnPart();
}

CPmPart* CPmDbxFactory200::CopyPart(const CPmPart& part)
{
    return new CPmMstnPart(part);
}

CPmSimList200* CPmDbxFactory200::MakeSimList()
{
    return new CPmMstnSimList200();
}

CPmSimList200* CPmDbxFactory200::LoadSimList(bool keepAll, bool upgrade)
{
    auto list = std::make_unique<CPmMstnSimList200>();
    list->Load(keepAll, upgrade);
    return list.release();
}

void CPmDbxFactory200::LoadSimNames(std::vector<CString>& names)
{
    names.clear();
    const std::unique_ptr<CPmSimList200> list(LoadSimList(true, false));
    for (int i = 0; i < list->Size(); ++i)
        names.push_back(*list->Sim(i)->Name());
}

CPmSim200* CPmDbxFactory200::LoadSim(const CString& name)
{
    MstnHeaderIndex index(MstnRecord::kSimulationKind);
    return LoadListedMstnSim(name, index);
}

int CPmDbxFactory200::DeleteSim(const CString& name)
{
    return PmDeleteSimNamed(name, RecordMayStay);
}

void CPmDbxFactory200::DeleteSim(CPmSim200* sim)
{
    // Every simulation of this host is a plain object: there is none resident to cancel.
    delete sim;
}

void CleanSims()
{
    const std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(false, true));
    if (!list)
        return;
    for (int i = 0; i < list->Size(); ++i)
    {
        if (CPmSim200* sim = list->Sim(i))
            sim->Delete();
    }
}

CPmDbxFactory200& CPmDbxFactory200::operator=(const CPmDbxFactory200&)
{
    return *this;
}
