// The format 101 record reader of a format 101 module, loaded alone, fed
// fuzzed filer items.
#include <cstddef>
#include <cstdint>

#include "DwgDrawings.h"
#include "PmAcadSim.h"
#include "PmDbxFactory.h"
#include "RecordRoundTrip.h"

namespace
{
struct GiveBack
{
    void operator()(CPmAcadSim* sim) const { CPmDbxFactory::DeleteSim(sim); }
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    LoadDwgModule(PM_FUZZ_MODULE_PATH, nullptr);
    UseRecordDrawing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RoundTripRecord<CPmAcadSim>(data, size, GiveBack(), true);
    return 0;
}
