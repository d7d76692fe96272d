// Vector comparison and measures.
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "QdVector.h"

TEST(VectorComparison, ToleranceAndNotANumber)
{
    struct Case
    {
        CQdVector other;
        bool equal;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const CQdVector base(1.0, 2.0, 3.0);
    const std::vector<Case> cases = {
        {CQdVector(1.0, 2.0, 3.0), true},
        {CQdVector(1.0 + 5e-7, 2.0 - 5e-7, 3.0 + 5e-7), true},
        {CQdVector(1.0 + 1.5e-6, 2.0, 3.0), false},
        {CQdVector(1.0, 2.0 - 1.5e-6, 3.0), false},
        {CQdVector(1.0, 2.0, 3.0 + 1.5e-6), false},
        {CQdVector(nan, 2.0, 3.0), false},
        {CQdVector(1.0, nan, 3.0), false},
        {CQdVector(1.0, 2.0, nan), false},
    };
    for (const Case& p : cases)
    {
        SCOPED_TRACE(::testing::Message() << p.other.xx() << ", " << p.other.yy() << ", " << p.other.zz());
        EXPECT_EQ(base == p.other, p.equal);
        EXPECT_EQ(base != p.other, !p.equal);
        EXPECT_EQ(p.other == base, p.equal);
    }
    // Exactly 1e-6 from zero is still equal.
    EXPECT_TRUE(CQdVector(0.0, 0.0, 0.0) == CQdVector(0.0, 1e-6, 0.0));
    EXPECT_FALSE(CQdVector(0.0, 0.0, 0.0) != CQdVector(0.0, 0.0, -1e-6));
}

TEST(VectorMeasures, LengthsAndDotProduct)
{
    const CQdVector v(3.0, 4.0, 12.0);
    EXPECT_EQ(v.Length(), 13.0);
    EXPECT_EQ(v.Length2d(), 5.0);
    EXPECT_EQ(CQdVector(0.0, 0.0, -2.0).Length2d(), 0.0);
    EXPECT_EQ(CQdVector(1.0, 2.0, 3.0).DotProduct(CQdVector(4.0, -5.0, 6.0)), 12.0);
}

TEST(VectorMeasures, CrossProductIsThisCrossOther)
{
    struct Case
    {
        CQdVector a, b, expected;
    };
    const std::vector<Case> cases = {
        {CQdVector(1.0, 0.0, 0.0), CQdVector(0.0, 1.0, 0.0), CQdVector(0.0, 0.0, 1.0)},
        {CQdVector(0.0, 1.0, 0.0), CQdVector(1.0, 0.0, 0.0), CQdVector(0.0, 0.0, -1.0)},
        {CQdVector(0.0, 1.0, 0.0), CQdVector(0.0, 0.0, 1.0), CQdVector(1.0, 0.0, 0.0)},
        {CQdVector(0.0, 0.0, 1.0), CQdVector(1.0, 0.0, 0.0), CQdVector(0.0, 1.0, 0.0)},
        {CQdVector(1.0, 2.0, 3.0), CQdVector(4.0, 5.0, 6.0), CQdVector(-3.0, 6.0, -3.0)},
    };
    for (const Case& p : cases)
    {
        const CQdVector cross = p.a.CrossProduct(p.b);
        EXPECT_EQ(cross.xx(), p.expected.xx());
        EXPECT_EQ(cross.yy(), p.expected.yy());
        EXPECT_EQ(cross.zz(), p.expected.zz());
    }
}
