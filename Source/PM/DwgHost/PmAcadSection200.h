// A section of a simulation stored in a drawing: writes and reads its part of
// the simulation's filer record, and places a new segment's blocks.
#pragma once

#include "PmSection200.h"

class PM_EXPORT CPmAcadSection200 : public CPmSection200
{
public:
    CPmAcadSection200();
    CPmAcadSection200(const CPmSection200& source);
    CPmAcadSection200(const CPmAcadSection200& source);
    explicit CPmAcadSection200(const CPmSection& legacy);
    CPmAcadSection200& operator=(const CPmAcadSection200&);

    // Moves the blocks of the segment's part (and of its direct sub-parts) to
    // the segment's first position, then appends the segment.
    void AddSegment(CPmSegment200* segment) override;

    using CPmSection200::Load;
    using CPmSection200::Save;
    void Save(AcDbDwgFiler* filer) const override;
    void Load(AcDbDwgFiler* filer) override;
};
