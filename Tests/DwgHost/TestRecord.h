// A persistent class of the tests' own, registered like a module registers its
// class: every item kind the filer knows, and a version that the reader checks.
#pragma once

#include <string>

#include <arxheaders.h>

class TestRecord : public AcDbObject
{
public:
    static AcRxClass* desc() { return gpDesc; }
    static TestRecord* cast(const AcRxObject* object)
    {
        return object && object->isKindOf(desc()) ? static_cast<TestRecord*>(const_cast<AcRxObject*>(object)) : nullptr;
    }
    AcRxClass* isA() const override { return desc(); }

    // Registers the class under "DwgHostTestRecord" unless it is registered already.
    static void rxInit();
    // Registers it anew with other proxy flags (the earlier descriptor leaves the dictionary).
    static void reregister(int proxyFlags);
    static AcRxObject* create() { return new TestRecord; }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

    static constexpr Adesk::Int32 kVersion = 2;
    // What the writer answers once it has written; a failure status makes it a failing writer.
    Acad::ErrorStatus writeAnswer = Acad::eOk;
    Adesk::Int32 writtenVersion = kVersion;
    std::wstring name;
    double speed = 0.0;
    AcGePoint3d at{0.0, 0.0, 0.0};
    bool flag = false;
    unsigned char stamp[16] = {};
    AcDbHandle ref;

    static AcRxClass* gpDesc;
};
