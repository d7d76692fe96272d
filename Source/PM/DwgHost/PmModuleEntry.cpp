#include "PmModuleEntry.h"

#include <rxdict.h>
#include <rxregsvc.h>
#if defined(PM_HOST_ZRX)
#include <zrxheaders.h>
#endif

#define PM_PRODUCT_DESCRIPTION "Varnex motion simulations object enabler"
#define PM_WEB_ADDRESS "www.quendal-solutions.example"

namespace
{
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
#else
bool UnlockApplication(void* appId) { return acrxUnlockApplication(appId); }
bool RegisterAppMDIAware(void* appId) { return acrxRegisterAppMDIAware(appId); }
bool ServiceIsRegistered(const ACHAR* name) { return acrxServiceIsRegistered(name); }
void RegisterService(const ACHAR* name) { acrxRegisterService(name); }
void BuildClassHierarchy() { acrxBuildClassHierarchy(); }
AcRxDictionary* SysRegistry() { return acrxSysRegistry(); }
void DeleteClass(AcRxClass* cls) { deleteAcRxClass(cls); }
#endif

void Initialise(const PmModuleEntry::Module& module, void* appId)
{
    UnlockApplication(appId);
    RegisterAppMDIAware(appId);
    module.rxInit();
    if (module.afterClassRegistered)
        module.afterClassRegistered();
    if (!ServiceIsRegistered(module.serviceName))
        RegisterService(module.serviceName);
    BuildClassHierarchy();
}

void Unload(const PmModuleEntry::Module& module)
{
    // Without a service dictionary there is no service to remove; the class goes all the same.
    AcRxDictionary* registry = SysRegistry();
    AcRxObject* entry = registry ? registry->at(ACRX_SERVICE_DICTIONARY) : nullptr;
    if (entry && entry->isA() && entry->isA()->isDerivedFrom(AcRxDictionary::desc()))
        delete static_cast<AcRxDictionary*>(entry)->remove(module.serviceName);
    DeleteClass(module.desc());
}
} // namespace

const ACHAR* PmModuleEntry::RegistrationText()
{
    return kRegistrationText;
}

AcRx::AppRetCode PmModuleEntry::Dispatch(const Module& module, AcRx::AppMsgCode message, void* appId)
{
    switch (message)
    {
    case AcRx::kInitAppMsg:
        Initialise(module, appId);
        break;
    case AcRx::kUnloadAppMsg:
        Unload(module);
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

void PmModuleEntry::LoadModule(const ACHAR* path)
{
#if defined(PM_HOST_ZRX)
    zcrxLoadModule(path, false, false);
#else
    acrxLoadModule(path, false, false);
#endif
}
