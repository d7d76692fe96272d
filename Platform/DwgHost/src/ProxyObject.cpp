// Proxies: objects of an unregistered class, kept as the record they were read from.
#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbProxyObject, kDbProxyObject)

AcDbProxyObject::AcDbProxyObject(AcDbProxyClassInfo originalClass, std::vector<AcDbFilerItem> items)
    : mClass(std::move(originalClass)), mItems(std::move(items))
{
}

AcDbProxyObject::~AcDbProxyObject() = default;

const ACHAR* AcDbProxyObject::originalClassName() const { return mClass.name.c_str(); }
const ACHAR* AcDbProxyObject::originalDxfName() const { return mClass.dxfName.c_str(); }
const ACHAR* AcDbProxyObject::applicationDescription() const { return mClass.appName.c_str(); }
int AcDbProxyObject::proxyFlags() const { return mClass.proxyFlags; }
const AcDbProxyClassInfo& AcDbProxyObject::originalClass() const { return mClass; }
const std::vector<AcDbFilerItem>& AcDbProxyObject::items() const { return mItems; }

Acad::ErrorStatus AcDbProxyObject::subErase(Adesk::Boolean erasing)
{
    if (erasing && !(mClass.proxyFlags & kEraseAllowed))
        return Acad::eNotAllowedForThisProxy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbProxyObject::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    for (const AcDbFilerItem& item : mItems) {
        switch (item.kind) {
        case AcDbFilerItem::kInt32: filer->writeInt32(item.int32); break;
        case AcDbFilerItem::kBool: filer->writeBool(item.boolean); break;
        case AcDbFilerItem::kDouble: filer->writeDouble(item.doubles[0]); break;
        case AcDbFilerItem::kPoint3d:
            filer->writePoint3d(AcGePoint3d(item.doubles[0], item.doubles[1], item.doubles[2]));
            break;
        case AcDbFilerItem::kHandle: filer->writeAcDbHandle(item.handle); break;
        case AcDbFilerItem::kBytes: filer->writeBytes(item.bytes.data(), item.bytes.size()); break;
        case AcDbFilerItem::kString: filer->writeString(item.text.c_str()); break;
        }
    }
    return filer->filerStatus();
}
