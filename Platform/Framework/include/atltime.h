// CTime: the framework's time value, whole seconds since 1 January 1970 UTC.
#pragma once

#include <atlstr.h>
#include <windows.h>

#include <cstdint>
#include <ctime>

typedef std::int64_t __time64_t;

namespace framework_detail {

// The local time of `time` formatted by strftime / wcsftime into 128
// characters; empty when the time has no local form or the text does not fit.
CStringA FormatLocalTime(__time64_t time, const char* format);
CStringW FormatLocalTime(__time64_t time, const wchar_t* format);

}  // namespace framework_detail

class CTime {
public:
    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // Local calendar fields, converted as mktime does (nDST -1: the runtime
    // decides on daylight saving; a day past the month's end rolls over).
    // Year 1900-3000, month 1-12, day 1-31, hour 0-23, minute and second 0-59;
    // a field out of range, or a time mktime cannot give or before 1970,
    // throws the invalid-argument exception.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    // A year below 1900 gives time 0; otherwise as the calendar-field
    // constructor. Day of week and milliseconds are ignored.
    CTime(const SYSTEMTIME& systemTime, int nDST = -1);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    // The local broken-down time in *ptm, and ptm; null when there is none.
    struct tm* GetLocalTm(struct tm* ptm) const;
    // The local time, milliseconds 0; false, with the record untouched, when the
    // time has no local form that fits the record.
    bool GetAsSystemTime(SYSTEMTIME& systemTime) const;

    CString Format(const TCHAR* pszFormat) const { return framework_detail::FormatLocalTime(m_time, pszFormat); }

    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }
    bool operator<(CTime other) const { return m_time < other.m_time; }

private:
    __time64_t m_time = 0;
};
