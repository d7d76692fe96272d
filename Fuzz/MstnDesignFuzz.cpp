// A design file opened on the MicroStation host with the module the harness is
// linked with (CONNECT or XM): the session of MstnDesign.h. The module starts
// with the process, so the harness starts with the build's common files folder
// (CommonFilesStart.h), local time in UTC.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "CommonFilesStart.h"
#include "MstnDesign.h"

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    StartWithCommonFiles(*argv, PM_FUZZ_COMMON_FILES);
    setenv("TZ", "UTC0", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzDesignFile(data, size);
    return 0;
}
