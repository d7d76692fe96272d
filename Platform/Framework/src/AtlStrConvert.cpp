// Conversion of the framework string between UTF-8 and wide text.
#include <atlstr.h>

// Wide text holds one code point per character.
static_assert(sizeof(wchar_t) == 4, "wide text is UTF-32 here");

namespace {

constexpr char32_t kReplacement = U'?';

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

// Decodes the sequence at text[0..available). On success gives the code point
// and its length; otherwise the length of the malformed part to replace with one
// '?' (the longest start of a valid sequence, at least one byte).
std::size_t DecodeUtf8(const unsigned char* text, std::size_t available, char32_t& codePoint) {
    const unsigned char lead = text[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    // The range of the second byte excludes overlong forms, surrogates and
    // values above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        if (lead == 0xE0) {
            low = 0xA0;
        } else if (lead == 0xED) {
            high = 0x9F;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        if (lead == 0xF0) {
            low = 0x90;
        } else if (lead == 0xF4) {
            high = 0x8F;
        }
    } else {
        codePoint = kReplacement;
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const bool valid = i < available && (i == 1 ? IsContinuation(text[i], low, high) : IsContinuation(text[i]));
        if (!valid) {
            codePoint = kReplacement;
            return i;
        }
        value = (value << 6) | (text[i] & 0x3Fu);
    }
    codePoint = value;
    return length;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsUnicodeScalar(char32_t value) {
    return value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

}  // namespace

namespace framework_detail {

std::wstring ConvertText(const char* text, std::size_t length) {
    std::wstring out;
    out.reserve(length);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t at = 0;
    while (at < length) {
        char32_t codePoint = 0;
        at += DecodeUtf8(bytes + at, length - at, codePoint);
        out += static_cast<wchar_t>(codePoint);
    }
    return out;
}

std::string ConvertText(const wchar_t* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        // wchar_t is signed here: a negative value is no code point either.
        const auto value = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
        AppendUtf8(out, IsUnicodeScalar(value) ? value : kReplacement);
    }
    return out;
}

}  // namespace framework_detail
