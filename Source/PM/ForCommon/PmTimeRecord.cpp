#include "PmTimeRecord.h"

#include <windows.h>

namespace
{
void PutWord(PmTimeRecord::Bytes& bytes, size_t index, WORD value)
{
    bytes[2 * index] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[2 * index + 1] = static_cast<std::uint8_t>(value >> 8);
}

WORD GetWord(const PmTimeRecord::Bytes& bytes, size_t index)
{
    return static_cast<WORD>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}
} // namespace

PmTimeRecord::Bytes PmTimeRecord::Encode(const CTime& time)
{
    Bytes bytes{};
    SYSTEMTIME local{};
    if (!time.GetAsSystemTime(local))
        return bytes;
    const WORD words[8] = {local.wYear, local.wMonth, local.wDayOfWeek, local.wDay,
                           local.wHour, local.wMinute, local.wSecond, 0};
    for (size_t i = 0; i < 8; ++i)
        PutWord(bytes, i, words[i]);
    return bytes;
}

CTime PmTimeRecord::Decode(const Bytes& bytes)
{
    SYSTEMTIME local{};
    local.wYear = GetWord(bytes, 0);
    local.wMonth = GetWord(bytes, 1);
    local.wDayOfWeek = GetWord(bytes, 2);
    local.wDay = GetWord(bytes, 3);
    local.wHour = GetWord(bytes, 4);
    local.wMinute = GetWord(bytes, 5);
    local.wSecond = GetWord(bytes, 6);
    local.wMilliseconds = GetWord(bytes, 7);
    try
    {
        return CTime(local);
    }
    catch (CException* error)
    {
        error->Delete();
        return CTime(0);
    }
}
