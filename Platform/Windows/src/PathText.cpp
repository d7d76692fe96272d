// UTF-8 both ways, and Windows paths onto this machine's file system.
#include "PathText.h"

#include <algorithm>
#include <cstdint>

namespace WindowsApiDetail
{
std::string toUtf8(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text) {
        auto code = static_cast<std::uint32_t>(*text);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::wstring fromUtf8(const char* text)
{
    std::wstring out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (p && *p) {
        const unsigned char lead = *p++;
        int follow = 0;
        std::uint32_t code = lead;
        if (lead >= 0xF0 && lead < 0xF8) {
            follow = 3;
            code = lead & 0x07;
        } else if (lead >= 0xE0) {
            follow = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xC0) {
            follow = 1;
            code = lead & 0x1F;
        } else if (lead >= 0x80) {
            out += L'\xFFFD';  // a stray continuation byte
            continue;
        }
        bool valid = true;
        for (int i = 0; i < follow; ++i) {
            if ((*p & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (*p++ & 0x3F);
        }
        out += valid && code <= 0x10FFFF ? static_cast<wchar_t>(code) : L'\xFFFD';
    }
    return out;
}

std::string mappedPath(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
}  // namespace WindowsApiDetail
