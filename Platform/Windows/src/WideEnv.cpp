// _wgetenv over the C runtime's getenv.
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

#include <windows.h>

#include "PathText.h"

wchar_t* _wgetenv(const wchar_t* name)
{
    if (!name)
        return nullptr;
    const std::string narrowName = WindowsApiDetail::toUtf8(name);
    const char* value = std::getenv(narrowName.c_str());
    if (!value)
        return nullptr;
    // One wide copy per variable, replaced on the next call for it.
    static std::mutex lock;
    static std::map<std::string, std::wstring> values;
    std::lock_guard<std::mutex> guard(lock);
    std::wstring& wide = values[narrowName];
    wide = WindowsApiDetail::fromUtf8(value);
    return &wide[0];
}
