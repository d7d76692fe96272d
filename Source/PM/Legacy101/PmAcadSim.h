// A format 101 simulation that is also an object of the drawing: stored in the
// sub-dictionary "QD_SIM" under the simulation's name and filed through the
// host's DWG filer in the format 101 record.
#pragma once

#include <afx.h>
#include <rxclass.h>

#include "PmExport.h"
#include "PmSim.h"
#include "ZrAcadObject.h"

// The sub-dictionary of the named objects dictionary that holds the simulations.
inline const TCHAR kPmLegacySimDictionary[] = _T("QD_SIM");

class PM_EXPORT CPmAcadSim : public CZrAcadObject, public CPmSim
{
public:
    // The registered class; null until registration or the first lookup finds it.
    static AcRxClass* gpDesc;

    static AcRxClass* desc();
    // The object as a CPmAcadSim when its class is this one or derives from it.
    static CPmAcadSim* cast(const AcRxObject* object);
    AcRxClass* isA() const override;
    // Registers the class with the host once; another class registered under
    // the name after this one ends the host ("Class mismatch").
    static void rxInit();
    static void rxInit(AppNameChangeFuncPtr appNameChange);

    CPmAcadSim();
    // A detached object holding a deep copy of the simulation.
    explicit CPmAcadSim(const CPmSim& sim);
    CPmAcadSim(const CPmAcadSim& source);
    CPmAcadSim& operator=(const CPmAcadSim&) = delete;
    ~CPmAcadSim() override;

    // The simulation's name, not the host object's.
    using CPmSim::Name;

    // The stored simulation of that name, open for read and named with it; null
    // when there is none. The caller ends it with Close.
    static CPmSim* Load(const CString& name);

    // Stores the simulation under its name; another stored simulation of
    // another name carrying the same id is stored again with id 0.
    int Save() override;
    int Update() override;
    int Close() override;
    // Removes the stored entry, then the blocks from the drawing; the object stays.
    int Delete() override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
};

// The drawing object a simulation of this module is part of; null for another class.
inline CPmAcadSim* PmLegacySimOf(CPmSim* sim)
{
    return dynamic_cast<CPmAcadSim*>(sim);
}

// A new detached simulation object on the host heap, empty or a deep copy of
// the source; null when the host heap gives no memory.
CPmAcadSim* PmNewLegacySim(const CPmSim* source = nullptr);

// The pseudo-constructor the class is registered with: an empty simulation on
// the host heap, or null when the host heap gives no memory.
AcRxObject* CreateAcadSim();
