// The framework's time value: construction from calendar fields, local time
// and formatting.
#include <atltime.h>

#include <afx.h>

#include <cwchar>
#include <limits>

namespace {

constexpr std::size_t kFormatBufferSize = 128;

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// The local broken-down time, or false when `time` has none.
bool LocalTime(__time64_t time, std::tm& out) {
    if (time < std::numeric_limits<std::time_t>::min() || time > std::numeric_limits<std::time_t>::max()) {
        return false;
    }
    const std::time_t value = static_cast<std::time_t>(time);
    return localtime_r(&value, &out) != nullptr;
}

}  // namespace

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
    if (!InRange(nYear, 1900, 3000) || !InRange(nMonth, 1, 12) || !InRange(nDay, 1, 31) ||
        !InRange(nHour, 0, 23) || !InRange(nMin, 0, 59) || !InRange(nSec, 0, 59)) {
        AfxThrowInvalidArgException();
    }
    std::tm fields{};
    fields.tm_year = nYear - 1900;
    fields.tm_mon = nMonth - 1;
    fields.tm_mday = nDay;
    fields.tm_hour = nHour;
    fields.tm_min = nMin;
    fields.tm_sec = nSec;
    fields.tm_isdst = nDST;
    // mktime's failure value, -1, lies before 1970 as well.
    const std::time_t time = std::mktime(&fields);
    if (time < 0) {
        AfxThrowInvalidArgException();
    }
    m_time = time;
}

CTime::CTime(const SYSTEMTIME& systemTime, int nDST) {
    if (systemTime.wYear < 1900) {
        return;  // time 0
    }
    *this = CTime(systemTime.wYear, systemTime.wMonth, systemTime.wDay, systemTime.wHour, systemTime.wMinute,
                  systemTime.wSecond, nDST);
}

CTime CTime::GetCurrentTime() {
    return CTime(static_cast<__time64_t>(std::time(nullptr)));
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
    if (ptm == nullptr || !LocalTime(m_time, *ptm)) {
        return nullptr;
    }
    return ptm;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& systemTime) const {
    std::tm local{};
    if (!LocalTime(m_time, local)) {
        return false;
    }
    // The record holds years 0 to 65535 only.
    const long long year = static_cast<long long>(local.tm_year) + 1900;
    if (year < 0 || year > std::numeric_limits<WORD>::max()) {
        return false;
    }
    systemTime.wYear = static_cast<WORD>(year);
    systemTime.wMonth = static_cast<WORD>(local.tm_mon + 1);
    systemTime.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    systemTime.wDay = static_cast<WORD>(local.tm_mday);
    systemTime.wHour = static_cast<WORD>(local.tm_hour);
    systemTime.wMinute = static_cast<WORD>(local.tm_min);
    systemTime.wSecond = static_cast<WORD>(local.tm_sec);
    systemTime.wMilliseconds = 0;
    return true;
}

namespace framework_detail {

// strftime and wcsftime give 0 both for text that does not fit and for an
// empty text; either way the result is empty.
CStringA FormatLocalTime(__time64_t time, const char* format) {
    std::tm local{};
    if (format == nullptr || !LocalTime(time, local)) {
        return CStringA();
    }
    char buffer[kFormatBufferSize];
    const std::size_t length = std::strftime(buffer, kFormatBufferSize, format, &local);
    return CStringA(buffer, static_cast<int>(length));
}

CStringW FormatLocalTime(__time64_t time, const wchar_t* format) {
    std::tm local{};
    if (format == nullptr || !LocalTime(time, local)) {
        return CStringW();
    }
    wchar_t buffer[kFormatBufferSize];
    const std::size_t length = std::wcsftime(buffer, kFormatBufferSize, format, &local);
    return CStringW(buffer, static_cast<int>(length));
}

}  // namespace framework_detail
