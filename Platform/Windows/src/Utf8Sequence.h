// One UTF-8 sequence at a time, both ways: the rules every conversion of wide
// text shares.
#pragma once

#include <cstddef>

namespace WindowsApiDetail
{
struct Utf8Sequence
{
    // The bytes taken: those of the sequence, or for a malformed part the
    // longest start of a valid sequence (at least one byte).
    std::size_t length = 0;
    bool valid = false;
    char32_t codePoint = 0;  // when valid
};

// The sequence at text[0..available), available > 0. Reading stops at the first
// byte that cannot continue the sequence, so a NUL-terminated text is never read
// past its NUL.
Utf8Sequence decodeUtf8(const unsigned char* text, std::size_t available);

bool isUnicodeScalar(char32_t value);

// Writes the 1 to 4 bytes of a Unicode scalar value and gives their count.
std::size_t encodeUtf8(char32_t codePoint, char* out);
}  // namespace WindowsApiDetail
