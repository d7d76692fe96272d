// Geometry and element types of the MicroStation SDK that signatures name.
#pragma once

struct DPoint3d
{
    double x;
    double y;
    double z;
};

struct MSElementDescr;
struct TransElemDescr;
