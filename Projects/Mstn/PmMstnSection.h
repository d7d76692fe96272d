// A section of a simulation kept in a MicroStation model: the model's section
// with the record operations of the simulation stream.
#pragma once

#include "PmExport.h"
#include "PmSection200.h"

class PM_EXPORT CPmMstnSection : public CPmSection200
{
public:
    CPmMstnSection();
    explicit CPmMstnSection(const CPmSection200& source);
    explicit CPmMstnSection(const CPmSection& legacy);
    ~CPmMstnSection() override;

    using CPmSection200::Load;
    using CPmSection200::Save;
    // The section chunk (speed, units, segment count), then each segment.
    void Save(CZrMstnObject* record) const override;
    // Reads the section and its segments; a segment that cannot be read is
    // dropped and ends the reading (the store's error flag tells).
    void Load(CZrMstnObject* record) override;
};
