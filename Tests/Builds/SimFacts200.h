// The facts of a format 200 simulation: every field its record stores.
#pragma once

#include "ProbeFacts.h"

class CPmSim200;

void AddSimFacts(ProbeFacts& facts, const CPmSim200& sim);
