// Lookups of the two-level store that tell every host status. The store's own
// operations answer a failed lookup as they answer a missing entry (a null id,
// an empty array), as their callers expect; the module's checks that must not
// take a failure for an absence use these.
#pragma once

#include <afx.h>
#include <dbmain.h>

namespace ZrAcadStore
{
// eOk with the entry's id; eKeyNotFound when the drawing holds no such entry
// (or no such sub-dictionary); else the status of the lookup that failed.
Acad::ErrorStatus FindEntry(const CString& dict, const CString& key, AcDbObjectId& id);
// GetObjectNames into the array; hostFailure is the status of an open or a
// lookup that failed (0 when none did, and for a missing sub-dictionary),
// which is also the answer.
int ReadNames(const CString& dict, CStringArray& names, int& hostFailure);
} // namespace ZrAcadStore
