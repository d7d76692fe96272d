// The format 101 module's entry for the host: on initialisation it registers
// the format 101 simulation class and its service; on unload it removes both.
#include <rxdefs.h>
#include <rxdict.h>
#include <rxregsvc.h>

#include "PmAcadSim.h"
#include "PmExport.h"

// Narrow build facts as wide literals.
#define PM_WIDEN_(text) L##text
#define PM_WIDEN(text) PM_WIDEN_(text)

#define PM_PRODUCT_DESCRIPTION "Varnex motion simulations object enabler"
#define PM_WEB_ADDRESS "www.quendal-solutions.example"

namespace
{
const ACHAR kServiceName[] = L"CPmAcadSim101";

const ACHAR kRegistrationText[] = L"\"" PM_WIDEN(PM_REGISTRATION_FILE) L"    |Product Desc:     " PM_WIDEN(
    PM_PRODUCT_DESCRIPTION) L"    |Company:          Quendal Solutions    |WEB Address:      " PM_WIDEN(PM_WEB_ADDRESS) L"\";";

void Initialise(void* appId)
{
    acrxUnlockApplication(appId);
    acrxRegisterAppMDIAware(appId);
    CPmAcadSim::rxInit();
    if (!acrxServiceIsRegistered(kServiceName))
        acrxRegisterService(kServiceName);
    acrxBuildClassHierarchy();
}

void Unload()
{
    // Without a service dictionary there is no service to remove; the class goes all the same.
    AcRxDictionary* registry = acrxSysRegistry();
    AcRxDictionary* services = registry ? AcRxDictionary::cast(registry->at(ACRX_SERVICE_DICTIONARY)) : nullptr;
    if (services)
        delete services->remove(kServiceName);
    deleteAcRxClass(CPmAcadSim::desc());
}
} // namespace

const ACHAR* PmLegacyRegistrationText()
{
    return kRegistrationText;
}

extern "C" PM_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId)
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
