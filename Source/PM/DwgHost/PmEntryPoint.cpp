// The module's entry for the host: on initialisation it registers the
// simulation class and the service and loads the format 101 module of its host
// release; on unload it removes the service and the class.
#include <windows.h>

#include <afx.h>
#include <rxdefs.h>
#include <rxdict.h>
#include <rxregsvc.h>
#if defined(PM_HOST_BRX)
#include <brxheaders.h>
#endif
#if defined(PM_HOST_ZRX)
#include <zrxheaders.h>
#endif

#include "PmAcadSim200.h"
#include "PmExport.h"

// Narrow build facts as wide literals.
#define PM_WIDEN_(text) L##text
#define PM_WIDEN(text) PM_WIDEN_(text)

#define PM_PRODUCT_DESCRIPTION "Varnex motion simulations object enabler"
#define PM_WEB_ADDRESS "www.quendal-solutions.example"

namespace
{
const ACHAR kServiceName[] = L"CPmAcadSim200";

const ACHAR kRegistrationText[] = L"\"" PM_WIDEN(PM_REGISTRATION_FILE) L"    |Product Desc:     " PM_WIDEN(
    PM_PRODUCT_DESCRIPTION) L"    |Company:          Quendal Solutions    |WEB Address:      " PM_WIDEN(PM_WEB_ADDRESS) L"\";";

// The host calls of start-up and unload, under the names of this build's SDK.
#if defined(PM_HOST_ZRX)
bool UnlockApplication(void* appId) { return zcrxUnlockApplication(appId); }
bool RegisterAppMDIAware(void* appId) { return zcrxRegisterAppMDIAware(appId); }
bool ServiceIsRegistered(const ACHAR* name) { return zcrxServiceIsRegistered(name); }
void RegisterService(const ACHAR* name) { zcrxRegisterService(name); }
void BuildClassHierarchy() { zcrxBuildClassHierarchy(); }
AcRxDictionary* SysRegistry() { return zcrxSysRegistry(); }
void DeleteClass(AcRxClass* cls) { deleteZcRxClass(cls); }
void LoadModule(const ACHAR* path) { zcrxLoadModule(path, false, false); }
#else
bool UnlockApplication(void* appId) { return acrxUnlockApplication(appId); }
bool RegisterAppMDIAware(void* appId) { return acrxRegisterAppMDIAware(appId); }
bool ServiceIsRegistered(const ACHAR* name) { return acrxServiceIsRegistered(name); }
void RegisterService(const ACHAR* name) { acrxRegisterService(name); }
void BuildClassHierarchy() { acrxBuildClassHierarchy(); }
AcRxDictionary* SysRegistry() { return acrxSysRegistry(); }
void DeleteClass(AcRxClass* cls) { deleteAcRxClass(cls); }
void LoadModule(const ACHAR* path) { acrxLoadModule(path, false, false); }
#endif

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
    LoadModule(path.GetString());
}

void Initialise(void* appId)
{
    UnlockApplication(appId);
    RegisterAppMDIAware(appId);
    CPmAcadSim200::rxInit();
    LoadLegacyModule();
    if (!ServiceIsRegistered(kServiceName))
        RegisterService(kServiceName);
    BuildClassHierarchy();
}

void Unload()
{
    AcRxDictionary* registry = SysRegistry();
    AcRxObject* entry = registry ? registry->at(ACRX_SERVICE_DICTIONARY) : nullptr;
    AcRxDictionary* services = nullptr;
    if (entry && entry->isA() && entry->isA()->isDerivedFrom(AcRxDictionary::desc()))
        services = static_cast<AcRxDictionary*>(entry);
    if (services)
        delete services->remove(kServiceName);
    DeleteClass(CPmAcadSim200::desc());
}

AcRx::AppRetCode EntryPoint(AcRx::AppMsgCode message, void* appId)
{
    switch (message)
    {
    case AcRx::kInitAppMsg:
        Initialise(appId);
        break;
    case AcRx::kUnloadAppMsg:
        Unload();
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}
} // namespace

const ACHAR* PmRegistrationText()
{
    return kRegistrationText;
}

#if defined(PM_HOST_ZRX)
extern "C" PM_EXPORT AcRx::AppRetCode zcrxEntryPoint(AcRx::AppMsgCode message, void* appId)
#else
extern "C" PM_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId)
#endif
{
    return EntryPoint(message, appId);
}

#if defined(PM_HOST_BRX)
// The SDK's module-object entry that every BRX module exports.
ODRX_DEFINE_MODULE_OBJECT()
#endif
