// A format 101 segment stored in a drawing: its part, then its positions.
#pragma once

#include "PmExport.h"
#include "PmSegment.h"

class PM_EXPORT CPmAcadSegment : public CPmSegment
{
public:
    CPmAcadSegment();
    CPmAcadSegment(const CPmSegment& source);
    CPmAcadSegment(const CPmAcadSegment& source);

    using CPmSegment::Load;
    using CPmSegment::Save;
    void Save(AcDbDwgFiler* filer) override;
    void Load(AcDbDwgFiler* filer) override;
};
