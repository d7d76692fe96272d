// The factory of the test-only format 101 modules. LoadSim is what the format
// 200 modules bind; the copy operations serve the format 101 model's copies.
//
// The simulations held: "Old Route", "Old Busy Route" (in use), "Old <module
// tag> Route" (one per module), and "Foreign Route", which is of another class.
// Names are found without regard to case; the object carries its own name.
#include <cmath>
#include <memory>

#include "PmBlockFactory.h"
#include "PmDbxFactory.h"
#include "PmSection.h"
#include "PmSegment.h"
#include "StandinModel.h"

namespace
{
int g_loadSimCalls = 0;

// Each object is owned here until the one it is added to holds it, so that a
// failed allocation loses nothing.
std::unique_ptr<CPmSegment> MakeSegment()
{
    auto part = std::make_unique<CStandinPart>("Wagon", DPoint3d{0.5, 0.25, 0.0}, STANDIN_BLOCK_ELEMENT_ID);
    auto axle = std::make_unique<CStandinPart>("Axle", DPoint3d{0.0, 0.0, 1.0}, 0);
    part->AddPart(axle.get());
    axle.release();
    auto segment = std::make_unique<CPmSegment>(part.get(), false);
    part.release();
    const double quarterTurn = std::acos(0.0);
    segment->AddPath({PMPosition{{1.0, 2.0, 3.0}, quarterTurn, {4.0, 5.0, 6.0}},
                      PMPosition{{7.0, 8.0, 9.0}, 0.0, {1.0, 1.0, 1.0}}});
    return segment;
}

CPmSim* MakeRoute(const char* name, bool inUse)
{
    auto sim = std::make_unique<CPmMstnSim>();
    sim->SetName(name);
    sim->SetType(7);
    sim->SetId(STANDIN_SIM_ID);
    sim->SetDisplayIndex(3);
    sim->SetSimInUse(inUse);
    sim->SetCreated(CTime(2001, 2, 3, 4, 5, 6));
    auto section = std::make_unique<CPmSection>(25.0, 1);
    auto segment = MakeSegment();
    section->AddSegment(segment.get());
    segment.release();
    sim->AddSection(section.get());
    section.release();
    return sim.release();
}
} // namespace

CPmSim* CPmDbxFactory::LoadSim(const CString& name)
{
    ++g_loadSimCalls;
    if (name.CompareNoCase("Old Route") == 0)
        return MakeRoute("Old Route", false);
    if (name.CompareNoCase("Old Busy Route") == 0)
        return MakeRoute("Old Busy Route", true);
    if (name.CompareNoCase("Old " STANDIN_TAG " Route") == 0)
        return MakeRoute("Old " STANDIN_TAG " Route", false);
    if (name.CompareNoCase("Foreign Route") == 0)
    {
        auto other = std::make_unique<CStandinOtherSim>();
        other->SetName("Foreign Route");
        return other.release();
    }
    return nullptr;
}

CPmSection* CPmDbxFactory::CopySection(const CPmSection& section)
{
    return new CPmSection(section);
}

CPmSegment* CPmDbxFactory::CopySegment(const CPmSegment& segment)
{
    return new CPmSegment(segment);
}

CPmPart* CPmDbxFactory::CopyPart(const CPmPart& part)
{
    return new CStandinPart(part);
}

void CPmDbxFactory::DeleteSim(CPmSim* sim)
{
    delete sim;
}

CQdBlock* CPmBlockFactory::CopyBlock(const CQdBlock& block)
{
    return new CStandinBlock(block.ElementId());
}

// How often LoadSim was called, for the tests to see whether the format 200
// module asked this module at all.
extern "C" __attribute__((visibility("default"))) int StandinLoadSimCalls()
{
    return g_loadSimCalls;
}
