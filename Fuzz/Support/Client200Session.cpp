#include "Client200Session.h"

#include <memory>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzTrace.h"
#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmSim200.h"
#include "PmSimList200.h"
#include "SimTexts.h"

namespace
{
using SimPtr = PmHeld::Detached<CPmSim200, CPmDbxFactory200>;

struct ReadSim
{
    CString name;
    DumpText dump;
    bool current;
};

std::vector<ReadSim> ReadEverySim()
{
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    std::vector<ReadSim> read;
    for (const CString& name : names)
    {
        if (SimPtr sim{CPmDbxFactory200::LoadSim(name)})
            read.push_back({name, DumpOf(*sim), sim->IsCurVersion()});
    }
    return read;
}

void ExpectLoadsAsRead(const ReadSim& sim, const std::string& after)
{
    SimPtr now(CPmDbxFactory200::LoadSim(sim.name));
    FuzzCheck(now != nullptr, MessageText(sim.name) + " no longer loads after " + after);
    FuzzCheck(DumpOf(*now) == sim.dump, MessageText(sim.name) + " loads otherwise after " + after);
}

void ExpectEveryLoadsAsRead(const std::vector<ReadSim>& read, const std::string& after)
{
    for (const ReadSim& sim : read)
        ExpectLoadsAsRead(sim, after);
}

// The list holds what LoadSim reads under the same name.
void ListEverySim(const std::vector<ReadSim>& read, bool upgrade, const std::string& step)
{
    std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, upgrade));
    for (int i = 0; list && i < list->Size(); ++i)
    {
        const CPmSim200& listed = *list->Sim(i);
        for (const ReadSim& sim : read)
        {
            if (sim.name.Compare(*listed.Name()) == 0)
                FuzzCheck(DumpOf(listed) == sim.dump, MessageText(sim.name) + " is listed otherwise than loaded by " + step);
        }
    }
}
} // namespace

void RunClient200Session(Client200Host& host)
{
    const std::vector<ReadSim> read = ReadEverySim();
    host.CheckHost("LoadSim");
    for (const ReadSim& sim : read)
        FuzzTrace("read " + MessageText(sim.name) + (sim.current ? "" : " (not current)"));
    ListEverySim(read, false, "LoadSimList");
    host.CheckHost("LoadSimList");

    for (const ReadSim& sim : read)
    {
        if (!sim.current)
            continue;
        SimPtr again(CPmDbxFactory200::LoadSim(sim.name));
        FuzzCheck(again != nullptr, MessageText(sim.name) + " loads once only");
        const int saved = again->Save();
        again.reset();
        host.CheckHost("Save");
        FuzzTrace("saved " + MessageText(sim.name) + " again: " + std::to_string(saved));
        const std::string step = "saving " + MessageText(sim.name) + " again (answered " + std::to_string(saved) + ")";
        // Saved with the content it has, the simulation loads the same whether
        // the save succeeded or changed nothing; every other loads as it did.
        ExpectEveryLoadsAsRead(read, step);
    }

    // Every other old simulation upgraded by name, the rest by the list.
    for (std::size_t i = 0; i < read.size(); i += 2)
    {
        if (read[i].current)
            continue;
        CPmDbxFactory200::UpgradeSim(read[i].name);
        host.CheckHost("UpgradeSim");
        ExpectEveryLoadsAsRead(read, "UpgradeSim of " + MessageText(read[i].name));
    }
    ListEverySim(read, true, "LoadSimList with the upgrade");
    host.CheckHost("the upgrade");
    ExpectEveryLoadsAsRead(read, "the upgrade");

    const bool fileSaved = host.SaveFile();
    FuzzTrace(fileSaved ? "file saved" : "file not saved");
    if (!fileSaved)
        return;
    FuzzCheck(host.ReopenFile(), "the file saved does not read");
    ExpectEveryLoadsAsRead(read, "saving the file and reopening it");
    host.CheckHost("reopening");
}
