// The application object's start-up.
//
// The start-up runs in this file's static initialisation. The framework library
// is linked behind a module's own object files, so its initialisation comes
// after theirs: the module's global application object is fully constructed by
// then, as the framework's module start-up on Windows runs after the C
// runtime has constructed the module's globals.
#include <afxwin.h>

CObject::~CObject() = default;
CCmdTarget::~CCmdTarget() = default;
CWinThread::~CWinThread() = default;

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

namespace
{
CWinThread* g_moduleApp = nullptr;

struct ModuleStartup
{
    ModuleStartup()
    {
        // The result is not examined: a module here cannot refuse to load.
        if (g_moduleApp)
            g_moduleApp->InitInstance();
    }
};

const ModuleStartup g_startup;
} // namespace

void framework_detail::RegisterModuleApp(CWinThread* app)
{
    if (!g_moduleApp)
        g_moduleApp = app;
}

void framework_detail::WithdrawModuleApp(CWinThread* app)
{
    if (g_moduleApp == app)
        g_moduleApp = nullptr;
}
