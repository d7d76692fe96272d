// Runs the tests of a MicroStation module. The module is linked to the test
// program, as a client links an enabler, so it starts before main: the program
// starts itself anew once with "CommonProgramFiles" naming the build's common
// files folder, where the module finds its format 101 module, and then runs
// the tests in the test time zone.
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include <gtest/gtest.h>

#include "TestTimeZone.h"

int main(int argc, char** argv)
{
    if (!std::getenv("PM_MSTN_TEST_STARTED"))
    {
        setenv("PM_MSTN_TEST_STARTED", "1", 1);
        setenv("CommonProgramFiles", PM_TEST_COMMON_FILES, 1);
        execv("/proc/self/exe", argv);
        std::perror("execv");
        return 1;
    }
    UseTestTimeZone();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
