// Runs the tests in a fixed time zone, so that local times are the same on every machine.
#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("TZ", "UTC0", 1);
    tzset();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
