// The DWG geometry library's two-dimensional point.
#pragma once

class AcGePoint2d
{
public:
    AcGePoint2d(double xValue, double yValue) : x(xValue), y(yValue) {}

    double x;
    double y;
};
