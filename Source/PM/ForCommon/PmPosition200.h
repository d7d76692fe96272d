// One position along a segment's path.
#pragma once

#include "PmExport.h"
#include "PmTypes.h"
#include "QdTransform.h"

struct PM_EXPORT PmPosition200
{
    PmPosition200();
    PmPosition200(const PmPosition200& other);
    PmPosition200& operator=(const PmPosition200& other);
    ~PmPosition200();

    dpoint3d pt{};
    dpoint3d tpt{};
    CQdTransform transform;  // identity until set
};
