// Drawings: objects by handle, the default drawing, and its roots.
#include <limits>
#include <memory>

#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbDatabase, kDbDatabase)

namespace
{
constexpr Adesk::UInt64 kNoHandleLeft = std::numeric_limits<Adesk::UInt64>::max();
}  // namespace

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool)
{
    if (!buildDefaultDrawing)
        return;
    // Each object is owned here until the drawing holds it; a failed allocation on
    // the way frees what was made, as the destructor would.
    try {
        std::unique_ptr<AcDbDictionary> namedObjects(new AcDbDictionary);
        DwgHostDatabaseAccess::add(*this, mNamedObjects, namedObjects.get());
        namedObjects.release()->close();

        std::unique_ptr<AcDbBlockTable> table(new AcDbBlockTable);
        DwgHostDatabaseAccess::add(*this, mBlockTable, table.get());
        AcDbBlockTable* blockTable = table.release();
        std::unique_ptr<AcDbBlockTableRecord> modelSpace(new AcDbBlockTableRecord);
        modelSpace->setName(ACDB_MODEL_SPACE);
        if (blockTable->add(modelSpace.get()) == Acad::eOk)
            modelSpace.release()->close();
        blockTable->close();
    } catch (...) {
        DwgHostDatabaseAccess::clear(*this);
        throw;
    }
}

AcDbDatabase::~AcDbDatabase()
{
    DwgHostDatabaseAccess::clear(*this);
    DwgHostDetail::HostState& state = DwgHostDetail::host();
    if (state.workingDatabase == this)
        state.workingDatabase = nullptr;
    if (state.defaultDatabase == this)
        state.defaultDatabase = nullptr;
}

void DwgHostDatabaseAccess::clear(AcDbDatabase& database)
{
    // Detach every object first, so that no destructor finds a half-torn drawing.
    for (auto& entry : database.mStubs) {
        if (AcDbObject* object = entry.second->object)
            DwgHostObjectAccess::attach(*object, nullptr);
    }
    for (auto& entry : database.mStubs) {
        delete entry.second->object;
        delete entry.second;
    }
    database.mStubs.clear();
    database.mHandseed = 1;
    database.mNamedObjects.setNull();
    database.mBlockTable.setNull();
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* object)
{
    id.setNull();
    const Acad::ErrorStatus status = DwgHostDatabaseAccess::addable(object);
    if (status != Acad::eOk)
        return status;
    if (dwgHostFault(DwgHostCall::AddObject).fails())
        return Acad::eOutOfMemory;
    return DwgHostDatabaseAccess::add(*this, id, object);
}

Acad::ErrorStatus DwgHostDatabaseAccess::addable(const AcDbObject* object)
{
    if (!object)
        return Acad::eNullObjectPointer;
    return object->database() ? Acad::eAlreadyInDb : Acad::eOk;
}

Acad::ErrorStatus DwgHostDatabaseAccess::add(AcDbDatabase& database, AcDbObjectId& id, AcDbObject* object)
{
    id.setNull();
    // The last handle stays unused, so that the handseed never wraps to handles in use.
    if (database.mHandseed == kNoHandleLeft)
        return Acad::eOutOfRange;
    auto made = std::make_unique<AcDbStub>();
    AcDbStub* stub = made.get();
    stub->database = &database;
    stub->handle = AcDbHandle(database.mHandseed);
    stub->object = object;
    database.mStubs.emplace(static_cast<Adesk::UInt64>(stub->handle), stub);
    made.release();
    ++database.mHandseed;
    DwgHostObjectAccess::attach(*object, stub);
    DwgHostObjectAccess::setWriter(*object, true);
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* object)
{
    AcDbObjectId id;
    return addAcDbObject(id, object);
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                                Adesk::UInt32)
{
    id.setNull();
    if (handle.isNull())
        return Acad::eNullHandle;
    const Adesk::UInt64 value = handle;
    auto found = mStubs.find(value);
    if (found != mStubs.end() && found->second->object) {
        id = AcDbObjectId(found->second);
        return Acad::eOk;
    }
    if (!createIfNotFound)
        return Acad::eUnknownHandle;
    if (value == kNoHandleLeft)
        return Acad::eOutOfRange;
    if (found == mStubs.end()) {
        // A place for an object that is yet to come under that handle.
        auto stub = std::make_unique<AcDbStub>();
        stub->database = this;
        stub->handle = handle;
        found = mStubs.emplace(value, stub.get()).first;
        stub.release();
        if (value >= mHandseed)
            mHandseed = value + 1;
    }
    id = AcDbObjectId(found->second);
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const
{
    return mNamedObjects;
}

AcDbObjectId AcDbDatabase::blockTableId() const
{
    return mBlockTable;
}

Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& dictionary, AcDb::OpenMode mode)
{
    return acdbOpenObject(dictionary, mNamedObjects, mode);
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode)
{
    return acdbOpenObject(table, mBlockTable, mode);
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode)
{
    return getSymbolTable(table, mode);
}

AcDbHandle AcDbDatabase::handseed() const
{
    return AcDbHandle(mHandseed);
}

Adesk::Int32 AcDbDatabase::approxNumObjects() const
{
    Adesk::Int32 count = 0;
    for (const auto& entry : mStubs)
        count += entry.second->object ? 1 : 0;
    return count;
}

bool dwgHostResolveHandle(AcDbDwgFiler* filer, const AcDbHandle& handle, AcDbObjectId& id)
{
    id.setNull();
    AcDbDatabase* database = filer->database();
    return database && database->getAcDbObjectId(id, false, handle) == Acad::eOk;
}

bool dwgHostCountFits(AcDbDwgFiler* filer, Adesk::Int32 count, Adesk::UInt32 itemsPerEntry)
{
    if (filer->filerStatus() != Acad::eOk || count < 0)
        return false;
    // Only the host's own filer can tell what is left; another one is read item by item.
    const auto* memory = dynamic_cast<const AcDbMemoryFiler*>(filer);
    return !memory || static_cast<Adesk::UInt64>(count) * itemsPerEntry <= memory->remainingItems();
}
