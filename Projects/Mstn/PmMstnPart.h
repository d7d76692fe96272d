// A part kept in a MicroStation model: the model's part with the record
// operations of the simulation stream. Its block is a CZrMstnBlock.
#pragma once

#include "PmExport.h"
#include "PmPart.h"

class PM_EXPORT CPmMstnPart : public CPmPart
{
public:
    CPmMstnPart();
    explicit CPmMstnPart(const CPmPart& source);
    CPmMstnPart(const CPmMstnPart& source);
    ~CPmMstnPart() override;

    using CPmPart::Load;
    using CPmPart::Save;
    // The block chunk, the part chunk (name, offset, sub-part count), then
    // each sub-part, depth first.
    void Save(CZrMstnObject* record) const override;
    // Reads the block (not added to the drawing), name, offset and sub-parts.
    void Load(CZrMstnObject* record) override;

private:
    PM_NO_EXPORT void LoadTree(CZrMstnObject* record, int depth);
};
