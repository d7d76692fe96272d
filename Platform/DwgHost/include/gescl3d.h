// The DWG geometry library's scale factors in three dimensions.
#pragma once

class AcGeScale3d
{
public:
    AcGeScale3d() : sx(1.0), sy(1.0), sz(1.0) {}
    explicit AcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    AcGeScale3d(double xFactor, double yFactor, double zFactor) : sx(xFactor), sy(yFactor), sz(zFactor) {}

    bool operator==(const AcGeScale3d& other) const { return sx == other.sx && sy == other.sy && sz == other.sz; }
    bool operator!=(const AcGeScale3d& other) const { return !(*this == other); }

    double sx;
    double sy;
    double sz;
};
