// LoadSim and UpgradeSim of the builds that bind no format 101 module: version
// 101 records are read in place, and there is nothing to upgrade.
#include <memory>

#include "MstnHeaderIndex.h"
#include "MstnRecordLayout.h"
#include "MstnSimStream.h"
#include "PmDbxFactory200.h"
#include "PmMstnSim200.h"

CPmSim200* LoadListedMstnSim(const CString& name, MstnHeaderIndex& index)
{
    auto sim = std::make_unique<CPmMstnSim200>();
    if (LoadMstnSim(sim.get(), name, index) == 0)
        return sim.release();
    return nullptr;
}

CPmSim200* CPmDbxFactory200::LoadSim(const CString& name)
{
    MstnHeaderIndex index(MstnRecord::kSimulationKind);
    return LoadListedMstnSim(name, index);
}

void CPmDbxFactory200::UpgradeSim(const CString& name)
{
    delete LoadSim(name);
}
