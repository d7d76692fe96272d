// An owning list of simulations with lookup by index and by name. Each host
// derives the class that fills it from the drawing.
#pragma once

#include <vector>

#include <afx.h>

#include "PmExport.h"

class CPmSim200;

class PM_EXPORT CPmSimList200
{
public:
    CPmSimList200();
    CPmSimList200(const CPmSimList200&) = delete;
    CPmSimList200& operator=(const CPmSimList200&) = delete;
    // Gives every simulation back to the factory, in list order.
    virtual ~CPmSimList200();

    virtual int Load(bool keepAll, bool saveUpgraded) = 0;

    int Size() const;
    // Takes the simulation, also when it cannot hold it (it is then given
    // back to the factory); null is ignored.
    void Add(CPmSim200* sim);
    CPmSim200* Sim(int index) const;
    // The first simulation whose name matches, ignoring case.
    CPmSim200* Sim(const CString& name) const;
    int Index(const CString& name) const;
    // Sum of every simulation's Update status.
    int Save();
    void ResetUse();
    // Marks every simulation whose name matches exactly, case included.
    void SetSimInUse(const CString& name);
    void DebugPrint() const;

protected:
    std::vector<CPmSim200*> m_sims;
    CStringArray m_names;
};
