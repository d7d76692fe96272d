// The module's application object: made when the library is loaded; its
// initialisation loads the format 101 module of this build's host version.
#pragma once

#include <afxwin.h>

class CPmXMDbxApp : public CWinApp
{
public:
    CPmXMDbxApp();

    // Loads the format 101 module; the module initialises whatever the load gave.
    BOOL InitInstance() override;
};
