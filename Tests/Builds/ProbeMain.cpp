// The probe's modes, or its smoke tests when no mode is named.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <unistd.h>

#include <gtest/gtest.h>

#include "Probe.h"

int main(int argc, char** argv)
{
    // A module linked to the probe may start with the process: the probe starts
    // itself anew once with "CommonProgramFiles" naming its build's common files
    // folder, where the modules find their format 101 modules.
    if (!std::getenv("PM_PROBE_STARTED"))
    {
        setenv("PM_PROBE_STARTED", "1", 1);
        setenv("CommonProgramFiles", PM_PROBE_COMMON_FILES, 1);
        execv("/proc/self/exe", argv);
        std::perror("execv");
        return 1;
    }
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
