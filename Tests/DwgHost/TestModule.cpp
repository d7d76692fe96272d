// A tiny DWG module for the loader's tests, built in three forms:
//   TEST_MODULE_ZW      exports zcrxEntryPoint instead of acrxEntryPoint;
//   TEST_MODULE_LOCKED  stays locked and does not declare itself MDI-aware.
// It counts the messages it gets and tells its tag through a name that the test
// program defines as well, to show that it binds its own definition.
#include <rxregsvc.h>

#define TEST_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

namespace
{
int gMessages[8] = {};
}

TEST_MODULE_EXPORT const char* DwgHostTestModuleTag()
{
    return TEST_MODULE_TAG;
}

// How many messages of the code the entry point got (codes above 7 count as 7).
TEST_MODULE_EXPORT int DwgHostTestModuleMessages(int code)
{
    return code >= 0 && code < 8 ? gMessages[code] : -1;
}

TEST_MODULE_EXPORT const char* DwgHostTestModuleOwnTag()
{
    return DwgHostTestModuleTag();
}

#if defined(TEST_MODULE_ZW)
TEST_MODULE_EXPORT AcRx::AppRetCode zcrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
#else
TEST_MODULE_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
#endif
{
    ++gMessages[msg >= 0 && msg < 8 ? msg : 7];
#if !defined(TEST_MODULE_LOCKED)
    if (msg == AcRx::kInitAppMsg) {
        acrxUnlockApplication(appId);
        acrxRegisterAppMDIAware(appId);
    }
#else
    (void)appId;
#endif
    return AcRx::kRetOK;
}
