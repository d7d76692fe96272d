#include "FaultSweep.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "HostDrawing.h"
#include "HostFaultSources.h"
#include "LegacyBuilders.h"

namespace Sweep
{
const char* const kUnreadable = "<does not load>";

namespace
{
constexpr const char* kAbsent = "<not stored>";
constexpr std::size_t kMaxSteps = 20000;

std::string Narrow(const CString& text)
{
    return CStringA(text.GetString()).GetString();
}

std::string ValueOf(const State& state, const std::string& name)
{
    const auto found = state.find(name);
    return found == state.end() ? kAbsent : found->second;
}

std::set<std::string> NamesOf(std::initializer_list<const State*> states)
{
    std::set<std::string> names;
    for (const State* state : states)
    {
        for (const auto& entry : *state)
            names.insert(entry.first);
    }
    return names;
}

// Fingerprints hold line breaks; a state file keeps one simulation per line.
std::string Escape(const std::string& text)
{
    std::string escaped;
    for (char c : text)
    {
        if (c == '\n')
            escaped += "\\n";
        else if (c == '\\')
            escaped += "\\\\";
        else
            escaped += c;
    }
    return escaped;
}

std::string Unescape(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\\' && i + 1 < text.size())
            plain += text[++i] == 'n' ? '\n' : text[i];
        else
            plain += text[i];
    }
    return plain;
}

std::string StateFileOf(const std::string& drawingFile)
{
    return std::filesystem::path(drawingFile).replace_extension(".state").string();
}

void WriteState(const std::string& drawingFile, const State& state)
{
    std::ofstream out(StateFileOf(drawingFile));
    for (const auto& entry : state)
        out << entry.first << '\t' << Escape(entry.second) << '\n';
}

bool ReadState(const std::string& drawingFile, State& state)
{
    std::ifstream in(StateFileOf(drawingFile));
    if (!in)
        return false;
    for (std::string line; std::getline(in, line);)
    {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos)
            return false;
        state[line.substr(0, tab)] = Unescape(line.substr(tab + 1));
    }
    return true;
}

AcDbDatabase* Working()
{
    return acdbHostApplicationServices()->workingDatabase();
}

// Makes a drawing the working one for the scope.
class WorkingDrawing
{
public:
    explicit WorkingDrawing(AcDbDatabase* drawing) : m_previous(Working())
    {
        acdbHostApplicationServices()->setWorkingDatabase(drawing);
    }
    WorkingDrawing(const WorkingDrawing&) = delete;
    WorkingDrawing& operator=(const WorkingDrawing&) = delete;
    ~WorkingDrawing() { acdbHostApplicationServices()->setWorkingDatabase(m_previous); }

private:
    AcDbDatabase* m_previous;
};

// The stored simulations must be those before or those asked for, name by
// name; a success must show what was asked for.
std::string CheckStates(const State& before, const State& asked, const State& after,
                        const std::vector<std::string>& mustShow, bool reportedSuccess,
                        const std::string& claim = "success reported")
{
    std::string problems;
    for (const std::string& name : NamesOf({&before, &asked, &after}))
    {
        const std::string now = ValueOf(after, name);
        if (now != ValueOf(before, name) && now != ValueOf(asked, name))
            problems += "\n  " + name + " is neither as it was nor as asked:\n" + now;
    }
    if (reportedSuccess)
    {
        for (const std::string& name : mustShow)
        {
            if (ValueOf(after, name) != ValueOf(asked, name))
                problems += "\n  " + claim + ", but " + name + " is not as asked: " +
                            (ValueOf(after, name) == ValueOf(before, name) ? "unchanged" : ValueOf(after, name));
        }
    }
    return problems;
}

struct StepOutcome
{
    bool reached = false;
    std::string problems;
};

StepOutcome RunStep(const Operation& operation, const FaultSource& source, std::size_t nth, const std::string& folder)
{
    StepOutcome outcome;
    const std::string step = source.name + "-" + std::to_string(nth);
    const std::size_t heapBefore = acdbHostHeapLiveBlocks();
    {
        std::unique_ptr<AcDbDatabase> drawing(new AcDbDatabase);
        WorkingDrawing working(drawing.get());
        BuildBaseDrawing();
        const State before = Capture();

        State asked;
        std::vector<std::string> mustShow;
        bool reportedSuccess = false;
        std::string claim = "success reported";
        Result result;
        {
            Planned planned = operation.plan(before, folder, step);
            FaultWindow window(source, nth);
            result = planned.run(window);
            outcome.reached = window.Reached();
            if (window.ThrewOther())
                outcome.problems += "\n  an exception other than std::bad_alloc left the operation";
            const std::string open = HostDrawing::OpenObjects();
            if (!open.empty())
                outcome.problems += "\n  left open by the operation:" + open;
            asked = planned.asked;
            mustShow = planned.mustShow;
            reportedSuccess = result.report == Report::Success && !window.Threw();
            if (!outcome.reached)
            {
                // No call failed: the operation must have done what was asked, whatever the
                // caller held open meanwhile.
                if (result.report != Report::None && !reportedSuccess)
                    outcome.problems += "\n  no call failed, yet it reports a failure";
                const std::set<std::string> all = NamesOf({&before, &asked});
                mustShow.assign(all.begin(), all.end());
                reportedSuccess = true;
                claim = "no call failed";
            }
            outcome.problems += CheckStates(before, asked, Capture(), mustShow, reportedSuccess, claim);
        }
        // What the operation's caller held is given back now.
        outcome.problems += result.problem;
        const std::string open = HostDrawing::OpenObjects();
        if (!open.empty())
            outcome.problems += "\n  left open once the caller gave its objects back:" + open;

        const State after = Capture();
        outcome.problems += CheckStates(before, asked, after, mustShow, reportedSuccess, claim);
        const std::string file = folder + "/" + step + ".dwg";
        const Acad::ErrorStatus saved = drawing->saveAs(CStringW(file.c_str()).GetString());
        if (saved != Acad::eOk)
            outcome.problems += "\n  the drawing does not save afterwards: " + std::to_string(saved);
        WriteState(file, after);
        for (const FileExpectation& expectation : result.files)
            WriteState(expectation.file, expectation.state);
        outcome.problems += LaterSaveAndLoad();
    }
    if (acdbHostHeapLiveBlocks() != heapBefore)
        outcome.problems += "\n  host heap blocks outlived the drawing: " +
                            std::to_string(acdbHostHeapLiveBlocks() - heapBefore);
    return outcome;
}

} // namespace

std::string Fingerprint(const CPmSim& sim)
{
    PmDumpStream os;
    os << _T("type ") << sim.Type() << _T(", id ") << sim.Id() << _T(", in use ") << sim.SimInUse()
       << _T(", created ") << sim.DttmCreated().GetString();
    sim.DisplayPrint(os);
    return Narrow(CString(os.str().c_str()));
}

State Capture()
{
    State state;
    for (const CString& name : HostDrawing::StoredNames())
    {
        LegacySimPtr sim(CPmDbxFactory::LoadSim(name));
        state[Narrow(name)] = sim ? Fingerprint(*sim) : kUnreadable;
    }
    return state;
}

std::string Difference(const State& expected, const State& actual)
{
    std::string difference;
    for (const std::string& name : NamesOf({&expected, &actual}))
    {
        if (ValueOf(expected, name) != ValueOf(actual, name))
            difference += "\n  " + name + ": expected\n" + ValueOf(expected, name) + "\n  read\n" +
                          ValueOf(actual, name);
    }
    return difference;
}

bool FaultWindow::Run(const std::function<void()>& call)
{
    bool completed = true;
    m_source.arm(m_nth);
    try
    {
        call();
    }
    catch (const std::bad_alloc&)
    {
        completed = false;
    }
    catch (...)
    {
        completed = false;
        m_threwOther = true;
    }
    m_reached = m_source.disarm() || m_reached;
    m_threw = m_threw || !completed;
    return completed;
}

void BuildBaseDrawing()
{
    EXPECT_EQ(LegacyBuild::StoreLegacyDrawing(), 0) << "the base drawing";
}

void SweepOperation(const Operation& operation, const std::string& folder)
{
    const std::string swept = FaultSteps::Sweep(
        HostFaultSources::All(),
        [&](const FaultSource& source, std::size_t nth, FaultSteps::Step& step) {
            const StepOutcome outcome = RunStep(operation, source, nth, folder);
            step.reached = outcome.reached;
            step.failed = !outcome.problems.empty();
            if (step.failed)
                ADD_FAILURE() << operation.name << ", " << source.name << " failing call " << nth << ":"
                              << outcome.problems;
        },
        kMaxSteps);
    std::printf("%s, steps per source:%s\n", operation.name, swept.c_str());
}

void CheckStepDrawings(const std::string& folder)
{
    std::vector<std::filesystem::path> drawings;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        const std::filesystem::path path = entry.path();
        if (path.extension() == ".dwg")
            drawings.push_back(path);
        else if (path.extension() != ".state")
            ADD_FAILURE() << "a file a step left behind: " << path;
    }
    std::sort(drawings.begin(), drawings.end());
    EXPECT_FALSE(drawings.empty()) << folder;
    for (const std::filesystem::path& path : drawings)
    {
        const std::size_t heapBefore = acdbHostHeapLiveBlocks();
        State expected;
        if (!ReadState(path.string(), expected))
        {
            ADD_FAILURE() << path << " has no state";
            continue;
        }
        {
            std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(path.string()));
            if (!drawing)
            {
                ADD_FAILURE() << path << " does not read";
                continue;
            }
            EXPECT_EQ(Difference(expected, Capture()), "") << path;
            EXPECT_EQ(HostDrawing::OpenObjects(), "") << path;
            EXPECT_EQ(LaterSaveAndLoad(), "") << path;
        }
        EXPECT_EQ(acdbHostHeapLiveBlocks(), heapBefore) << path;
    }
}

std::string LaterSaveAndLoad()
{
    LegacySimPtr later(CPmDbxFactory::MakeSim(0x99, 2));
    later->SetName(_T("Later"));
    CPmSection* section = CPmDbxFactory::MakeSection();
    section->SetSpeed(3.0, 0);
    later->AddSection(section);
    const std::string expected = Fingerprint(*later);
    const int saved = later->Save();
    if (saved != 0)
        return "\n  a later Save answers " + std::to_string(saved);
    later.release();  // the drawing's now
    LegacySimPtr loaded(CPmDbxFactory::LoadSim(_T("Later")));
    if (!loaded)
        return "\n  a later Save does not load";
    if (Fingerprint(*loaded) != expected)
        return "\n  a later Save loads otherwise:\n" + Fingerprint(*loaded);
    return "";
}
} // namespace Sweep
