// The block-reference work both DWG block classes share: copying a reference,
// finding one by handle, and handing one over to model space.
#pragma once

#include <acadstrc.h>
#include <acdb.h>
#include <dbhandle.h>
#include <dbid.h>

#include "PmHeld.h"

class AcDbBlockReference;

namespace PmBlockReferences
{
// A new reference on the host heap with the source's block, scale factors and
// position (nothing else of the source); null for a null source.
AcDbBlockReference* Copy(const AcDbBlockReference* source);

// Replaces the held reference by a copy of the source (null for none). The copy
// is made first, so that a copy that throws leaves the held one as it was.
void Assign(AcDbBlockReference*& held, const AcDbBlockReference* source);

// Opens the reference the handle names in the working database into the holder,
// which closes it; -1 for a null handle, else the host's status.
int Open(const AcDbHandle& handle, AcDb::OpenMode mode, PmHeld::Open<AcDbBlockReference>& reference);

// Appends a held reference to model space and forgets it: the drawing owns it
// then. Hidden unless visible. Without a reference only the block table is
// opened, and its status is the answer.
int AddToModelSpace(AcDbBlockReference*& reference, bool visible, AcDbHandle& handle, AcDbObjectId& newId);

// "high, low" of a non-null handle, "Null" otherwise, then end of line.
template <class Stream>
void DumpHandle(Stream& os, const AcDbHandle& handle);
} // namespace PmBlockReferences

#include "PmDump.h"

template <class Stream>
void PmBlockReferences::DumpHandle(Stream& os, const AcDbHandle& handle)
{
    if (handle.isNull())
        os << _T("Null") << std::endl;
    else
        os << handle.high() << _T(", ") << handle.low() << std::endl;
}
