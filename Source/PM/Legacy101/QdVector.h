// A vector of three doubles: translations, rotation columns and axes.
#pragma once

#include "PmExport.h"

// Comparisons are tolerant: every component within 1e-6.
class PM_POINTS_EXPORT CQdVector
{
public:
    // These and the components: see QdVectorMembers.h.
    CQdVector(double xValue, double yValue, double zValue);
    CQdVector(const CQdVector& other);
    CQdVector& operator=(const CQdVector& other);

    bool operator==(const CQdVector& other) const;
    bool operator!=(const CQdVector& other) const;

    double Length() const;
    double Length2d() const;
    double DotProduct(const CQdVector& other) const;
    // this x other
    CQdVector CrossProduct(const CQdVector& other) const;

    double xx() const;
    double yy() const;
    double zz() const;

private:
    double x;
    double y;
    double z;
};

// Inline, except in the builds that export points: there QdVector.cpp defines them
// out of line, so that the module exports them as well.
#if !defined(PM_POINTS_EXPORTED)
#define PM_VECTOR_MEMBER inline
#include "QdVectorMembers.h"
#undef PM_VECTOR_MEMBER
#endif
