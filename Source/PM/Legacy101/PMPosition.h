// One position of a format 101 path: a point, an angle about z and a second point.
#pragma once

#include "PmTypes.h"

struct PMPosition
{
    dpoint3d pt;
    double ang;
    dpoint3d tpt;
};
