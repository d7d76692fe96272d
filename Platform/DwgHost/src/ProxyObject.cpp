// Proxies: objects of an unregistered class, kept as the record they were read from.
#include "FilerStream.h"

DWGHOST_DEFINE_MEMBERS(AcDbProxyObject, kDbProxyObject)

AcDbProxyObject::AcDbProxyObject(AcDbProxyClassInfo originalClass, const AcDbMemoryFiler& record)
    : mClass(std::move(originalClass)), mRecord(DwgHostFilerAccess::bytes(record)),
      mItemCount(DwgHostFilerAccess::itemCount(record))
{
}

AcDbProxyObject::~AcDbProxyObject() = default;

const ACHAR* AcDbProxyObject::originalClassName() const { return mClass.name.c_str(); }
const ACHAR* AcDbProxyObject::originalDxfName() const { return mClass.dxfName.c_str(); }
const ACHAR* AcDbProxyObject::applicationDescription() const { return mClass.appName.c_str(); }
int AcDbProxyObject::proxyFlags() const { return mClass.proxyFlags; }
const AcDbProxyClassInfo& AcDbProxyObject::originalClass() const { return mClass; }
std::vector<AcDbFilerItem> AcDbProxyObject::items() const
{
    return DwgHostDetail::decodeItems(mRecord.data(), mItemCount);
}

Acad::ErrorStatus AcDbProxyObject::subErase(Adesk::Boolean erasing)
{
    if (erasing && !(mClass.proxyFlags & kEraseAllowed))
        return Acad::eNotAllowedForThisProxy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbProxyObject::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    AcDbFilerItem item;
    std::size_t at = 0;
    for (std::size_t i = 0; i < mItemCount; ++i) {
        at += DwgHostDetail::decodeItem(mRecord.data() + at, item);
        DwgHostDetail::writeItem(*filer, item);
    }
    return filer->filerStatus();
}
