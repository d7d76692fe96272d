#include "PmPosition200.h"

// Defined here rather than implicitly, so that the module exports them.
PmPosition200::PmPosition200() = default;
PmPosition200::PmPosition200(const PmPosition200& other) = default;
PmPosition200& PmPosition200::operator=(const PmPosition200& other) = default;
PmPosition200::~PmPosition200() = default;
