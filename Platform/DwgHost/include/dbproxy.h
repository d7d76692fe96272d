// Stand-ins for objects whose class nobody registered: a proxy keeps the record
// it was read from and writes it back unchanged, so a drawing survives a host
// without the module.
#pragma once

#include <string>
#include <vector>

#include "dbmain.h"
#include "dbmemfiler.h"

// The class of the object a proxy stands for, as the drawing file recorded it.
struct AcDbProxyClassInfo
{
    std::wstring name;
    std::wstring parentName;
    std::wstring dxfName;
    std::wstring appName;
    Adesk::Int32 proxyFlags = 0;
    Adesk::Int32 dwgVersion = 0;
    Adesk::Int32 maintenanceVersion = 0;
};

class DWGHOST_API AcDbProxyObject : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyObject);
    enum ProxyFlags
    {
        kNoOperation = 0,
        kEraseAllowed = 0x1  // the proxy may be erased
    };

    // Keeps a copy of every item of the record, read or not, as the filer holds them.
    AcDbProxyObject(AcDbProxyClassInfo originalClass, const AcDbMemoryFiler& record);
    ~AcDbProxyObject() override;

    const ACHAR* originalClassName() const;
    const ACHAR* originalDxfName() const;
    const ACHAR* applicationDescription() const;
    int proxyFlags() const;
    const AcDbProxyClassInfo& originalClass() const;
    // The kept items, decoded.
    std::vector<AcDbFilerItem> items() const;

    // Writes the kept items, one for one.
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

protected:
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

private:
    AcDbProxyClassInfo mClass;
    std::vector<unsigned char> mRecord;
    std::size_t mItemCount;
};
