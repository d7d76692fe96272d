#include "FrameworkTestSupport.h"

#include <vector>

namespace {

// The same text as UTF-8 and as wide: one to four UTF-8 bytes per character.
const char kUtf8Text[] = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
const wchar_t kWideText[] = L"a\u00E9\u20AC\U0001F600";

TEST(FrameworkStringConversion, NarrowAndWideRoundTrip) {
    const CStringW wide(kUtf8Text);
    EXPECT_EQ(wide, kWideText);
    const CStringA narrow(wide);
    EXPECT_EQ(narrow, kUtf8Text);
    EXPECT_EQ(CStringA(kWideText), kUtf8Text);
    EXPECT_EQ(CStringW(CStringA(kUtf8Text)), kWideText);

    const char* noNarrow = nullptr;
    EXPECT_TRUE(CStringW(noNarrow).IsEmpty());
}

TEST(FrameworkStringConversion, ConvertsImplicitlyAsTheFrameworkDoes) {
    const CStringW wideFromNarrow = CStringA(kUtf8Text);
    const CStringA narrowFromWide = L"name";
    EXPECT_EQ(wideFromNarrow, kWideText);
    EXPECT_EQ(narrowFromWide, "name");
}

struct InvalidUtf8Case {
    const char* input;
    const wchar_t* expected;
};

// Each malformed part becomes one '?', and decoding goes on after it.
TEST(FrameworkStringConversion, InvalidUtf8BecomesQuestionMarks) {
    const std::vector<InvalidUtf8Case> cases = {
        {"\xFF" "a", L"?a"},              // not a lead byte
        {"\xE2\x82" "A", L"?A"},          // sequence cut short
        {"a\xE2\x82", L"a?"},             // cut short by the end of the text
        {"\xC0\xAF", L"??"},              // overlong
        {"\xED\xA0\x80", L"???"},         // surrogate
        {"\xF4\x90\x80\x80", L"????"},    // above U+10FFFF
        {"\x80" "b", L"?b"},              // stray continuation byte
    };
    for (const InvalidUtf8Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(CStringW(c.input), c.expected);
    }
}

TEST(FrameworkStringConversion, WideValuesThatAreNoCodePointBecomeQuestionMarks) {
    const wchar_t invalid[] = {L'a', static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000),
                               static_cast<wchar_t>(-1), L'b', 0};
    EXPECT_EQ(CStringA(invalid), "a???b");
}

}  // namespace
