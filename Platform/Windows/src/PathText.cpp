// UTF-8 both ways, and Windows paths onto this machine's file system.
#include "PathText.h"

#include <algorithm>

#include <windows.h>

namespace WindowsApiDetail
{
std::string toUtf8(const wchar_t* text)
{
    const int size = text ? WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr) : 0;
    if (size == 0)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.pop_back();  // the NUL
    return out;
}

std::wstring fromUtf8(const char* text)
{
    const int size = text ? MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0) : 0;
    if (size == 0)
        return {};
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &out[0], size);
    out.pop_back();  // the NUL
    return out;
}

std::string mappedPath(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
}  // namespace WindowsApiDetail
