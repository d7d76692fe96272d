#include "PmAcadSim200.h"

#include <memory>

#include <dbfiler.h>
#if defined(PM_HOST_BRX)
#include <brxheaders.h>
#endif

#include "PmAcadSimList200.h"
#include "PmModelAlgorithms.h"
#include "PmModuleEntry.h"
#include "PmPartDepth.h"
#include "PmRxClass.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSimRecord.h"
#include "PmStoredSims.h"

namespace
{
const ACHAR kClassName[] = L"CPmAcadSim200";

PmRxClass::Definition ClassDefinition()
{
#if defined(PM_HOST_BRX)
    const AcRxPseudoConstructor implementation = &CPmAcadSim200::createOdObjectImp;
#else
    const AcRxPseudoConstructor implementation = nullptr;
#endif
    return {kClassName, L"CPMACADSIM200", &CreateAcadSim, PmModuleEntry::RegistrationText(), implementation};
}

// Stores a listed simulation again under its own name, without its id. One
// converted from format 101 is written as a format 200 record, so it is
// current from then on, as the upgrade paths mark what they write back.
int StoreWithoutId(CPmSim200& other)
{
    CPmAcadSim200* stored = PmAcadSimOf(&other);
    if (!stored)
        return 0;
    other.SetId(0);
    other.SetIsCurVersion(true);
    return CZrAcadObject::Save(kPmSimDictionary, *other.Name(), stored);
}

// Stores again without the id every other stored simulation that carries the
// simulation's id. 0 once none does; else the status of the first failure,
// reading the stored simulations or storing one of them.
int ClearDuplicateIds(const CPmAcadSim200& sim)
{
    CPmAcadSimList200 stored;
    CStringArray names;
    int failure = 0;
    PmStoredSims::Load(stored, names, false, false, failure);
    if (failure != 0)
        return failure;
    int status = 0;
    PmModel::ClearDuplicateIds(&stored, sim, [&status](CPmSim200& other) {
        if (status == 0)
            status = StoreWithoutId(other);
    });
    return status;
}
} // namespace

AcRxObject* CreateAcadSim()
{
    return new CPmAcadSim200;
}

PM_RX_DEFINE_MEMBERS(CPmAcadSim200, ClassDefinition())

#if defined(PM_HOST_BRX)
AcRxObject* CPmAcadSim200::createOdObjectImp()
{
    return odrxCreateObjectImp(kClassName);
}
#endif

CPmAcadSim200::CPmAcadSim200() = default;
CPmAcadSim200::CPmAcadSim200(const CPmSim200& sim) : CZrAcadObject(), CPmSim200(sim) {}
CPmAcadSim200::CPmAcadSim200(const CPmSim& legacy) : CZrAcadObject(), CPmSim200(legacy) {}
CPmAcadSim200::CPmAcadSim200(const CPmAcadSim200&) = default;
CPmAcadSim200& CPmAcadSim200::operator=(const CPmAcadSim200&) = default;

CPmAcadSim200::~CPmAcadSim200() = default;

CPmSim200* CPmAcadSim200::Load(const CString& name)
{
    int hostFailure = 0;
    return PmStoredSims::OpenStored(name, hostFailure);
}

int CPmAcadSim200::Save()
{
    // A part tree deeper than the record's reader takes is not stored.
    if (!IsCurVersion() || !PmPartDepth::SimFits(*this))
        return -1;
    // Ids stay unique: every other stored simulation with this id loses it. When
    // that fails, this one is not stored either: its Save would keep no promise.
    const int cleared = ClearDuplicateIds(*this);
    if (cleared != 0)
        return cleared;
    return CZrAcadObject::Save(kPmSimDictionary, *Name(), this);
}

int CPmAcadSim200::Update()
{
    return Save();
}

int CPmAcadSim200::Close()
{
    return close();
}

int CPmAcadSim200::Delete()
{
    // The entry goes first, and the blocks only once no entry is left to show
    // them: a removal that fails keeps the stored simulation whole.
    const int entry = CZrAcadObject::Delete(kPmSimDictionary, *Name());
    if (entry != Acad::eOk && entry != -1)
        return entry;
    return CPmSim200::Delete() + entry;
}

Acad::ErrorStatus CPmAcadSim200::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    if (!filer)
        return Acad::eNullObjectPointer;
    AcDbObject::dwgOutFields(filer);
    return PmSimRecord::Write(filer, *this);
}

Acad::ErrorStatus CPmAcadSim200::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    if (!filer)
        return Acad::eNullObjectPointer;
    AcDbObject::dwgInFields(filer);
    return PmSimRecord::Read(filer, *this);
}
