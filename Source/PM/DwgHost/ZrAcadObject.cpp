#include "ZrAcadObject.h"

#include "PmHeld.h"
#include "ZrAcadStore.h"

#include <memory>

#include <dbapserv.h>
#include <dbdict.h>

namespace
{
AcDbDatabase* WorkingDatabase()
{
    return acdbHostApplicationServices()->workingDatabase();
}

// Opens the dictionary of an id; anything else under the id is refused.
Acad::ErrorStatus OpenDictionary(AcDbDictionary*& dictionary, AcDbObjectId id, AcDb::OpenMode mode)
{
    return acdbOpenObject(dictionary, id, mode, false);
}

// Looks the sub-dictionary up in the named objects dictionary and opens it in
// one step, as the host's getAt with an open does; an entry that is not a
// dictionary is refused and left closed.
Acad::ErrorStatus OpenSubDictionary(AcDbDictionary* named, const CString& dict, AcDbDictionary*& sub,
                                    AcDb::OpenMode mode)
{
    sub = nullptr;
    AcDbObject* entry = nullptr;
    const Acad::ErrorStatus status = named->getAt(dict, entry, mode);
    if (status != Acad::eOk)
        return status;
    sub = AcDbDictionary::cast(entry);
    if (sub)
        return Acad::eOk;
    entry->close();
    return Acad::eNotThatKindOfClass;
}

// Looks the sub-dictionary up in the named objects dictionary by its id and
// opens it for read into the holder: eKeyNotFound when there is none,
// eNotThatKindOfClass for an entry of another kind, else the host's status.
Acad::ErrorStatus OpenSubDictionaryForRead(AcDbDictionary* named, const CString& dict,
                                           PmHeld::Open<AcDbDictionary>& sub)
{
    AcDbObjectId subId;
    const Acad::ErrorStatus found = named->getAt(dict, subId);
    if (found != Acad::eOk)
        return found;
    AcDbDictionary* opened = nullptr;
    const Acad::ErrorStatus status = OpenDictionary(opened, subId, AcDb::kForRead);
    sub.reset(opened);
    return status;
}

// In the builds whose SDK wants it, the entry about to be replaced, opened for
// write first (erased or not); else nothing. The host erases the replaced object
// itself; the open is ended afterwards, so that no erased object stays open for write.
PmHeld::Open<AcDbObject> OpenReplacedEntry(AcDbDictionary* sub, const CString& key)
{
    PmHeld::Open<AcDbObject> entry;
#if defined(PM_SAVE_PREOPENS_ENTRY)
    AcDbObjectId id;
    AcDbObject* opened = nullptr;
    if (sub->getAt(key, id) == Acad::eOk && acdbOpenObject(opened, id, AcDb::kForWrite, true) == Acad::eOk)
        entry.reset(opened);
#else
    static_cast<void>(sub);
    static_cast<void>(key);
#endif
    return entry;
}

} // namespace

Acad::ErrorStatus ZrAcadStore::FindEntry(const CString& dict, const CString& key, AcDbObjectId& id)
{
    id.setNull();
    AcDbDictionary* named = nullptr;
    const Acad::ErrorStatus namedOpened =
        OpenDictionary(named, WorkingDatabase()->namedObjectsDictionaryId(), AcDb::kForRead);
    if (namedOpened != Acad::eOk)
        return namedOpened;
    const PmHeld::Open<AcDbDictionary> namedOpen(named);
    PmHeld::Open<AcDbDictionary> sub;
    const Acad::ErrorStatus subOpened = OpenSubDictionaryForRead(named, dict, sub);
    if (subOpened != Acad::eOk)
        return subOpened;
    return sub->getAt(key, id);
}

CZrAcadObject::CZrAcadObject() = default;
CZrAcadObject::CZrAcadObject(const CZrAcadObject&) = default;
CZrAcadObject& CZrAcadObject::operator=(const CZrAcadObject&) = default;

CZrAcadObject::~CZrAcadObject() = default;

int CZrAcadObject::Save(const CString& dict, const CString& key, CZrAcadObject* obj)
{
    AcDbDatabase* database = WorkingDatabase();
    AcDbDictionary* named = nullptr;
    Acad::ErrorStatus opened = database->getNamedObjectsDictionary(named, AcDb::kForWrite);
    if (opened != Acad::eOk)
        return opened;
    PmHeld::Open<AcDbDictionary> namedOpen(named);

    AcDbDictionary* sub = nullptr;
    int status = OpenSubDictionary(named, dict, sub, AcDb::kForWrite);
    PmHeld::Open<AcDbDictionary> subOpen(sub);
    if (status == Acad::eKeyNotFound)
    {
        PmHeld::Close(namedOpen);
        opened = database->getNamedObjectsDictionary(named, AcDb::kForWrite);
        if (opened != Acad::eOk)
            return opened;
        namedOpen.reset(named);
        auto made = std::make_unique<AcDbDictionary>();
        AcDbObjectId subId;
        status = named->setAt(dict, made.get(), subId);
        // Added, the new dictionary is the drawing's and stays open for write.
        if (status == Acad::eOk)
        {
            sub = made.release();
            subOpen.reset(sub);
        }
    }

    if (status == Acad::eOk && obj)
    {
        PmHeld::Open<AcDbObject> replaced = OpenReplacedEntry(sub, key);
        AcDbObjectId id;
        status = sub->setAt(key, obj, id);
        if (status == Acad::eOk)
        {
            obj->close();
            if (replaced.get() == obj)
                replaced.release();  // the stored object itself, closed already
        }
        replaced.reset();
        status += PmHeld::Close(subOpen);
    }
    else if (status == Acad::eOk)
    {
        status = Acad::eNullObjectPointer + PmHeld::Close(subOpen);
    }

    return status + PmHeld::Close(namedOpen);
}

AcDbObjectId CZrAcadObject::GetObjectId(const CString& dict, const CString& key)
{
    AcDbObjectId id;
    ZrAcadStore::FindEntry(dict, key, id);
    return id;
}

int CZrAcadObject::GetObjectNames(const CString& dict, CStringArray* names)
{
    if (!names)
        return Acad::eNullObjectPointer;
    names->SetSize(0, -1);
    AcDbDictionary* named = nullptr;
    const Acad::ErrorStatus namedOpened = WorkingDatabase()->getNamedObjectsDictionary(named, AcDb::kForRead);
    // A dictionary the host refuses to open is a failure, not an empty list.
    if (namedOpened != Acad::eOk)
        return namedOpened;
    const PmHeld::Open<AcDbDictionary> namedOpen(named);
    PmHeld::Open<AcDbDictionary> sub;
    const Acad::ErrorStatus subOpened = OpenSubDictionaryForRead(named, dict, sub);
    // An entry of another kind under the name holds no simulations.
    if (subOpened == Acad::eNotThatKindOfClass)
        return 0;
    if (subOpened != Acad::eOk)
        return subOpened;
    std::unique_ptr<AcDbDictionaryIterator> entry(sub->newIterator());
    for (; !entry->done(); entry->next())
        names->SetAtGrow(names->GetSize(), entry->name());
    return 0;
}

int CZrAcadObject::Load(const CString& dict, const CString& key, CZrAcadObject** obj)
{
    if (obj)
        *obj = nullptr;
    const AcDbObjectId id = GetObjectId(dict, key);
    if (id.isNull())
        return -1;
    if (!obj)
        return Acad::eNullObjectPointer;
    AcDbObject* opened = nullptr;
    const Acad::ErrorStatus status = acdbOpenAcDbObject(opened, id, AcDb::kForRead, false);
    if (status != Acad::eOk)
        return status;
    // Only an object of this family may be handed out as one.
    *obj = dynamic_cast<CZrAcadObject*>(opened);
    if (*obj)
        return Acad::eOk;
    opened->close();
    return Acad::eNotThatKindOfClass;
}

int CZrAcadObject::Delete(const CString& dict, const CString& key)
{
    // Only an entry that is not there answers -1; a lookup that failed answers its status.
    AcDbObjectId id;
    const Acad::ErrorStatus found = ZrAcadStore::FindEntry(dict, key, id);
    if (found == Acad::eKeyNotFound)
        return -1;
    if (found != Acad::eOk)
        return found;
    AcDbObject* opened = nullptr;
    const Acad::ErrorStatus status = acdbOpenAcDbObject(opened, id, AcDb::kForWrite, false);
    if (status != Acad::eOk)
        return status;
    PmHeld::Open<AcDbObject> open(opened);
    const int erased = opened->erase(true);
    return erased + PmHeld::Close(open);
}


CString CZrAcadObject::Name() const
{
    return m_objectName;
}

void CZrAcadObject::SetObjectName(const CString& name)
{
    m_objectName = name;
}
