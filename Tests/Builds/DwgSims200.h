// The simulations a format 200 DWG probe stores, and what a probe reads back
// from a drawing: host-side steps every format 200 DWG probe shares.
#pragma once

#include <string>
#include <vector>

#include <afx.h>
#include <arxheaders.h>

#include "ProbeFacts.h"

class CPmSim200;
class CPmAcadSim200;

namespace DwgSims
{
// Loads and initialises the probe's module through the host's loader.
bool LoadModule();

// Stores the probe's simulations in the working drawing and answers the sum of
// the stores' statuses. "Cart": type 3, in use, one section (speed 50, units 0)
// with a segment of three positions whose part has a sub-part with a sub-part of
// its own. "Crane": type 7, not in use, two sections (speed 10.25 in units 2 with
// segments of four and one positions; speed 0.1 in units 1 with one of two), its
// parts with two sub-parts each.
int StoreProbeSims();
CPmSim200* MakeCart(const CString& name);

// The stored object under the key, opened for read; the caller closes it.
CPmAcadSim200* OpenStored(const CString& key);

// The facts of every simulation stored in the working drawing, in key order,
// as the record holds them (the stored objects themselves, not copies, whose
// edited time would be the time of copying).
ProbeFacts StoredFacts();
} // namespace DwgSims
