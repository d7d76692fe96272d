// Writes the seeds of the format 200 harnesses with a format 200 module that
// binds its format 101 module:
//   dwg200_drawing/current.dwg  the probes' two format 200 simulations
//   dwg200_drawing/mixed.dwg    the legacy drawing (dwg101_drawing/legacy.dwg,
//                               written first) with a format 200 simulation added
//   dwg200_record/<key>.items   each format 200 record as filer items
#include <cstdio>
#include <string>

#include "DrawingSeeds.h"
#include "DwgDrawings.h"
#include "DwgSims200.h"
#include "HostDrawing.h"
#include "PmAcadSim200.h"
#include "PmDbxFactory200.h"

namespace
{
bool WriteRecords(const std::string& folder)
{
    for (const CString& key : HostDrawing::StoredNames())
    {
        CPmAcadSim200* sim = DwgSims::OpenStored(key);
        if (!sim)
            continue;  // a format 101 record
        if (!WriteRecordSeed(*sim, folder, key))
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    LoadDwgModule(PM_SEED_MODULE_PATH, PM_SEED_COMMON_FILES);
    const std::string corpus = argv[1];
    const std::string drawings = SeedFolder(corpus, "dwg200_drawing");
    const std::string records = SeedFolder(corpus, "dwg200_record");

    Drawing current(new AcDbDatabase);
    acdbHostApplicationServices()->setWorkingDatabase(current.get());
    if (DwgSims::StoreProbeSims() != 0 || !SaveDrawingSeed(*current, drawings + "/current.dwg") || !WriteRecords(records))
        return 1;
    current.reset();

    Drawing mixed = OpenDrawing(corpus + "/dwg101_drawing/legacy.dwg");
    if (!mixed)
    {
        std::fprintf(stderr, "the legacy drawing does not read: write the format 101 seeds first\n");
        return 1;
    }
    CPmSim200* wagon = DwgSims::MakeCart(_T("Wagon"));
    const int stored = wagon->Save();
    CPmDbxFactory200::DeleteSim(wagon);
    return stored == 0 && SaveDrawingSeed(*mixed, drawings + "/mixed.dwg") ? 0 : 1;
}
