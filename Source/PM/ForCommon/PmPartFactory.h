// The factory through which a part copies its sub-parts: the format 200
// factory in the current modules, the format 101 one in the legacy modules.
#pragma once

#if PM_MODEL_FORMAT == 101
#include "PmDbxFactory.h"
using PmPartCopier = CPmDbxFactory;
#else
#include "PmDbxFactory200.h"
using PmPartCopier = CPmDbxFactory200;
#endif

#include "PmBlockFactory.h"
