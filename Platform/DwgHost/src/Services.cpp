// Services in "ServiceDictionary".
#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcRxService, kRxService)

AcRxService::AcRxService() = default;
AcRxService::~AcRxService() = default;

AcRxObject* acrxRegisterService(const ACHAR* serviceName)
{
    AcRxDictionary* services = DwgHostDetail::serviceDictionary();
    if (!services || !serviceName || !*serviceName)
        return nullptr;
    if (AcRxObject* existing = services->at(serviceName))
        return existing;
    AcRxObject* service = new AcRxService;
    services->atPut(serviceName, service);
    return service;
}

bool acrxServiceIsRegistered(const ACHAR* serviceName)
{
    AcRxDictionary* services = DwgHostDetail::serviceDictionary();
    return services && services->has(serviceName);
}
