#include "ZrAcadObject.h"

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

// An object this module opened, closed when the scope is left by any path, an
// exception included, so that no failure leaves a dictionary open for write.
class OpenedObject
{
public:
    explicit OpenedObject(AcDbObject* object = nullptr) : m_object(object) {}
    OpenedObject(const OpenedObject&) = delete;
    OpenedObject& operator=(const OpenedObject&) = delete;
    ~OpenedObject()
    {
        if (m_object)
            m_object->close();
    }

    void Reset(AcDbObject* object)
    {
        m_object = object;
    }

    // Ends the open now; the host's status of the close.
    int Close()
    {
        AcDbObject* object = m_object;
        m_object = nullptr;
        return object ? object->close() : Acad::eOk;
    }

private:
    AcDbObject* m_object;
};

// In the builds whose SDK wants it, the entry about to be replaced is opened
// for write first (erased or not). The host erases the replaced object itself;
// the open is ended afterwards, so that no erased object stays open for write.
class ReplacedEntry
{
public:
    ReplacedEntry(AcDbDictionary* sub, const CString& key)
    {
#if defined(PM_SAVE_PREOPENS_ENTRY)
        AcDbObjectId id;
        if (sub->getAt(key, id) == Acad::eOk)
            acdbOpenObject(m_entry, id, AcDb::kForWrite, true);
#else
        static_cast<void>(sub);
        static_cast<void>(key);
#endif
    }
    ReplacedEntry(const ReplacedEntry&) = delete;
    ReplacedEntry& operator=(const ReplacedEntry&) = delete;
    ~ReplacedEntry()
    {
        Release(nullptr);
    }

    // Ends the open, unless it was the stored object that the store closed already.
    void Release(const AcDbObject* closedAlready)
    {
        if (m_entry && m_entry != closedAlready)
            m_entry->close();
        m_entry = nullptr;
    }

private:
    AcDbObject* m_entry = nullptr;
};

} // namespace

Acad::ErrorStatus ZrAcadStore::FindEntry(const CString& dict, const CString& key, AcDbObjectId& id)
{
    id.setNull();
    AcDbDictionary* named = nullptr;
    const Acad::ErrorStatus namedOpened =
        OpenDictionary(named, WorkingDatabase()->namedObjectsDictionaryId(), AcDb::kForRead);
    if (namedOpened != Acad::eOk)
        return namedOpened;
    OpenedObject namedOpen(named);
    AcDbObjectId subId;
    const Acad::ErrorStatus found = named->getAt(dict, subId);
    if (found != Acad::eOk)
        return found;
    AcDbDictionary* sub = nullptr;
    const Acad::ErrorStatus subOpened = OpenDictionary(sub, subId, AcDb::kForRead);
    if (subOpened != Acad::eOk)
        return subOpened;
    OpenedObject subOpen(sub);
    return sub->getAt(key, id);
}

int ZrAcadStore::ReadNames(const CString& dict, CStringArray& names, int& hostFailure)
{
    hostFailure = 0;
    names.SetSize(0, -1);
    AcDbDictionary* named = nullptr;
    const Acad::ErrorStatus namedOpened = WorkingDatabase()->getNamedObjectsDictionary(named, AcDb::kForRead);
    // A dictionary the host refuses to open is a failure, not an empty list.
    if (namedOpened != Acad::eOk)
    {
        hostFailure = namedOpened;
        return namedOpened;
    }
    OpenedObject namedOpen(named);
    AcDbObjectId subId;
    const Acad::ErrorStatus found = named->getAt(dict, subId);
    if (found != Acad::eOk)
    {
        hostFailure = found == Acad::eKeyNotFound ? 0 : found;
        return found;
    }
    AcDbDictionary* sub = nullptr;
    const Acad::ErrorStatus subOpened = OpenDictionary(sub, subId, AcDb::kForRead);
    // An entry of another kind under the name holds no simulations.
    if (subOpened == Acad::eNotThatKindOfClass)
        return 0;
    if (subOpened != Acad::eOk)
    {
        hostFailure = subOpened;
        return subOpened;
    }
    OpenedObject subOpen(sub);
    std::unique_ptr<AcDbDictionaryIterator> entry(sub->newIterator());
    for (; !entry->done(); entry->next())
        names.SetAtGrow(names.GetSize(), entry->name());
    return 0;
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
    OpenedObject namedOpen(named);

    AcDbDictionary* sub = nullptr;
    int status = OpenSubDictionary(named, dict, sub, AcDb::kForWrite);
    OpenedObject subOpen(sub);
    if (status == Acad::eKeyNotFound)
    {
        namedOpen.Close();
        opened = database->getNamedObjectsDictionary(named, AcDb::kForWrite);
        if (opened != Acad::eOk)
            return opened;
        namedOpen.Reset(named);
        auto made = std::make_unique<AcDbDictionary>();
        AcDbObjectId subId;
        status = named->setAt(dict, made.get(), subId);
        // Added, the new dictionary is the drawing's and stays open for write.
        if (status == Acad::eOk)
        {
            sub = made.release();
            subOpen.Reset(sub);
        }
    }

    if (status == Acad::eOk && obj)
    {
        ReplacedEntry replaced(sub, key);
        AcDbObjectId id;
        status = sub->setAt(key, obj, id);
        if (status == Acad::eOk)
            obj->close();
        replaced.Release(status == Acad::eOk ? obj : nullptr);
        status += subOpen.Close();
    }
    else if (status == Acad::eOk)
    {
        status = Acad::eNullObjectPointer + subOpen.Close();
    }

    return status + namedOpen.Close();
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
    int ignored = 0;
    return ZrAcadStore::ReadNames(dict, *names, ignored);
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
    OpenedObject open(opened);
    const int erased = opened->erase(true);
    return erased + open.Close();
}


CString CZrAcadObject::Name() const
{
    return m_objectName;
}

void CZrAcadObject::SetObjectName(const CString& name)
{
    m_objectName = name;
}
