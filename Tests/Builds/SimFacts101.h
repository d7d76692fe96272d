// The facts of a format 101 simulation: every field its record stores.
#pragma once

#include "ProbeFacts.h"

class CPmSim;

void AddSimFacts(ProbeFacts& facts, const CPmSim& sim);
