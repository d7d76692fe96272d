#include "PmModuleEntry.h"

#include <rxdict.h>
#include <rxregsvc.h>

#define PM_PRODUCT_DESCRIPTION "Varnex motion simulations object enabler"
#define PM_WEB_ADDRESS "www.quendal-solutions.example"

namespace
{
const ACHAR kRegistrationText[] = L"\"" PM_WIDEN(PM_REGISTRATION_FILE) L"    |Product Desc:     " PM_WIDEN(
    PM_PRODUCT_DESCRIPTION) L"    |Company:          Quendal Solutions    |WEB Address:      " PM_WIDEN(PM_WEB_ADDRESS) L"\";";

void Initialise(const PmModuleEntry::Module& module, void* appId)
{
    acrxUnlockApplication(appId);
    acrxRegisterAppMDIAware(appId);
    module.rxInit();
    if (module.afterClassRegistered)
        module.afterClassRegistered();
    if (!acrxServiceIsRegistered(module.serviceName))
        acrxRegisterService(module.serviceName);
    acrxBuildClassHierarchy();
}

void Unload(const PmModuleEntry::Module& module)
{
    // Without a service dictionary there is no service to remove; the class goes all the same.
    AcRxDictionary* registry = acrxSysRegistry();
    AcRxObject* entry = registry ? registry->at(ACRX_SERVICE_DICTIONARY) : nullptr;
    if (entry && entry->isA() && entry->isA()->isDerivedFrom(AcRxDictionary::desc()))
        delete static_cast<AcRxDictionary*>(entry)->remove(module.serviceName);
    deleteAcRxClass(module.desc());
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
    acrxLoadModule(path, false, false);
}
