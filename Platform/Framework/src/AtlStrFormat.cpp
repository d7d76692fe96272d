// printf-style formatting of the framework string.
//
// The framework reads %s and %c as text of the string's own width and %S and %C
// as the other width, whichever the width of the string; the C runtime reads
// them by the function's width. Each format is therefore rewritten to the
// runtime's explicit forms (%s/%c narrow, %ls/%lc wide) before it is used.
#include <atlstr.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <new>
#include <type_traits>
#include <vector>

namespace {

template <typename Ch>
bool IsOneOf(Ch c, const char* set) {
    for (; *set != '\0'; ++set) {
        if (c == static_cast<Ch>(*set)) {
            return true;
        }
    }
    return false;
}

// The conversion with its length modifier, text conversions rewritten to the
// runtime's explicit width; everything else unchanged.
template <bool kWideString, typename Ch>
std::basic_string<Ch> TextConversion(const std::basic_string<Ch>& lengthModifier, Ch conversion) {
    std::basic_string<Ch> unchanged = lengthModifier + conversion;
    if (!IsOneOf(conversion, "scSC") || lengthModifier.size() > 1) {
        return unchanged;
    }
    bool wide = false;
    if (lengthModifier.empty()) {
        const bool ownWidth = conversion == Ch('s') || conversion == Ch('c');
        wide = ownWidth == kWideString;
    } else if (lengthModifier[0] == Ch('l')) {
        wide = true;
    } else if (lengthModifier[0] == Ch('h')) {
        wide = false;
    } else {
        return unchanged;
    }
    std::basic_string<Ch> out;
    if (wide) {
        out += Ch('l');
    }
    out += (conversion == Ch('s') || conversion == Ch('S')) ? Ch('s') : Ch('c');
    return out;
}

// The runtime's form of a format written for a string of width Ch.
template <typename Ch>
std::basic_string<Ch> RuntimeFormat(const Ch* format) {
    constexpr bool kWideString = std::is_same_v<Ch, wchar_t>;
    std::basic_string<Ch> out;
    const Ch* at = format;
    while (*at != Ch()) {
        if (*at != Ch('%')) {
            out += *at++;
            continue;
        }
        out += *at++;
        // Flags, argument position, width and precision pass through.
        while (*at != Ch() && IsOneOf(*at, "-+ #0'123456789.*$")) {
            out += *at++;
        }
        std::basic_string<Ch> lengthModifier;
        while (*at != Ch() && IsOneOf(*at, "hlLqjzt")) {
            lengthModifier += *at++;
        }
        const Ch conversion = *at;
        if (conversion == Ch()) {
            out += lengthModifier;
            break;
        }
        ++at;
        out += TextConversion<kWideString>(lengthModifier, conversion);
    }
    return out;
}

std::string FormatNarrow(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        AfxThrowInvalidArgException();
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// vswprintf cannot tell a short buffer from a bad argument, so the text goes to
// a wide memory stream, which grows its buffer until everything fits.
std::wstring FormatWide(const wchar_t* format, va_list args) {
    wchar_t* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_wmemstream(&buffer, &size);
    if (stream == nullptr) {
        throw std::bad_alloc();
    }
    const int written = std::vfwprintf(stream, format, args);
    const bool closed = std::fclose(stream) == 0;
    std::wstring text;
    if (written >= 0 && closed) {
        text.assign(buffer, size);
    }
    std::free(buffer);
    if (written < 0) {
        AfxThrowInvalidArgException();
    }
    if (!closed) {
        throw std::bad_alloc();
    }
    return text;
}

}  // namespace

namespace framework_detail {

std::string FormatText(const char* format, ...) {
    if (format == nullptr) {
        AfxThrowInvalidArgException();
    }
    const std::string runtimeFormat = RuntimeFormat(format);
    va_list args;
    va_start(args, format);
    try {
        std::string text = FormatNarrow(runtimeFormat.c_str(), args);
        va_end(args);
        return text;
    } catch (...) {
        va_end(args);
        throw;
    }
}

std::wstring FormatText(const wchar_t* format, ...) {
    if (format == nullptr) {
        AfxThrowInvalidArgException();
    }
    const std::wstring runtimeFormat = RuntimeFormat(format);
    va_list args;
    va_start(args, format);
    try {
        std::wstring text = FormatWide(runtimeFormat.c_str(), args);
        va_end(args);
        return text;
    } catch (...) {
        va_end(args);
        throw;
    }
}

}  // namespace framework_detail
