// The format 101 module's simulation factory: every simulation it hands out is
// a detached CPmAcadSim on the host heap, every section, segment and part of
// the module's DWG classes.
#include <memory>
#include <new>

#include "PmAcadPart.h"
#include "PmAcadSection.h"
#include "PmAcadSegment.h"
#include "PmAcadSim.h"
#include "PmAcadSimList.h"
#include "PmDbxFactory.h"
#include "PmHeld.h"

CPmSimList* CPmDbxFactory::MakeSimList()
{
    return new (std::nothrow) CPmAcadSimList;
}

CPmSimList* CPmDbxFactory::LoadSimList(bool keepAll)
{
    std::unique_ptr<CPmSimList> list(MakeSimList());
    if (list)
        list->Load(keepAll);
    return list.release();
}

CPmSim* CPmDbxFactory::LoadSim(const CString& name)
{
    PmHeld::Open<CPmAcadSim> stored(PmLegacySimOf(CPmAcadSim::Load(name)));
    if (!stored)
        return nullptr;
    PmHeld::Detached<CPmSim, CPmDbxFactory> copy(CopySim(*stored));
    stored.reset();  // ends the open first: the copy is given back if that throws
    return copy.release();
}

CPmSim* CPmDbxFactory::MakeSim(PmSimId id, int type)
{
    CPmAcadSim* sim = PmNewLegacySim();
    if (!sim)
        return nullptr;
    sim->SetId(id);
    sim->SetType(type);
    return sim;
}

CPmSim* CPmDbxFactory::CopySim(const CPmSim& sim)
{
    return PmNewLegacySim(&sim);
}

CPmSection* CPmDbxFactory::MakeSection()
{
    return new CPmAcadSection;
}

CPmSection* CPmDbxFactory::CopySection(const CPmSection& section)
{
    return new CPmAcadSection(section);
}

CPmSegment* CPmDbxFactory::MakeSegment()
{
    return new CPmAcadSegment;
}

CPmSegment* CPmDbxFactory::CopySegment(const CPmSegment& segment)
{
    return new CPmAcadSegment(segment);
}

CPmPart* CPmDbxFactory::MakePart()
{
    return new CPmAcadPart;
}

CPmPart* CPmDbxFactory::CopyPart(const CPmPart& part)
{
    return new CPmAcadPart(part);
}

void CPmDbxFactory::DeleteSim(CPmSim* sim)
{
    PmGiveBackAcadSim<CPmAcadSim>(sim);
}

CPmDbxFactory& CPmDbxFactory::operator=(const CPmDbxFactory&)
{
    return *this;
}
