// A module with a global application object that records how the framework's
// start-up treated it.
#include <afxwin.h>

namespace
{
int g_initCount = 0;
int g_sawWholeObject = 0;

class CProbeApp : public CWinApp
{
public:
    CProbeApp() : m_constructed(1) {}

    BOOL InitInstance() override
    {
        ++g_initCount;
        g_sawWholeObject = m_constructed;
        return TRUE;
    }

private:
    int m_constructed;
};

CProbeApp theApp;
} // namespace

extern "C" __attribute__((visibility("default"))) int AppProbe_InitCount()
{
    return g_initCount;
}

extern "C" __attribute__((visibility("default"))) int AppProbe_SawWholeObject()
{
    return g_sawWholeObject;
}
