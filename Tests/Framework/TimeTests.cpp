#include "FrameworkTestSupport.h"

#include <clocale>
#include <limits>
#include <string>
#include <vector>

namespace {

// Beyond any local time the runtime can give.
const CTime kNoLocalForm(std::numeric_limits<__time64_t>::max());

TEST(FrameworkTime, CalendarFieldsInUtc) {
    ScopedTimeZone zone(kUtc);
    EXPECT_EQ(CTime(1970, 1, 1, 0, 0, 0).GetTime(), 0);
    EXPECT_EQ(CTime(2010, 7, 1, 12, 0, 0).GetTime(), 1277985600);
    EXPECT_EQ(CTime(3000, 12, 31, 23, 59, 59).GetTime(), 32535215999);
}

// With nDST -1 the runtime decides on daylight saving from the date.
TEST(FrameworkTime, DaylightSavingDecidedByTheRuntime) {
    ScopedTimeZone zone(kCentralEurope);
    EXPECT_EQ(CTime(2010, 7, 1, 12, 0, 0).GetTime(), 1277978400);   // CEST, 10:00 UTC
    EXPECT_EQ(CTime(2010, 1, 15, 12, 0, 0).GetTime(), 1263553200);  // CET, 11:00 UTC
    // Told it is standard time, the summer date is taken as CET.
    EXPECT_EQ(CTime(2010, 7, 1, 12, 0, 0, 0).GetTime(), 1277982000);
}

TEST(FrameworkTime, DayPastTheMonthsEndRollsOver) {
    ScopedTimeZone zone(kUtc);
    EXPECT_EQ(CTime(2010, 2, 31, 0, 0, 0), CTime(2010, 3, 3, 0, 0, 0));
    EXPECT_EQ(CTime(2012, 2, 31, 0, 0, 0), CTime(2012, 3, 2, 0, 0, 0));
}

struct Fields {
    int year, month, day, hour, minute, second;
};

TEST(FrameworkTime, FieldsOutOfRangeOrBefore1970Throw) {
    ScopedTimeZone zone(kCentralEurope);
    const std::vector<Fields> cases = {
        {1899, 12, 31, 0, 0, 0}, {3001, 1, 1, 0, 0, 0},  {2010, 0, 1, 0, 0, 0},  {2010, 13, 1, 0, 0, 0},
        {2010, 1, 0, 0, 0, 0},   {2010, 1, 32, 0, 0, 0}, {2010, 1, 1, -1, 0, 0}, {2010, 1, 1, 24, 0, 0},
        {2010, 1, 1, 0, 60, 0},  {2010, 1, 1, 0, 0, 60}, {2010, 1, 1, 0, -1, 0},
        {1969, 12, 31, 0, 0, 0},  // in range, but before 1970
        {1970, 1, 1, 0, 0, 0},    // midnight in CET is 23:00 UTC the day before
    };
    for (const Fields& f : cases) {
        SCOPED_TRACE(::testing::Message() << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':'
                                          << f.minute << ':' << f.second);
        EXPECT_THROW(CTime(f.year, f.month, f.day, f.hour, f.minute, f.second), CInvalidArgException*);
    }
}

TEST(FrameworkTime, SystemTimeRoundTripInLocalTime) {
    ScopedTimeZone zone(kCentralEurope);
    const CTime time(2010, 7, 1, 12, 34, 56);
    EXPECT_EQ(time.GetTime(), 1277980496);

    SYSTEMTIME record{};
    ASSERT_TRUE(time.GetAsSystemTime(record));
    EXPECT_EQ(record.wYear, 2010);
    EXPECT_EQ(record.wMonth, 7);
    EXPECT_EQ(record.wDayOfWeek, 4);  // Thursday
    EXPECT_EQ(record.wDay, 1);
    EXPECT_EQ(record.wHour, 12);
    EXPECT_EQ(record.wMinute, 34);
    EXPECT_EQ(record.wSecond, 56);
    EXPECT_EQ(record.wMilliseconds, 0);

    // Day of week and milliseconds are ignored on the way back.
    record.wDayOfWeek = 6;
    record.wMilliseconds = 999;
    EXPECT_EQ(CTime(record), time);
}

TEST(FrameworkTime, SystemTimeBefore1900GivesTimeZero) {
    SYSTEMTIME early{1899, 12, 0, 31, 23, 59, 59, 0};
    EXPECT_EQ(CTime(early).GetTime(), 0);
    SYSTEMTIME blank{};  // month and day 0 are not even checked
    EXPECT_EQ(CTime(blank).GetTime(), 0);
    SYSTEMTIME badMonth{2010, 13, 0, 1, 0, 0, 0, 0};
    EXPECT_THROW(CTime{badMonth}, CInvalidArgException*);
}

TEST(FrameworkTime, NoLocalFormFailsWithoutTouchingTheResult) {
    SYSTEMTIME record{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(kNoLocalForm.GetAsSystemTime(record));
    EXPECT_EQ(record.wYear, 1);
    EXPECT_EQ(record.wMilliseconds, 8);

    // A local time whose year does not fit the record's 16 bits.
    ScopedTimeZone zone(kUtc);
    EXPECT_FALSE(CTime(__time64_t{4000000000000}).GetAsSystemTime(record));
    EXPECT_EQ(record.wYear, 1);

    std::tm local{};
    EXPECT_EQ(kNoLocalForm.GetLocalTm(&local), nullptr);
    ASSERT_EQ(CTime(0).GetLocalTm(&local), &local);
    EXPECT_EQ(local.tm_year, 70);
}

TEST(FrameworkTime, FormatLocalTimeInTheCLocale) {
    ScopedTimeZone zone(kUtc);
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    EXPECT_EQ(CTime(1234567890).Format(_T("%c")), _T("Fri Feb 13 23:31:30 2009"));
    EXPECT_EQ(CTime(0).Format(_T("%Y-%m-%d %H:%M:%S")), _T("1970-01-01 00:00:00"));
}

// The text goes into 128 characters, one of them the terminating null.
TEST(FrameworkTime, FormatBeyond127CharactersIsEmpty) {
    ScopedTimeZone zone(kUtc);
    const std::basic_string<TCHAR> fits(127, _T('x'));
    const std::basic_string<TCHAR> tooLong(128, _T('x'));
    EXPECT_EQ(CTime(0).Format(fits.c_str()).GetLength(), 127);
    EXPECT_TRUE(CTime(0).Format(tooLong.c_str()).IsEmpty());
    EXPECT_TRUE(CTime(0).Format(_T("%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y")).IsEmpty());
    EXPECT_TRUE(kNoLocalForm.Format(_T("%Y")).IsEmpty());
}

TEST(FrameworkTime, CurrentTimeAndComparison) {
    const __time64_t before = std::time(nullptr);
    const CTime now = CTime::GetCurrentTime();
    const __time64_t after = std::time(nullptr);
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), after);

    EXPECT_TRUE(CTime(1) < CTime(2));
    EXPECT_FALSE(CTime(2) < CTime(2));
    EXPECT_TRUE(CTime(2) == CTime(2));
    EXPECT_TRUE(CTime(1) != CTime(2));
    EXPECT_EQ(CTime().GetTime(), 0);
}

}  // namespace
