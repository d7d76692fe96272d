// Every operation of the module swept under failing calls (FaultSweep.h). The
// builds chosen for the full sweep (one of each host family) sweep every
// operation under every source of faults, also while the caller holds open an
// object the operation neither changes nor needs; the others sweep a
// replacing Save under failing allocations.
#include <memory>
#include <string>

#include "DwgTestSupport.h"
#include "FaultSweep.h"
#include "HostFaultSources.h"
#if defined(PM_TEST_LEGACY_WRITER)
#include "LegacyDrawing.h"
#endif

using namespace DwgTest;
using FaultSweep::Action;
using FaultSweep::Operation;
using FaultSweep::Outcome;
using FaultSweep::Prepared;
using FaultSweep::Report;

namespace
{
using SharedSim = std::shared_ptr<CPmSim200>;

SharedSim Share(CPmSim200* sim)
{
    return SharedSim(sim, SimPtr::deleter_type());
}

Outcome OutcomeOf(int status)
{
    Outcome outcome;
    outcome.report = status == 0 ? Report::Success : Report::Failure;
    outcome.status = status;
    return outcome;
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
        SharedSim sim = Share(MakeCartSim(name));
        EXPECT_EQ(sim->Save(), 0) << "the starting drawing";
    }
    return drawing;
}

PmSimId StoredId(const CString& name)
{
    SharedSim sim = Share(CPmDbxFactory200::LoadSim(name));
    return sim ? sim->Id() : 0;
}

Action SaveOf(const SharedSim& sim)
{
    return [sim] {
        return OutcomeOf(sim->Save());
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

// A section of two positions whose part shows a block of a new definition.
CPmSection200* MakeTrailerSection()
{
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->AddSegment(MakeSegment(MakePart(AddBlockDefinition(L"Cart trailer")), 2, 8.0));
    return section;
}

// DeleteSim (name) of a simulation not in use: 1 once it is gone, 0 while it stays.
Outcome DeleteCartByName()
{
    Outcome outcome;
    const int answer = CPmDbxFactory200::DeleteSim(CString(_T("Cart")));
    outcome.status = answer;
    if (answer == 1)
        outcome.report = Report::Success;
    else if (answer == 0)
        outcome.report = Report::Unchanged;
    else
        outcome.wrongAnswer = "DeleteSim answered " + std::to_string(answer) + " for a simulation not in use";
    return outcome;
}

using Held = std::shared_ptr<HostDrawing::HeldOpen>;

// The operation, run while the caller holds open the object that find names
// (found once the starting state is taken); it must succeed all the same.
Operation Holding(const char* name, const Operation& base, std::function<AcDbObjectId()> find,
                  AcDb::OpenMode mode)
{
    Operation holding = base;
    holding.name = name;
    holding.mustSucceed = true;
    holding.prepare = [prepare = base.prepare, find, mode] {
        Prepared prepared = prepare();
        Held held = std::make_shared<HostDrawing::HeldOpen>();
        return Prepared(
            [held, find, mode, hold = prepared.hold] {
                if (hold)
                    hold();
                EXPECT_EQ(held->Open(find(), mode), Acad::eOk) << "the object the caller holds";
            },
            prepared.action,
            [held, release = prepared.release] {
                held->Release();
                if (release)
                    release();
            });
    };
    return holding;
}

// The block reference Bike's id names, another simulation than the one saved.
AcDbObjectId BlockOfBike()
{
    return IdOfHandle(AcDbHandle(StoredId(_T("Bike"))));
}

// An entity of model space that no simulation shows.
AcDbObjectId UnrelatedEntity()
{
    return AddReference(AddBlockDefinition(L"Bystander"), {9.0, 9.0, 0.0});
}

// The host's edit pattern: the caller opens the stored simulation for write,
// changes it and updates it; a stored simulation is closed, one that is not
// stays the caller's to close.
Prepared UpdateOpenForWrite()
{
    Held held = std::make_shared<HostDrawing::HeldOpen>();
    return Prepared(
        [held] {
            ASSERT_EQ(held->Open(CZrAcadObject::GetObjectId(_T("QD_SIM"), _T("Cart")), AcDb::kForWrite), Acad::eOk);
            CPmAcadSim200* sim = CPmAcadSim200::cast(held->Object());
            ASSERT_NE(sim, nullptr);
            sim->SetName(_T("Cart"));
            sim->SetType(9);
            sim->AddSection(MakeTrailerSection());
        },
        [held] {
            Outcome outcome;
            CPmAcadSim200* sim = CPmAcadSim200::cast(held->Object());
            if (!sim)
            {
                outcome.wrongAnswer = "the caller holds no simulation";
                return outcome;
            }
            const int status = sim->Update();
            if (status == 0)
                held->HandOver();
            return OutcomeOf(status);
        },
        [held] { held->Release(); });
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
    SharedSim bike = Share(MakeCartSim(_T("Bike")));
    EXPECT_EQ(bike->Save(), 0);
    return drawing;
}
#endif

const Operation kReplacingWithAnotherId{
    "SaveReplacingWithAnotherId", TwoSims, [] {
        // With Bike's id: the id rule stores Bike again too.
        SharedSim sim = Share(CPmDbxFactory200::MakeSim(StoredId(_T("Bike")), 1));
        sim->SetName(_T("Cart"));
        sim->SetLength(2);
        return SaveOf(sim);
    }};

#if defined(PM_TEST_FULL_SWEEP)
Action SaveNewName()
{
    return SaveOf(Share(MakeCartSim(_T("Dolly"))));
}

Action SaveReplacing()
{
    return SaveOf(Share(MakeOtherSim(_T("Cart"), StoredId(_T("Cart")), L"Cart trailer")));
}

// A new name with Bike's id: Bike is stored again with id 0.
Action SaveIdRule()
{
    return SaveOf(Share(MakeOtherSim(_T("Dolly"), StoredId(_T("Bike")), L"Dolly cart")));
}

// A loaded copy, changed and updated.
Action UpdateCopy()
{
    SharedSim sim = Share(CPmDbxFactory200::LoadSim(_T("Cart")));
    sim->AddSection(MakeTrailerSection());
    return [sim] { return OutcomeOf(sim->Update()); };
}

Action DeleteCopy()
{
    SharedSim sim = Share(CPmDbxFactory200::LoadSim(_T("Cart")));
    return [sim] { return OutcomeOf(sim->Delete()); };
}

// The list the id rule reads, which drops no simulation of TwoSims.
Action ListLiveSims()
{
    return [] {
        Outcome outcome;
        outcome.list.reset(CPmDbxFactory200::LoadSimList(false, false));
        return outcome;
    };
}

const Operation kSaveNewName{"SaveNewName", TwoSims, SaveNewName};
const Operation kSaveReplacing{"SaveReplacing", TwoSims, SaveReplacing};
const Operation kSaveIdRule{"SaveIdRule", TwoSims, SaveIdRule};
const Operation kUpdate{"Update", TwoSims, UpdateCopy};
const Operation kDelete{"Delete", TwoSims, DeleteCopy};
const Operation kDeleteSimByName{"DeleteSimByName", TwoSims, [] { return Action(DeleteCartByName); }};
const Operation kLoadSimList{"LoadSimList", TwoSims, ListLiveSims};

const Operation kOperations[] = {
    kReplacingWithAnotherId,
    kSaveNewName,
    kSaveReplacing,
    kSaveIdRule,
    kUpdate,
    kDelete,
    kDeleteSimByName,
    {"CleanSims", TwoSims, [] { return Void(CleanSims); }},
    {"SaveDrawing", TwoSims,
     [] {
         // The file holds the drawing of Bike and Cart; Dolly is stored after.
         EXPECT_EQ(acdbHostApplicationServices()->workingDatabase()->saveAs(
                       CStringW(FaultSweep::TargetFile().c_str()).GetString()),
                   Acad::eOk);
         SharedSim dolly = Share(MakeCartSim(_T("Dolly")));
         EXPECT_EQ(dolly->Save(), 0);
         return Action([] {
             return OutcomeOf(acdbHostApplicationServices()->workingDatabase()->saveAs(
                 CStringW(FaultSweep::TargetFile().c_str()).GetString()));
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
             outcome.upgradedList = true;
             return outcome;
         });
     }},
    // With the format 101 Cart's id: Cart is stored again, in format 200 and with id 0.
    {"SaveIdRuleOverLegacy", LegacySims,
     [] { return SaveOf(Share(MakeOtherSim(_T("Dolly"), StoredId(LegacyDrawing::kCart), L"Dolly cart"))); }},
    {"UpgradeSim", LegacySims, [] { return Void([] { CPmDbxFactory200::UpgradeSim(CString(LegacyDrawing::kCart)); }); }},
#endif
    // What the caller holds open is none of these operations' business.
    {"UpdateOpenForWrite", TwoSims, UpdateOpenForWrite, false, true},
    Holding("SaveNewNameHoldingOtherBlockForRead", kSaveNewName, BlockOfBike, AcDb::kForRead),
    Holding("SaveNewNameHoldingOtherBlockForWrite", kSaveNewName, BlockOfBike, AcDb::kForWrite),
    Holding("SaveReplacingHoldingOtherBlockForRead", kSaveReplacing, BlockOfBike, AcDb::kForRead),
    Holding("SaveReplacingHoldingOtherBlockForWrite", kSaveReplacing, BlockOfBike, AcDb::kForWrite),
    Holding("SaveIdRuleHoldingOtherBlockForRead", kSaveIdRule, BlockOfBike, AcDb::kForRead),
    Holding("SaveIdRuleHoldingOtherBlockForWrite", kSaveIdRule, BlockOfBike, AcDb::kForWrite),
    Holding("SaveNewNameHoldingUnrelatedEntity", kSaveNewName, UnrelatedEntity, AcDb::kForWrite),
    Holding("UpdateHoldingUnrelatedEntity", kUpdate, UnrelatedEntity, AcDb::kForWrite),
    Holding("DeleteHoldingUnrelatedEntity", kDelete, UnrelatedEntity, AcDb::kForWrite),
    Holding("DeleteSimByNameHoldingUnrelatedEntity", kDeleteSimByName, UnrelatedEntity, AcDb::kForWrite),
    Holding("LoadSimListHoldingUnrelatedEntity", kLoadSimList, UnrelatedEntity, AcDb::kForWrite),
    // A block reference the caller holds open is there: the list keeps its simulation.
    Holding("LoadSimListHoldingSimBlockForRead", kLoadSimList, BlockOfBike, AcDb::kForRead),
    Holding("LoadSimListHoldingSimBlockForWrite", kLoadSimList, BlockOfBike, AcDb::kForWrite),
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
    const std::vector<FaultSweep::FaultSource> sources = HostFaultSources::All();
#else
    const std::vector<FaultSweep::FaultSource> sources{FaultSteps::AllocationSource()};
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
