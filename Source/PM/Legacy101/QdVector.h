// A vector of three doubles: translations, rotation columns and axes.
#pragma once

#include "PmExport.h"

// Comparisons are tolerant: every component within 1e-6.
class PM_POINTS_EXPORT CQdVector
{
public:
    CQdVector(double xValue, double yValue, double zValue) : x(xValue), y(yValue), z(zValue) {}
    CQdVector(const CQdVector& other) : x(other.x), y(other.y), z(other.z) {}

    CQdVector& operator=(const CQdVector& other)
    {
        if (this != &other)
        {
            x = other.x;
            y = other.y;
            z = other.z;
        }
        return *this;
    }

    bool operator==(const CQdVector& other) const;
    bool operator!=(const CQdVector& other) const;

    double Length() const;
    double Length2d() const;
    double DotProduct(const CQdVector& other) const;
    // this x other
    CQdVector CrossProduct(const CQdVector& other) const;

    double xx() const { return x; }
    double yy() const { return y; }
    double zz() const { return z; }

private:
    double x;
    double y;
    double z;
};
