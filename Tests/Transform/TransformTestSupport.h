// Helpers shared by the transform tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "QdTransform.h"

constexpr double kPi = 3.141592653589793;

// Same bit pattern: tells -0.0 from 0.0 and checks exact evaluation order.
inline ::testing::AssertionResult SameBits(double actual, double expected)
{
    std::uint64_t a = 0;
    std::uint64_t e = 0;
    std::memcpy(&a, &actual, sizeof a);
    std::memcpy(&e, &expected, sizeof e);
    if (a == e)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << actual << " (bits " << std::hex << a << "), expected "
                                         << expected << " (bits " << e << ")";
}

// The Euler order record of the axes (0 x, 1 y, 2 z), parity, repetition and frame.
inline CGoogleEarthConfig Order(int i, int j, int k, bool even, bool repeat, bool rotating)
{
    CGoogleEarthConfig record;
    record.firstAxis = i;
    record.secondAxis = j;
    record.thirdAxis = k;
    record.evenParity = even;
    record.repeatFirstAxis = repeat;
    record.rotatingFrame = rotating;
    return record;
}

inline double Element(const CQdTransform& transform, int row, int col)
{
    CQdTransform copy(transform);
    return copy(row, col);
}

inline void ExpectNearIdentity(const CQdTransform& transform, double tolerance)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(Element(transform, r, c), r == c ? 1.0 : 0.0, tolerance) << "m[" << r << "][" << c << "]";
}

// Gives every element a distinct value, so that an untouched element shows.
inline void FillDistinct(CQdTransform& transform)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            transform(r, c) = 100.0 + 10.0 * r + c;
}

// Tests that change the process-wide Euler order record put the default back.
class EulerOrderTest : public ::testing::Test
{
protected:
    void TearDown() override { *CQdTransform::GoogleConfig() = CGoogleEarthConfig(); }
};
