#include "QdPoint.h"

#include <cmath>

#include "PmTypes.h"
#include "QdTransform.h"
#include "gepnt2d.h"
#include "gepnt3d.h"

namespace
{
// Inclusive test on each absolute difference, x first, then y, then z.
// A component that is not a number never compares equal.
bool SamePlace(double ax, double ay, double az, double bx, double by, double bz)
{
    return std::fabs(ax - bx) <= QD_RANGE_TOLERANCE && std::fabs(ay - by) <= QD_RANGE_TOLERANCE &&
           std::fabs(az - bz) <= QD_RANGE_TOLERANCE;
}

constexpr double kFullTurn = 6.283185307179586;
}  // namespace

CQdPoint& CQdPoint::operator=(const dpoint3d& point)
{
    x = point.x;
    y = point.y;
    z = point.z;
    return *this;
}

CQdPoint& CQdPoint::operator=(const AcGePoint3d& point)
{
    x = point.x;
    y = point.y;
    z = point.z;
    return *this;
}

CQdPoint& CQdPoint::operator=(const dpoint2d& point)
{
    x = point.x;
    y = point.y;
    z = 0.0;
    return *this;
}

CQdPoint& CQdPoint::operator=(const AcGePoint2d& point)
{
    x = point.x;
    y = point.y;
    z = 0.0;
    return *this;
}

bool CQdPoint::operator==(const CQdPoint& other) const
{
    return SamePlace(x, y, z, other.x, other.y, other.z);
}

bool CQdPoint::operator==(const dpoint3d& point) const
{
    return SamePlace(x, y, z, point.x, point.y, point.z);
}

bool CQdPoint::operator==(const AcGePoint3d& point) const
{
    return SamePlace(x, y, z, point.x, point.y, point.z);
}

bool CQdPoint::operator==(const dpoint2d& point) const
{
    return SamePlace(x, y, z, point.x, point.y, 0.0);
}

bool CQdPoint::operator==(const AcGePoint2d& point) const
{
    return SamePlace(x, y, z, point.x, point.y, 0.0);
}

bool CQdPoint::operator!=(const CQdPoint& other) const
{
    return !(*this == other);
}

bool CQdPoint::operator!=(const dpoint3d& point) const
{
    return !(*this == point);
}

bool CQdPoint::operator!=(const AcGePoint3d& point) const
{
    return !(*this == point);
}

bool CQdPoint::operator!=(const dpoint2d& point) const
{
    return !(*this == point);
}

bool CQdPoint::operator!=(const AcGePoint2d& point) const
{
    return !(*this == point);
}

double CQdPoint::Distance(const CQdPoint& other) const
{
    const double dx = x - other.x;
    const double dy = y - other.y;
    return std::sqrt(dx * dx + dy * dy);
}

double CQdPoint::Angle(const CQdPoint& other) const
{
    const double angle = std::atan2(y - other.y, x - other.x);
    return angle < 0 ? angle + kFullTurn : angle;
}

#if defined(PM_POINTS_EXPORTED)
#define PM_POINT_MEMBER
#include "QdPointMembers.h"
#undef PM_POINT_MEMBER
#endif
