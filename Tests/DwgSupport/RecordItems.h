// The items of a record: two records compared item by item, and the bytes of
// a stored time.
#pragma once

#include <vector>

#include <gtest/gtest.h>

#include <dbmemfiler.h>

// The bytes a time is stored as: eight little-endian words, the last zero.
inline std::vector<unsigned char> TimeBytes(int year, int month, int dayOfWeek, int day, int hour, int minute,
                                            int second)
{
    std::vector<unsigned char> bytes;
    for (int word : {year, month, dayOfWeek, day, hour, minute, second, 0})
    {
        bytes.push_back(static_cast<unsigned char>(word & 0xFF));
        bytes.push_back(static_cast<unsigned char>(word >> 8));
    }
    return bytes;
}

// Compares two records item by item: kind and value (angles rebuilt from a
// transform may differ in the last bits).
inline void ExpectSameRecord(const std::vector<AcDbFilerItem>& actual, const std::vector<AcDbFilerItem>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        const AcDbFilerItem& a = actual[i];
        const AcDbFilerItem& e = expected[i];
        EXPECT_EQ(a.kind, e.kind) << "item " << i;
        EXPECT_EQ(a.int32, e.int32) << "item " << i;
        EXPECT_EQ(a.boolean, e.boolean) << "item " << i;
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(a.doubles[k], e.doubles[k], 1e-12) << "item " << i;
        EXPECT_EQ(static_cast<Adesk::UInt64>(a.handle), static_cast<Adesk::UInt64>(e.handle)) << "item " << i;
        EXPECT_EQ(a.bytes, e.bytes) << "item " << i;
        EXPECT_EQ(a.text, e.text) << "item " << i;
    }
}
