// Drawing objects: the persistent object, the entity, and how objects are opened.
#pragma once

#include <cstddef>

#include "acadstrc.h"
#include "acdb.h"
#include "acutmem.h"
#include "dbid.h"
#include "rxobject.h"

class AcDbDwgFiler;

// An object of a drawing. Made with new it is outside any database ("detached"),
// always open for write for its maker. Added to a database it is "resident": it has
// an id and handle, the database owns it, and it must be opened to be used.
//   - open for read: any number of readers, refused while open for write;
//   - open for write: one writer, refused while open for read or for write;
//   - erased objects open only when asked (openErased).
// close() ends one open; on a detached object it deletes the object.
class DWGHOST_API AcDbObject : public AcRxObject, public AcHeapOperators
{
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);
    AcDbObject();
    // A copy is a new detached object: the host's state of the source is not copied.
    AcDbObject(const AcDbObject& other);
    AcDbObject& operator=(const AcDbObject& other);
    ~AcDbObject() override;

    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    AcDbDatabase* database() const;

    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isErased() const;
    // End the host when the object is not open as required.
    void assertReadEnabled() const;
    void assertWriteEnabled(Adesk::Boolean autoUndo = true, Adesk::Boolean recordModified = true);

    // Needs the object open for write; erase(false) brings an erased object back.
    Acad::ErrorStatus erase(Adesk::Boolean erasing = true);
    Acad::ErrorStatus close();
    // Ends an open like close; a detached object is left alone (eNoDatabase).
    Acad::ErrorStatus cancel();

    // The object's record. The base files nothing of its own: the host keeps each
    // object's handle, owner and class beside the record.
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const;

protected:
    // Asked before the object is erased or brought back; anything but eOk refuses.
    virtual Acad::ErrorStatus subErase(Adesk::Boolean erasing);

private:
    friend struct DwgHostObjectAccess;
    AcDbStub* mStub = nullptr;
    AcDbObjectId mOwner;
    int mReaders = 0;
    bool mWriter = false;
    bool mFiling = false;  // the host is filing the object in or out
};

class DWGHOST_API AcDbEntity : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);
    ~AcDbEntity() override;

    // The block table record that holds the entity.
    AcDbObjectId blockId() const;
    AcDb::Visibility visibility() const;
    Acad::ErrorStatus setVisibility(AcDb::Visibility newVisibility, Adesk::Boolean doSubents = true);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

protected:
    AcDbEntity();

private:
    AcDb::Visibility mVisibility = AcDb::kVisible;
};

// Opens the object of the id. With a class, only an object of that class or of a
// class derived from it opens (a null class opens nothing).
DWGHOST_API Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                                 bool openErased = false);
DWGHOST_API Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, const AcRxClass* ofClass,
                                                 AcDb::OpenMode mode, bool openErased = false);

// The host's count of opens for write it granted, for tests of how often a
// module opens objects to change them.
DWGHOST_API std::size_t acdbHostWriteOpens();

// Opens the object of the id as a T (tested against T::desc()).
template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead,
                                 bool openErased = false)
{
    AcDbObject* opened = nullptr;
    const Acad::ErrorStatus status = acdbOpenAcDbObject(opened, id, T::desc(), mode, openErased);
    object = status == Acad::eOk ? static_cast<T*>(opened) : nullptr;
    return status;
}

#include "dbdatabase.h"
