// A part of a test run in a host process of its own.
#pragma once

#include <functional>
#include <string>

// Runs the body in a new process of this test program, started anew, whose host
// has loaded nothing but what the program's start-up loads; a failure inside
// fails the test. Code of the test before the call runs again in that process.
void RunInFreshHost(const std::function<void()>& body);

// A test in two parts: `first` runs in this process and answers (the folder of
// the files it saved, say); `check` then runs with that answer in a fresh host,
// which runs the test again up to this call. The environment variable, set to
// the answer meanwhile, tells the fresh host that the first part is done. A
// fatal failure in the first part ends the test before the check.
void RunThenCheckInFreshHost(const std::string& variable, const std::function<void(std::string& answer)>& first,
                             const std::function<void(const std::string& answer)>& check);
