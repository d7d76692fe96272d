// The builds that bind a MicroStation format 101 module: names without a
// readable format 200 record are asked of that module, converted, and upgraded.
#include <cmath>

#include <windows.h>
#include <winfaults.h>

#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
class FallbackTest : public Fixture
{
};

// How often the format 101 module has been asked for a simulation.
int Format101Calls()
{
    HMODULE module = GetModuleHandleA(PM_LEGACY_MODULE_FILE);
    using Counter = int();
    auto* calls = reinterpret_cast<Counter*>(reinterpret_cast<void (*)()>(GetProcAddress(module, "StandinLoadSimCalls")));
    return calls ? calls() : -1;
}

void WriteUnreadableRecord(const CString& name)
{
    WriteRecord(name, {SimChunk(300, 1, 0, false), {0, 0, 0, 0}});
}

int StoredVersion(const CString& name)
{
    return GetI32(Chunks(RecordStream(name)).at(0).data());
}
} // namespace

TEST_F(FallbackTest, AReadableFormat200RecordNeverReachesTheFormat101Module)
{
    CPmSim200* sim = MakeSimulation(_T("Old Route"));
    ASSERT_EQ(sim->Save(), 0);
    const int calls = Format101Calls();
    const std::size_t elements = mstnHost_elementCount();
    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Old Route"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->IsCurVersion());
    EXPECT_EQ(read->Type(), 3) << "the format 200 record, not the format 101 simulation";
    CPmDbxFactory200::UpgradeSim(_T("Old Route"));
    EXPECT_EQ(mstnHost_elementCount(), elements) << "nothing written";
    EXPECT_EQ(Format101Calls(), calls);
    CPmDbxFactory200::DeleteSim(read);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(FallbackTest, ANameOnlyTheFormat101ModuleHoldsLoadsConvertedAndNotCurrent)
{
    const int calls = Format101Calls();
    CPmSim200* sim = CPmDbxFactory200::LoadSim(_T("Old Route"));
    ASSERT_NE(sim, nullptr);
    EXPECT_EQ(Format101Calls(), calls + 1);
    EXPECT_NE(dynamic_cast<CPmMstnSim200*>(sim), nullptr);
    EXPECT_EQ(*sim->Name(), CString(_T("Old Route")));
    EXPECT_FALSE(sim->IsCurVersion());
    EXPECT_EQ(sim->Type(), 7);
    EXPECT_EQ(sim->Id(), 0x5A5Au);
    EXPECT_EQ(sim->DisplayIndex(), 3);
    EXPECT_EQ(sim->DttmCreatedTime(), CTime(2001, 2, 3, 4, 5, 6));
    EXPECT_EQ(sim->Length(), 2);
    ASSERT_EQ(sim->Sections()->size(), 1u);
    const CPmSection200& section = *(*sim->Sections())[0];
    EXPECT_NE(dynamic_cast<const CPmMstnSection*>(&section), nullptr);
    EXPECT_EQ(section.Speed(), 25.0);
    EXPECT_EQ(section.SpeedUnits(), 1);
    ASSERT_EQ(section.Segments()->size(), 1u);
    CPmSegment200& segment = *(*section.Segments())[0];
    ASSERT_EQ(segment.Positions()->size(), 2u);
    CQdTransform turn(segment.Position(0)->transform);
    EXPECT_EQ(segment.Position(0)->pt.z, 3.0);
    EXPECT_EQ(turn(2, 3), 0.0) << "a format 101 position's translation has no z";
    EXPECT_NEAR(turn(1, 0), 1.0, 1e-12) << "a quarter turn about z";
    ASSERT_NE(segment.Part(), nullptr);
    EXPECT_NE(dynamic_cast<CPmMstnPart*>(segment.Part()), nullptr);
    EXPECT_NE(dynamic_cast<CZrMstnBlock*>(segment.Part()->Block()), nullptr);
    EXPECT_EQ(segment.Part()->NumSubParts(), 1);
    EXPECT_TRUE(RecordElements().empty()) << "loading writes nothing";
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(FallbackTest, UpgradeStoresTheConvertedSimulationInFormat200)
{
    CPmDbxFactory200::UpgradeSim(_T("Old Route"));
    ASSERT_EQ(HeaderCount(_T("Old Route")), 1);
    EXPECT_EQ(StoredVersion(_T("Old Route")), 200);
    const int calls = Format101Calls();
    CPmSim200* sim = CPmDbxFactory200::LoadSim(_T("Old Route"));
    ASSERT_NE(sim, nullptr);
    EXPECT_EQ(Format101Calls(), calls) << "read from the new record";
    EXPECT_TRUE(sim->IsCurVersion());
    EXPECT_EQ(sim->Type(), 7);
    EXPECT_EQ(sim->Length(), 2);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(FallbackTest, TheNameAskedForBecomesTheSimulationsName)
{
    CPmSim200* sim = CPmDbxFactory200::LoadSim(_T("old ROUTE"));
    ASSERT_NE(sim, nullptr) << "the format 101 module finds names without regard to case";
    EXPECT_EQ(*sim->Name(), CString(_T("old ROUTE")));
    CPmDbxFactory200::DeleteSim(sim);
    CPmDbxFactory200::UpgradeSim(_T("old ROUTE"));
    EXPECT_EQ(HeaderCount(_T("old ROUTE")), 1);
    EXPECT_EQ(HeaderCount(_T("Old Route")), 0);
}

TEST_F(FallbackTest, NothingOrAnObjectOfAnotherClassIsNoSimulation)
{
    for (const TCHAR* name : {_T("Foreign Route"), _T("Unknown Route")})
    {
        EXPECT_EQ(CPmDbxFactory200::LoadSim(name), nullptr) << Narrow(name);
        CPmDbxFactory200::UpgradeSim(name);
        EXPECT_EQ(mstnHost_elementCount(), 0u) << Narrow(name);
        EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(name)), 0);
    }
}

// The XM build's delayed import names "Varnex101_Xm.dll"; the module loaded at
// start-up is "Varnex101_XM.dll", and module names match without regard to case.
TEST_F(FallbackTest, TheBuildBindsTheFormat101ModuleOfItsOwnHostVersion)
{
    CPmSim200* own = CPmDbxFactory200::LoadSim(_T("Old " PM_TEST_STANDIN_TAG " Route"));
    ASSERT_NE(own, nullptr);
    CPmDbxFactory200::DeleteSim(own);
    for (const TCHAR* other : {_T("Old 8i Route"), _T("Old XM Route"), _T("Old CNx64 Route")})
    {
        if (CString(other) == CString(_T("Old " PM_TEST_STANDIN_TAG " Route")))
            continue;
        EXPECT_EQ(CPmDbxFactory200::LoadSim(other), nullptr) << Narrow(other);
    }
    EXPECT_EQ(LoadedModulePath(PM_DELAY_IMPORT_FILE), LoadedModulePath(PM_LEGACY_MODULE_FILE))
        << "the module loaded at start-up, no second one";
}

TEST_F(FallbackTest, ListingWithUpgradeLeavesEveryListedSimulationCurrentAndStored)
{
    WriteUnreadableRecord(_T("Old Route"));
    CPmSim200* fresh = MakeSimulation(_T("Fresh"));
    ASSERT_EQ(fresh->Save(), 0);
    CPmSimList200* list = CPmDbxFactory200::LoadSimList(true, true);
    ASSERT_EQ(list->Size(), 2);
    for (int i = 0; i < list->Size(); ++i)
        EXPECT_TRUE(list->Sim(i)->IsCurVersion()) << Narrow(*list->Sim(i)->Name());
    EXPECT_EQ(list->Sim(_T("Old Route"))->Type(), 7) << "converted through the format 101 module";
    delete list;
    EXPECT_EQ(HeaderCount(_T("Old Route")), 1) << "the unreadable record was replaced";
    EXPECT_EQ(StoredVersion(_T("Old Route")), 200);
    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Old Route"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->IsCurVersion());
    CPmDbxFactory200::DeleteSim(read);
    CPmDbxFactory200::DeleteSim(fresh);
}

// A write-back the host refuses leaves the stored record as it was, and it still
// loads as old; the copy the list hands out is current all the same, so that the
// client's Save of it stores the upgrade.
TEST_F(FallbackTest, ListingWithUpgradeMarksTheCopyCurrentWhenItsWriteBackFails)
{
    WriteUnreadableRecord(_T("Old Route"));
    const std::vector<std::uint8_t> stored = RecordStream(_T("Old Route"));
    mstnHost_fault(MstnHostCall::ElementAppend).failFrom(1);
    CPmSimList200* list = CPmDbxFactory200::LoadSimList(true, true);
    const std::size_t refused = mstnHost_fault(MstnHostCall::ElementAppend).failures();
    mstnHost_fault(MstnHostCall::ElementAppend).off();
    EXPECT_GT(refused, 0u) << "the write-back was tried";
    ASSERT_EQ(list->Size(), 1);
    EXPECT_TRUE(list->Sim(0)->IsCurVersion());
    EXPECT_EQ(RecordStream(_T("Old Route")), stored) << "the stored record is not upgraded";
    CPmSim200* again = CPmDbxFactory200::LoadSim(_T("Old Route"));
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->IsCurVersion()) << "it is still read through the format 101 module";
    CPmDbxFactory200::DeleteSim(again);

    EXPECT_EQ(list->Sim(0)->Save(), 0);
    delete list;
    EXPECT_EQ(HeaderCount(_T("Old Route")), 1);
    EXPECT_EQ(StoredVersion(_T("Old Route")), 200);
    CPmSim200* upgraded = CPmDbxFactory200::LoadSim(_T("Old Route"));
    ASSERT_NE(upgraded, nullptr);
    EXPECT_TRUE(upgraded->IsCurVersion());
    EXPECT_EQ(upgraded->Type(), 7);
    CPmDbxFactory200::DeleteSim(upgraded);
}

TEST_F(FallbackTest, CleanSimsUpgradesAConvertedSimulationWhoseIdNamesNoElement)
{
    WriteUnreadableRecord(_T("Old Route"));
    CleanSims();
    EXPECT_EQ(HeaderCount(_T("Old Route")), 1) << "its id names no element of the model";
    EXPECT_EQ(StoredVersion(_T("Old Route")), 200);
}

TEST_F(FallbackTest, DeletingASimulationOnlyTheFormat101ModuleHolds)
{
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Old Route"))), 1);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Old Busy Route"))), 2);
    EXPECT_TRUE(RecordElements().empty());
    CPmSim200* still = CPmDbxFactory200::LoadSim(_T("Old Route"));
    EXPECT_NE(still, nullptr) << "the format 101 module is not asked to delete anything";
    CPmDbxFactory200::DeleteSim(still);
}

// When the format 101 module's export cannot be bound, the name only it holds
// loads as nothing, and a later call binds it.
TEST_F(FallbackTest, AFormat101ExportThatCannotBeBoundLoadsNothingAndALaterCallBindsIt)
{
    RunInFreshHost([] {
        windowsFault(WindowsCall::ProcAddress).failFrom(1);
        EXPECT_EQ(CPmDbxFactory200::LoadSim(_T("Old Route")), nullptr);
        EXPECT_GT(windowsFault(WindowsCall::ProcAddress).failures(), 0u);
        windowsFaultsOff();
        CPmSim200* sim = CPmDbxFactory200::LoadSim(_T("Old Route"));
        ASSERT_NE(sim, nullptr);
        EXPECT_EQ(*sim->Name(), CString(_T("Old Route")));
        CPmDbxFactory200::DeleteSim(sim);
    });
}
