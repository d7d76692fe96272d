// Runs the tests in the test time zone, so that local times are the same on every machine.
#include <gtest/gtest.h>

#include "TestTimeZone.h"

int main(int argc, char** argv)
{
    UseTestTimeZone();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
