// The steps of a fault sweep, the same in every host family: for each source
// of faults, the 1st, 2nd, ... call it makes fails, one step each, until a step
// no longer reaches its fault (the operation completed past it). A host
// family's adapter names its sources; each sweep says what one step runs and
// checks.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FailingAllocator.h"

namespace FaultSteps
{
// What an operation answered.
enum class Report
{
    Success,    // a status that says what was asked is done
    Failure,    // a status that says it is not, a null result, or an exception
    Unchanged,  // a status that says nothing was changed
    None        // nothing that says either way (operations that answer nothing)
};

// A source of faults: one kind of host call, or the allocations of the process.
struct FaultSource
{
    std::string name;
    // The nth call from now fails (the source's own way: that call only, or every call from it on).
    std::function<void(std::size_t nth)> arm;
    // Turns the source off; whether the armed call was reached since.
    std::function<bool()> disarm;
};

// What one step tells the sweep.
struct Step
{
    bool reached = false;  // the armed call was made
    bool failed = false;   // a check of the step failed
};

// The allocations of the process: the module's and the host's operator new.
inline FaultSource AllocationSource()
{
    return {"Allocation", [](std::size_t nth) { FailingAllocator::failAt(nth); },
            [] {
                const bool reached = FailingAllocator::failed();
                FailingAllocator::failAt(0);
                return reached;
            }};
}

// Runs run(source, nth, step) for each source and n = 1, 2, ... until a step
// reaches no fault, or a source's steps failed their checks failedStepsShown
// times (its first failures show what is wrong), or a fatal failure stops the
// test. Answers each source's name with the number of steps it ran.
inline std::string Sweep(const std::vector<FaultSource>& sources,
                         const std::function<void(const FaultSource&, std::size_t, Step&)>& run,
                         std::size_t maxSteps = 100000, int failedStepsShown = 3)
{
    std::string swept;
    for (const FaultSource& source : sources)
    {
        int failedSteps = 0;
        std::size_t nth = 1;
        for (;; ++nth)
        {
            if (nth >= maxSteps)
            {
                ADD_FAILURE() << source.name << ": the steps do not end";
                break;
            }
            Step step;
            run(source, nth, step);
            if (testing::Test::HasFatalFailure())
                return swept;
            if (step.failed && ++failedSteps == failedStepsShown)
                break;
            if (!step.reached)
                break;
        }
        swept += " " + source.name + " " + std::to_string(nth);
    }
    return swept;
}
} // namespace FaultSteps
