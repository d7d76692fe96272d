#include "PmAcadSim.h"

#include <memory>
#include <new>

#include "PmDbxFactory.h"
#include "PmHeldSim.h"
#include "PmModelAlgorithms.h"
#include "PmModuleEntry.h"
#include "PmPartDepth.h"
#include "PmRxClass.h"
#include "PmSection.h"
#include "PmSegment.h"
#include "PmSimList.h"

namespace
{
PmRxClass::Definition ClassDefinition()
{
    return {L"CPmAcadSim", L"CPMACADSIM", &CreateAcadSim, PmModuleEntry::RegistrationText(), nullptr};
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
        // The global placement new: the host's heap operators offer none of their own.
        return source ? ::new (memory) CPmAcadSim(*source) : ::new (memory) CPmAcadSim;
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

PM_RX_DEFINE_MEMBERS(CPmAcadSim, ClassDefinition())

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
    PmHeld::OpenSim sim(cast(opened));
    sim->SetName(name);  // the name is the key, not part of the record
    return sim.release();
}

int CPmAcadSim::Save()
{
    // A part tree deeper than the record's reader takes is not stored.
    if (!PmPartDepth::SimFits(*this))
        return -1;
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
