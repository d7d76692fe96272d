#include "MstnTimeRecord.h"

#include <windows.h>

#include "MstnBytes.h"

MstnTimeRecord::Bytes MstnTimeRecord::Encode(const CTime& time)
{
    Bytes bytes{};
    SYSTEMTIME local{};
    if (!time.GetAsSystemTime(local))
        return bytes;
    const WORD words[8] = {local.wYear, local.wMonth,  local.wDayOfWeek, local.wDay,
                           local.wHour, local.wMinute, local.wSecond,    0};
    for (std::size_t i = 0; i < 8; ++i)
        MstnBytes::PutU16(bytes.data() + 2 * i, words[i]);
    return bytes;
}

CTime MstnTimeRecord::Decode(const Bytes& bytes)
{
    SYSTEMTIME local{};
    local.wYear = MstnBytes::GetU16(bytes.data());
    local.wMonth = MstnBytes::GetU16(bytes.data() + 2);
    local.wDayOfWeek = MstnBytes::GetU16(bytes.data() + 4);
    local.wDay = MstnBytes::GetU16(bytes.data() + 6);
    local.wHour = MstnBytes::GetU16(bytes.data() + 8);
    local.wMinute = MstnBytes::GetU16(bytes.data() + 10);
    local.wSecond = MstnBytes::GetU16(bytes.data() + 12);
    local.wMilliseconds = MstnBytes::GetU16(bytes.data() + 14);
    // A stored record is not trusted: one that names no date reads as time 0
    // rather than throwing out of a load.
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
