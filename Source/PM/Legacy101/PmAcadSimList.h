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
    // number of keys whose simulation did not load.
    int Load(bool keepAll) override;
};

// True when the id is the handle of a block reference of the working drawing
// that opens for read (not erased, of that class).
bool PmNamesLiveBlockReference(PmSimId id);
