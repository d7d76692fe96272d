// Plain value types shared by every host: points, offsets and positions.
#pragma once

struct dpoint3d
{
    double x;
    double y;
    double z;
};

struct dpoint2d
{
    double x;
    double y;
};
