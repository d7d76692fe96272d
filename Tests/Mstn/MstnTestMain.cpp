// Runs the tests of a MicroStation module, started with the build's common
// files folder (CommonFilesStart.h), in the test time zone.
#include <gtest/gtest.h>

#include "CommonFilesStart.h"
#include "TestTimeZone.h"

int main(int argc, char** argv)
{
    StartWithCommonFiles(argv, PM_TEST_COMMON_FILES);
    UseTestTimeZone();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
