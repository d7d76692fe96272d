// Every operation of the module swept under failing calls (FaultSweep.h). The
// builds chosen for the full sweep (one of each host family) sweep every
// operation under every source of faults; the others sweep a replacing Save
// under failing allocations.
#include <memory>
#include <string>

#include "DwgTestSupport.h"
#include "FaultSweep.h"
#if defined(PM_TEST_LEGACY_WRITER)
#include "LegacyDrawing.h"
#endif

using namespace DwgTest;
using FaultSweep::Action;
using FaultSweep::Operation;
using FaultSweep::Outcome;
using FaultSweep::Report;

namespace
{
using SharedSim = std::shared_ptr<CPmSim200>;

SharedSim Held(CPmSim200* sim)
{
    return SharedSim(sim, SimDeleter());
}

Report ReportOf(int status)
{
    return status == 0 ? Report::Success : Report::Failure;
}

AcDbDatabase* NewDrawing()
{
    auto* drawing = new AcDbDatabase;
    acdbHostApplicationServices()->setWorkingDatabase(drawing);
    return drawing;
}

// Bike and Cart, each with its part tree in model space and its own id.
AcDbDatabase* TwoSims()
{
    AcDbDatabase* drawing = NewDrawing();
    for (const TCHAR* name : {_T("Bike"), _T("Cart")})
    {
        SharedSim sim = Held(MakeCartSim(name));
        EXPECT_EQ(sim->Save(), 0) << "the starting drawing";
    }
    return drawing;
}

PmSimId StoredId(const CString& name)
{
    SharedSim sim = Held(CPmDbxFactory200::LoadSim(name));
    return sim ? sim->Id() : 0;
}

Action SaveOf(const SharedSim& sim)
{
    return [sim] {
        Outcome outcome;
        outcome.report = ReportOf(sim->Save());
        return outcome;
    };
}

#if defined(PM_TEST_FULL_SWEEP)
// A simulation of the name and id with one section whose part shows a block of a new definition.
CPmSim200* MakeOtherSim(const CString& name, PmSimId id, const wchar_t* definition)
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(id, 4);
    sim->SetName(name);
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(20.0, 1);
    section->AddSegment(MakeSegment(MakePart(AddBlockDefinition(definition)), 4, 5.0));
    sim->AddSection(section);
    return sim;
}

Action Void(void (*run)())
{
    return [run] {
        run();
        return Outcome();
    };
}
#endif

#if defined(PM_TEST_LEGACY_WRITER)
// The drawing a host with only a format 101 module wrote (Cart, Crane, Ghost),
// written once for this process, with Bike stored beside them in format 200.
std::string LegacyDrawingFile()
{
    const std::string file = SharedTempDir("legacy") + "/legacy.dwg";
    static const std::string written = TestProcesses::RunDrawingTool(PM_TEST_LEGACY_WRITER, "write '" + file + "'");
    EXPECT_NE(written.rfind("failed", 0), 0u) << written;
    return file;
}

AcDbDatabase* LegacySims()
{
    AcDbDatabase* drawing = HostDrawing::OpenDrawing(LegacyDrawingFile());
    EXPECT_NE(drawing, nullptr) << "the legacy drawing does not read";
    if (!drawing)
        return NewDrawing();
    SharedSim bike = Held(MakeCartSim(_T("Bike")));
    EXPECT_EQ(bike->Save(), 0);
    return drawing;
}
#endif

const Operation kReplacingWithAnotherId{
    "SaveReplacingWithAnotherId", TwoSims, [] {
        // With Bike's id: the id rule stores Bike again too.
        SharedSim sim = Held(CPmDbxFactory200::MakeSim(StoredId(_T("Bike")), 1));
        sim->SetName(_T("Cart"));
        sim->SetLength(2);
        return SaveOf(sim);
    }};

#if defined(PM_TEST_FULL_SWEEP)
const Operation kOperations[] = {
    kReplacingWithAnotherId,
    {"SaveNewName", TwoSims, [] { return SaveOf(Held(MakeCartSim(_T("Dolly")))); }},
    {"SaveReplacing", TwoSims,
     [] { return SaveOf(Held(MakeOtherSim(_T("Cart"), StoredId(_T("Cart")), L"Cart trailer"))); }},
    {"SaveIdRule", TwoSims,
     [] {
         // A new name with Bike's id: Bike is stored again with id 0.
         return SaveOf(Held(MakeOtherSim(_T("Dolly"), StoredId(_T("Bike")), L"Dolly cart")));
     }},
    {"Update", TwoSims,
     [] {
         SharedSim sim = Held(CPmDbxFactory200::LoadSim(_T("Cart")));
         CPmSection200* section = CPmDbxFactory200::MakeSection();
         section->AddSegment(MakeSegment(MakePart(AddBlockDefinition(L"Cart trailer")), 2, 8.0));
         sim->AddSection(section);
         return Action([sim] {
             Outcome outcome;
             outcome.report = ReportOf(sim->Update());
             return outcome;
         });
     }},
    {"Delete", TwoSims,
     [] {
         SharedSim sim = Held(CPmDbxFactory200::LoadSim(_T("Cart")));
         return Action([sim] {
             Outcome outcome;
             outcome.report = ReportOf(sim->Delete());
             return outcome;
         });
     }},
    // Answers 1 also when the removal failed: its answer tells nothing.
    {"DeleteSimByName", TwoSims, [] { return Void([] { CPmDbxFactory200::DeleteSim(CString(_T("Cart"))); }); }},
    {"CleanSims", TwoSims, [] { return Void(CleanSims); }},
    {"SaveDrawing", TwoSims,
     [] {
         // The file holds the drawing of Bike and Cart; Dolly is stored after.
         EXPECT_EQ(acdbHostApplicationServices()->workingDatabase()->saveAs(
                       CStringW(FaultSweep::TargetFile().c_str()).GetString()),
                   Acad::eOk);
         SharedSim dolly = Held(MakeCartSim(_T("Dolly")));
         EXPECT_EQ(dolly->Save(), 0);
         return Action([] {
             Outcome outcome;
             outcome.report = ReportOf(acdbHostApplicationServices()->workingDatabase()->saveAs(
                 CStringW(FaultSweep::TargetFile().c_str()).GetString()));
             return outcome;
         });
     },
     true},
    // A part's block goes into model space (its status is not given back).
    {"PartAddBlock", TwoSims,
     [] {
         std::shared_ptr<CPmPart> part(CPmDbxFactory200::MakePart());
         CQdBlock* block = MakeBlock(AddBlockDefinition(L"Spare"), {1.0, 1.0, 0.0});
         return Action([part, block] {
             part->AddBlock(block);
             return Outcome();
         });
     }},
#if defined(PM_TEST_LEGACY_WRITER)
    // The list hides its status: only which simulations it holds tells.
    {"LoadSimListUpgrading", LegacySims,
     [] {
         return Action([] {
             Outcome outcome;
             outcome.list.reset(CPmDbxFactory200::LoadSimList(false, true));
             return outcome;
         });
     }},
    // With the format 101 Cart's id: Cart is stored again, in format 200 and with id 0.
    {"SaveIdRuleOverLegacy", LegacySims,
     [] { return SaveOf(Held(MakeOtherSim(_T("Dolly"), StoredId(LegacyDrawing::kCart), L"Dolly cart"))); }},
    {"UpgradeSim", LegacySims, [] { return Void([] { CPmDbxFactory200::UpgradeSim(CString(LegacyDrawing::kCart)); }); }},
#endif
};
#else
const Operation kOperations[] = {kReplacingWithAnotherId};
#endif

bool ReadsLegacyDrawing(const Operation& operation)
{
    AcDbDatabase* (*const* made)() = operation.makeDrawing.target<AcDbDatabase* (*)()>();
    return !made || *made != &TwoSims;
}

class FaultSweepTest : public DwgDrawingTest, public testing::WithParamInterface<Operation>
{
};

class SavedSweepDrawings : public DwgDrawingTest
{
};
} // namespace

TEST_P(FaultSweepTest, LosesNothingReportsFailuresLeavesNothingOpen)
{
    const Operation& operation = GetParam();
#if defined(PM_TEST_FULL_SWEEP)
    const std::vector<FaultSweep::FaultSource> sources = FaultSweep::AllSources();
#else
    const std::vector<FaultSweep::FaultSource> sources = FaultSweep::AllocationSource();
#endif
#if defined(PM_TEST_LEGACY_MODULE_PATH)
    if (ReadsLegacyDrawing(operation))
    {
        // The host reads the format 101 objects through the module this build binds,
        // loaded in a host of its own so that the other tests do not meet it.
        RunInFreshHost([&] {
            ASSERT_TRUE(acrxLoadModule(CStringW(PM_TEST_LEGACY_MODULE_PATH).GetString(), true));
            FaultSweep::Sweep(operation, sources, PM_TEST_LEGACY_MODULE_PATH);
        });
        return;
    }
#endif
    static_cast<void>(&ReadsLegacyDrawing);
    FaultSweep::Sweep(operation, sources, "");
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultSweepTest, testing::ValuesIn(kOperations),
                         [](const testing::TestParamInfo<Operation>& param) { return std::string(param.param.name); });

TEST_F(SavedSweepDrawings, ReadInAFreshHostAsTheyWereLeft)
{
    FaultSweep::CheckSavedDrawings();
}
