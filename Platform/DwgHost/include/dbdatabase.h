// A drawing: its objects by handle, the named objects dictionary, the block table,
// and its file.
#pragma once

#include <map>

#include "acadstrc.h"
#include "acdb.h"
#include "acutmem.h"
#include "dbid.h"
#include "rxobject.h"

class AcDbObject;
class AcDbDictionary;
class AcDbBlockTable;

class DWGHOST_API AcDbDatabase : public AcRxObject, public AcHeapOperators
{
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase);
    // A default drawing holds an empty named objects dictionary and a block table
    // with "*Model_Space"; a database for readDwgFile is made without one.
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    // Deletes every object of the drawing.
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Makes a detached object resident under the next handle; it stays open for write.
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* object);
    Acad::ErrorStatus addAcDbObject(AcDbObject* object);

    // The id of the object with that handle (erased ones included). Without
    // createIfNotFound, an unknown handle gives eUnknownHandle.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                      Adesk::UInt32 xRefId = 0);

    AcDbObjectId namedObjectsDictionaryId() const;
    AcDbObjectId blockTableId() const;
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dictionary, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead);

    // The handle the next new object gets; handles grow and are never reused.
    AcDbHandle handseed() const;
    // Objects of the drawing that exist, erased ones included.
    Adesk::Int32 approxNumObjects() const;

    // Writes the drawing (objects not erased) to a file of this host's own layout.
    Acad::ErrorStatus saveAs(const ACHAR* fileName);
    // Reads a drawing into a database made without a default drawing. A file that is
    // not a drawing, truncated or inconsistent is refused and leaves the database empty.
    // Objects of a class nobody registered become proxies that keep their record.
    Acad::ErrorStatus readDwgFile(const ACHAR* fileName);

private:
    friend struct DwgHostDatabaseAccess;
    std::map<Adesk::UInt64, AcDbStub*> mStubs;
    Adesk::UInt64 mHandseed = 1;
    AcDbObjectId mNamedObjects;
    AcDbObjectId mBlockTable;
};
