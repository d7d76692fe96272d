// The DWG geometry library's three-dimensional point.
#pragma once

class AcGePoint3d
{
public:
    AcGePoint3d(double xValue, double yValue, double zValue) : x(xValue), y(yValue), z(zValue) {}

    double x;
    double y;
    double z;
};
