#include "TestRecord.h"

AcRxClass* TestRecord::gpDesc = nullptr;

void TestRecord::rxInit()
{
    if (gpDesc && acrxFindAcRxClass(L"DwgHostTestRecord") == gpDesc)
        return;
    reregister(AcDbProxyObject::kEraseAllowed);
}

void TestRecord::reregister(int proxyFlags)
{
    gpDesc = newAcRxClass(L"DwgHostTestRecord", L"AcDbObject", 31, 8, proxyFlags, &TestRecord::create,
                          L"DWGHOSTTESTRECORD", L"\"DwgHostTests.dbx\";");
}

Acad::ErrorStatus TestRecord::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(filer);
    filer->writeInt32(writtenVersion);
    // The name goes through a copy on the host heap, and a copy that failed is
    // written as an empty name: a careless writer, which the host must catch.
    ACHAR* copy = nullptr;
    acutNewString(name.c_str(), copy);
    filer->writeString(copy ? copy : L"");
    acutDelBuffer(copy);
    filer->writeDouble(speed);
    filer->writePoint3d(at);
    filer->writeBool(flag);
    filer->writeBytes(stamp, sizeof stamp);
    filer->writeAcDbHandle(ref);
    return writeAnswer != Acad::eOk ? writeAnswer : filer->filerStatus();
}

Acad::ErrorStatus TestRecord::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(filer);
    Adesk::Int32 version = 0;
    filer->readInt32(&version);
    if (version != kVersion)
        return Acad::eMakeMeProxy;
    ACHAR* text = nullptr;
    filer->readString(&text);
    name = text ? text : L"";
    acutDelBuffer(text);
    filer->readDouble(&speed);
    filer->readPoint3d(&at);
    filer->readBool(&flag);
    filer->readBytes(stamp, sizeof stamp);
    filer->readAcDbHandle(&ref);
    return filer->filerStatus();
}
