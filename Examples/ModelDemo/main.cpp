// A first look at the model: a simulation built in memory, copied, and one of
// the previous format converted, each printed through its text dump.
#include <cmath>
#include <iostream>
#include <memory>

#include "ModelFakes.h"

namespace
{
PmPosition200 At(double x, double y)
{
    PmPosition200 position;
    position.pt = {x, y, 0.0};
    position.tpt = {x, y, 1.0};
    position.transform.SetTranslation(CQdVector(x, y, 0.0));
    return position;
}

// A crane: a body carrying an arm, moving along two straight stretches.
std::unique_ptr<CPmSim200> BuildSimulation()
{
    std::unique_ptr<CPmSim200> sim(CPmDbxFactory200::MakeSim(0x2A, 1));
    sim->SetName(L"Crane tour");

    CPmPart* body = CPmDbxFactory200::MakePart();
    body->AddBlock(new FakeBlock(1));
    CPmPart* arm = CPmDbxFactory200::MakePart();
    arm->AddBlock(new FakeBlock(2));
    arm->SetOffset({0.0, 0.0, 2.5});
    body->AddPart(arm);

    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(body);
    segment->AddPath({At(0, 0), At(5, 0), At(10, 0)});
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(20.0, 1);  // 20 km/h, stored in miles per hour
    section->AddSegment(segment);
    sim->AddSection(section);
    return sim;
}

// A simulation of the previous format, as a legacy drawing would hold it.
std::unique_ptr<CPmSim> BuildLegacySimulation()
{
    std::unique_ptr<CPmSim> legacy(CPmDbxFactory::MakeSim(0x30, 2));
    legacy->SetName(L"Old route");
    CPmPart* part = CPmDbxFactory::MakePart();
    part->AddBlock(new FakeBlock(3));
    CPmSegment* segment = CPmDbxFactory::MakeSegment();
    segment->AddPart(part);
    segment->AddPath({PMPosition{{0, 0, 0}, 0.0, {0, 0, 1}}, PMPosition{{3, 4, 0}, M_PI / 2, {3, 4, 1}}});
    CPmSection* section = CPmDbxFactory::MakeSection();
    section->AddSegment(segment);
    legacy->AddSection(section);
    return legacy;
}
} // namespace

int main()
{
    std::unique_ptr<CPmSim200> sim = BuildSimulation();
    std::unique_ptr<CPmSim200> copy(CPmDbxFactory200::CopySim(*sim));
    copy->SetName(L"Crane tour (copy)");

    std::unique_ptr<CPmSim> legacy = BuildLegacySimulation();
    FakeSim200 converted(*legacy);

    // The dump operators take the string stream itself, so each title is its own statement.
    PmDumpStream dump;
    dump << L"A simulation built in memory:";
    dump << *sim;
    dump << L"\nIts copy:";
    dump << *copy;
    dump << L"\nA format 101 simulation:";
    dump << *legacy;
    dump << L"\nThe same, converted to the current format:";
    dump << converted;
    std::wcout << dump.str() << std::endl;
    return 0;
}
