// A module that only answers its entry point. Placed where an enabler looks for
// its format 101 module, it shows which file the enabler loaded: it never
// unlocks itself, so the host reports it as loaded and locked.
#include <rxdefs.h>

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode, void*)
{
    return AcRx::kRetOK;
}
