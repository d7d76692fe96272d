// Wide text as this machine's narrow text (UTF-8), and case folding.
#include <climits>
#include <cwctype>

#include <windows.h>

#include "HostInternal.h"

namespace DwgHostDetail
{
std::string toUtf8(const std::wstring& text)
{
    // File names and messages: a text too long for the Windows call gives none.
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &out[0], size, nullptr, nullptr);
    return out;
}

std::wstring folded(const std::wstring& text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    return out;
}
}  // namespace DwgHostDetail
