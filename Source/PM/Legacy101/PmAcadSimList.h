// The format 101 simulations stored in the current drawing, as a list of detached copies.
#pragma once

#include "PmExport.h"
#include "PmHostTypes.h"
#include "PmSimList.h"

class PM_EXPORT CPmAcadSimList : public CPmSimList
{
public:
    CPmAcadSimList();
    ~CPmAcadSimList() override;

    // Appends the simulations stored under the keys of "QD_SIM". Without
    // keepAll, one whose id does not lead to a live block reference of the
    // drawing is left out. Answers the status of reading the keys minus the
    // number of keys whose simulation did not load or whose block reference
    // could not be looked at.
    int Load(bool keepAll) override;
};

// What the id names in the working drawing: a block reference that opens for
// read or that others hold open; nothing of the kind (no object of that
// handle, erased, or of another class); or unknown, when the host refused to
// tell (the lookup or the open failed otherwise).
enum class PmBlockReference
{
    Live,
    Gone,
    Unknown
};
PmBlockReference PmBlockReferenceOf(PmSimId id);
