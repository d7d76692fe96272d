// MultiByteToWideChar and WideCharToMultiByte for CP_ACP and CP_UTF8.
#include <string>

#include <gtest/gtest.h>

#include <windows.h>

namespace
{
using namespace std::string_literals;

// Checks one conversion the way Windows code makes it: the size query, the
// conversion into a buffer of exactly that size, and a buffer one unit too small,
// which is refused and not written past.
template <typename Text, typename Convert>
void expectConversion(const Text& expected, Convert convert)
{
    using Unit = typename Text::value_type;
    const Unit untouched = static_cast<Unit>('#');
    const int size = static_cast<int>(expected.size());
    EXPECT_EQ(size, convert(nullptr, 0));

    Text buffer(expected.size() + 1, untouched);
    EXPECT_EQ(size, convert(&buffer[0], size));
    EXPECT_EQ(expected, buffer.substr(0, expected.size()));
    EXPECT_EQ(untouched, buffer.back());

    if (size > 1) {
        Text small(expected.size(), untouched);
        EXPECT_EQ(0, convert(&small[0], size - 1));
        EXPECT_EQ(untouched, small.back());
    }
}

struct DecodeCase
{
    const char* what;
    std::string input;  // converted with its explicit length
    std::wstring ansi;
    std::wstring utf8;
};

struct EncodeCase
{
    const char* what;
    std::wstring input;  // converted with its explicit length
    std::string ansi;
    std::string utf8;
    bool replaced;
};

constexpr wchar_t kSurrogate = static_cast<wchar_t>(0xD800);
constexpr wchar_t kBeyondUnicode = static_cast<wchar_t>(0x110000);
constexpr wchar_t kNegative = static_cast<wchar_t>(-1);
}  // namespace

TEST(StringConversionTest, MultiByteToWideCharDecodesAndReplacesEachMalformedPartOnce)
{
    const DecodeCase cases[] = {
        {"ASCII", "abc", L"abc", L"abc"},
        {"two to four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", L"\u00E9\u20AC\U0001F600",
         L"\u00E9\u20AC\U0001F600"},
        {"embedded NUL", "a\0b"s, L"a\0b"s, L"a\0b"s},
        {"not a lead byte", "\xFF" "a", L"?a", L"\uFFFDa"},
        {"stray continuation", "\x80" "b", L"?b", L"\uFFFDb"},
        {"cut short", "\xE2\x82" "A", L"?A", L"\uFFFDA"},
        {"cut short by the end", "a\xF0\x9F\x98", L"a?", L"a\uFFFD"},
        {"overlong", "\xC0\xAF", L"??", L"\uFFFD\uFFFD"},
        {"overlong of three bytes", "\xE0\x80\xAF", L"???", L"\uFFFD\uFFFD\uFFFD"},
        {"surrogate", "\xED\xA0\x80", L"???", L"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", L"????", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const int length = static_cast<int>(c.input.size());
        for (UINT codePage : {UINT(CP_ACP), UINT(CP_UTF8)}) {
            SCOPED_TRACE(codePage);
            expectConversion(codePage == CP_ACP ? c.ansi : c.utf8, [&](wchar_t* out, int size) {
                return MultiByteToWideChar(codePage, 0, c.input.data(), length, out, size);
            });
        }
    }
}

TEST(StringConversionTest, WideCharToMultiByteEncodesAndReplacesWhatIsNoUnicodeScalar)
{
    const EncodeCase cases[] = {
        {"ASCII", L"abc", "abc", "abc", false},
        {"two to four bytes", L"\u00E9\u20AC\U0001F600", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
         "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", false},
        {"embedded NUL", L"a\0b"s, "a\0b"s, "a\0b"s, false},
        {"surrogate", std::wstring{L'a', kSurrogate}, "a?", "a\xEF\xBF\xBD", true},
        {"above U+10FFFF", std::wstring{kBeyondUnicode, L'b'}, "?b", "\xEF\xBF\xBD" "b", true},
        {"negative", std::wstring{kNegative, L'c'}, "?c", "\xEF\xBF\xBD" "c", true},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const int length = static_cast<int>(c.input.size());
        BOOL usedDefault = -1;
        expectConversion(c.ansi, [&](char* out, int size) {
            return WideCharToMultiByte(CP_ACP, 0, c.input.data(), length, out, size, nullptr, &usedDefault);
        });
        EXPECT_EQ(c.replaced ? TRUE : FALSE, usedDefault);
        expectConversion(c.utf8, [&](char* out, int size) {
            return WideCharToMultiByte(CP_UTF8, 0, c.input.data(), length, out, size, nullptr, nullptr);
        });
    }
}

TEST(StringConversionTest, ALengthOfMinusOneConvertsAndCountsTheNul)
{
    expectConversion(L"a\u00E9\0"s, [](wchar_t* out, int size) {
        return MultiByteToWideChar(CP_UTF8, 0, "a\xC3\xA9", -1, out, size);
    });
    expectConversion("a\xC3\xA9\0"s, [](char* out, int size) {
        return WideCharToMultiByte(CP_ACP, 0, L"a\u00E9", -1, out, size, nullptr, nullptr);
    });
    wchar_t wide[1] = {L'#'};
    EXPECT_EQ(1, MultiByteToWideChar(CP_ACP, 0, "", -1, wide, 1));
    EXPECT_EQ(L'\0', wide[0]);
}

TEST(StringConversionTest, TheAnsiDefaultCharacterIsTheFirstCharacterNamed)
{
    const wchar_t input[] = {L'a', kSurrogate, 0};
    const struct
    {
        const char* defaultChar;
        std::string expected;
    } cases[] = {
        {nullptr, "a?"},
        {"*", "a*"},
        {"\xC3\xA9xyz", "a\xC3\xA9"},
        {"\xC3", "a?"},  // malformed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        char out[8] = {};
        BOOL usedDefault = FALSE;
        EXPECT_EQ(static_cast<int>(c.expected.size()),
                  WideCharToMultiByte(CP_ACP, 0, input, 2, out, sizeof out, c.defaultChar, &usedDefault));
        EXPECT_EQ(c.expected, out);
        EXPECT_EQ(TRUE, usedDefault);
    }
}

TEST(StringConversionTest, InvalidCallsAnswerZero)
{
    wchar_t wide[4] = {};
    char narrow[4] = {};
    BOOL usedDefault = FALSE;
    const struct
    {
        const char* what;
        int result;
    } calls[] = {
        {"unknown code page", MultiByteToWideChar(1252, 0, "a", 1, wide, 4)},
        {"flags", MultiByteToWideChar(CP_UTF8, 8, "a", 1, wide, 4)},
        {"length 0", MultiByteToWideChar(CP_ACP, 0, "a", 0, wide, 4)},
        {"length below -1", MultiByteToWideChar(CP_ACP, 0, "a", -2, wide, 4)},
        {"no input", MultiByteToWideChar(CP_ACP, 0, nullptr, 1, wide, 4)},
        {"negative output size", MultiByteToWideChar(CP_ACP, 0, "a", 1, wide, -1)},
        {"no output buffer", MultiByteToWideChar(CP_ACP, 0, "a", 1, nullptr, 4)},
        {"wide unknown code page", WideCharToMultiByte(1252, 0, L"a", 1, narrow, 4, nullptr, nullptr)},
        {"wide flags", WideCharToMultiByte(CP_ACP, 0x80, L"a", 1, narrow, 4, nullptr, nullptr)},
        {"wide length 0", WideCharToMultiByte(CP_ACP, 0, L"a", 0, narrow, 4, nullptr, nullptr)},
        {"wide no input", WideCharToMultiByte(CP_ACP, 0, nullptr, -1, narrow, 4, nullptr, nullptr)},
        {"UTF-8 with a default", WideCharToMultiByte(CP_UTF8, 0, L"a", 1, narrow, 4, "?", nullptr)},
        {"UTF-8 asking for the default", WideCharToMultiByte(CP_UTF8, 0, L"a", 1, narrow, 4, nullptr, &usedDefault)},
    };
    for (const auto& call : calls)
        EXPECT_EQ(0, call.result) << call.what;
}
