// Symbol tables: the block table and its block table records ("*Model_Space").
#pragma once

#include <string>
#include <vector>

#include "dbmain.h"

class AcDbBlockTableRecordIterator;

class DWGHOST_API AcDbSymbolTableRecord : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    ~AcDbSymbolTableRecord() override;

    Acad::ErrorStatus getName(const ACHAR*& name) const;
    Acad::ErrorStatus setName(const ACHAR* name);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

protected:
    AcDbSymbolTableRecord();

private:
    std::wstring mName;
};

// A block definition; "*Model_Space" holds the entities of the drawing.
class DWGHOST_API AcDbBlockTableRecord : public AcDbSymbolTableRecord
{
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    AcDbBlockTableRecord();
    ~AcDbBlockTableRecord() override;

    // Adds a detached entity to the record's database and to the record; the entity
    // stays open for write. Needs the record open for write.
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
    // An iterator over the entities that are not erased; the caller deletes it.
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

private:
    std::vector<AcDbObjectId> mEntities;
};

class DWGHOST_API AcDbBlockTableRecordIterator
{
public:
    virtual ~AcDbBlockTableRecordIterator();
    AcDbBlockTableRecordIterator(const AcDbBlockTableRecordIterator&) = delete;
    AcDbBlockTableRecordIterator& operator=(const AcDbBlockTableRecordIterator&) = delete;

    bool done() const;
    void step();
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode, bool openErased = false) const;

private:
    friend class AcDbBlockTableRecord;
    explicit AcDbBlockTableRecordIterator(std::vector<AcDbObjectId> entities);
    std::vector<AcDbObjectId> mEntities;
    std::size_t mIndex = 0;
};

// Records are found by name without regard to case; erased records are skipped.
class DWGHOST_API AcDbSymbolTable : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
    ~AcDbSymbolTable() override;

    bool has(const ACHAR* name) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id, bool getErased = false) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

protected:
    AcDbSymbolTable();
    Acad::ErrorStatus addRecord(AcDbObjectId& id, AcDbSymbolTableRecord* record);

private:
    std::vector<AcDbObjectId> mRecords;
};

class DWGHOST_API AcDbBlockTable : public AcDbSymbolTable
{
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTable);
    AcDbBlockTable();
    ~AcDbBlockTable() override;

    using AcDbSymbolTable::getAt;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbBlockTableRecord*& record, AcDb::OpenMode mode,
                            bool openErased = false) const;
    // Adds a detached record with a name no other record has; it stays open for write.
    Acad::ErrorStatus add(AcDbObjectId& id, AcDbBlockTableRecord* record);
    Acad::ErrorStatus add(AcDbBlockTableRecord* record);
};
