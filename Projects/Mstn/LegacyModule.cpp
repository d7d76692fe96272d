#include "LegacyModule.h"

#include <cstdlib>

#include <windows.h>

namespace
{
const TCHAR* CommonProgramFiles()
{
#ifdef UNICODE
    return _wgetenv(L"CommonProgramFiles");
#else
    return std::getenv("CommonProgramFiles");
#endif
}
} // namespace

CString LegacyModulePath(const TCHAR* commonProgramFiles)
{
    CString folder;
    folder.Format(_T("%s\\%s\\"), commonProgramFiles, _T("Quendal Solutions"));
    const CString file(PM_LEGACY_MODULE_FILE);
    CString path;
    path.Format(_T("%s%s"), folder.GetString(), file.GetString());
    return path;
}

void LoadLegacyModule()
{
    const TCHAR* commonProgramFiles = CommonProgramFiles();
    if (!commonProgramFiles)
        return;
    LoadLibrary(LegacyModulePath(commonProgramFiles).GetString());
}
