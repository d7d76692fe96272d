// A segment of a simulation stored in a drawing: its part, then its positions.
#pragma once

#include "PmSegment200.h"

class PM_EXPORT CPmAcadSegment200 : public CPmSegment200
{
public:
    CPmAcadSegment200();
    CPmAcadSegment200(const CPmSegment200& source);
    CPmAcadSegment200(const CPmAcadSegment200& source);
    explicit CPmAcadSegment200(const CPmSegment& legacy);
    CPmAcadSegment200& operator=(const CPmAcadSegment200&);

    using CPmSegment200::Load;
    using CPmSegment200::Save;
    void Save(AcDbDwgFiler* filer) const override;
    void Load(AcDbDwgFiler* filer) override;
};
