// The format 101 module's entry for the host: on initialisation it registers
// the format 101 simulation class and its service; on unload it removes both.
#include <rxdefs.h>

#include "PmAcadSim.h"
#include "PmExport.h"
#include "PmModuleEntry.h"

namespace
{
const PmModuleEntry::Module kModule{L"CPmAcadSim101", &CPmAcadSim::rxInit, &CPmAcadSim::desc, nullptr};
} // namespace

extern "C" PM_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId)
{
    return PmModuleEntry::Dispatch(kModule, message, appId);
}
