#include "FaultSweep.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <set>
#include <sstream>


namespace FaultSweep
{
using DwgTest::RemoveSharedTempDir;
using DwgTest::SharedTempDir;
using DwgTest::StoredNames;
using HostDrawing::OpenObjects;

namespace
{
// Names the folder of a sweep's drawings to the fresh process that checks them.
constexpr const char* kFolderVariable = "PM_DWG_SWEEP_FOLDER";
// Names the format 101 module that process loads before it reads them.
constexpr const char* kLegacyVariable = "PM_DWG_SWEEP_LEGACY";

// The content of each simulation of a drawing by name; see Fingerprint.
using State = std::map<std::string, std::string>;

std::string Narrow(const CString& text)
{
    return CStringA(text.GetString()).GetString();
}

AcDbDatabase* Working()
{
    return acdbHostApplicationServices()->workingDatabase();
}

bool IsLiveReference(const AcDbHandle& handle)
{
    AcDbObjectId id;
    if (Working()->getAcDbObjectId(id, false, handle) != Acad::eOk)
        return false;
    AcDbBlockReference* reference = nullptr;
    if (acdbOpenObject(reference, id, AcDb::kForRead) != Acad::eOk)
        return false;
    reference->close();
    return true;
}

// A simulation's content without its times (a copy sets its edited time anew)
// and without its is-current flag, and whether each block it shows is a live
// block reference of the drawing.
std::string SimContent(const CPmSim200& sim)
{
    PmDumpStream dump;
    sim.DisplayPrint(dump);
    const std::string text = Narrow(CString(dump.str().c_str()));
    std::ostringstream out;
    out << "id " << sim.Id() << " type " << sim.Type() << " in use " << sim.SimInUse() << text;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
    {
        const std::size_t at = line.find("handle: ");
        unsigned long high = 0;
        unsigned long low = 0;
        if (at != std::string::npos && std::sscanf(line.c_str() + at, "handle: %lu, %lu", &high, &low) == 2)
        {
            out << "\nblock " << high << "," << low << ": "
                << (IsLiveReference(AcDbHandle(Adesk::UInt32(low), Adesk::UInt32(high))) ? "live" : "gone");
        }
    }
    return out.str();
}

std::string SimFingerprint(const CPmSim200& sim)
{
    return SimContent(sim) + "\ncurrent " + std::to_string(sim.IsCurVersion());
}

// The host class of the entry under the key, as text.
std::string StoredClassOf(const CString& key)
{
    return Narrow(CString(HostDrawing::StoredClass(key).c_str()));
}

// What the drawing holds under the key: the content of the simulation that
// loads, else the class of the entry that does not.
std::string Fingerprint(const CString& key)
{
    SimPtr sim(CPmDbxFactory200::LoadSim(key));
    if (sim)
        return SimFingerprint(*sim);
    return "entry of " + StoredClassOf(key);
}

State Capture()
{
    State state;
    for (const CString& key : StoredNames())
        state[Narrow(key)] = Fingerprint(key);
    return state;
}

std::set<std::string> NamesOf(const std::vector<const State*>& states)
{
    std::set<std::string> names;
    for (const State* state : states)
    {
        for (const auto& entry : *state)
            names.insert(entry.first);
    }
    return names;
}

std::string At(const State& state, const std::string& name)
{
    const auto found = state.find(name);
    return found == state.end() ? std::string("(nothing)") : found->second;
}

// The names of the simulations that load.
std::set<std::string> LoadingNames(const State& state)
{
    std::set<std::string> names;
    for (const auto& entry : state)
    {
        if (entry.second.rfind("id ", 0) == 0)
            names.insert(entry.first);
    }
    return names;
}

std::set<std::string> ListedNames(const Outcome& outcome)
{
    std::set<std::string> names;
    for (int i = 0; outcome.list && i < outcome.list->Size(); ++i)
        names.insert(Narrow(*outcome.list->Sim(i)->Name()));
    return names;
}

std::string Joined(const std::set<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += " " + name;
    return text.empty() ? " (none)" : text;
}

const char* ReportName(Report report)
{
    switch (report)
    {
    case Report::Success:
        return "success";
    case Report::Failure:
        return "failure";
    case Report::Unchanged:
        return "nothing changed";
    case Report::None:
        break;
    }
    return "nothing";
}

void Hold(const Prepared& prepared)
{
    if (prepared.hold)
        prepared.hold();
}

void Release(const Prepared& prepared)
{
    if (prepared.release)
        prepared.release();
}

// A later Save of a new simulation works and it loads back.
std::string LaterSaveFails()
{
    SimPtr later(CPmDbxFactory200::MakeSim(0, 1));
    later->SetName(_T("Later"));
    later->SetLength(7);
    const int status = later->Save();
    later.reset();
    SimPtr loaded(CPmDbxFactory200::LoadSim(_T("Later")));
    if (status != 0 || !loaded || loaded->Length() != 7)
        return "a later Save answered " + std::to_string(status) + (loaded ? "" : " and it does not load");
    return std::string();
}

std::string Letters(bool old, bool made)
{
    return std::string(old ? "o" : "") + (made ? "n" : "");
}

// The steps' drawings and what each must hold, for the fresh process.
class SavedDrawings
{
public:
    explicit SavedDrawings(const std::string& folder) : m_folder(folder), m_list(folder + "/expected.txt") {}

    std::string Path(const std::string& file) const { return m_folder + "/" + file; }

    // The drawing must hold under each name the content of the baseline the
    // letters name ('o' the starting drawing, 'n' the completed one, 'p' the
    // earlier file); "whole": all names of one baseline.
    void Expect(const std::string& file, const std::map<std::string, std::string>& letters, bool whole,
                bool usable)
    {
        m_list << "drawing " << file << " " << (whole ? "whole" : "each") << " " << (usable ? "usable" : "kept")
               << "\n";
        for (const auto& entry : letters)
            m_list << "name " << entry.first << " " << entry.second << "\n";
        m_list.flush();
        ++m_count;
    }

    int Count() const { return m_count; }

private:
    std::string m_folder;
    std::ofstream m_list;
    int m_count = 0;
};

bool SaveDrawing(const std::string& path)
{
    return Working()->saveAs(CStringW(path.c_str()).GetString()) == Acad::eOk;
}

class Sweeper
{
public:
    Sweeper(const Operation& operation, SavedDrawings& saved) : m_operation(operation), m_saved(saved) {}

    // The run without faults: the starting and the completed state.
    void Reference()
    {
        std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(m_operation.makeDrawing());
        Prepared prepared = m_operation.prepare();
        m_old = Capture();
        ASSERT_TRUE(SaveDrawing(m_saved.Path("old.dwg")));
        if (m_operation.writesDrawingFile)
            std::filesystem::copy_file(TargetFile(), m_saved.Path("prior.dwg"),
                                       std::filesystem::copy_options::overwrite_existing);
        Hold(prepared);
        Outcome outcome = prepared.action();
        Release(prepared);
        ASSERT_EQ(outcome.wrongAnswer, "") << m_operation.name << " without a fault";
        ASSERT_NE(outcome.report, Report::Failure)
            << m_operation.name << " fails without a fault: it answers " << outcome.status;
        m_referenceReport = outcome.report;
        m_referenceList = ListedNames(outcome);
        m_new = Capture();
        if (m_operation.mustSucceed)
        {
            // What the caller holds open is none of the operation's business.
            if (outcome.list)
                ASSERT_EQ(Joined(m_referenceList), Joined(LoadingNames(m_new)))
                    << m_operation.name << " leaves simulations out of its list without a fault";
            else
                ASSERT_EQ(ReportName(outcome.report), std::string(ReportName(Report::Success)))
                    << m_operation.name << " does not succeed without a fault: it answers " << outcome.status;
        }
        ASSERT_TRUE(SaveDrawing(m_saved.Path("new.dwg")));
        if (m_operation.writesDrawingFile)
            std::filesystem::copy_file(TargetFile(), m_saved.Path("written.dwg"),
                                       std::filesystem::copy_options::overwrite_existing);
        CheckList(outcome, "without a fault");
        outcome.list.reset();
    }

    FaultSteps::Step Step(const FaultSource& source, std::size_t nth)
    {
        FaultSteps::Step result;
        const std::string step =
            m_operation.name + std::string(" failing ") + source.name + " " + std::to_string(nth);
        const std::size_t heapBefore = acdbHostHeapLiveBlocks();
        {
            std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(m_operation.makeDrawing());
            Prepared prepared = m_operation.prepare();
            Hold(prepared);
            Outcome outcome;
            source.arm(nth);
            try
            {
                outcome = prepared.action();
            }
            catch (const std::bad_alloc&)
            {
                outcome.report = Report::Failure;
            }
            result.reached = source.disarm();
            Release(prepared);

            result.failed = !CheckStep(step, outcome, result.reached);
            outcome.list.reset();
        }
        const std::size_t heapAfter = acdbHostHeapLiveBlocks();
        EXPECT_EQ(heapAfter, heapBefore) << step << ": a host heap block outlived the drawing";
        result.failed = result.failed || heapAfter != heapBefore;
        return result;
    }

private:
    // Checks the step's drawing; false when a check failed.
    bool CheckStep(const std::string& step, const Outcome& outcome, bool reached)
    {
        bool passed = true;
        const auto holds = [&passed](bool condition) {
            passed = passed && condition;
            return condition;
        };
        EXPECT_TRUE(holds(outcome.wrongAnswer.empty())) << step << ": " << outcome.wrongAnswer;
        if (!reached)
        {
            // No call failed: the operation ran as without a fault.
            EXPECT_TRUE(holds(outcome.report == m_referenceReport))
                << step << ": no call failed, yet it answered " << ReportName(outcome.report) << ", not "
                << ReportName(m_referenceReport);
            EXPECT_TRUE(holds(ListedNames(outcome) == m_referenceList))
                << step << ": no call failed, yet it listed" << Joined(ListedNames(outcome)) << ", not"
                << Joined(m_referenceList);
        }
        const std::string open = OpenObjects();
        EXPECT_TRUE(holds(open.empty())) << step << ": objects left open:" << open;
        if (!open.empty())
            return false;  // the drawing cannot be checked further
        const State now = Capture();
        std::map<std::string, std::string> letters;
        for (const std::string& name : NamesOf({&m_old, &m_new, &now}))
        {
            const std::string current = At(now, name);
            const bool old = current == At(m_old, name);
            const bool made = current == At(m_new, name);
            EXPECT_TRUE(holds(old || made)) << step << ": " << name << " holds neither its old nor its new content:\n"
                                     << current << "\nold:\n" << At(m_old, name) << "\nnew:\n" << At(m_new, name);
            if (outcome.report == Report::Success)
            {
                EXPECT_TRUE(holds(made)) << step << ": reported success, but " << name << " is not what was asked:\n"
                                  << current;
            }
            if (outcome.report == Report::Unchanged)
            {
                EXPECT_TRUE(holds(old)) << step << ": reported that nothing changed, but " << name
                                        << " is not what it was:\n" << current;
            }
            letters[name] = Letters(old, made);
        }
        passed = CheckList(outcome, step) && passed;

        const std::string file = std::to_string(m_stepFiles++) + ".dwg";
        if (m_operation.writesDrawingFile)
        {
            // What the file holds: the earlier drawing after a failure, the drawing
            // in memory after a success; never a mixture.
            const std::string written = "written-" + file;
            std::filesystem::copy_file(TargetFile(), m_saved.Path(written),
                                       std::filesystem::copy_options::overwrite_existing);
            std::map<std::string, std::string> fileLetters;
            for (const std::string& name : NamesOf({&m_old, &m_new}))
                fileLetters[name] = outcome.report == Report::Success ? "n" : "pn";
            m_saved.Expect(written, fileLetters, true, false);
        }
        EXPECT_TRUE(holds(SaveDrawing(m_saved.Path(file)))) << step << ": the drawing does not save";
        m_saved.Expect(file, letters, false, true);
        const std::string later = LaterSaveFails();
        EXPECT_TRUE(holds(later.empty())) << step << ": " << later;
        if (outcome.upgradedList)
            passed = SaveLeftUpgrades(outcome, step) && passed;
        return passed;
    }

    // Each listed simulation is what the drawing holds under its name. After
    // an upgrade every copy is current, also one whose write-back failed; the
    // drawing then still holds the format 101 entry, which never reads as current.
    bool CheckList(const Outcome& outcome, const std::string& step)
    {
        bool passed = true;
        const auto holds = [&passed](bool condition) {
            passed = passed && condition;
            return condition;
        };
        for (int i = 0; outcome.list && i < outcome.list->Size(); ++i)
        {
            const CPmSim200& listed = *outcome.list->Sim(i);
            const CString& key = *listed.Name();
            const std::string name = Narrow(key);
            const std::string stored = Fingerprint(key);
            if (!outcome.upgradedList || StoredClassOf(key) == "CPmAcadSim200")
            {
                EXPECT_TRUE(holds(SimFingerprint(listed) == stored))
                    << step << ": the list's " << name << " is not what the drawing holds:\n"
                    << SimFingerprint(listed) << "\nstored:\n" << stored;
                continue;
            }
            EXPECT_TRUE(holds(listed.IsCurVersion())) << step << ": the upgrading list's " << name << " is not current";
            EXPECT_TRUE(holds(StoredClassOf(key) == "CPmAcadSim"))
                << step << ": " << name << " is neither upgraded nor kept in format 101: entry of "
                << StoredClassOf(key);
            EXPECT_TRUE(holds(stored == At(m_old, name)))
                << step << ": " << name << ", not written back, does not read as before:\n" << stored;
            SimPtr copy(CPmDbxFactory200::LoadSim(key));
            EXPECT_TRUE(holds(copy && SimContent(*copy) == SimContent(listed)))
                << step << ": the list's " << name << " is not what the drawing holds:\n" << SimContent(listed)
                << "\nstored:\n" << stored;
        }
        return passed;
    }

    // A copy whose write-back failed is current, so that saving it stores it in
    // format 200 in place of the format 101 entry.
    bool SaveLeftUpgrades(const Outcome& outcome, const std::string& step)
    {
        bool passed = true;
        for (int i = 0; outcome.list && i < outcome.list->Size(); ++i)
        {
            CPmSim200& listed = *outcome.list->Sim(i);
            const CString& key = *listed.Name();
            if (StoredClassOf(key) != "CPmAcadSim")
                continue;
            const int status = listed.Save();
            const bool stored = status == 0 && StoredClassOf(key) == "CPmAcadSim200" &&
                                Fingerprint(key) == SimFingerprint(listed);
            passed = passed && stored;
            EXPECT_TRUE(stored) << step << ": the list's " << Narrow(key)
                                << ", not written back, does not store when saved: it answers " << status
                                << ", entry of " << StoredClassOf(key);
        }
        return passed;
    }

    const Operation& m_operation;
    SavedDrawings& m_saved;
    State m_old;
    State m_new;
    Report m_referenceReport = Report::None;
    std::set<std::string> m_referenceList;
    int m_stepFiles = 0;
};

bool ReadInto(const std::string& path, State& state)
{
    std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(path));
    if (!drawing)
        return false;
    state = Capture();
    return true;
}
} // namespace

std::string TargetFile()
{
    return SharedTempDir("sweep") + "/target.dwg";
}

void Sweep(const Operation& operation, const std::vector<FaultSource>& sources, const std::string& legacyModule)
{
    const std::string folder = SharedTempDir("sweep");
    ASSERT_FALSE(folder.empty());
    int drawings = 0;
    {
        SavedDrawings saved(folder);
        Sweeper sweeper(operation, saved);
        sweeper.Reference();
        if (testing::Test::HasFatalFailure())
            return;
        const std::string steps =
            FaultSteps::Sweep(sources, [&sweeper](const FaultSource& source, std::size_t nth, FaultSteps::Step& step) {
                step = sweeper.Step(source, nth);
            });
        if (testing::Test::HasFatalFailure())
            return;
        std::printf("%s, steps per source:%s\n", operation.name, steps.c_str());
        drawings = saved.Count();
    }
    // The same drawings read by a fresh host, which also checks that each still works.
    setenv(kFolderVariable, folder.c_str(), 1);
    setenv(kLegacyVariable, legacyModule.c_str(), 1);
    const std::string output = TestProcesses::RunDrawingTool(
        std::filesystem::read_symlink("/proc/self/exe").string(),
        "--gtest_filter=SavedSweepDrawings.ReadInAFreshHostAsTheyWereLeft");
    unsetenv(kFolderVariable);
    unsetenv(kLegacyVariable);
    EXPECT_NE(output.rfind("failed", 0), 0u) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    EXPECT_NE(output.find("checked " + std::to_string(drawings) + " drawings"), std::string::npos) << output;
    RemoveSharedTempDir("sweep");
}

void CheckSavedDrawings()
{
    const char* folderName = std::getenv(kFolderVariable);
    if (!folderName)
        GTEST_SKIP() << "run by the sweeps, in a fresh host";
    const std::string folder = folderName;
    const char* legacy = std::getenv(kLegacyVariable);
    if (legacy && *legacy)
    {
        ASSERT_TRUE(acrxLoadModule(CStringW(legacy).GetString(), true)) << legacy;
    }

    std::map<char, State> baselines;
    const std::pair<char, const char*> files[] = {{'o', "old.dwg"}, {'n', "new.dwg"}, {'p', "prior.dwg"}};
    for (const auto& baseline : files)
    {
        const std::string path = folder + "/" + baseline.second;
        if (std::filesystem::exists(path))
        {
            ASSERT_TRUE(ReadInto(path, baselines[baseline.first])) << path;
        }
    }
    // The drawing the action wrote without a fault is the completed state of the file.
    if (std::filesystem::exists(folder + "/written.dwg"))
    {
        ASSERT_TRUE(ReadInto(folder + "/written.dwg", baselines['n']));
    }

    // The host reads the simulations themselves, not only entries it cannot place.
    int loading = 0;
    for (const auto& entry : baselines['o'])
        loading += entry.second.rfind("id ", 0) == 0 ? 1 : 0;
    ASSERT_GT(loading, 0) << "no simulation of the starting drawing loads in the fresh host";

    int checked = 0;
    std::ifstream list(folder + "/expected.txt");
    ASSERT_TRUE(list) << folder;
    std::string line;
    std::getline(list, line);
    while (list && line.rfind("drawing ", 0) == 0)
    {
        std::istringstream head(line);
        std::string word, file, mode, use;
        head >> word >> file >> mode >> use;
        std::map<std::string, std::string> letters;
        while (std::getline(list, line) && line.rfind("name ", 0) == 0)
        {
            std::istringstream entry(line);
            std::string name, allowed;
            entry >> word >> name >> allowed;
            letters[name] = allowed;
        }
        const std::string path = folder + "/" + file;
        ++checked;
        std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(path));
        if (!drawing)
        {
            ADD_FAILURE() << file << " does not read";
            continue;
        }
        const State now = Capture();
        for (const auto& entry : now)
            EXPECT_EQ(letters.count(entry.first), 1u) << file << ": " << entry.first << " was not in the drawing";
        std::set<char> wholeOf = {'o', 'n', 'p'};
        for (const auto& entry : letters)
        {
            std::set<char> matches;
            for (char baseline : entry.second)
            {
                if (At(now, entry.first) == At(baselines[baseline], entry.first))
                    matches.insert(baseline);
            }
            EXPECT_FALSE(matches.empty()) << file << ": " << entry.first << " holds what it held in none of "
                                          << entry.second << ":\n" << At(now, entry.first);
            std::set<char> kept;
            for (char baseline : wholeOf)
            {
                if (matches.count(baseline))
                    kept.insert(baseline);
            }
            wholeOf = kept;
        }
        if (mode == "whole")
        {
            EXPECT_FALSE(wholeOf.empty()) << file << ": a mixture of the earlier and the new drawing";
        }
        if (use == "usable")
        {
            EXPECT_EQ(OpenObjects(), "") << file;
            EXPECT_EQ(LaterSaveFails(), "") << file;
        }
    }
    std::printf("checked %d drawings\n", checked);
}
} // namespace FaultSweep
