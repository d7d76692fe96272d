// A part of a test run in a host process of its own.
#pragma once

#include <functional>

// Runs the body in a new process of this test program, started anew, whose host
// has loaded nothing but what the program's start-up loads; a failure inside
// fails the test. Code of the test before the call runs again in that process.
void RunInFreshHost(const std::function<void()>& body);
