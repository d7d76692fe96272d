#include "PmAcadSim.h"

#include <memory>
#include <new>
#include <utility>

#include "PmDbxFactory.h"
#include "PmHeld.h"
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
Acad::ErrorStatus OpenStored(const CString& key, PmHeld::Open<CPmAcadSim>& sim)
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

// Stores the simulation read in place under the key again, without its id: a
// copy takes the place of the stored object, which the store erases. 0 once
// stored; the stored object is closed first either way.
int StoreWithoutId(const CString& key, PmHeld::Open<CPmAcadSim> stored)
{
    PmHeld::Detached<CPmSim, CPmDbxFactory> copy(CPmDbxFactory::CopySim(*stored));
    stored.reset();
    if (!copy)
        return Acad::eOutOfMemory;
    copy->SetName(key);
    copy->SetId(0);
    const int status = CZrAcadObject::Save(kPmLegacySimDictionary, key, PmLegacySimOf(copy.get()));
    if (status == 0)
        copy.release();  // the drawing's now
    return status;
}

// Erases the entry stored under the simulation's name. When that entry is this
// very object and the caller holds it open for write, it is erased in place
// and the open stays the caller's; any other entry is opened for write, erased
// and closed. -1 when there is no entry.
int EraseStoredEntry(CPmAcadSim& sim)
{
    if (!sim.objectId().isNull() && sim.isWriteEnabled())
    {
        AcDbObjectId id;
        if (ZrAcadStore::FindEntry(kPmLegacySimDictionary, *sim.Name(), id) == Acad::eOk && id == sim.objectId())
            return sim.erase(true);
    }
    return CZrAcadObject::Delete(kPmLegacySimDictionary, *sim.Name());
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
    PmHeld::Open<CPmAcadSim> sim(cast(opened));
    sim->SetName(name);  // the name is the key, not part of the record
    return sim.release();
}

int CPmAcadSim::Save()
{
    // A part tree deeper than the record's reader takes is not stored.
    if (!PmPartDepth::SimFits(*this))
        return -1;

    // Ids stay unique: every stored simulation of another name (compared
    // case-sensitively) that carries this id is stored again without it; each
    // is read in place (opened for read, its id read, closed). These refusals
    // fail the Save, which then stores nothing of this simulation:
    // - the stored names cannot be read;
    // - an entry of another name does not open for read (the client holds it
    //   open for write, too many readers): its id is unknown, and storing this
    //   one could break the promise that no other shares its id;
    // - storing a simulation again without the id (one cleared before stays so);
    // - storing this simulation.
    // It goes past this simulation's own entry, which it replaces and never
    // opens (the client may hold it open for write: its edit pattern), entries
    // that hold no simulation of this module, and every block reference and
    // entity of the drawing: the rule reads simulations, not their blocks.
    CStringArray names;
    const int listed = CZrAcadObject::GetObjectNames(kPmLegacySimDictionary, &names);
    if (listed != Acad::eOk && listed != Acad::eKeyNotFound)
        return listed;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        const CString key = names.GetAt(i);
        if (key.Compare(*Name()) == 0)
            continue;
        PmHeld::Open<CPmAcadSim> stored;
        const Acad::ErrorStatus opened = OpenStored(key, stored);
        if (opened == Acad::eNotThatKindOfClass || opened == Acad::eKeyNotFound)
            continue;
        if (opened != Acad::eOk)
            return opened;
        if (stored->Id() != Id())
            continue;
        const int cleared = StoreWithoutId(key, std::move(stored));
        if (cleared != 0)
            return cleared;
    }
    return CZrAcadObject::Save(kPmLegacySimDictionary, *Name(), this);
}

int CPmAcadSim::Update()
{
    // Stored again through Save, so the refusals of Save fail it and no others:
    // the caller holding this simulation open for write (opened, changed, then
    // updated) is no refusal, as Save never opens its own entry.
    return Save();
}

int CPmAcadSim::Close()
{
    return close();
}

int CPmAcadSim::Delete()
{
    // The entry goes first, and the blocks only once no entry is left to show
    // them. These refusals fail the Delete: the entry's lookup, its open for
    // write (another holds it open) and its erase, which leave the stored
    // simulation whole with its blocks; then a block that is not removed, whose
    // status is added to the result (the entry is gone by then). It goes past
    // the caller's own open: the stored object itself, held open for write by
    // the caller, is erased in place. A simulation never stored answers -1 plus
    // the statuses of removing its blocks.
    const int entry = EraseStoredEntry(*this);
    if (entry != Acad::eOk && entry != -1)
        return entry;
    return CPmSim::Delete() + entry;
}
