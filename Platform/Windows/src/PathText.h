// Wide Windows text and paths as this machine's narrow (UTF-8) text.
#pragma once

#include <string>

namespace WindowsApiDetail
{
std::string toUtf8(const wchar_t* text);
std::wstring fromUtf8(const char* text);
// A Windows path on this machine: backslashes become '/'.
std::string mappedPath(std::string path);
}  // namespace WindowsApiDetail
