// Messages between the host and a module's entry point.
#pragma once

namespace AcRx
{
enum AppMsgCode
{
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2
};

enum AppRetCode
{
    kRetOK = 0,
    kRetError = 3
};
}  // namespace AcRx

// The entry point every module exports (acrxEntryPoint, or zcrxEntryPoint in the
// ZWCAD builds): the message and the application packet of the module.
typedef AcRx::AppRetCode (*AcRxEntryPointFunc)(AcRx::AppMsgCode msg, void* appId);
