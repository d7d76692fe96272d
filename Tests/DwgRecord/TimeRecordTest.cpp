// The 16-byte local-time record.
#include <gtest/gtest.h>

#include "PmTimeRecord.h"
#include "TestTimeZone.h"

namespace
{
PmTimeRecord::Bytes Record(std::initializer_list<int> words)
{
    PmTimeRecord::Bytes bytes{};
    size_t i = 0;
    for (int word : words)
    {
        bytes[i++] = static_cast<std::uint8_t>(word & 0xFF);
        bytes[i++] = static_cast<std::uint8_t>((word >> 8) & 0xFF);
    }
    return bytes;
}

TEST(TimeRecordTest, EncodesLocalCalendarFieldsWithZeroMilliseconds)
{
    EXPECT_EQ(PmTimeRecord::Encode(CTime(2024, 2, 29, 23, 59, 58)), Record({2024, 2, 4, 29, 23, 59, 58, 0}));
}

// One instant in winter and one in summer: the record holds the machine's
// local calendar time, not UTC, and reads back as the same instant.
TEST(TimeRecordTest, HoldsTheLocalTimeOfTheInstant)
{
    const CTime leapDayEnd(__time64_t{1709251198});  // 2024-02-29 23:59:58 UTC, a Thursday
    const CTime julyNoon(__time64_t{1719835200});    // 2024-07-01 12:00:00 UTC, a Monday
    struct Case
    {
        const char* zone;
        CTime time;
        PmTimeRecord::Bytes record;
    };
    const Case cases[] = {
        {kUtc, leapDayEnd, Record({2024, 2, 4, 29, 23, 59, 58, 0})},
        {kUtc, julyNoon, Record({2024, 7, 1, 1, 12, 0, 0, 0})},
        {kCentralEurope, leapDayEnd, Record({2024, 3, 5, 1, 0, 59, 58, 0})},  // CET: Friday, 1 March
        {kCentralEurope, julyNoon, Record({2024, 7, 1, 1, 14, 0, 0, 0})},     // CEST: two hours east
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.zone << " " << c.time.GetTime());
        const ScopedTimeZone zone(c.zone);
        EXPECT_EQ(PmTimeRecord::Encode(c.time), c.record);
        EXPECT_EQ(PmTimeRecord::Decode(c.record).GetTime(), c.time.GetTime());
    }
}

TEST(TimeRecordTest, DecodesToTheInstantWritten)
{
    for (const CTime& time : {CTime(0), CTime(2000, 12, 31, 12, 0, 1), CTime(3000, 1, 1, 0, 0, 0)})
        EXPECT_EQ(PmTimeRecord::Decode(PmTimeRecord::Encode(time)), time);
}

TEST(TimeRecordTest, RecordsNoDateCanHaveReadAsTimeZero)
{
    const PmTimeRecord::Bytes cases[] = {
        Record({1899, 12, 0, 31, 23, 59, 59, 0}),  // before 1900
        Record({0, 0, 0, 0, 0, 0, 0, 0}),          // what a time without a local form writes
        Record({2020, 13, 0, 1, 0, 0, 0, 0}),      // month out of range
        Record({2020, 1, 0, 32, 0, 0, 0, 0}),      // day out of range
        Record({2020, 1, 0, 1, 24, 0, 0, 0}),      // hour out of range
        Record({2020, 1, 0, 1, 0, 60, 0, 0}),      // minute out of range
        Record({2020, 1, 0, 1, 0, 0, 60, 0}),      // second out of range
        Record({65535, 65535, 65535, 65535, 65535, 65535, 65535, 65535}),
    };
    for (const PmTimeRecord::Bytes& bytes : cases)
        EXPECT_EQ(PmTimeRecord::Decode(bytes).GetTime(), 0);
}

TEST(TimeRecordTest, IgnoresDayOfWeekAndMilliseconds)
{
    EXPECT_EQ(PmTimeRecord::Decode(Record({2020, 5, 6, 17, 10, 20, 30, 999})), CTime(2020, 5, 17, 10, 20, 30));
}
} // namespace
