#include "PmStoredSims.h"

#include <dbents.h>
#include <rxdict.h>

#include "PmLegacyBinding.h"
#include "PmSim.h"
#include "ZrAcadStore.h"

namespace
{
#if defined(PM_BINDS_FORMAT101)
// eOk when the entry holds no object of the format 101 class, eNotThatKindOfClass
// when it holds one; else the refusal of the look. The open names the class, so
// an object of another class is told apart without being opened: one that a
// client holds open is no simulation, and no reason to refuse.
Acad::ErrorStatus LookForLegacyObject(const CString& name)
{
    AcDbObjectId id;
    const Acad::ErrorStatus found = ZrAcadStore::FindEntry(kPmSimDictionary, name, id);
    if (found != Acad::eOk)
        return found == Acad::eKeyNotFound ? Acad::eOk : found;
    AcRxDictionary* classes = acrxClassDictionary;
    const AcRxClass* legacyClass = classes ? AcRxClass::cast(classes->at(PmLegacy::kSimClassName)) : nullptr;
    if (!legacyClass)
        return Acad::eOk;  // a class the host does not know has no object in the drawing
    AcDbObject* object = nullptr;
    const Acad::ErrorStatus opened = acdbOpenAcDbObject(object, id, legacyClass, AcDb::kForRead, false);
    if (opened == Acad::eNotThatKindOfClass)
        return Acad::eOk;
    if (opened != Acad::eOk)
        return opened;
    object->close();
    return Acad::eNotThatKindOfClass;
}
#endif
} // namespace

PmStoredSims::Entry PmStoredSims::OpenCurrent(const CString& name)
{
    Entry entry;
    AcDbObjectId id;
    const Acad::ErrorStatus found = ZrAcadStore::FindEntry(kPmSimDictionary, name, id);
    if (found != Acad::eOk)
    {
        entry.status = found == Acad::eKeyNotFound ? Acad::eOk : found;
        return entry;
    }
    AcDbObject* opened = nullptr;
    const Acad::ErrorStatus status = acdbOpenAcDbObject(opened, id, CPmAcadSim200::desc(), AcDb::kForRead, false);
    if (status != Acad::eOk)
    {
        // An entry of another class (a format 101 simulation among them) holds no current simulation.
        entry.status = status == Acad::eNotThatKindOfClass ? Acad::eOk : status;
        return entry;
    }
    PmHeld::Open<CPmAcadSim200> sim(CPmAcadSim200::cast(opened));
    if (!sim)
    {
        opened->close();
        return entry;
    }
    if (!sim->IsCurVersion())
        return entry;
    sim->SetName(name);
    entry.stored = std::move(sim);
    return entry;
}

PmStoredSims::Entry PmStoredSims::Read(const CString& name)
{
    Entry entry = OpenCurrent(name);
    if (entry.status != Acad::eOk || entry.stored)
        return entry;
    entry.converted.reset(LoadLegacy(name));
    if (entry.converted)
    {
        entry.converted->SetIsCurVersion(false);
        return entry;
    }
#if defined(PM_BINDS_FORMAT101)
    // The format 101 module answers nothing also when a host call failed.
    const Acad::ErrorStatus legacy = LookForLegacyObject(name);
    if (legacy != Acad::eOk)
        entry.status = legacy == Acad::eNotThatKindOfClass ? Acad::eDwgObjectImproperlyRead : legacy;
#endif
    return entry;
}

CPmAcadSim200* PmStoredSims::LoadLegacy(const CString& name)
{
#if defined(PM_BINDS_FORMAT101)
    std::unique_ptr<CPmSim> legacy(PmLegacy::LoadSim(name));
    if (!legacy)
        return nullptr;
    PmHeld::Detached<CPmAcadSim200, CPmDbxFactory200> converted(new CPmAcadSim200(*legacy));
    converted->SetName(name);
    return converted.release();
#else
    static_cast<void>(name);
    return nullptr;
#endif
}

bool PmStoredSims::NamesGoneBlock(AcDbDatabase* database, PmSimId id)
{
    AcDbObjectId objectId;
    if (database->getAcDbObjectId(objectId, false, AcDbHandle(id)) != Acad::eOk)
        return false;
    AcDbObject* reference = nullptr;
    const Acad::ErrorStatus opened =
        acdbOpenAcDbObject(reference, objectId, AcDbBlockReference::desc(), AcDb::kForRead, false);
    if (opened == Acad::eOk)
    {
        reference->close();
        return false;
    }
    return opened == Acad::eWasErased || opened == Acad::ePermanentlyErased || opened == Acad::eNotThatKindOfClass;
}
