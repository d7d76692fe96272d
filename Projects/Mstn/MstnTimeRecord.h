// The 16-byte date-time record of the simulation chunk: the Windows system-time
// structure in local time, eight little-endian uint16 (year, month, day of
// week, day, hour, minute, second, milliseconds).
#pragma once

#include <array>
#include <cstdint>

#include <afx.h>

namespace MstnTimeRecord
{
using Bytes = std::array<std::uint8_t, 16>;

// The local calendar fields of the time, milliseconds 0; all zero for a time
// that has no local form the record can hold.
Bytes Encode(const CTime& time);

// The local time the record names; time 0 for a year before 1900 and for a
// record that names no date (a field out of range).
CTime Decode(const Bytes& bytes);
} // namespace MstnTimeRecord
