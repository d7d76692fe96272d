// The block table and its records.
#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbSymbolTableRecord, kDbSymbolTableRecord)
DWGHOST_DEFINE_MEMBERS(AcDbBlockTableRecord, kDbBlockTableRecord)
DWGHOST_DEFINE_MEMBERS(AcDbSymbolTable, kDbSymbolTable)
DWGHOST_DEFINE_MEMBERS(AcDbBlockTable, kDbBlockTable)

namespace
{
std::vector<AcDbObjectId> liveIds(const std::vector<AcDbObjectId>& ids)
{
    std::vector<AcDbObjectId> live;
    for (const AcDbObjectId& id : ids) {
        if (DwgHostDetail::isLive(id))
            live.push_back(id);
    }
    return live;
}

// Whether an owner open for write in a database can take the object.
Acad::ErrorStatus canOwn(const AcDbObject& owner, const AcDbObject* object)
{
    if (!owner.database())
        return Acad::eNoDatabase;
    if (!owner.isWriteEnabled())
        return Acad::eNotOpenForWrite;
    return DwgHostDatabaseAccess::addable(object);
}

// Adds the object to the owner's database and to the ids it owns.
Acad::ErrorStatus addOwned(AcDbObject& owner, std::vector<AcDbObjectId>& owned, AcDbObjectId& id, AcDbObject* object)
{
    // The place in the list is made first, so that nothing fails once the object is in.
    owned.reserve(owned.size() + 1);
    const Acad::ErrorStatus status = DwgHostDatabaseAccess::add(*owner.database(), id, object);
    if (status != Acad::eOk)
        return status;
    DwgHostObjectAccess::setOwner(*object, owner.objectId());
    owned.push_back(id);
    return Acad::eOk;
}

// Reads a count and that many handles of the filer's database.
Acad::ErrorStatus readIds(AcDbDwgFiler* filer, std::vector<AcDbObjectId>& ids)
{
    ids.clear();
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    if (!dwgHostCountFits(filer, count, 1)) {
        filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
        return filer->filerStatus();
    }
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbHandle handle;
        filer->readAcDbHandle(&handle);
        AcDbObjectId id;
        if (dwgHostResolveHandle(filer, handle, id))
            ids.push_back(id);
        else
            filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    }
    return filer->filerStatus();
}

void writeIds(AcDbDwgFiler* filer, const std::vector<AcDbObjectId>& ids)
{
    const std::vector<AcDbObjectId> live = liveIds(ids);
    filer->writeInt32(static_cast<Adesk::Int32>(live.size()));
    for (const AcDbObjectId& id : live)
        filer->writeAcDbHandle(id.handle());
}
}  // namespace

AcDbSymbolTableRecord::AcDbSymbolTableRecord() = default;
AcDbSymbolTableRecord::~AcDbSymbolTableRecord() = default;

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const
{
    name = mName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name)
{
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (!name || !*name)
        return Acad::eInvalidInput;
    mName = name;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(filer);
    filer->writeString(mName.c_str());
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(filer);
    DwgHostDetail::ReadText name;
    filer->readString(name.target());
    mName = name.get() ? name.get() : L"";
    return filer->filerStatus();
}

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;
AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity)
{
    id.setNull();
    const Acad::ErrorStatus status = canOwn(*this, entity);
    if (status != Acad::eOk)
        return status;
    if (dwgHostFault(DwgHostCall::AppendEntity).fails())
        return Acad::eOutOfMemory;
    return addOwned(*this, mEntities, id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity)
{
    AcDbObjectId id;
    return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator) const
{
    iterator = new AcDbBlockTableRecordIterator(liveIds(mEntities));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgOutFields(AcDbDwgFiler* filer) const
{
    AcDbSymbolTableRecord::dwgOutFields(filer);
    writeIds(filer, mEntities);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgInFields(AcDbDwgFiler* filer)
{
    AcDbSymbolTableRecord::dwgInFields(filer);
    return readIds(filer, mEntities);
}

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(std::vector<AcDbObjectId> entities)
    : mEntities(std::move(entities))
{
}

AcDbBlockTableRecordIterator::~AcDbBlockTableRecordIterator() = default;

bool AcDbBlockTableRecordIterator::done() const
{
    return mIndex >= mEntities.size();
}

void AcDbBlockTableRecordIterator::step()
{
    if (!done())
        ++mIndex;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const
{
    id = done() ? AcDbObjectId() : mEntities[mIndex];
    return done() ? Acad::eInvalidInput : Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                                          bool openErased) const
{
    entity = nullptr;
    if (done())
        return Acad::eInvalidInput;
    return acdbOpenObject(entity, mEntities[mIndex], mode, openErased);
}

AcDbSymbolTable::AcDbSymbolTable() = default;
AcDbSymbolTable::~AcDbSymbolTable() = default;

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id, bool getErased) const
{
    id.setNull();
    if (!isReadEnabled())
        return Acad::eNotOpenForRead;
    if (!name)
        return Acad::eInvalidKey;
    const std::wstring wanted = DwgHostDetail::folded(name);
    for (const AcDbObjectId& record : mRecords) {
        if (!record.isValid() || (record.isErased() && !getErased))
            continue;
        const AcDbSymbolTableRecord* entry = AcDbSymbolTableRecord::cast(DwgHostObjectAccess::stub(record)->object);
        const ACHAR* recordName = nullptr;
        if (entry && entry->getName(recordName) == Acad::eOk && DwgHostDetail::folded(recordName) == wanted) {
            id = record;
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

bool AcDbSymbolTable::has(const ACHAR* name) const
{
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::addRecord(AcDbObjectId& id, AcDbSymbolTableRecord* record)
{
    id.setNull();
    const Acad::ErrorStatus status = canOwn(*this, record);
    if (status != Acad::eOk)
        return status;
    const ACHAR* name = nullptr;
    record->getName(name);
    if (!*name)
        return Acad::eInvalidInput;
    if (has(name))
        return Acad::eDuplicateRecordName;
    return addOwned(*this, mRecords, id, record);
}

Acad::ErrorStatus AcDbSymbolTable::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(filer);
    writeIds(filer, mRecords);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(filer);
    readIds(filer, mRecords);
    // Every entry must be a record, since lookups read their names.
    for (const AcDbObjectId& id : mRecords) {
        if (!DwgHostObjectAccess::stub(id)->object->isKindOf(AcDbSymbolTableRecord::desc()))
            filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    }
    return filer->filerStatus();
}

AcDbBlockTable::AcDbBlockTable() = default;
AcDbBlockTable::~AcDbBlockTable() = default;

Acad::ErrorStatus AcDbBlockTable::getAt(const ACHAR* name, AcDbBlockTableRecord*& record, AcDb::OpenMode mode,
                                        bool openErased) const
{
    record = nullptr;
    AcDbObjectId id;
    const Acad::ErrorStatus status = getAt(name, id, openErased);
    if (status != Acad::eOk)
        return status;
    return acdbOpenObject(record, id, mode, openErased);
}

Acad::ErrorStatus AcDbBlockTable::add(AcDbObjectId& id, AcDbBlockTableRecord* record)
{
    return addRecord(id, record);
}

Acad::ErrorStatus AcDbBlockTable::add(AcDbBlockTableRecord* record)
{
    AcDbObjectId id;
    return addRecord(id, record);
}
