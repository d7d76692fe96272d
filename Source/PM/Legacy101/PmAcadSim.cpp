#include "PmAcadSim.h"

#include <memory>
#include <new>

#include "PmDbxFactory.h"
#include "PmHeldSim.h"
#include "PmModuleEntry.h"
#include "PmPartDepth.h"
#include "PmRxClass.h"
#include "PmSection.h"
#include "PmSegment.h"
#include "ZrAcadStore.h"

namespace
{
PmRxClass::Definition ClassDefinition()
{
    return {L"CPmAcadSim", L"CPMACADSIM", &CreateAcadSim, PmModuleEntry::RegistrationText(), nullptr};
}

// Opens the simulation stored under the key for read. An entry of another
// kind (a format 200 object, a proxy) answers eNotThatKindOfClass.
Acad::ErrorStatus OpenStored(const CString& key, PmHeld::OpenSim& sim)
{
    AcDbObjectId id;
    const Acad::ErrorStatus found = ZrAcadStore::FindEntry(kPmLegacySimDictionary, key, id);
    if (found != Acad::eOk)
        return found;
    AcDbObject* opened = nullptr;
    const Acad::ErrorStatus status = acdbOpenAcDbObject(opened, id, CPmAcadSim::desc(), AcDb::kForRead, false);
    if (status == Acad::eOk)
        sim.reset(CPmAcadSim::cast(opened));
    return status;
}

// Stores again under its own name, without the id, every other stored
// simulation that carries the simulation's id (names compared case-sensitively).
// 0 once none does; else the status of the first failure, reading the stored
// simulations or storing one of them.
int ClearDuplicateIds(const CPmAcadSim& sim)
{
    CStringArray names;
    int hostFailure = 0;
    ZrAcadStore::ReadNames(kPmLegacySimDictionary, names, hostFailure);
    if (hostFailure != 0)
        return hostFailure;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        const CString key = names.GetAt(i);
        if (key.Compare(*sim.Name()) == 0)
            continue;  // the entry this simulation replaces
        PmHeld::OpenSim stored;
        const Acad::ErrorStatus opened = OpenStored(key, stored);
        if (opened == Acad::eNotThatKindOfClass || opened == Acad::eKeyNotFound)
            continue;  // holds no simulation of this module
        if (opened != Acad::eOk)
            return opened;
        if (stored->Id() != sim.Id())
            continue;
        PmHeld::OwnedSim copy(CPmDbxFactory::CopySim(*stored));
        stored.reset();
        if (!copy)
            return Acad::eOutOfMemory;
        copy->SetName(key);
        copy->SetId(0);
        const int status = CZrAcadObject::Save(kPmLegacySimDictionary, key, PmLegacySimOf(copy.get()));
        if (status != 0)
            return status;
        copy.release();  // the drawing's now
    }
    return 0;
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
    // Ids stay unique: every other stored simulation with this id loses it. When
    // that fails, this one is not stored either: its Save would keep no promise.
    const int cleared = ClearDuplicateIds(*this);
    if (cleared != 0)
        return cleared;
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
