// A simulation kept in a MicroStation model as a record of kind 1000, found
// again by its name on every save, update and delete.
#pragma once

#include "PmExport.h"
#include "PmSim200.h"

class PM_EXPORT CPmMstnSim200 : public CPmSim200
{
public:
    CPmMstnSim200();
    explicit CPmMstnSim200(const CPmSim200& source);
    CPmMstnSim200(const CPmMstnSim200& source);
    CPmMstnSim200& operator=(const CPmMstnSim200& source) = default;
    ~CPmMstnSim200() override;

    // Replaces the record of the simulation's name: 0, or -1 with nothing
    // written for an empty name (which would name another simulation's record)
    // or a simulation that cannot be stored. When the old record cannot be
    // deleted (the host refuses, or the model cannot be searched), the new one
    // is taken back, the old one stays and the failure's status is returned.
    int Save() override;
    int Update() override;
    // The host keeps no open object for a simulation: nothing to close.
    int Close() override;
    // Removes the parts' blocks and the record: the sum of both statuses, -1
    // without a record. An empty name is refused with -1 and nothing removed.
    int Delete() override;
};
