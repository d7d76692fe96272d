// Writes the seeds of the format 101 harnesses with a format 101 module alone:
//   dwg101_drawing/legacy.dwg   the three simulations of the legacy drawing
//   dwg101_drawing/empty.dwg    a drawing without simulations
//   dwg101_record/<key>.items   each stored simulation's record as filer items
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "DrawingSeeds.h"
#include "DwgDrawings.h"
#include "HostDrawing.h"
#include "LegacyBuilders.h"

namespace
{
bool WriteDrawing(const std::string& path, bool withSims)
{
    Drawing drawing(new AcDbDatabase);
    acdbHostApplicationServices()->setWorkingDatabase(drawing.get());
    if (withSims && LegacyBuild::StoreLegacyDrawing() != 0)
        return false;
    return SaveDrawingSeed(*drawing, path);
}

bool WriteRecords(const std::string& drawingPath, const std::string& folder)
{
    const Drawing drawing = OpenDrawing(drawingPath);
    if (!drawing)
        return false;
    for (const CString& key : HostDrawing::StoredNames())
    {
        CPmAcadSim* sim = LegacyBuild::OpenStored(key);
        if (!sim || !WriteRecordSeed(*sim, folder, key))
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
    LoadDwgModule(PM_SEED_MODULE_PATH, nullptr);
    const std::string drawings = SeedFolder(argv[1], "dwg101_drawing");
    const std::string records = SeedFolder(argv[1], "dwg101_record");
    const bool ok = WriteDrawing(drawings + "/legacy.dwg", true) && WriteDrawing(drawings + "/empty.dwg", false) &&
                    WriteRecords(drawings + "/legacy.dwg", records);
    return ok ? 0 : 1;
}
