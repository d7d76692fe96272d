// UTF-8 sequences: decoding with validation, and encoding.
#include "Utf8Sequence.h"

namespace
{
// The lead bytes of the well-formed multi-byte sequences: how long the sequence
// is, the value bits of the lead, and the range of the second byte, narrowed
// where a wider one would allow overlong forms, surrogates or values above
// U+10FFFF. Every later byte is 0x80 to 0xBF.
struct LeadByteRule
{
    unsigned char first;
    unsigned char last;
    std::size_t length;
    unsigned char valueBits;
    unsigned char secondLow;
    unsigned char secondHigh;
};

constexpr LeadByteRule kLeadByteRules[] = {
    {0xC2, 0xDF, 2, 0x1F, 0x80, 0xBF},
    {0xE0, 0xE0, 3, 0x0F, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x0F, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x0F, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x0F, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x07, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x07, 0x80, 0xBF},
    {0xF4, 0xF4, 4, 0x07, 0x80, 0x8F},
};

const LeadByteRule* ruleOf(unsigned char lead)
{
    for (const LeadByteRule& rule : kLeadByteRules) {
        if (lead >= rule.first && lead <= rule.last)
            return &rule;
    }
    return nullptr;
}
}  // namespace

namespace WindowsApiDetail
{
Utf8Sequence decodeUtf8(const unsigned char* text, std::size_t available)
{
    const unsigned char lead = text[0];
    if (lead < 0x80)
        return {1, true, lead};
    const LeadByteRule* rule = ruleOf(lead);
    if (!rule)
        return {1, false, 0};
    char32_t value = lead & rule->valueBits;
    for (std::size_t i = 1; i < rule->length; ++i) {
        const unsigned char low = i == 1 ? rule->secondLow : 0x80;
        const unsigned char high = i == 1 ? rule->secondHigh : 0xBF;
        if (i >= available || text[i] < low || text[i] > high)
            return {i, false, 0};
        value = (value << 6) | (text[i] & 0x3Fu);
    }
    return {rule->length, true, value};
}

bool isUnicodeScalar(char32_t value)
{
    return value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

std::size_t encodeUtf8(char32_t codePoint, char* out)
{
    if (codePoint < 0x80) {
        out[0] = static_cast<char>(codePoint);
        return 1;
    }
    // The lead carries the length in its high bits; each later byte six bits.
    const std::size_t length = codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (std::size_t i = length - 1; i > 0; --i) {
        out[i] = static_cast<char>(0x80 | (codePoint & 0x3F));
        codePoint >>= 6;
    }
    out[0] = static_cast<char>(kLeadMarks[length] | codePoint);
    return length;
}
}  // namespace WindowsApiDetail
