// LoadSim's listed form and UpgradeSim of the builds that bind no format 101
// module: version 101 records are read in place, and there is nothing to upgrade.
#include "MstnHeaderIndex.h"
#include "MstnHeld.h"
#include "MstnSimStream.h"
#include "PmDbxFactory200.h"
#include "PmMstnSim200.h"

CPmSim200* LoadListedMstnSim(const CString& name, MstnHeaderIndex& index)
{
    MstnHeldSim sim(new CPmMstnSim200());
    if (LoadMstnSim(sim.get(), name, index) == 0)
        return sim.release();
    return nullptr;
}

void CPmDbxFactory200::UpgradeSim(const CString& name)
{
    DeleteSim(LoadSim(name));
}
