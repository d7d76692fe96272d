// MultiByteToWideChar and WideCharToMultiByte on UTF-8, the narrow text of both
// code pages here.
#include <climits>
#include <cstring>
#include <cwchar>
#include <type_traits>

#include <windows.h>

#include "Utf8Sequence.h"

static_assert(sizeof(wchar_t) == 4, "wide text holds one code point per wchar_t here");

namespace
{
constexpr char32_t kUtf8Replacement = 0xFFFD;
constexpr char32_t kAnsiDefaultChar = U'?';

// Counts the units a conversion gives and writes those that fit. An output size
// of 0 only counts, up to what an int result can tell.
template <typename Unit>
class Output
{
public:
    Output(Unit* buffer, int size) : mBuffer(size > 0 ? buffer : nullptr), mSize(size > 0 ? size : INT_MAX) {}

    void put(const Unit* units, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i, ++mCount) {
            if (mBuffer && mCount < mSize)
                mBuffer[mCount] = units[i];
        }
    }
    bool exceeded() const { return mCount > mSize; }
    // The units written or needed, or 0 when they do not fit.
    int result() const { return exceeded() ? 0 : static_cast<int>(mCount); }

private:
    Unit* mBuffer;
    long long mSize;
    long long mCount = 0;
};

bool validCall(UINT codePage, DWORD flags, const void* input, int inputCount, const void* output, int outputSize)
{
    const bool knownCodePage = codePage == CP_ACP || codePage == CP_UTF8;
    const bool validInput = input && (inputCount > 0 || inputCount == -1);
    const bool validOutput = outputSize == 0 || (outputSize > 0 && output && output != input);
    return knownCodePage && flags == 0 && validInput && validOutput;
}

// The first character of a CP_ACP default; a malformed one counts as '?'.
char32_t defaultCharOf(LPCCH defaultChar)
{
    if (!defaultChar)
        return kAnsiDefaultChar;
    // Decoding stops at the NUL, so at most the text itself is read.
    const auto first = WindowsApiDetail::decodeUtf8(reinterpret_cast<const unsigned char*>(defaultChar), 4);
    return first.valid ? first.codePoint : kAnsiDefaultChar;
}
}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH multiByteStr, int multiByteCount, LPWSTR wideCharStr,
                        int wideCharCount)
{
    if (!validCall(codePage, flags, multiByteStr, multiByteCount, wideCharStr, wideCharCount))
        return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(multiByteStr);
    const std::size_t length =
        multiByteCount == -1 ? std::strlen(multiByteStr) + 1 : static_cast<std::size_t>(multiByteCount);
    const wchar_t replacement = static_cast<wchar_t>(codePage == CP_UTF8 ? kUtf8Replacement : kAnsiDefaultChar);
    Output<wchar_t> out(wideCharStr, wideCharCount);
    for (std::size_t at = 0; at < length && !out.exceeded();) {
        const WindowsApiDetail::Utf8Sequence sequence = WindowsApiDetail::decodeUtf8(bytes + at, length - at);
        const wchar_t unit = sequence.valid ? static_cast<wchar_t>(sequence.codePoint) : replacement;
        out.put(&unit, 1);
        at += sequence.length;
    }
    return out.result();
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wideCharStr, int wideCharCount, LPSTR multiByteStr,
                        int multiByteCount, LPCCH defaultChar, LPBOOL usedDefaultChar)
{
    if (!validCall(codePage, flags, wideCharStr, wideCharCount, multiByteStr, multiByteCount))
        return 0;
    if (codePage == CP_UTF8 && (defaultChar || usedDefaultChar))
        return 0;
    const std::size_t length =
        wideCharCount == -1 ? std::wcslen(wideCharStr) + 1 : static_cast<std::size_t>(wideCharCount);
    char replacement[4];
    const std::size_t replacementLength = WindowsApiDetail::encodeUtf8(
        codePage == CP_UTF8 ? kUtf8Replacement : defaultCharOf(defaultChar), replacement);
    bool usedDefault = false;
    Output<char> out(multiByteStr, multiByteCount);
    for (std::size_t i = 0; i < length && !out.exceeded(); ++i) {
        // wchar_t is signed here: a negative value is no code point either.
        const auto value = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(wideCharStr[i]));
        if (WindowsApiDetail::isUnicodeScalar(value)) {
            char sequence[4];
            out.put(sequence, WindowsApiDetail::encodeUtf8(value, sequence));
        } else {
            out.put(replacement, replacementLength);
            usedDefault = true;
        }
    }
    const int result = out.result();
    if (result > 0 && usedDefaultChar)
        *usedDefaultChar = usedDefault ? TRUE : FALSE;
    return result;
}
