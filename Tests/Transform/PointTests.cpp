// Point comparisons against every host point type, measures and assignment.
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "PmTypes.h"
#include "QdPoint.h"
#include "gepnt2d.h"
#include "gepnt3d.h"

namespace
{
// operator== and operator!= of the point against all three 3D forms of other.
void ExpectEqual3d(const CQdPoint& point, const CQdPoint& other, bool equal)
{
    const dpoint3d plain{other.xx(), other.yy(), other.zz()};
    const AcGePoint3d host(other.xx(), other.yy(), other.zz());
    EXPECT_EQ(point == other, equal);
    EXPECT_EQ(point != other, !equal);
    EXPECT_EQ(point == plain, equal);
    EXPECT_EQ(point != plain, !equal);
    EXPECT_EQ(point == host, equal);
    EXPECT_EQ(point != host, !equal);
}

void ExpectEqual2d(const CQdPoint& point, double x, double y, bool equal)
{
    const dpoint2d plain{x, y};
    const AcGePoint2d host(x, y);
    EXPECT_EQ(point == plain, equal);
    EXPECT_EQ(point != plain, !equal);
    EXPECT_EQ(point == host, equal);
    EXPECT_EQ(point != host, !equal);
}

CQdPoint Offset(int axis, double delta)
{
    return CQdPoint(axis == 0 ? delta : 0.0, axis == 1 ? delta : 0.0, axis == 2 ? delta : 0.0);
}
}  // namespace

TEST(PointComparison, ToleranceIsInclusiveOnEachAxis)
{
    struct Case
    {
        double delta;
        bool equal;
    };
    const std::vector<Case> cases = {{0.0, true}, {1e-6, true}, {-1e-6, true}, {1.5e-6, false}, {-1.5e-6, false}};
    const CQdPoint origin(0.0, 0.0, 0.0);
    for (int axis = 0; axis < 3; ++axis)
        for (const Case& p : cases)
        {
            SCOPED_TRACE(::testing::Message() << "axis " << axis << " delta " << p.delta);
            ExpectEqual3d(origin, Offset(axis, p.delta), p.equal);
            ExpectEqual3d(Offset(axis, p.delta), origin, p.equal);
        }
}

TEST(PointComparison, TwoDimensionalPointHasZeroZ)
{
    struct Case
    {
        CQdPoint point;
        bool equal;
    };
    const std::vector<Case> cases = {
        {CQdPoint(1.0, 2.0, 0.0), true},
        {CQdPoint(1.0, 2.0, 5e-7), true},
        {CQdPoint(1.0, 2.0, -5e-7), true},
        {CQdPoint(1.0, 2.0, 2e-6), false},
        {CQdPoint(1.0, 2.0, -2e-6), false},
        {CQdPoint(1.0 + 2e-6, 2.0, 0.0), false},
        {CQdPoint(1.0, 2.0 - 2e-6, 0.0), false},
    };
    for (const Case& p : cases)
    {
        SCOPED_TRACE(::testing::Message() << p.point.xx() << ", " << p.point.yy() << ", " << p.point.zz());
        ExpectEqual2d(p.point, 1.0, 2.0, p.equal);
    }
}

TEST(PointComparison, NotANumberIsNeverEqual)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int axis = 0; axis < 3; ++axis)
    {
        SCOPED_TRACE(::testing::Message() << "axis " << axis);
        const CQdPoint point = Offset(axis, nan);
        ExpectEqual3d(point, point, false);
        ExpectEqual3d(CQdPoint(0.0, 0.0, 0.0), point, false);
        ExpectEqual2d(point, 0.0, 0.0, false);
    }
    ExpectEqual2d(CQdPoint(0.0, 0.0, 0.0), nan, 0.0, false);
}

TEST(PointMeasures, DistanceIsInThePlane)
{
    const CQdPoint origin(0.0, 0.0, 0.0);
    const CQdPoint far(3.0, 4.0, 12.0);
    EXPECT_EQ(origin.Distance(far), 5.0);
    EXPECT_EQ(far.Distance(origin), 5.0);
    EXPECT_EQ(far.Distance(far), 0.0);
    EXPECT_EQ(CQdPoint(1.0, 1.0, -50.0).Distance(CQdPoint(4.0, 5.0, 50.0)), 5.0);
}

TEST(PointMeasures, AngleIsCounterClockwiseFromXInZeroToTwoPi)
{
    struct Case
    {
        CQdPoint point;
        CQdPoint from;
        double angle;
    };
    const double pi = 3.141592653589793;
    const std::vector<Case> cases = {
        {CQdPoint(0.0, -1.0, 0.0), CQdPoint(0.0, 0.0, 0.0), 4.71238898038469},
        {CQdPoint(-1.0, 0.0, 0.0), CQdPoint(0.0, 0.0, 0.0), pi},
        {CQdPoint(1.0, 0.0, 0.0), CQdPoint(0.0, 0.0, 0.0), 0.0},
        {CQdPoint(0.0, 1.0, 0.0), CQdPoint(0.0, 0.0, 0.0), pi / 2},
        {CQdPoint(2.0, 1.0, 9.0), CQdPoint(3.0, 2.0, -9.0), std::atan2(-1.0, -1.0) + 6.283185307179586},
        {CQdPoint(2.5, -7.0, 3.0), CQdPoint(2.5, -7.0, 3.0), 0.0},  // the point itself
    };
    for (const Case& p : cases)
    {
        SCOPED_TRACE(::testing::Message() << p.point.xx() << ", " << p.point.yy());
        EXPECT_DOUBLE_EQ(p.point.Angle(p.from), p.angle);
        EXPECT_GE(p.point.Angle(p.from), 0.0);
    }
    EXPECT_EQ(CQdPoint(0.0, -1.0, 0.0).Angle(CQdPoint(0.0, 0.0, 0.0)), -pi / 2 + 6.283185307179586);
}

TEST(PointAssignment, HostPointsAndTwoDimensionalPointsZeroingZ)
{
    CQdPoint point(7.0, 8.0, 9.0);
    point = dpoint2d{1.0, 2.0};
    EXPECT_EQ(point.xx(), 1.0);
    EXPECT_EQ(point.yy(), 2.0);
    EXPECT_EQ(point.zz(), 0.0);
    EXPECT_FALSE(std::signbit(point.zz()));

    point = CQdPoint(7.0, 8.0, -9.0);
    point = AcGePoint2d(3.0, 4.0);
    EXPECT_EQ(point.xx(), 3.0);
    EXPECT_EQ(point.yy(), 4.0);
    EXPECT_EQ(point.zz(), 0.0);
    EXPECT_FALSE(std::signbit(point.zz()));

    point = dpoint3d{5.0, 6.0, 7.0};
    EXPECT_EQ(point.xx(), 5.0);
    EXPECT_EQ(point.yy(), 6.0);
    EXPECT_EQ(point.zz(), 7.0);

    point = AcGePoint3d(-1.0, -2.0, -3.0);
    EXPECT_EQ(point.xx(), -1.0);
    EXPECT_EQ(point.yy(), -2.0);
    EXPECT_EQ(point.zz(), -3.0);
}
