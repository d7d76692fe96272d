// Every operation under every kind of failing host call: for each operation
// and each fault source (each host call kind, and the allocations of the
// process), the 1st, 2nd, ... call of that kind is failed until the operation
// completes without reaching it. After each step: no descriptor or scan
// criteria stay live and the host saw no fault; a success is only reported
// when what was asked is in the model; every other simulation loads with its
// content and the one changed with its old content or its new one whole; no
// name is listed twice; and a later Save and LoadSim work. Each distinct design
// file the steps leave is then read in a fresh host process, where the same holds.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FailingAllocator.h"
#include "FaultSteps.h"
#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
constexpr const char* kFolderVariable = "PM_MSTN_SWEEP_FOLDER";

// The simulations of every scene: one the operations never ask for, one they
// change, and one stored in the old form (read through the format 101 module
// in the builds that bind it, read in place in the others).
const CString kKeep = _T("Keep");
const CString kRoute = _T("Route");
const CString kOldRoute = _T("Old Route");

std::string Dump(const CPmSim200& sim)
{
    PmDumpStream os;
    os << sim;
    return Narrow(CString(os.str().c_str()));
}

// The simulation of that name as it loads (its times aside, which a scene
// made anew does not repeat), or "" when it does not.
std::string Loaded(const CString& name)
{
    SimPtr sim(CPmDbxFactory200::LoadSim(name));
    if (!sim)
        return std::string();
    return Dump(*sim) + "type " + std::to_string(sim->Type()) + ", id " + std::to_string(sim->Id()) + "\n";
}

void WriteOldRecord()
{
#ifdef PM_BINDS_FORMAT101
    // A record these builds cannot read: its name is asked of the format 101 module.
    WriteRecord(kOldRoute, {SimChunk(300, 1, 0, false), {0, 0, 0, 0}});
#else
    WriteRecord(kOldRoute, {SimChunk(101, 4, 0, false), {0, 0, 0, 0}});
#endif
}

// The model every step starts from; the route is stored unless the operation
// makes it, and its id names an element of the model (CleanSims takes it).
void BuildScene(bool routeStored)
{
    mstnHost_resetModel();
    SimPtr keep(MakeSimulation(kKeep, 3));
    keep->SetType(5);
    ASSERT_EQ(keep->Save(), 0);
    WriteOldRecord();
    if (routeStored)
    {
        SimPtr route(MakeSimulation(kRoute, 2));
        route->SetType(7);
        route->SetId(AddDrawingElement());
        ASSERT_EQ(route->Save(), 0);
    }
}

// The route as an operation stores it anew: other content, the stored
// route's id (or a new element's when none is stored).
SimPtr NewRoute()
{
    SimPtr stored(CPmDbxFactory200::LoadSim(kRoute));
    const PmSimId id = stored ? stored->Id() : AddDrawingElement();
    SimPtr route(MakeSimulation(kRoute, 4));
    route->SetType(9);
    route->SetId(id);
    return route;
}

enum class State { Absent, Old, New };
using States = std::set<State>;
using FaultSteps::Report;

struct Operation
{
    const char* name;
    bool routeStored;
    // Made with every fault off: the call to make with the faults armed.
    std::function<std::function<Report()>()> prepare;
    // The simulations the operation may change: allowed states when it
    // succeeded and when it failed (or could not say). The others stay as they were.
    std::map<CString, std::pair<States, States>> changes;
    // For the design file save: the file to check after each step.
    bool savesDesignFile = false;
};

Report StatusReport(int status)
{
    return status == 0 ? Report::Success : Report::Failure;
}

std::string DesignPath(const std::string& folder, const char* name)
{
    return folder + "/" + name;
}

#ifdef PM_BINDS_FORMAT101
constexpr bool kOldRouteUpgrades = true;
#else
constexpr bool kOldRouteUpgrades = false;
#endif
const States kOldOrNew = kOldRouteUpgrades ? States{State::Old, State::New} : States{State::Old};

std::vector<Operation> Operations(const std::string& folder)
{
    std::vector<Operation> ops;
    ops.push_back({"SaveNew", false,
                   [] {
                       auto route = std::make_shared<SimPtr>(NewRoute());
                       return [route] { return StatusReport((*route)->Save()); };
                   },
                   {{kRoute, {{State::New}, {State::Absent}}}}});
    ops.push_back({"SaveReplacing", true,
                   [] {
                       auto route = std::make_shared<SimPtr>(NewRoute());
                       return [route] { return StatusReport((*route)->Save()); };
                   },
                   {{kRoute, {{State::New}, {State::Old}}}}});
    ops.push_back({"Update", true,
                   [] {
                       auto route = std::make_shared<SimPtr>(NewRoute());
                       return [route] { return StatusReport((*route)->Update()); };
                   },
                   {{kRoute, {{State::New}, {State::Old}}}}});
    // A failed Delete may have taken the record when a block would not go.
    ops.push_back({"Delete", true,
                   [] {
                       auto route = std::make_shared<SimPtr>(CPmDbxFactory200::LoadSim(kRoute));
                       return [route] { return StatusReport((*route)->Delete()); };
                   },
                   {{kRoute, {{State::Absent}, {State::Old, State::Absent}}}}});
    ops.push_back({"DeleteSim", true,
                   [] {
                       return [] {
                           return CPmDbxFactory200::DeleteSim(kRoute) == 1 ? Report::Success : Report::Failure;
                       };
                   },
                   {{kRoute, {{State::Absent}, {State::Old, State::Absent}}}}});
    ops.push_back({"LoadSimListWithUpgrade", true,
                   [] {
                       return [] {
                           std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, true));
                           return Report::None;
                       };
                   },
                   {{kOldRoute, {kOldOrNew, kOldOrNew}}}});
    ops.push_back({"UpgradeSim", true,
                   [] {
                       return [] {
                           CPmDbxFactory200::UpgradeSim(kOldRoute);
                           return Report::None;
                       };
                   },
                   {{kOldRoute, {kOldOrNew, kOldOrNew}}}});
    ops.push_back({"CleanSims", true,
                   [] {
                       return [] {
                           CleanSims();
                           return Report::None;
                       };
                   },
                   {{kRoute, {{State::Old, State::Absent}, {State::Old, State::Absent}}},
                    {kOldRoute, {kOldOrNew, kOldOrNew}}}});
    Operation save{"SaveDesignFile", true,
                   [folder] {
                       // A previous file of another model, which a failed save must keep.
                       const std::string path = DesignPath(folder, "previous.dgn");
                       EXPECT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
                       AddDrawingElement();
                       return [path] {
                           return mstnHost_saveDesignFile(path.c_str()) == MSTN_SUCCESS ? Report::Success
                                                                                        : Report::Failure;
                       };
                   },
                   {}};
    save.savesDesignFile = true;
    ops.push_back(save);
    return ops;
}

using FaultSteps::FaultSource;

// The MicroStation host's sources of faults: each kind of host call, then the
// allocations of the process.
std::vector<FaultSource> Sources()
{
    const std::pair<const char*, MstnHostCall> calls[] = {
        {"ElementAppend", MstnHostCall::ElementAppend},
        {"ElementRead", MstnHostCall::ElementRead},
        {"DescriptorAdd", MstnHostCall::DescriptorAdd},
        {"AssocRead", MstnHostCall::AssocRead},
        {"UndoableDelete", MstnHostCall::UndoableDelete},
        {"ScanCriteriaCreate", MstnHostCall::ScanCriteriaCreate},
        {"ScanCriteriaSet", MstnHostCall::ScanCriteriaSet},
        {"Scan", MstnHostCall::Scan},
        {"SaveDesignFile", MstnHostCall::SaveDesignFile},
        {"LoadDesignFile", MstnHostCall::LoadDesignFile},
        {"DescriptorRemove", MstnHostCall::DescriptorRemove},
    };
    static_assert(sizeof calls / sizeof calls[0] == static_cast<std::size_t>(MstnHostCall::Kinds),
                  "every kind of host call is a source");
    std::vector<FaultSource> sources;
    for (const auto& entry : calls)
    {
        const MstnHostCall call = entry.second;
        sources.push_back({entry.first, [call](std::size_t nth) { mstnHost_fault(call).failAt(nth); },
                           [call] {
                               const bool reached = mstnHost_fault(call).failures() > 0;
                               mstnHost_fault(call).off();
                               return reached;
                           }});
    }
    sources.push_back(FaultSteps::AllocationSource());
    return sources;
}

const CString kNames[] = {kKeep, kRoute, kOldRoute};

// What a model holds of the three simulations, as the fresh host checks it.
std::string Describe()
{
    std::string text;
    for (const CString& name : kNames)
        text += Narrow(name) + " (" + std::to_string(HeaderCount(name)) + "): " + Loaded(name) + "\n";
    return text;
}

// What holds after every step, in the session and in a fresh host: nothing
// left live beyond what was live before it, and no fault of the host.
void ExpectUsable(const std::string& where, std::size_t descriptors = 0, std::size_t criteria = 0)
{
    EXPECT_EQ(mstnHost_liveDescriptorCount(), descriptors) << where << ": a descriptor left live";
    EXPECT_EQ(mstnHost_liveScanCriteriaCount(), criteria) << where << ": scan criteria left live";
    EXPECT_EQ(mstnHost_faultCount(), 0u) << where << ": " << mstnHost_lastFault();
    mstnHost_clearFaults();
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    EXPECT_EQ(std::set<CString>(names.begin(), names.end()).size(), names.size()) << where << ": a name listed twice";
    for (const CString& name : kNames)
        EXPECT_LE(HeaderCount(name), 1) << where << ": " << Narrow(name);
}

void ExpectLaterSaveAndLoad(const std::string& where)
{
    SimPtr later(MakeSimulation(_T("Later"), 5));
    later->SetType(11);
    EXPECT_EQ(later->Save(), 0) << where;
    SimPtr read(CPmDbxFactory200::LoadSim(_T("Later")));
    ASSERT_NE(read, nullptr) << where;
    EXPECT_EQ(read->Type(), 11) << where;
    EXPECT_EQ(Dump(*read), Dump(*later)) << where;
}

std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FaultSweepTest : public Fixture, public ::testing::WithParamInterface<int>
{
protected:
    void TearDown() override
    {
        FailingAllocator::failAt(0);
        Fixture::TearDown();
    }
};

// The name of each step's files: operation, source and step.
std::string StepName(const Operation& op, const FaultSource& source, std::size_t nth)
{
    return std::string(op.name) + "-" + source.name + "-" + std::to_string(nth);
}

void Sweep(const Operation& op, const std::string& folder)
{
    // What the operation makes of the scene when nothing fails.
    BuildScene(op.routeStored);
    std::map<CString, std::string> old;
    for (const CString& name : kNames)
        old[name] = Loaded(name);
    {
        const auto run = op.prepare();
        ASSERT_NE(run(), Report::Failure) << op.name << " fails without a fault";
    }
    std::map<CString, std::string> fresh;
    for (const CString& name : kNames)
        fresh[name] = Loaded(name);
    ASSERT_FALSE(old[kKeep].empty());

    std::set<std::vector<std::uint8_t>> filesKept;
    std::ofstream index(folder + "/index.txt", std::ios::app);
    // The checks of a step are the test's own: every step of a source runs.
    FaultSteps::Sweep(Sources(), [&](const FaultSource& source, std::size_t nth, FaultSteps::Step& step) {
        const std::string where = StepName(op, source, nth);
        BuildScene(op.routeStored);
        // A step that fails leaves what it leaked; the next is judged on its own.
        const std::size_t descriptors = mstnHost_liveDescriptorCount();
        const std::size_t criteria = mstnHost_liveScanCriteriaCount();
        Report outcome = Report::Failure;
        const std::string previous = DesignPath(folder, "previous.dgn");
        std::vector<std::uint8_t> previousBytes;
        {
            const std::function<Report()> run = op.prepare();
            if (op.savesDesignFile)
                previousBytes = FileBytes(previous);
            source.arm(nth);
            try
            {
                outcome = run();
            }
            catch (const std::bad_alloc&)
            {
                outcome = Report::Failure;
            }
            step.reached = source.disarm();
        }
        if (!step.reached)
        {
            EXPECT_NE(outcome, Report::Failure) << where << ": failed with no fault reached";
        }

        ExpectUsable(where, descriptors, criteria);
        for (const CString& name : kNames)
        {
            const std::string now = Loaded(name);
            const auto change = op.changes.find(name);
            if (change == op.changes.end())
            {
                EXPECT_EQ(now, old[name]) << where << ": " << Narrow(name) << " is not as it was";
                continue;
            }
            const States& allowed =
                outcome == Report::Success ? change->second.first : change->second.second;
            const bool ok = (now.empty() && allowed.count(State::Absent)) ||
                            (!now.empty() && now == old[name] && allowed.count(State::Old)) ||
                            (!now.empty() && now == fresh[name] && allowed.count(State::New));
            EXPECT_TRUE(ok) << where << ": " << Narrow(name)
                            << (outcome == Report::Success ? " after a success" : " after a failure")
                            << (now.empty() ? " does not load" : " loads as:\n" + now);
        }
        if (op.savesDesignFile)
        {
            EXPECT_FALSE(std::filesystem::exists(previous + ".tmp")) << where;
            if (outcome == Report::Success)
            {
                const std::string again = DesignPath(folder, "again.dgn");
                ASSERT_EQ(mstnHost_saveDesignFile(again.c_str()), MSTN_SUCCESS);
                EXPECT_EQ(FileBytes(previous), FileBytes(again)) << where << ": the saved file is the model";
            }
            else
            {
                EXPECT_EQ(FileBytes(previous), previousBytes) << where << ": the previous file stays";
                return;
            }
        }

        // The design file of this step, when no earlier step left the same one.
        const std::string file = DesignPath(folder, (where + ".dgn").c_str());
        ASSERT_EQ(mstnHost_saveDesignFile(file.c_str()), MSTN_SUCCESS) << where;
        if (filesKept.insert(FileBytes(file)).second)
        {
            std::ofstream(file + ".txt") << Describe();
            index << where << "\n";
        }
        else
        {
            std::filesystem::remove(file);
        }
        ExpectLaterSaveAndLoad(where);
    });
}
} // namespace

TEST_P(FaultSweepTest, NoFailureLosesASimulationOrIsReportedAsSuccess)
{
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string variable = std::string(kFolderVariable) + "_" + std::to_string(GetParam());
    std::string swept;
    const auto sweep = [&](std::string& folder) {
        std::string pattern = testing::TempDir() + "pm_mstn_sweep_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        swept = folder = pattern;
        const std::vector<Operation> ops = Operations(pattern);
        Sweep(ops.at(static_cast<std::size_t>(GetParam())), pattern);
    };
    RunThenCheckInFreshHost(variable, sweep, [&](const std::string& folder) {
        std::ifstream index(folder + "/index.txt");
        std::string where;
        int files = 0;
        while (std::getline(index, where))
        {
            ++files;
            const std::string file = folder + "/" + where + ".dgn";
            ASSERT_EQ(mstnHost_loadDesignFile(file.c_str()), MSTN_SUCCESS) << where;
            std::stringstream expected;
            expected << std::ifstream(file + ".txt").rdbuf();
            EXPECT_EQ(Describe(), expected.str()) << where;
            ExpectUsable(where);
            ExpectLaterSaveAndLoad(where);
        }
        EXPECT_GT(files, 0);
    });

    std::error_code ignored;
    if (!swept.empty())
        std::filesystem::remove_all(swept, ignored);
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultSweepTest, ::testing::Range(0, 9),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return std::string(Operations(std::string()).at(static_cast<std::size_t>(param.param)).name);
                         });
