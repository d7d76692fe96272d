// The ZWCAD host: the same host under the ZRX names, with the DWG class names
// its drawings hold.
#include <gtest/gtest.h>

#include <zrxheaders.h>

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

TEST(ZwHostTest, ExportsNoNameOfTheOtherHost)
{
    void* self = dlopen(nullptr, RTLD_NOW);
    ASSERT_NE(nullptr, self);
    EXPECT_NE(nullptr, dlsym(self, "_Z15zcrxSysRegistryv"));
    EXPECT_EQ(nullptr, dlsym(self, "_Z15acrxSysRegistryv"));
    dlclose(self);
}
} // namespace
