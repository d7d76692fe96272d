// The simulations of the active model: one per kind-1000 record header.
#pragma once

#include "PmExport.h"
#include "PmSimList200.h"

class PM_EXPORT CPmMstnSimList200 : public CPmSimList200
{
public:
    CPmMstnSimList200();
    ~CPmMstnSimList200() override;

    // Lists the record names, then loads each. With upgrade, a simulation that
    // is not of the current version is saved first; without keepAll, only
    // simulations whose id names an element of the model are listed. Returns
    // the status of the name enumeration.
    int Load(bool keepAll, bool upgrade) override;
};
