#include "PmAcadSim200.h"

#include <dbapserv.h>
#include <dbfiler.h>
#if defined(PM_HOST_BRX)
#include <brxheaders.h>
#endif

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

// The keys of the other stored simulations that carry the simulation's id
// (names compared case-sensitively, ids as 64-bit values) and whose id names no
// gone block, read in place. 0 with the keys; else the refusal that left an id
// unknown.
int KeysSharingTheId(const CPmAcadSim200& sim, CStringArray& sharing)
{
    // A drawing without the dictionary holds no other simulation.
    CStringArray names;
    const int listed = CZrAcadObject::GetObjectNames(kPmSimDictionary, &names);
    if (listed != Acad::eOk && listed != Acad::eKeyNotFound)
        return listed;
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        const CString key = names.GetAt(i);
        // Its own entry, which the store replaces: the caller may hold it open for write.
        if (key.Compare(*sim.Name()) == 0)
            continue;
        const PmStoredSims::Entry stored = PmStoredSims::Read(key);
        if (stored.status != Acad::eOk)
            return stored.status;
        if (stored.Sim() && stored.Sim()->Id() == sim.Id())
            sharing.Add(key);
    }
    // Every key found carries the same id: one look tells whether it names a gone block.
    if (sharing.GetSize() > 0 && PmStoredSims::NamesGoneBlock(database, sim.Id()))
        sharing.RemoveAll();
    return 0;
}

// Stores the simulation of the key again without its id: a copy of it, named
// with the key. One converted from format 101 is written as a format 200
// record, so it is current from then on, as the upgrade paths mark what they
// write back.
int StoreWithoutId(const CString& key)
{
    PmStoredSims::Entry stored = PmStoredSims::Read(key);
    if (stored.status != Acad::eOk)
        return stored.status;
    if (!stored.Sim())
        return 0;
    PmHeld::Detached<CPmAcadSim200, CPmDbxFactory200> copy(
        new CPmAcadSim200(static_cast<const CPmSim200&>(*stored.Sim())));
    stored.End();
    copy->SetName(key);
    copy->SetId(0);
    copy->SetIsCurVersion(true);
    const int status = CZrAcadObject::Save(kPmSimDictionary, key, copy.get());
    if (!copy->objectId().isNull())
        copy.release();  // the drawing's now, and closed
    return status;
}

// Stores again without the id every other stored simulation that carries the
// simulation's id. 0 once none does; else the status of the first failure.
// Fails it: keys or another simulation's entry that cannot be read (its id is
// unknown, so the rule could not be kept), and a refused store of one that
// loses its id. Goes past: the simulation's own entry, and a block reference
// that is held open (the rule reads the simulations, not their blocks). Every
// id is read before any simulation is stored again, so that a refused read
// changes nothing.
int ClearDuplicateIds(const CPmAcadSim200& sim)
{
    CStringArray sharing;
    const int read = KeysSharingTheId(sim, sharing);
    if (read != 0)
        return read;
    for (INT_PTR i = 0; i < sharing.GetSize(); ++i)
    {
        const int status = StoreWithoutId(sharing.GetAt(i));
        if (status != 0)
            return status;
    }
    return 0;
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
    // Every refusal answers null, as an entry that holds no current simulation does.
    return PmStoredSims::OpenCurrent(name).stored.release();
}

int CPmAcadSim200::Save()
{
    // A part tree deeper than the record's reader takes is not stored.
    if (!IsCurVersion() || !PmPartDepth::SimFits(*this))
        return -1;
    // Ids stay unique: every other stored simulation with this id loses it. When
    // that fails, this one is not stored either: its Save would keep no promise.
    // Then every refusal of the store fails it.
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
    // them: a removal that fails keeps the stored simulation whole. Fails it:
    // every refusal over the entry (its look-up, the open for write, which is
    // refused while anyone holds it open, the erase). A block the host does not
    // remove is added to the answer; the simulation is gone all the same.
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
