// A part of a simulation stored in a drawing: name, offset, block, sub-parts.
#pragma once

#include "PmPart.h"

class PM_EXPORT CPmAcadPart : public CPmPart
{
public:
    CPmAcadPart() = default;
    CPmAcadPart(const CPmPart& source) : CPmPart(source) {}
    CPmAcadPart(const CPmAcadPart& source) : CPmPart(source) {}

    using CPmPart::Load;
    using CPmPart::Save;
    void Save(AcDbDwgFiler* filer) const override;
    void Load(AcDbDwgFiler* filer) override;
};
