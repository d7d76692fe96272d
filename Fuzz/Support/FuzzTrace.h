// What a harness did with an input, on the standard error stream when
// PM_FUZZ_TRACE is set: for looking at what the seeds reach.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

inline void FuzzTrace(const std::string& what)
{
    static const bool tracing = std::getenv("PM_FUZZ_TRACE") != nullptr;
    if (tracing)
        std::fprintf(stderr, "%s\n", what.c_str());
}
