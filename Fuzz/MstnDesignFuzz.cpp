// A design file opened on the MicroStation host with the module the harness is
// linked with (CONNECT or XM): the session of MstnDesign.h.
#include <cstddef>
#include <cstdint>

#include "MstnDesign.h"

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    StartWithCommonFiles(*argv, PM_FUZZ_COMMON_FILES);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzDesignFile(data, size);
    return 0;
}
