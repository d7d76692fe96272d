// The ZWCAD host: the same host under the ZRX names, with the DWG class names
// its drawings hold.
#include <gtest/gtest.h>

#include <zrxheaders.h>
#include <dbhostfaults.h>

#include <dlfcn.h>

namespace
{
TEST(ZwHostTest, RegistersAndFindsClassesUnderTheZrxNames)
{
    ZcRxClass* cls = newZcRxClass(L"ZwTestClass", L"AcDbObject", 31, 8);
    ASSERT_NE(nullptr, cls);
    EXPECT_EQ(ZcDbObject::desc(), cls->myParent());
    EXPECT_EQ(cls, zcrxFindZcRxClass(L"ZwTestClass"));
    ZcRxDictionary* classes = ZcRxDictionary::cast(zcrxSysRegistry()->at(ZCRX_CLASS_DICTIONARY));
    ASSERT_NE(nullptr, classes);
    EXPECT_EQ(cls, classes->at(L"ZwTestClass"));
    deleteZcRxClass(cls);
    EXPECT_EQ(nullptr, zcrxFindZcRxClass(L"ZwTestClass"));
    EXPECT_NE(nullptr, zcdbHostApplicationServices()->workingDatabase());
}

// The switches keep their names in the ZWCAD host, and its calls obey them.
TEST(ZwHostTest, ItsCallsFailOnDemandLikeTheOtherHosts)
{
    auto* drawing = new ZcDbDatabase;
    ZcDbDictionary* named = nullptr;
    ASSERT_EQ(Zcad::eOk, drawing->getNamedObjectsDictionary(named, ZcDb::kForWrite));
    dwgHostFault(DwgHostCall::DictionarySetAt).failAt(1);
    auto* entry = new ZcDbDictionary;
    ZcDbObjectId id;
    EXPECT_EQ(Zcad::eOutOfMemory, named->setAt(L"QD_SIM", entry, id));
    EXPECT_EQ(Zcad::eOk, named->setAt(L"QD_SIM", entry, id));
    EXPECT_EQ(2u, dwgHostFault(DwgHostCall::DictionarySetAt).calls());
    entry->close();
    named->close();

    dwgHostFault(DwgHostCall::HeapAllocation).failAt(1);
    ZTCHAR* copy = nullptr;
    EXPECT_EQ(Zcad::eOutOfMemory, zcutNewString(L"text", copy));
    dwgHostFaultsOff();
    delete drawing;
}

TEST(ZwHostTest, ExportsNoNameOfTheOtherHost)
{
    void* self = dlopen(nullptr, RTLD_NOW);
    ASSERT_NE(nullptr, self);
    EXPECT_NE(nullptr, dlsym(self, "_Z15zcrxSysRegistryv"));
    EXPECT_EQ(nullptr, dlsym(self, "_Z15acrxSysRegistryv"));
    dlclose(self);
}
} // namespace
