// Format 101 factory bodies for the model tests: plain fake host classes.
#include "ModelFakes.h"

CPmSim* CPmDbxFactory::MakeSim(PmSimId id, int type)
{
    auto* sim = new FakeSim();
    sim->SetId(id);
    sim->SetType(type);
    return sim;
}

CPmSim* CPmDbxFactory::CopySim(const CPmSim& sim)
{
    return new FakeSim(sim);
}

CPmSection* CPmDbxFactory::MakeSection()
{
    return new FakeSection();
}

CPmSection* CPmDbxFactory::CopySection(const CPmSection& section)
{
    return new FakeSection(section);
}

CPmSegment* CPmDbxFactory::MakeSegment()
{
    return new FakeSegment();
}

CPmSegment* CPmDbxFactory::CopySegment(const CPmSegment& segment)
{
    return new FakeSegment(segment);
}

CPmPart* CPmDbxFactory::MakePart()
{
    return new FakePart();
}

CPmPart* CPmDbxFactory::CopyPart(const CPmPart& part)
{
    ++FakeLog::Get().copyPart101;
    return new FakePart(part);
}

CPmSimList* CPmDbxFactory::MakeSimList()
{
    return new FakeSimList();
}

void CPmDbxFactory::DeleteSim(CPmSim* sim)
{
    if (!sim)
        return;
    FakeLog::Get().deletedSims.push_back(Narrow(*sim->Name()));
    delete sim;
}
