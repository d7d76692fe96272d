// Block references: which block, where, and at what scale.
#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbBlockReference, kDbBlockReference)

AcDbBlockReference::AcDbBlockReference() : mPosition(0.0, 0.0, 0.0) {}

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
    : mBlockTableRecord(blockTableRecord), mPosition(position)
{
}

AcDbBlockReference::~AcDbBlockReference() = default;

AcDbObjectId AcDbBlockReference::blockTableRecord() const
{
    return mBlockTableRecord;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId blockTableRecord)
{
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    mBlockTableRecord = blockTableRecord;
    return Acad::eOk;
}

AcGePoint3d AcDbBlockReference::position() const
{
    return mPosition;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& position)
{
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    mPosition = position;
    return Acad::eOk;
}

AcGeScale3d AcDbBlockReference::scaleFactors() const
{
    return mScale;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale)
{
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    mScale = scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::dwgOutFields(AcDbDwgFiler* filer) const
{
    AcDbEntity::dwgOutFields(filer);
    filer->writeAcDbHandle(mBlockTableRecord.handle());
    filer->writePoint3d(mPosition);
    filer->writeDouble(mScale.sx);
    filer->writeDouble(mScale.sy);
    filer->writeDouble(mScale.sz);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockReference::dwgInFields(AcDbDwgFiler* filer)
{
    AcDbEntity::dwgInFields(filer);
    AcDbHandle handle;
    filer->readAcDbHandle(&handle);
    // A block definition that is gone (erased, so not saved) leaves the reference without one.
    if (!dwgHostResolveHandle(filer, handle, mBlockTableRecord))
        mBlockTableRecord.setNull();
    filer->readPoint3d(&mPosition);
    filer->readDouble(&mScale.sx);
    filer->readDouble(&mScale.sy);
    filer->readDouble(&mScale.sz);
    return filer->filerStatus();
}
