#include "FreshHost.h"

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace
{
// Runs the body in the child and ends it: its failures go to the error
// stream, which the test that started the child shows, and set the exit code.
[[noreturn]] void RunAndExit(const std::function<void()>& body)
{
    testing::TestPartResultArray results;
    {
        testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results);
        body();
    }
    int failures = 0;
    for (int i = 0; i < results.size(); ++i)
    {
        const testing::TestPartResult& result = results.GetTestPartResult(i);
        if (!result.failed())
            continue;
        ++failures;
        std::fprintf(stderr, "%s:%d: %s\n", result.file_name() ? result.file_name() : "?", result.line_number(),
                     result.message());
    }
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(failures == 0 ? 0 : 1);
}
} // namespace

void RunInFreshHost(const std::function<void()>& body)
{
    // The child is this program started anew, not a copy of this process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunAndExit(body), testing::ExitedWithCode(0), "");
}

void RunThenCheckInFreshHost(const std::string& variable, const std::function<void(std::string& answer)>& first,
                             const std::function<void(const std::string& answer)>& check)
{
    if (!std::getenv(variable.c_str()))
    {
        std::string answer;
        first(answer);
        if (testing::Test::HasFatalFailure())
            return;
        setenv(variable.c_str(), answer.c_str(), 1);
    }
    const std::string answer = std::getenv(variable.c_str());
    RunInFreshHost([&] { check(answer); });
    unsetenv(variable.c_str());
}
