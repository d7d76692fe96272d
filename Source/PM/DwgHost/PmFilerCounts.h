// Counts read from a stored record are checked against what the filer can
// still deliver, so a corrupt record cannot make a reader allocate or loop
// without end.
#pragma once

#include <dbfiler.h>

namespace PmFilerCounts
{
// Reads a count of entries that take at least itemsEach filer items apiece.
// A negative count, or one the rest of the record cannot hold, marks the filer
// as improperly read and gives 0.
inline int Read(AcDbDwgFiler* filer, Adesk::UInt32 itemsEach)
{
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk)
        return 0;
    const Adesk::UInt64 needed = static_cast<Adesk::UInt64>(count < 0 ? 0 : count) * itemsEach;
    if (count < 0 || needed > filer->remainingItems())
    {
        filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
        return 0;
    }
    return count;
}
} // namespace PmFilerCounts
