// Drawing objects: their open state, erasing, closing and the base record.
#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbObject, kDbObject)

AcDbObject::AcDbObject() = default;

AcDbObject::AcDbObject(const AcDbObject&) : AcRxObject(), AcHeapOperators() {}

AcDbObject& AcDbObject::operator=(const AcDbObject&)
{
    return *this;
}

AcDbObject::~AcDbObject()
{
    // A resident object deleted by someone else than its database leaves its id
    // naming nothing instead of a dangling pointer.
    if (mStub)
        mStub->object = nullptr;
}

AcDbObjectId AcDbObject::objectId() const
{
    return AcDbObjectId(mStub);
}

AcDbObjectId AcDbObject::ownerId() const
{
    return mOwner;
}

AcDbDatabase* AcDbObject::database() const
{
    return mStub ? mStub->database : nullptr;
}

bool AcDbObject::isReadEnabled() const
{
    return !mStub || mFiling || mWriter || mReaders > 0;
}

bool AcDbObject::isWriteEnabled() const
{
    return !mStub || mFiling || mWriter;
}

bool AcDbObject::isErased() const
{
    return mStub && mStub->erased;
}

void AcDbObject::assertReadEnabled() const
{
    if (!isReadEnabled())
        acrx_abort(L"%ls is not open for read", isA() ? isA()->name() : L"AcDbObject");
}

void AcDbObject::assertWriteEnabled(Adesk::Boolean, Adesk::Boolean)
{
    if (!isWriteEnabled())
        acrx_abort(L"%ls is not open for write", isA() ? isA()->name() : L"AcDbObject");
}

Acad::ErrorStatus AcDbObject::erase(Adesk::Boolean erasing)
{
    if (!mStub)
        return Acad::eNoDatabase;
    if (!mWriter)
        return Acad::eNotOpenForWrite;
    if (erasing == mStub->erased)
        return erasing ? Acad::eWasErased : Acad::eOk;
    // A host that cannot record the change for undo refuses it.
    if (dwgHostFault(DwgHostCall::Erase).fails())
        return Acad::eOutOfMemory;
    const Acad::ErrorStatus allowed = subErase(erasing);
    if (allowed != Acad::eOk)
        return allowed;
    mStub->erased = erasing;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::subErase(Adesk::Boolean)
{
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::close()
{
    if (!mStub) {
        delete this;
        return Acad::eOk;
    }
    // Closing an object that is not open changes nothing.
    if (mWriter)
        mWriter = false;
    else if (mReaders > 0)
        --mReaders;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::cancel()
{
    if (!mStub)
        return Acad::eNoDatabase;
    // The host keeps no copy to undo to: cancelling ends the open like a close.
    return close();
}

Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* filer)
{
    return filer ? filer->filerStatus() : Acad::eNullObjectPointer;
}

Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* filer) const
{
    return filer ? filer->filerStatus() : Acad::eNullObjectPointer;
}

namespace
{
std::size_t s_writeOpens = 0;
}

std::size_t acdbHostWriteOpens()
{
    return s_writeOpens;
}

Acad::ErrorStatus DwgHostObjectAccess::open(AcDbObject& object, AcDb::OpenMode mode)
{
    constexpr int kMaxReaders = 256;
    if (mode == AcDb::kForRead) {
        if (object.mWriter)
            return Acad::eWasOpenForWrite;
        if (object.mReaders >= kMaxReaders)
            return Acad::eAtMaxReaders;
        ++object.mReaders;
        return Acad::eOk;
    }
    if (mode == AcDb::kForWrite) {
        if (object.mWriter)
            return Acad::eWasOpenForWrite;
        if (object.mReaders > 0)
            return Acad::eWasOpenForRead;
        object.mWriter = true;
        ++s_writeOpens;
        return Acad::eOk;
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, const AcRxClass* ofClass,
                                     AcDb::OpenMode mode, bool openErased)
{
    object = nullptr;
    AcDbStub* stub = DwgHostObjectAccess::stub(id);
    if (!stub)
        return Acad::eNullObjectId;
    if (!stub->object)
        return Acad::ePermanentlyErased;
    if (stub->erased && !openErased)
        return Acad::eWasErased;
    if (!ofClass || !stub->object->isKindOf(ofClass))
        return Acad::eNotThatKindOfClass;
    // Refused as a host refuses an object that others hold: too many readers, or
    // another writer.
    if (mode == AcDb::kForRead && dwgHostFault(DwgHostCall::OpenForRead).fails())
        return Acad::eAtMaxReaders;
    if (mode == AcDb::kForWrite && dwgHostFault(DwgHostCall::OpenForWrite).fails())
        return Acad::eWasOpenForWrite;
    const Acad::ErrorStatus status = DwgHostObjectAccess::open(*stub->object, mode);
    if (status == Acad::eOk)
        object = stub->object;
    return status;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode, bool openErased)
{
    return acdbOpenAcDbObject(object, id, AcDbObject::desc(), mode, openErased);
}
