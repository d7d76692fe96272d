// Text as records store it, always with a terminating NUL: UTF-16LE in the
// builds with wide strings (2 bytes a unit; wchar_t is wider here, so the text
// is converted at the record), the narrow text's own bytes in the others.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <afx.h>

namespace MstnRecordText
{
// The stored form of the text, NUL included.
std::vector<std::uint8_t> Encode(const CString& text);

// Reads the text stored at bytes, which must end with a NUL within the
// available bytes; false, with the text untouched, when none ends it there.
// consumed: the stored bytes read, NUL included.
bool Decode(const std::uint8_t* bytes, std::size_t available, CString& text, std::size_t& consumed);
} // namespace MstnRecordText
