// A format 101 section stored in a drawing: writes and reads its part of the
// simulation's record, and places a new segment's blocks.
#pragma once

#include "PmExport.h"
#include "PmSection.h"

class PM_EXPORT CPmAcadSection : public CPmSection
{
public:
    CPmAcadSection();
    CPmAcadSection(const CPmSection& source);
    CPmAcadSection(const CPmAcadSection& source);

    // Moves the blocks of the segment's part (and of its direct sub-parts) to
    // the segment's first position, then appends the segment.
    void AddSegment(CPmSegment* segment) override;

    using CPmSection::Load;
    using CPmSection::Save;
    void Save(AcDbDwgFiler* filer) override;
    void Load(AcDbDwgFiler* filer) override;
};
