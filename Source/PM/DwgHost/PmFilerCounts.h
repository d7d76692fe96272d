// Counts read from a stored record. A host's filer cannot tell how much of the
// record is left, so a reader never sizes anything by a count: it adds entries
// one at a time and stops as soon as the filer reports a failed read.
#pragma once

#include <dbfiler.h>

namespace PmFilerCounts
{
// Reads a count of entries. A failed read or a negative count marks the filer
// as improperly read and gives 0.
inline int Read(AcDbDwgFiler* filer)
{
    Adesk::Int32 count = 0;
    const Acad::ErrorStatus read = filer->readInt32(&count);
    if (read != Acad::eOk || filer->filerStatus() != Acad::eOk || count < 0)
    {
        if (filer->filerStatus() == Acad::eOk)
            filer->setFilerStatus(read != Acad::eOk ? read : Acad::eDwgObjectImproperlyRead);
        return 0;
    }
    return count;
}

// The filer as a reader of counted runs of children sees it (PmRecordChildren.h).
struct Face
{
    AcDbDwgFiler* filer;
    int Count() const { return Read(filer); }
    bool Good() const { return filer->filerStatus() == Acad::eOk; }
    void Refuse() const { filer->setFilerStatus(Acad::eDwgObjectImproperlyRead); }
};
} // namespace PmFilerCounts
