// The constructors, copy assignment and components of CQdPoint, for
// QdPoint.h (inline) and QdPoint.cpp (out of line, in the builds that export points).
// PM_POINT_MEMBER says which.
PM_POINT_MEMBER CQdPoint::CQdPoint(double xValue, double yValue, double zValue) : x(xValue), y(yValue), z(zValue) {}

PM_POINT_MEMBER CQdPoint::CQdPoint(const CQdPoint& other) : x(other.x), y(other.y), z(other.z) {}

PM_POINT_MEMBER CQdPoint& CQdPoint::operator=(const CQdPoint& other)
{
    if (this != &other)
    {
        x = other.x;
        y = other.y;
        z = other.z;
    }
    return *this;
}

PM_POINT_MEMBER double CQdPoint::xx() const
{
    return x;
}

PM_POINT_MEMBER double CQdPoint::yy() const
{
    return y;
}

PM_POINT_MEMBER double CQdPoint::zz() const
{
    return z;
}
