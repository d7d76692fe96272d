// A segment of a simulation kept in a MicroStation model: the model's segment
// with the record operations of the simulation stream.
#pragma once

#include "PmExport.h"
#include "PmSegment200.h"

class PM_EXPORT CPmMstnSegment : public CPmSegment200
{
public:
    CPmMstnSegment();
    explicit CPmMstnSegment(const CPmSegment200& source);
    explicit CPmMstnSegment(const CPmSegment& legacy);
    ~CPmMstnSegment() override;

    using CPmSegment200::Load;
    using CPmSegment200::Save;
    // The part, then the positions chunk: the count and per position pt, the
    // three Euler angles of its transform and tpt.
    void Save(CZrMstnObject* record) const override;
    // Reads the part and the positions; a positions chunk too short for its
    // count sets the store's error flag and no position is read.
    void Load(CZrMstnObject* record) override;
};
