#include "PmXMDbxApp.h"

#include "LegacyModule.h"

CPmXMDbxApp::CPmXMDbxApp() : CWinApp(nullptr) {}

BOOL CPmXMDbxApp::InitInstance()
{
    LoadLegacyModule();
    return TRUE;
}

// The module's one application object.
CPmXMDbxApp theApp;
