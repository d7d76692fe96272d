#include "PmAcadSim200.h"

#include <memory>

#include <dbfiler.h>
#if defined(PM_HOST_BRX)
#include <brxheaders.h>
#endif

#include "PmDbxFactory200.h"
#include "PmModelAlgorithms.h"
#include "PmModuleEntry.h"
#include "PmPartDepth.h"
#include "PmRxClass.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSimList200.h"
#include "PmSimRecord.h"

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
void StoreWithoutId(CPmSim200& other)
{
    CPmAcadSim200* stored = PmAcadSimOf(&other);
    if (!stored)
        return;
    other.SetId(0);
    other.SetIsCurVersion(true);
    CZrAcadObject::Save(kPmSimDictionary, *other.Name(), stored);
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
    const AcDbObjectId id = CZrAcadObject::GetObjectId(kPmSimDictionary, name);
    if (id.isNull())
        return nullptr;
    AcDbObject* opened = nullptr;
    if (acdbOpenAcDbObject(opened, id, desc(), AcDb::kForRead, false) != Acad::eOk)
        return nullptr;
    CPmAcadSim200* sim = cast(opened);
    if (!sim->IsCurVersion())
    {
        sim->close();
        return nullptr;
    }
    sim->SetName(name);
    return sim;
}

int CPmAcadSim200::Save()
{
    // A part tree deeper than the record's reader takes is not stored.
    if (!IsCurVersion() || !PmPartDepth::SimFits(*this))
        return -1;
    // Ids stay unique: every other stored simulation with this id loses it.
    std::unique_ptr<CPmSimList200> stored(CPmDbxFactory200::LoadSimList(false, false));
    PmModel::ClearDuplicateIds(stored.get(), *this, StoreWithoutId);
    stored.reset();
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
