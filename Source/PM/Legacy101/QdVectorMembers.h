// The constructors, copy assignment and components of CQdVector, for
// QdVector.h (inline) and QdVector.cpp (out of line, in the builds that export points).
// PM_VECTOR_MEMBER says which.
PM_VECTOR_MEMBER CQdVector::CQdVector(double xValue, double yValue, double zValue) : x(xValue), y(yValue), z(zValue) {}

PM_VECTOR_MEMBER CQdVector::CQdVector(const CQdVector& other) : x(other.x), y(other.y), z(other.z) {}

PM_VECTOR_MEMBER CQdVector& CQdVector::operator=(const CQdVector& other)
{
    if (this != &other)
    {
        x = other.x;
        y = other.y;
        z = other.z;
    }
    return *this;
}

PM_VECTOR_MEMBER double CQdVector::xx() const
{
    return x;
}

PM_VECTOR_MEMBER double CQdVector::yy() const
{
    return y;
}

PM_VECTOR_MEMBER double CQdVector::zz() const
{
    return z;
}
