#include "QdVector.h"

#include <cmath>

#include "QdTransform.h"

bool CQdVector::operator==(const CQdVector& other) const
{
    // Inclusive test on each absolute difference, x first; NaN never compares equal.
    return std::fabs(x - other.x) <= QD_RANGE_TOLERANCE && std::fabs(y - other.y) <= QD_RANGE_TOLERANCE &&
           std::fabs(z - other.z) <= QD_RANGE_TOLERANCE;
}

bool CQdVector::operator!=(const CQdVector& other) const
{
    return !(*this == other);
}

double CQdVector::Length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

double CQdVector::Length2d() const
{
    return std::sqrt(x * x + y * y);
}

double CQdVector::DotProduct(const CQdVector& other) const
{
    return x * other.x + y * other.y + z * other.z;
}

CQdVector CQdVector::CrossProduct(const CQdVector& other) const
{
    return CQdVector(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
}

#if defined(PM_POINTS_EXPORTED)
#define PM_VECTOR_MEMBER
#include "QdVectorMembers.h"
#undef PM_VECTOR_MEMBER
#endif
