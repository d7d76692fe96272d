// The format 200 record reader of a format 200 module fed fuzzed filer items.
#include <cstddef>
#include <cstdint>

#include "DwgDrawings.h"
#include "PmAcadSim200.h"
#include "PmDbxFactory200.h"
#include "RecordRoundTrip.h"

namespace
{
struct GiveBack
{
    void operator()(CPmAcadSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    LoadDwgModule(PM_FUZZ_MODULE_PATH, PM_FUZZ_COMMON_FILES);
    UseRecordDrawing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RoundTripRecord<CPmAcadSim200>(data, size, GiveBack(), false);
    return 0;
}
