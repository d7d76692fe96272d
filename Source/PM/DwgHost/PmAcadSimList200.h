// The simulations stored in the current drawing, as a list of detached copies.
#pragma once

#include "PmExport.h"
#include "PmSimList200.h"

class PM_EXPORT CPmAcadSimList200 : public CPmSimList200
{
public:
    CPmAcadSimList200();
    ~CPmAcadSimList200() override;

    // Appends the simulations stored under the keys of "QD_SIM". With saveUpgraded,
    // simulations converted from format 101 are first stored again in format 200;
    // without keepAll, one whose id names a drawing object that is not a live
    // block reference is left out. Answers the status of reading the keys minus
    // the number of keys whose simulation did not load.
    int Load(bool keepAll, bool saveUpgraded) override;
};
