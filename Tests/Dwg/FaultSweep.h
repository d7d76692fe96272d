// A sweep of one operation under failing calls: for each source of faults
// (the process's allocations, each kind of host call), the 1st, 2nd, ... call
// of the operation fails, until the operation completes without reaching the
// fault. After each step the failure must be reported, every simulation must
// hold its old content or (for those the operation changes) its new content
// whole, nothing may stay open or leak, and the drawing must go on working,
// also once saved and read again in a fresh host process. A step whose fault
// the operation did not reach must answer as the run without faults did.
//
// Some operations run while the caller holds an object of the drawing open
// that the operation neither changes nor needs (its own simulation's entry,
// another simulation's block reference, an unrelated entity): the object is
// held in every step, and the run without faults must succeed all the same.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "DwgTestSupport.h"
#include "FaultSteps.h"

namespace FaultSweep
{
using FaultSteps::Report;

struct Outcome
{
    Report report = Report::None;
    // A list the operation handed out: each of its simulations must be what the drawing holds.
    std::unique_ptr<CPmSimList200> list;
    // The list upgraded what it read: its copies are current, and what the
    // drawing holds under each name is told by the entry, not by the copy.
    bool upgradedList = false;
    // The status the operation answered, when it answers one.
    int status = 0;
    // An answer the operation must never give, said in words; empty when none.
    std::string wrongAnswer;
};

// The part of an operation that runs while calls fail; made by the
// operation's preparation, which runs with every call succeeding.
using Action = std::function<Outcome()>;

// What a preparation answers: the action, and what the caller holds open
// around it. hold runs once the starting state is taken, release once the
// action answered; both with every call succeeding.
struct Prepared
{
    Prepared(Action run) : action(std::move(run)) {}
    Prepared(std::function<void()> opens, Action run, std::function<void()> ends)
        : action(std::move(run)), hold(std::move(opens)), release(std::move(ends))
    {
    }

    Action action;
    std::function<void()> hold;
    std::function<void()> release;
};

struct Operation
{
    const char* name;
    // A new working drawing in the operation's starting state; the caller deletes it.
    std::function<AcDbDatabase*()> makeDrawing;
    // Makes what the operation needs in the drawing and answers the action.
    std::function<Prepared()> prepare;
    // The drawing file the action writes, for an operation that saves the drawing;
    // the preparation writes an earlier drawing there first.
    bool writesDrawingFile = false;
    // The run without faults must succeed: answer success, or hand out a list
    // of every stored simulation.
    bool mustSucceed = false;
};

inline void PrintTo(const Operation& operation, std::ostream* os)
{
    *os << operation.name;
}

using FaultSteps::FaultSource;

// The file the action of an operation that saves the drawing writes.
std::string TargetFile();

// Runs the sweep of the operation over every source and checks each step in
// this process; then checks the drawings of every step in a fresh process.
// legacyModule: the format 101 module the fresh process loads first ("" for none).
void Sweep(const Operation& operation, const std::vector<FaultSource>& sources, const std::string& legacyModule);

// The check of the drawings a sweep saved, run in the fresh process; does
// nothing unless a sweep started the process.
void CheckSavedDrawings();
} // namespace FaultSweep
