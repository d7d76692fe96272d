// What a set of scan criteria holds.
#pragma once

#include <cstdint>
#include <vector>

#include "msdefs.h"
#include "scanner.h"

struct ScanCriteria
{
    DgnModelRefP model = nullptr;
    std::vector<int> types;        // empty: every type
    std::vector<LevelId> levels;   // empty: every level
    int returnType = MSTN_SCAN_RETURN_FILEPOS;
};
