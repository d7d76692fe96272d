// Builders of format 101 simulations through the format 101 module's factories.
#pragma once

#include <memory>
#include <vector>

#include <arxheaders.h>

#include "PMPosition.h"
#include "PmAcadSim.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory.h"
#include "PmHeld.h"
#include "PmPart.h"
#include "PmSection.h"
#include "PmSegment.h"
#include "PmSimList.h"
#include "QdAcadBlock.h"

namespace LegacyBuild
{
// A new block for the definition, made by the module's block factory from a
// reference at the point; not yet in the drawing.
CQdBlock* MakeBlock(AcDbObjectId definition, dpoint3d at);
// A part whose block shows the definition; the block is added to the drawing.
CPmPart* MakePart(AcDbObjectId definition, dpoint3d offset = {0.0, 0.0, 0.0});
// Positions of LegacyDrawing::PathPosition from first on.
std::vector<PMPosition> MakePath(int count, double first);
CPmSegment* MakeSegment(CPmPart* part, int count, double first);

// The three simulations of LegacyDrawing, stored in the working drawing; the
// sum of the stores' statuses.
int StoreLegacyDrawing();

// The stored object under the key, opened for read; the caller closes it.
CPmAcadSim* OpenStored(const CString& key);
} // namespace LegacyBuild

// Gives simulations made by the factory back through it.
using LegacySimPtr = PmHeld::Detached<CPmSim, CPmDbxFactory>;
using LegacyListPtr = std::unique_ptr<CPmSimList>;
