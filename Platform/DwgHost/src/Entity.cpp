// Entities: visibility and the record every entity starts with.
#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbEntity, kDbEntity)

AcDbEntity::AcDbEntity() = default;
AcDbEntity::~AcDbEntity() = default;

AcDbObjectId AcDbEntity::blockId() const
{
    return ownerId();
}

AcDb::Visibility AcDbEntity::visibility() const
{
    return mVisibility;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility newVisibility, Adesk::Boolean)
{
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (newVisibility != AcDb::kVisible && newVisibility != AcDb::kInvisible)
        return Acad::eInvalidInput;
    mVisibility = newVisibility;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(filer);
    filer->writeInt32(mVisibility);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(filer);
    Adesk::Int32 visibility = 0;
    filer->readInt32(&visibility);
    if (visibility != AcDb::kVisible && visibility != AcDb::kInvisible)
        filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    else
        mVisibility = static_cast<AcDb::Visibility>(visibility);
    return filer->filerStatus();
}
