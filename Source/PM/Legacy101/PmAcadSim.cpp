#include "PmAcadSim.h"

#include <memory>
#include <new>

#include <rxdict.h>
#include <rxregsvc.h>

#include "PmModelAlgorithms.h"
#include "PmDbxFactory.h"
#include "PmSimList.h"

AcRxClass* CPmAcadSim::gpDesc = nullptr;

namespace
{
const ACHAR kClassName[] = L"CPmAcadSim";

// The class registered under the name in the host's class dictionary.
AcRxClass* RegisteredClass()
{
    AcRxDictionary* registry = acrxSysRegistry();
    if (!registry)
        return nullptr;
    AcRxDictionary* classes = AcRxDictionary::cast(registry->at(ACRX_CLASS_DICTIONARY));
    if (!classes)
        return nullptr;
    return AcRxClass::cast(classes->at(kClassName));
}

// Stores a listed simulation again under its own name, without its id.
void StoreWithoutId(CPmSim& other)
{
    CPmAcadSim* stored = PmLegacySimOf(&other);
    if (!stored)
        return;
    other.SetId(0);
    CZrAcadObject::Save(kPmLegacySimDictionary, *other.Name(), stored);
}
} // namespace

CPmAcadSim* PmNewLegacySim(const CPmSim* source)
{
    void* memory = AcHeapOperators::allocRawMem(sizeof(CPmAcadSim));
    if (!memory)
        return nullptr;
    try
    {
        return source ? new (memory) CPmAcadSim(*source) : new (memory) CPmAcadSim;
    }
    catch (...)
    {
        AcHeapOperators::freeRawMem(memory);
        throw;
    }
}

AcRxObject* CreateAcadSim()
{
    return PmNewLegacySim();
}

AcRxClass* CPmAcadSim::desc()
{
    if (!gpDesc)
        gpDesc = RegisteredClass();
    return gpDesc;
}

CPmAcadSim* CPmAcadSim::cast(const AcRxObject* object)
{
    if (!object || !object->isKindOf(desc()))
        return nullptr;
    return static_cast<CPmAcadSim*>(const_cast<AcRxObject*>(object));
}

AcRxClass* CPmAcadSim::isA() const
{
    return desc();
}

void CPmAcadSim::rxInit()
{
    rxInit(nullptr);
}

void CPmAcadSim::rxInit(AppNameChangeFuncPtr appNameChange)
{
    if (gpDesc)
    {
        if (AcRxClass* registered = RegisteredClass())
        {
            if (registered == gpDesc)
                return;
            acrx_abort(L"Class mismatch");
        }
    }
    gpDesc = newAcRxClass(kClassName, L"AcDbObject", PM_DWG_VERSION, PM_DWG_MAINT, 1, &CreateAcadSim,
                          L"CPMACADSIM", PmLegacyRegistrationText(), appNameChange);
}

CPmAcadSim::CPmAcadSim() = default;
CPmAcadSim::CPmAcadSim(const CPmSim& sim) : CZrAcadObject(), CPmSim(sim) {}
CPmAcadSim::CPmAcadSim(const CPmAcadSim& source) : CZrAcadObject(source), CPmSim(source) {}

CPmAcadSim::~CPmAcadSim() = default;

CPmSim* CPmAcadSim::Load(const CString& name)
{
    const AcDbObjectId id = CZrAcadObject::GetObjectId(kPmLegacySimDictionary, name);
    if (id.isNull())
        return nullptr;
    AcDbObject* opened = nullptr;
    if (acdbOpenAcDbObject(opened, id, desc(), AcDb::kForRead, false) != Acad::eOk)
        return nullptr;
    CPmAcadSim* sim = cast(opened);
    sim->SetName(name);  // the name is the key, not part of the record
    return sim;
}

int CPmAcadSim::Save()
{
    // Ids stay unique: every other stored simulation with this id loses it.
    std::unique_ptr<CPmSimList> stored(CPmDbxFactory::LoadSimList(true));
    PmModel::ClearDuplicateIds(stored.get(), *this, StoreWithoutId);
    stored.reset();
    return CZrAcadObject::Save(kPmLegacySimDictionary, *Name(), this);
}

int CPmAcadSim::Update()
{
    return Save();
}

int CPmAcadSim::Close()
{
    return close();
}

int CPmAcadSim::Delete()
{
    const int blocks = CPmSim::Delete();
    return blocks + CZrAcadObject::Delete(kPmLegacySimDictionary, *Name());
}
