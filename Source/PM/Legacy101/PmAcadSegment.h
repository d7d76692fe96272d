// A format 101 segment stored in a drawing: its part, then its positions.
#pragma once

#include "PmExport.h"
#include "PmSegment.h"

class PM_EXPORT CPmAcadSegment : public CPmSegment
{
public:
    CPmAcadSegment() = default;
    CPmAcadSegment(const CPmSegment& source) : CPmSegment(source) {}
    CPmAcadSegment(const CPmAcadSegment& source) : CPmSegment(source) {}

    using CPmSegment::Load;
    using CPmSegment::Save;
    void Save(AcDbDwgFiler* filer) override;
    void Load(AcDbDwgFiler* filer) override;
};
