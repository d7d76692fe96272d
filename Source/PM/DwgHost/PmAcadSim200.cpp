#include "PmAcadSim200.h"

#include <memory>

#include <dbfiler.h>
#include <rxdict.h>
#include <rxregsvc.h>
#if defined(PM_HOST_BRX)
#include <brxheaders.h>
#endif
#if defined(PM_HOST_ZRX)
#include <zrxheaders.h>
#endif

#include "PmModelAlgorithms.h"
#include "PmDbxFactory200.h"
#include "PmSimList200.h"
#include "PmSimRecord.h"

AcRxClass* CPmAcadSim200::gpDesc = nullptr;

namespace
{
const ACHAR kClassName[] = L"CPmAcadSim200";

// The class registered under the name, looked up as this build's SDK does it.
// Every step may answer null (BricsCAD's may; the other hosts' never do).
AcRxClass* RegisteredClass()
{
#if defined(PM_CLASS_LOOKUP_FIND)
    return acrxFindAcRxClass(kClassName);
#else
#if defined(PM_HOST_ZRX)
    AcRxDictionary* registry = zcrxSysRegistry();
#else
    AcRxDictionary* registry = acrxSysRegistry();
#endif
    if (!registry)
        return nullptr;
    AcRxDictionary* classes = AcRxDictionary::cast(registry->at(ACRX_CLASS_DICTIONARY));
    if (!classes)
        return nullptr;
    return AcRxClass::cast(classes->at(kClassName));
#endif
}

[[noreturn]] void AbortClassMismatch()
{
#if defined(PM_HOST_ZRX)
    zcrx_abort(L"");
#else
    acrx_abort(L"Class mismatch");
#endif
}

AcRxClass* RegisterClass(AppNameChangeFuncPtr appNameChange)
{
#if defined(PM_HOST_ZRX)
    return newZcRxClass(kClassName, L"AcDbObject", PM_DWG_VERSION, PM_DWG_MAINT, 1, &CreateAcadSim,
                        L"CPMACADSIM200", PmRegistrationText(), appNameChange);
#elif defined(PM_HOST_BRX)
    // The host makes its implementation object of the class through the hook
    // that is set while the class is registered.
    odrxPseudoConstructorHook = &CPmAcadSim200::createOdObjectImp;
    AcRxClass* registered = newAcRxClass(kClassName, L"AcDbObject", PM_DWG_VERSION, PM_DWG_MAINT, 1,
                                         &CreateAcadSim, L"CPMACADSIM200", PmRegistrationText(), appNameChange);
    odrxPseudoConstructorHook = nullptr;
    return registered;
#else
    return newAcRxClass(kClassName, L"AcDbObject", PM_DWG_VERSION, PM_DWG_MAINT, 1, &CreateAcadSim,
                        L"CPMACADSIM200", PmRegistrationText(), appNameChange);
#endif
}

// Stores a listed simulation again under its own name, without its id.
void StoreWithoutId(CPmSim200& other)
{
    CPmAcadSim200* stored = PmAcadSimOf(&other);
    if (!stored)
        return;
    other.SetId(0);
    CZrAcadObject::Save(kPmSimDictionary, *other.Name(), stored);
}
} // namespace

AcRxObject* CreateAcadSim()
{
    return new CPmAcadSim200;
}

AcRxClass* CPmAcadSim200::desc()
{
    if (!gpDesc)
        gpDesc = RegisteredClass();
    return gpDesc;
}

CPmAcadSim200* CPmAcadSim200::cast(const AcRxObject* object)
{
    if (!object || !object->isA() || !object->isA()->isDerivedFrom(desc()))
        return nullptr;
    return static_cast<CPmAcadSim200*>(const_cast<AcRxObject*>(object));
}

AcRxClass* CPmAcadSim200::isA() const
{
    return desc();
}

void CPmAcadSim200::rxInit()
{
    rxInit(nullptr);
}

void CPmAcadSim200::rxInit(AppNameChangeFuncPtr appNameChange)
{
    if (gpDesc)
    {
        if (AcRxClass* registered = RegisteredClass())
        {
            if (registered == gpDesc)
                return;
            AbortClassMismatch();
        }
    }
    gpDesc = RegisterClass(appNameChange);
}

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
    if (!IsCurVersion())
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
    const int blocks = CPmSim200::Delete();
    return blocks + CZrAcadObject::Delete(kPmSimDictionary, *Name());
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
