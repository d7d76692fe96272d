// Format 200 factory bodies for the model tests: plain fake host classes.
#include "ModelFakes.h"

CPmSim200* CPmDbxFactory200::MakeSim(PmSimId id, int type)
{
    auto* sim = new FakeSim200();
    sim->SetId(id);
    sim->SetType(type);
    return sim;
}

CPmSim200* CPmDbxFactory200::CopySim(const CPmSim200& sim)
{
    return new FakeSim200(sim);
}

CPmSection200* CPmDbxFactory200::MakeSection()
{
    return new FakeSection200();
}

CPmSection200* CPmDbxFactory200::CopySection(const CPmSection200& section)
{
    return new FakeSection200(section);
}

CPmSection200* CPmDbxFactory200::CopySection(const CPmSection& legacySection)
{
    return new FakeSection200(legacySection);
}

CPmSegment200* CPmDbxFactory200::MakeSegment()
{
    return new FakeSegment200();
}

CPmSegment200* CPmDbxFactory200::CopySegment(const CPmSegment200& segment)
{
    return new FakeSegment200(segment);
}

CPmSegment200* CPmDbxFactory200::CopySegment(const CPmSegment& legacySegment)
{
    return new FakeSegment200(legacySegment);
}

CPmPart* CPmDbxFactory200::MakePart()
{
    return new FakePart();
}

CPmPart* CPmDbxFactory200::CopyPart(const CPmPart& part)
{
    ++FakeLog::Get().copyPart200;
    return new FakePart(part);
}

CPmSimList200* CPmDbxFactory200::MakeSimList()
{
    return new FakeSimList200();
}

void CPmDbxFactory200::DeleteSim(CPmSim200* sim)
{
    if (!sim)
        return;
    FakeLog::Get().deletedSims.push_back(Narrow(*sim->Name()));
    delete sim;
}
