// A simulation that is also an object of the drawing: stored in the
// sub-dictionary "QD_SIM" under the simulation's name, filed through the host's
// DWG filer, and made by the host through the class registered at start-up.
#pragma once

#include <afx.h>
#include <rxclass.h>

#include "PmExport.h"
#include "PmSim200.h"
#include "ZrAcadObject.h"

class CPmSim;

// The sub-dictionary of the named objects dictionary that holds the simulations.
inline const TCHAR kPmSimDictionary[] = _T("QD_SIM");

class PM_EXPORT CPmAcadSim200 : public CZrAcadObject, public CPmSim200
{
public:
    // The registered class; null until registration or the first lookup finds it.
    static AcRxClass* gpDesc;

    static AcRxClass* desc();
    static CPmAcadSim200* cast(const AcRxObject* object);
    AcRxClass* isA() const override;
    // Registers the class with the host once; another class already registered
    // under the name after this one ends the host ("Class mismatch").
    static void rxInit();
    static void rxInit(AppNameChangeFuncPtr appNameChange);
#if defined(PM_HOST_BRX)
    // The host's implementation object for an object of this class.
    static AcRxObject* createOdObjectImp();
#endif

    CPmAcadSim200();
    // A detached object holding a deep copy of the simulation.
    explicit CPmAcadSim200(const CPmSim200& sim);
    // A detached object holding the simulation converted from format 101.
    explicit CPmAcadSim200(const CPmSim& legacy);
    CPmAcadSim200(const CPmAcadSim200&);
    CPmAcadSim200& operator=(const CPmAcadSim200&);
    ~CPmAcadSim200() override;

    // The simulation's name, not the host object's.
    using CPmSim200::Name;

    // The stored current simulation of that name, open for read and named with
    // it; null when there is none. The caller ends it with Close.
    static CPmSim200* Load(const CString& name);

    // Stores the simulation under its name; another stored simulation carrying
    // the same id is stored again with id 0. -1 for a simulation not current.
    int Save() override;
    int Update() override;
    int Close() override;
    // Removes the blocks from the drawing and the stored entry; the object stays.
    int Delete() override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
};

// The drawing object a simulation handed out by the factory is part of; null
// for a simulation of another class.
inline CPmAcadSim200* PmAcadSimOf(CPmSim200* sim)
{
    return dynamic_cast<CPmAcadSim200*>(sim);
}

// The pseudo-constructor the class is registered with: an empty simulation on the host heap.
AcRxObject* CreateAcadSim();
