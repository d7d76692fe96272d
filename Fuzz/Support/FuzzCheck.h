// The checks a harness makes beyond the sanitizers: a violation names itself
// and aborts, so that the fuzzer keeps the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

[[noreturn]] inline void FuzzViolation(const std::string& what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void FuzzCheck(bool holds, const std::string& what)
{
    if (!holds)
        FuzzViolation(what);
}
