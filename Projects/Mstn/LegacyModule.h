// The MicroStation format 101 module of this build's host version, loaded at
// start-up from the company folder under the common program files folder.
#pragma once

#include <afx.h>

// Loads the module when "CommonProgramFiles" is set; a failed load is ignored
// and the handle is neither kept nor freed.
void LoadLegacyModule();

// The module's path under that folder: the folder, a backslash, "Quendal
// Solutions", a backslash and the module's file name.
CString LegacyModulePath(const TCHAR* commonProgramFiles);
