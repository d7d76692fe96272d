// What the entry points of the DWG modules (format 200 and format 101) share:
// the text their class is registered with, and the start-up and unload that
// register their class and service with the host and remove them again, under
// the names of the build's SDK.
#pragma once

#include <rxclass.h>
#include <rxdefs.h>

// Narrow build facts as wide literals.
#define PM_WIDEN_(text) L##text
#define PM_WIDEN(text) PM_WIDEN_(text)

namespace PmModuleEntry
{
// The module file of the build, the product, the company and its web address.
const ACHAR* RegistrationText();

struct Module
{
    const ACHAR* serviceName;
    void (*rxInit)();               // registers the module's class
    AcRxClass* (*desc)();           // the module's class
    void (*afterClassRegistered)(); // what starts next; null for nothing
};

// The host's messages to the module. Start-up unlocks the module (so that the
// host may unload it), declares it MDI-aware, registers the class, runs
// afterClassRegistered, registers the service unless it is, and links the class
// hierarchy; unload removes the service and the class. Every message is
// answered kRetOK.
AcRx::AppRetCode Dispatch(const Module& module, AcRx::AppMsgCode message, void* appId);

// Has the host load the module at the path.
void LoadModule(const ACHAR* path);
} // namespace PmModuleEntry
