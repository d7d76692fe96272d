// The format 101 owning list of simulations; the module's DWG class fills it.
#pragma once

#include <vector>

#include <afx.h>

#include "PmExport.h"

class CPmSim;

class PM_EXPORT CPmSimList
{
public:
    CPmSimList();
    CPmSimList(const CPmSimList&) = delete;
    CPmSimList& operator=(const CPmSimList&) = delete;
    // Gives every simulation back to the factory, in list order.
    virtual ~CPmSimList();

    virtual int Load(bool keepAll) = 0;

    int Size() const;
    // Takes the simulation, also when it cannot hold it (it is then given
    // back to the factory); null is ignored.
    void Add(CPmSim* sim);
    CPmSim* Sim(int index) const;
    // The first simulation whose name matches, ignoring case.
    CPmSim* Sim(const CString& name) const;
    int Index(const CString& name) const;
    int Save();
    void ResetUse();
    // Marks every simulation whose name matches exactly, case included.
    void SetSimInUse(const CString& name);
    void DebugPrint() const;

protected:
    std::vector<CPmSim*> m_sims;
    CStringArray m_names;
};
