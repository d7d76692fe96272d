// For tests only: the kinds of host calls that can be made to fail on demand,
// each with its own switch (see faultswitch.h). Every switch is off by default.
#pragma once

#include "adesk.h"
#include "faultswitch.h"

enum class DwgHostCall
{
    HeapAllocation,     // a block of the host heap (allocRawMem, the host's operator new)
    OpenForRead,        // opening an object for read
    OpenForWrite,       // opening an object for write
    DictionarySetAt,
    DictionaryGetAt,
    DictionaryRemove,
    AddObject,          // adding an object to the database
    AppendEntity,       // appending an entity to a block table record (model space)
    Erase,
    SaveDrawing,        // writing a drawing file
    ReadDrawing,        // reading a drawing file
    FilerRead,          // one read of the host's filer (eFilerError)
    FilerWrite,         // one write of the host's filer (eFilerError)
    Kinds               // the number of kinds, not a kind
};

DWGHOST_API faultswitch::Switch& dwgHostFault(DwgHostCall call);
// Turns every switch off.
DWGHOST_API void dwgHostFaultsOff();
