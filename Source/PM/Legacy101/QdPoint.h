// A point of three doubles, the transform's point argument and result.
#pragma once

#include "PmExport.h"

struct dpoint3d;
struct dpoint2d;
class AcGePoint3d;
class AcGePoint2d;

// Comparisons are tolerant: every component within 1e-6. A 2D host point
// is taken with z = 0.0.
class PM_POINTS_EXPORT CQdPoint
{
public:
    // These and the components: see QdPointMembers.h.
    CQdPoint(double xValue, double yValue, double zValue);
    CQdPoint(const CQdPoint& other);
    CQdPoint& operator=(const CQdPoint& other);

    CQdPoint& operator=(const dpoint3d& point);
    CQdPoint& operator=(const AcGePoint3d& point);
    CQdPoint& operator=(const dpoint2d& point);
    CQdPoint& operator=(const AcGePoint2d& point);

    bool operator==(const CQdPoint& other) const;
    bool operator==(const dpoint3d& point) const;
    bool operator==(const AcGePoint3d& point) const;
    bool operator==(const dpoint2d& point) const;
    bool operator==(const AcGePoint2d& point) const;

    bool operator!=(const CQdPoint& other) const;
    bool operator!=(const dpoint3d& point) const;
    bool operator!=(const AcGePoint3d& point) const;
    bool operator!=(const dpoint2d& point) const;
    bool operator!=(const AcGePoint2d& point) const;

    // Distance to other in the XY plane; z is ignored.
    double Distance(const CQdPoint& other) const;
    // Direction from other to this point in the XY plane, in [0, 2*pi).
    double Angle(const CQdPoint& other) const;

    double xx() const;
    double yy() const;
    double zz() const;

private:
    double x;
    double y;
    double z;
};

// Inline, except in the builds that export points: there QdPoint.cpp defines them
// out of line, so that the module exports them as well.
#if !defined(PM_POINTS_EXPORTED)
#define PM_POINT_MEMBER inline
#include "QdPointMembers.h"
#undef PM_POINT_MEMBER
#endif
