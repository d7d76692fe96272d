#include "MstnFormat101.h"

#include <cstring>
#include <typeinfo>

#include <delayimp.h>

#include "MstnFormat101Names.h"
#include "PmSim.h"

namespace
{
using LoadSimFunction = CPmSim*(const CString& name);

// The delayed import names the module file of this build's table entry.
DelayLoadImport g_loadSim = {PM_DELAY_IMPORT_FILE, MstnFormat101::kLoadSimExport, nullptr};
} // namespace

CPmSim* MstnFormat101::LoadSim(const CString& name)
{
    LoadSimFunction* loadSim = DelayLoadAs<LoadSimFunction>(g_loadSim);
    return loadSim ? loadSim(name) : nullptr;
}

bool MstnFormat101::IsMstnSim(const CPmSim& sim)
{
    // The class lives in the other module; its run-time type is told by name,
    // as type identities are compared across modules.
    const char* name = typeid(sim).name();
    if (*name == '*')
        ++name;
    return std::strcmp(name, kMstnSimTypeName) == 0;
}
