// The time record as the raw-bytes item of a DWG filer.
#pragma once

#include <afx.h>

#include "PmTimeRecord.h"

class AcDbDwgFiler;

namespace PmTimeRecord
{
// Writes the record of the time, and reads one back; a record the filer
// cannot deliver reads as time 0.
void Write(AcDbDwgFiler* filer, const CTime& time);
CTime Read(AcDbDwgFiler* filer);
} // namespace PmTimeRecord
