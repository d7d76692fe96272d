// A drawing file opened in the DWG host with a format 101 module alone: list,
// load and dump every simulation, save each one read again, save the drawing
// and reopen it. Aborts when a save that answered success does not read back,
// a save loses another simulation that was read, or the saved drawing does not
// read the same; the drawing is checked after each step for dictionaries left open.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "DwgDrawings.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzTrace.h"
#include "PmDbxFactory.h"
#include "PmHeld.h"
#include "PmSim.h"
#include "PmSimList.h"
#include "SimTexts.h"

namespace
{
using SimPtr = PmHeld::Detached<CPmSim, CPmDbxFactory>;

struct ReadSim
{
    CString name;
    DumpText dump;
};

std::vector<ReadSim> ReadEverySim()
{
    std::vector<ReadSim> read;
    std::unique_ptr<CPmSimList> list(CPmDbxFactory::LoadSimList(true));
    for (int i = 0; list && i < list->Size(); ++i)
    {
        const CString name = *list->Sim(i)->Name();
        DumpOf(*list->Sim(i));
        if (SimPtr sim{CPmDbxFactory::LoadSim(name)})
            read.push_back({name, DumpOf(*sim)});
    }
    return read;
}

void ExpectLoadsAsRead(const ReadSim& sim, const std::string& after)
{
    SimPtr now(CPmDbxFactory::LoadSim(sim.name));
    FuzzCheck(now != nullptr, MessageText(sim.name) + " no longer loads after " + after);
    FuzzCheck(DumpOf(*now) == sim.dump, MessageText(sim.name) + " loads otherwise after " + after);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    LoadDwgModule(PM_FUZZ_MODULE_PATH, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzFile saved("saved", ".dwg");
    Drawing drawing = OpenInputDrawing(data, size);
    if (!drawing)
        return 0;

    const std::vector<ReadSim> read = ReadEverySim();
    ExpectNothingLeftOpen(*drawing, "listing and loading");
    for (const ReadSim& sim : read)
    {
        SimPtr again(CPmDbxFactory::LoadSim(sim.name));
        FuzzCheck(again != nullptr, MessageText(sim.name) + " loads once only");
        const int status = again->Save();
        again.reset();
        FuzzTrace("saved " + MessageText(sim.name) + " again: " + std::to_string(status));
        const std::string step = "saving " + MessageText(sim.name) + " again (answered " + std::to_string(status) + ")";
        ExpectNothingLeftOpen(*drawing, step);
        // Saved with the content it has, the simulation loads the same whether
        // the save succeeded or changed nothing; every other loads as it did.
        for (const ReadSim& other : read)
            ExpectLoadsAsRead(other, step);
    }

    const bool drawingSaved = SaveDrawing(*drawing, saved.Path());
    FuzzTrace(drawingSaved ? "drawing saved" : "drawing not saved");
    if (!drawingSaved)
        return 0;
    drawing.reset();
    drawing = OpenDrawing(saved.Path());
    FuzzCheck(drawing != nullptr, "the drawing saved does not read");
    for (const ReadSim& sim : read)
        ExpectLoadsAsRead(sim, "saving the drawing and reopening it");
    ExpectNothingLeftOpen(*drawing, "reopening");
    return 0;
}
