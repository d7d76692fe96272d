// The probe's modes, or its smoke tests when no mode is named.
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <gtest/gtest.h>

#include "CommonFilesStart.h"
#include "Probe.h"

int main(int argc, char** argv)
{
    // A module linked to the probe may start with the process.
    StartWithCommonFiles(argv, PM_PROBE_COMMON_FILES);
    // Local times come out the same on every machine and in every build.
    setenv("TZ", "UTC0", 1);
    tzset();
    if (argc >= 3 && std::strcmp(argv[1], "write") == 0)
        return ProbeWrite(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "read") == 0)
        return ProbeRead(std::vector<std::string>(argv + 2, argv + argc));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
