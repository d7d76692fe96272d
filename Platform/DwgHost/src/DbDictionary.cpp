// Dictionaries of drawing objects and their iterator.
#include <set>

#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbDictionary, kDbDictionary)

using DwgHostDetail::isLive;

AcDbDictionary::AcDbDictionary() = default;
AcDbDictionary::~AcDbDictionary() = default;

std::vector<std::pair<std::wstring, AcDbObjectId>> AcDbDictionary::liveEntries() const
{
    std::vector<std::pair<std::wstring, AcDbObjectId>> entries;
    for (const auto& entry : mEntries) {
        if (isLive(entry.second))
            entries.emplace_back(entry);
    }
    return entries;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObjectId& id) const
{
    id.setNull();
    if (!isReadEnabled())
        return Acad::eNotOpenForRead;
    if (!key)
        return Acad::eInvalidKey;
    if (dwgHostFault(DwgHostCall::DictionaryGetAt).fails())
        return Acad::eOutOfMemory;
    auto found = mEntries.find(key);
    if (found == mEntries.end() || !isLive(found->second))
        return Acad::eKeyNotFound;
    id = found->second;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObject*& object, AcDb::OpenMode mode) const
{
    object = nullptr;
    AcDbObjectId id;
    const Acad::ErrorStatus status = getAt(key, id);
    if (status != Acad::eOk)
        return status;
    return acdbOpenAcDbObject(object, id, mode);
}

bool AcDbDictionary::has(const ACHAR* key) const
{
    if (!key)
        return false;
    auto found = mEntries.find(key);
    return found != mEntries.end() && isLive(found->second);
}

Adesk::UInt32 AcDbDictionary::numEntries() const
{
    return static_cast<Adesk::UInt32>(liveEntries().size());
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* key, AcDbObject* object, AcDbObjectId& id)
{
    id.setNull();
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (!key)
        return Acad::eInvalidKey;
    if (!object)
        return Acad::eNullObjectPointer;
    AcDbDatabase* db = database();
    if (!db)
        return Acad::eNoDatabase;
    if (object->database() && object->database() != db)
        return Acad::eWrongDatabase;
    if (dwgHostFault(DwgHostCall::DictionarySetAt).fails())
        return Acad::eOutOfMemory;

    // Everything that can fail or throw comes before the first change, so a
    // refused or interrupted replacement leaves the dictionary and the object
    // it held as they were. The object it replaces is erased by the host
    // itself, whoever has it open.
    AcDbObject* replaced = nullptr;
    auto slot = mEntries.find(key);
    if (slot != mEntries.end() && isLive(slot->second)) {
        AcDbStub* stub = DwgHostObjectAccess::stub(slot->second);
        if (stub->object != object) {
            replaced = stub->object;
            const Acad::ErrorStatus allowed = DwgHostObjectAccess::askErase(*replaced, true);
            if (allowed != Acad::eOk)
                return allowed;
        }
    }
    const bool newKey = slot == mEntries.end();
    if (newKey)
        slot = mEntries.emplace(key, AcDbObjectId()).first;
    if (!object->database()) {
        AcDbObjectId added;
        Acad::ErrorStatus status = Acad::eOutOfMemory;
        try {
            status = DwgHostDatabaseAccess::add(*db, added, object);
        } catch (...) {
            if (newKey)
                mEntries.erase(slot);
            throw;
        }
        if (status != Acad::eOk) {
            if (newKey)
                mEntries.erase(slot);
            return status;
        }
    }
    if (replaced)
        DwgHostObjectAccess::stub(*replaced)->erased = true;
    slot->second = object->objectId();
    DwgHostObjectAccess::setOwner(*object, objectId());
    id = object->objectId();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& id)
{
    id.setNull();
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (!key)
        return Acad::eInvalidKey;
    auto found = mEntries.find(key);
    if (found == mEntries.end() || !isLive(found->second))
        return Acad::eKeyNotFound;
    if (dwgHostFault(DwgHostCall::DictionaryRemove).fails())
        return Acad::eOutOfMemory;
    id = found->second;
    mEntries.erase(found);
    // The object stays in the drawing without an owner, for the caller to erase or place.
    if (AcDbObject* object = DwgHostObjectAccess::stub(id)->object)
        DwgHostObjectAccess::setOwner(*object, AcDbObjectId());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key)
{
    AcDbObjectId id;
    return remove(key, id);
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const
{
    return new AcDbDictionaryIterator(liveEntries());
}

Acad::ErrorStatus AcDbDictionary::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(filer);
    const auto entries = liveEntries();
    filer->writeInt32(static_cast<Adesk::Int32>(entries.size()));
    for (const auto& entry : entries) {
        filer->writeString(entry.first.c_str());
        filer->writeAcDbHandle(entry.second.handle());
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(filer);
    mEntries.clear();
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    if (!dwgHostCountFits(filer, count, 2)) {
        filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
        return filer->filerStatus();
    }
    std::set<Adesk::UInt64> named;
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        DwgHostDetail::ReadText key;
        AcDbHandle handle;
        filer->readString(key.target());
        filer->readAcDbHandle(&handle);
        AcDbObjectId id;
        const bool resolved = key.get() && dwgHostResolveHandle(filer, handle, id);
        // A dictionary owns its entries' objects: two keys never name one object.
        const bool fresh = resolved && named.insert(static_cast<Adesk::UInt64>(handle)).second &&
                           mEntries.emplace(key.get(), id).second;
        if (!fresh)
            filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    }
    return filer->filerStatus();
}

AcDbDictionaryIterator::AcDbDictionaryIterator(std::vector<std::pair<std::wstring, AcDbObjectId>> entries)
    : mEntries(std::move(entries))
{
}

AcDbDictionaryIterator::~AcDbDictionaryIterator() = default;

bool AcDbDictionaryIterator::done() const
{
    return mIndex >= mEntries.size();
}

bool AcDbDictionaryIterator::next()
{
    if (!done())
        ++mIndex;
    return !done();
}

const ACHAR* AcDbDictionaryIterator::name() const
{
    return done() ? nullptr : mEntries[mIndex].first.c_str();
}

AcDbObjectId AcDbDictionaryIterator::objectId() const
{
    return done() ? AcDbObjectId() : mEntries[mIndex].second;
}

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& object, AcDb::OpenMode mode)
{
    object = nullptr;
    if (done())
        return Acad::eInvalidInput;
    return acdbOpenAcDbObject(object, mEntries[mIndex].second, mode);
}
