// Host types that the model's signatures name. Every build names the DWG
// types; the element types are the MicroStation SDK's in the MicroStation
// builds and plain integer placeholders in the DWG builds.
#pragma once

#include <cstdint>

#include "PmTypes.h"

class AcDbDwgFiler;
class AcDbHandle;
class AcDbBlockReference;
class AcDbObjectId;
class CZrMstnObject;

#if defined(PM_HOST_FAMILY_MSTN)
#include <msgeom.h>
using PmElementDescr = MSElementDescr;   // what Desc and ElementDesc point at
using PmPrevElement = TransElemDescr*;   // the animation block's previous element
using PmPartOffset = DPoint3d;           // a part's offset
using PmBlockSource = MSElementDescr;    // what CPmBlockFactory::CreateBlock wraps
#else
struct element;
using PmElementDescr = int;
using PmPrevElement = int;
using PmPartOffset = dpoint3d;
using PmBlockSource = element;
#endif

// Simulation ids: the handle or element id of the drawing object a simulation belongs to.
using PmSimId = std::uint64_t;
