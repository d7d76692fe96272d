// Services, the module loader and the host's abort.
#pragma once

#include "rxdefs.h"
#include "rxobject.h"

// The object registered in "ServiceDictionary" under a service's name.
class DWGHOST_API AcRxService : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcRxService);
    AcRxService();
    ~AcRxService() override;
};

// Registers a service of that name and returns its object (the one there already, if any).
DWGHOST_API AcRxObject* acrxRegisterService(const ACHAR* serviceName);
DWGHOST_API bool acrxServiceIsRegistered(const ACHAR* serviceName);

// Loads a module by its Windows path and initialises it (entry point, message 1).
// A module loaded already is not initialised again. printit reports a failure on stderr.
DWGHOST_API bool acrxLoadModule(const ACHAR* moduleName, bool printit, bool asCmd = false);
// Sends the unload message (2) to a loaded module named by its path or file name
// (without regard to case). A module that is still locked is not unloaded.
DWGHOST_API bool acrxUnloadModule(const ACHAR* moduleName, bool asCmd = false);

// Called by a module with its application packet during initialisation.
DWGHOST_API bool acrxUnlockApplication(void* appId);
DWGHOST_API bool acrxRegisterAppMDIAware(void* appId);
// The state a loaded module declared; false for a module that is not loaded.
DWGHOST_API bool acrxApplicationIsLocked(const ACHAR* moduleName);
DWGHOST_API bool acrxIsAppMDIAware(const ACHAR* moduleName);

// Ends the host: prints the formatted message on stderr and aborts the process.
[[noreturn]] DWGHOST_API void acrx_abort(const ACHAR* format, ...);
