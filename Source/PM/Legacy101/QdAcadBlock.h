// The block of a part in the format 101 module: a block reference in model
// space, CQdAcadBlock. It is the DWG block class of the format 200 modules
// built under this module's name, with the same fields in the same order (the
// format 200 modules rely on that when they take over a legacy block), and its
// SetPos is exported for them.
#pragma once

#include "ZrAcadBlock.h"

#if PM_MODEL_FORMAT != 101
#error "CQdAcadBlock is the format 101 module's block class"
#endif
