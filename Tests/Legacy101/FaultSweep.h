// A sweep of one operation of the format 101 module under failing calls: for
// each source of faults (the allocations, each kind of host call) the nth call
// is failed, n = 1, 2, ... until the operation completes without reaching the
// fault. Every step starts from the same drawing, and what the
// step leaves behind is checked in the same session and, through the drawing
// the step saved, in a fresh host process. A step whose fault the operation
// did not reach must do what was asked and answer success.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <afx.h>

#include "FaultSteps.h"

class CPmSim;

namespace Sweep
{
// What the drawing's stored simulations look like: name -> what LoadSim reads
// of it (type, id, in-use flag, created time and the whole dump).
using State = std::map<std::string, std::string>;
// The value of a stored name whose simulation does not load.
extern const char* const kUnreadable;

std::string Fingerprint(const CPmSim& sim);
// The simulations stored in the working drawing, as LoadSim reads them.
State Capture();
// The state as a text of one line per line of the fingerprints; empty when equal.
std::string Difference(const State& expected, const State& actual);

using FaultSteps::FaultSource;
using FaultSteps::Report;

// Runs calls with the fault armed, and tells whether it was reached.
class FaultWindow
{
public:
    FaultWindow(const FaultSource& source, std::size_t nth) : m_source(source), m_nth(nth) {}

    // Runs the call with the fault armed; false when a std::bad_alloc left it.
    bool Run(const std::function<void()>& call);
    bool Reached() const { return m_reached; }
    // Set when an exception left a call; ThrewOther when it was not a std::bad_alloc.
    bool Threw() const { return m_threw; }
    bool ThrewOther() const { return m_threwOther; }

private:
    const FaultSource& m_source;
    std::size_t m_nth;
    bool m_reached = false;
    bool m_threw = false;
    bool m_threwOther = false;
};

// A drawing file a step wrote and the state it must read with.
struct FileExpectation
{
    std::string file;
    State state;
};

// What one run of the operation reports.
struct Result
{
    Report report = Report::Success;
    std::string problem;     // what the operation's own checks found wrong
    std::vector<FileExpectation> files;
};

// An operation, readied in the step's drawing with the faults off.
struct Planned
{
    State asked;                          // the stored simulations once the operation is done
    std::vector<std::string> mustShow;    // names a reported success must show in their asked state
    // Runs the operation; what the caller holds open around it, it gives back
    // before it returns, with the faults off.
    std::function<Result(FaultWindow&)> run;
};

struct Operation
{
    const char* name;
    // Readies the operation in a drawing holding `before`; the folder is the step's.
    std::function<Planned(const State& before, const std::string& folder, const std::string& step)> plan;
};

// The legacy drawing every step starts from.
void BuildBaseDrawing();

// Sweeps the operation under every kind of fault; the step drawings go into the folder.
void SweepOperation(const Operation& operation, const std::string& folder);

// Reads every step drawing of the folder (in a fresh host process) and checks it.
void CheckStepDrawings(const std::string& folder);

// Stores a new simulation and loads it back: what went wrong, empty when nothing.
std::string LaterSaveAndLoad();
} // namespace Sweep
