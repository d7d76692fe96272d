// The module's entry for the host: on initialisation it registers the
// simulation class and the service and loads the format 101 module of its host
// release; on unload it removes the service and the class.
#include <windows.h>

#include <afx.h>
#include <rxdefs.h>
#if defined(PM_HOST_BRX)
#include <brxheaders.h>
#endif

#include "PmAcadSim200.h"
#include "PmExport.h"
#include "PmModuleEntry.h"

namespace
{
// Loads the format 101 module of the build from the company folder under
// CommonProgramFiles; nothing when the variable is unset. Whether the module
// loads is not examined: without it, old simulations are simply not found.
void LoadLegacyModule()
{
    const wchar_t* commonFiles = _wgetenv(L"CommonProgramFiles");
    if (!commonFiles)
        return;
    CString folder;
    folder.Format(_T("%s\\%s\\"), commonFiles, _T("Quendal Solutions"));
    CString path;
    path.Format(_T("%s%s"), folder.GetString(), PM_WIDEN(PM_LEGACY_MODULE_FILE));
    PmModuleEntry::LoadModule(path.GetString());
}

const PmModuleEntry::Module kModule{L"CPmAcadSim200", &CPmAcadSim200::rxInit, &CPmAcadSim200::desc,
                                    &LoadLegacyModule};
} // namespace

#if defined(PM_HOST_ZRX)
extern "C" PM_EXPORT AcRx::AppRetCode zcrxEntryPoint(AcRx::AppMsgCode message, void* appId)
#else
extern "C" PM_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId)
#endif
{
    return PmModuleEntry::Dispatch(kModule, message, appId);
}

#if defined(PM_HOST_BRX)
// The SDK's module-object entry that every BRX module exports.
ODRX_DEFINE_MODULE_OBJECT()
#endif
