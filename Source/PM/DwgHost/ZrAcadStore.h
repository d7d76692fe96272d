// The look-up of the two-level store that tells every host status. The store's
// GetObjectId answers a failed look-up as it answers a missing entry (a null
// id), as its callers expect; the module's checks that must not take a failure
// for an absence use this one.
#pragma once

#include <afx.h>
#include <dbmain.h>

namespace ZrAcadStore
{
// eOk with the entry's id; eKeyNotFound when the drawing holds no such entry
// (or no such sub-dictionary); else the status of the lookup that failed.
Acad::ErrorStatus FindEntry(const CString& dict, const CString& key, AcDbObjectId& id);
} // namespace ZrAcadStore
