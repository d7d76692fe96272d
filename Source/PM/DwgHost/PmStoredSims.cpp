#include "PmStoredSims.h"

#include <cwchar>

#include <dbapserv.h>
#include <dbents.h>

#include "PmDbxFactory200.h"
#include "PmLegacyBinding.h"
#include "PmSim.h"
#include "PmSimList200.h"
#include "ZrAcadStore.h"

namespace
{
struct SimGiver
{
    void operator()(CPmSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};

// Keeps the first failure seen.
void Note(int& hostFailure, int status)
{
    if (hostFailure == 0)
        hostFailure = status;
}

// False when the id names an object of the drawing that does not open as a
// block reference (erased, or of another kind). An id that names nothing
// (0 among them) keeps the simulation. An open that fails otherwise drops it
// too, and is noted.
bool NamesLiveBlockOrNothing(AcDbDatabase* database, PmSimId id, int& hostFailure)
{
    AcDbObjectId objectId;
    if (database->getAcDbObjectId(objectId, false, AcDbHandle(id)) != Acad::eOk)
        return true;
    AcDbObject* reference = nullptr;
    const Acad::ErrorStatus opened =
        acdbOpenAcDbObject(reference, objectId, AcDbBlockReference::desc(), AcDb::kForRead, false);
    if (opened == Acad::eOk)
    {
        reference->close();
        return true;
    }
    if (opened != Acad::eWasErased && opened != Acad::eNotThatKindOfClass && opened != Acad::ePermanentlyErased)
        Note(hostFailure, opened);
    return false;
}

// The id of the simulation dictionary's entry of that name; false when there is
// none, or when the look fails, which is noted.
bool FindSimEntry(const CString& name, AcDbObjectId& id, int& hostFailure)
{
    const Acad::ErrorStatus found = ZrAcadStore::FindEntry(kPmSimDictionary, name, id);
    if (found == Acad::eOk)
        return true;
    if (found != Acad::eKeyNotFound)
        Note(hostFailure, found);
    return false;
}

#if defined(PM_BINDS_FORMAT101)
// Whether the entry holds an object of the format 101 class, which the format
// 101 module reads unless a host call fails on the way; a failure of this look
// is noted too.
bool HoldsLegacyObject(const CString& name, int& hostFailure)
{
    AcDbObjectId id;
    if (!FindSimEntry(name, id, hostFailure))
        return false;
    AcDbObject* object = nullptr;
    const Acad::ErrorStatus opened = acdbOpenAcDbObject(object, id, AcDb::kForRead, false);
    if (opened != Acad::eOk)
    {
        Note(hostFailure, opened);
        return false;
    }
    const AcRxClass* cls = object->isA();
    const bool legacy = cls && cls->name() && std::wcscmp(cls->name(), PmLegacy::kSimClassName) == 0;
    object->close();
    return legacy;
}
#endif
} // namespace

void PmStoredSims::Releaser::operator()(CPmAcadSim200* sim) const
{
    if (sim->objectId().isNull())
        delete sim;
    else
        sim->Close();
}

CPmAcadSim200* PmStoredSims::OpenStored(const CString& name, int& hostFailure)
{
    AcDbObjectId id;
    if (!FindSimEntry(name, id, hostFailure))
        return nullptr;
    AcDbObject* opened = nullptr;
    const Acad::ErrorStatus status = acdbOpenAcDbObject(opened, id, CPmAcadSim200::desc(), AcDb::kForRead, false);
    if (status != Acad::eOk)
    {
        // An entry of another class (a format 101 simulation among them) holds no current simulation.
        if (status != Acad::eNotThatKindOfClass)
            Note(hostFailure, status);
        return nullptr;
    }
    Held sim(CPmAcadSim200::cast(opened));
    if (!sim)
    {
        opened->close();
        return nullptr;
    }
    if (!sim->IsCurVersion())
        return nullptr;
    sim->SetName(name);
    return sim.release();
}

CPmAcadSim200* PmStoredSims::LoadLegacy(const CString& name)
{
#if defined(PM_BINDS_FORMAT101)
    std::unique_ptr<CPmSim> legacy(PmLegacy::LoadSim(name));
    if (!legacy)
        return nullptr;
    std::unique_ptr<CPmAcadSim200> converted(new CPmAcadSim200(*legacy));
    converted->SetName(name);
    return converted.release();
#else
    static_cast<void>(name);
    return nullptr;
#endif
}

CPmSim200* PmStoredSims::LoadSim(const CString& name, int& hostFailure)
{
    int failure = 0;
    Held found(OpenStored(name, failure));
    if (failure != 0)
    {
        Note(hostFailure, failure);
        return nullptr;
    }
    if (!found)
    {
        found.reset(LoadLegacy(name));
        if (!found)
        {
#if defined(PM_BINDS_FORMAT101)
            // The format 101 module answers nothing also when a host call failed.
            if (HoldsLegacyObject(name, hostFailure))
                Note(hostFailure, Acad::eDwgObjectImproperlyRead);
#endif
            return nullptr;
        }
        found->SetIsCurVersion(false);
    }
    std::unique_ptr<CPmAcadSim200> copy(new CPmAcadSim200(static_cast<const CPmSim200&>(*found)));
    found.reset();  // ends the open first: the copy is freed if that throws
    return copy.release();
}

int PmStoredSims::Load(CPmSimList200& list, CStringArray& names, bool keepAll, bool saveUpgraded, int& hostFailure)
{
    hostFailure = 0;
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    int failure = 0;
    int status = ZrAcadStore::ReadNames(kPmSimDictionary, names, failure);
    Note(hostFailure, failure);
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        const CString key = names.GetAt(i);
        failure = 0;
        std::unique_ptr<CPmSim200, SimGiver> sim(LoadSim(key, failure));
        Note(hostFailure, failure);
        if (!sim)
        {
            --status;
            continue;
        }
        if (saveUpgraded && !sim->IsCurVersion())
        {
            // Current only once the drawing holds it in format 200: a store that
            // failed leaves the format 101 object, and the copy says so.
            if (CPmAcadSim200* converted = PmAcadSimOf(sim.get()))
            {
                CZrAcadObject::Save(kPmSimDictionary, key, converted);
                if (!converted->objectId().isNull())
                    sim->SetIsCurVersion(true);
            }
        }
        if (keepAll || NamesLiveBlockOrNothing(database, sim->Id(), hostFailure))
        {
            sim->SetName(key);
            list.Add(sim.get());
            sim.release();
        }
    }
    return status;
}
