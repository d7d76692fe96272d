// A time as the 16-byte local-time record every stored simulation carries, in
// the DWG records and in the MicroStation stream alike: the Windows system-time
// structure, eight little-endian 16-bit words (year, month, day of week, day,
// hour, minute, second, milliseconds).
#pragma once

#include <array>
#include <cstdint>

#include <afx.h>

namespace PmTimeRecord
{
using Bytes = std::array<std::uint8_t, 16>;

// Milliseconds are always 0. A time without a local-time form gives a record
// of zeros, which reads back as time 0.
Bytes Encode(const CTime& time);

// A year below 1900, or calendar fields no date can have, give time 0: a
// damaged record never throws into the host.
CTime Decode(const Bytes& bytes);
} // namespace PmTimeRecord
