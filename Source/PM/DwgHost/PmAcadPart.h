// A part of a simulation stored in a drawing: name, offset, block, sub-parts.
#pragma once

#include "PmPart.h"

class PM_EXPORT CPmAcadPart : public CPmPart
{
public:
    CPmAcadPart();
    CPmAcadPart(const CPmPart& source);
    CPmAcadPart(const CPmAcadPart& source);

    using CPmPart::Load;
    using CPmPart::Save;
    void Save(AcDbDwgFiler* filer) const override;
    void Load(AcDbDwgFiler* filer) override;

private:
    // Reads a part that many levels down the tree (the segment's part is level 1).
    PM_NO_EXPORT void LoadTree(AcDbDwgFiler* filer, int depth);
};
