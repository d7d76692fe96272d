// Start-up and unload of the module in the host: class registration, the
// service, the format 101 module and the build's entry point.
#include <filesystem>
#include <memory>

#include <windows.h>

#include <brxheaders.h>
#include <gmock/gmock.h>

#include "DwgTestSupport.h"

using namespace DwgTest;

namespace
{
const wchar_t kClassName[] = L"CPmAcadSim200";

AcRxDictionary* Services()
{
    return AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_SERVICE_DICTIONARY));
}

HMODULE ModuleHandle()
{
    return GetModuleHandleW(ModulePath().c_str());
}

// A company folder under which every format 101 module name of any build is a probe module.
std::string CompanyFolderWithProbes()
{
    const std::string common = SharedTempDir("common");
    const std::filesystem::path folder = std::filesystem::path(common) / "Quendal Solutions";
    std::filesystem::create_directories(folder);
    for (const std::wstring& name : LegacyModuleNames())
        std::filesystem::copy_file(PM_TEST_PROBE_PATH, folder / name, std::filesystem::copy_options::overwrite_existing);
    return common;
}

// Exactly the text the host writes before it aborts. A 32-bit test run through
// a user-mode emulator (a 64-bit kernel that runs no 32-bit programs) gets one
// line of the emulator's own after it, which is not the host's.
testing::Matcher<const std::string&> HostWroteExactly(const std::string& text)
{
    return testing::AnyOf(testing::Eq(text),
                          testing::AllOf(testing::StartsWith(text + "qemu: uncaught target signal 6 "),
                                         testing::EndsWith("\n")));
}

class EntryPointTest : public DwgDrawingTest
{
};

class StartUpTest : public FreshHostTest
{
protected:
    void TearDown() override
    {
        unsetenv("CommonProgramFiles");
        RemoveSharedTempDir("common");
    }
};
} // namespace

TEST_F(EntryPointTest, RegistersTheClassWithTheBuildsFacts)
{
    const Variant& variant = ThisVariant();
    AcRxClass* cls = acrxFindAcRxClass(kClassName);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls, CPmAcadSim200::desc());
    EXPECT_EQ(cls, CPmAcadSim200::gpDesc);
    EXPECT_STREQ(cls->name(), kClassName);
    EXPECT_STREQ(cls->parentName(), L"AcDbObject");
    EXPECT_EQ(cls->myParent(), AcDbObject::desc());
    EXPECT_STREQ(cls->dxfName(), L"CPMACADSIM200");
    EXPECT_EQ(cls->proxyFlags(), 1);
    int version = 0;
    int maintenance = 0;
    cls->getClassVersion(version, maintenance);
    EXPECT_EQ(version, variant.dwgVersion);
    EXPECT_EQ(maintenance, variant.maintenanceRelease);
    EXPECT_EQ(std::wstring(cls->appName()), ExpectedRegistrationText());
    EXPECT_EQ(cls->appNameCallbackPtr(), nullptr);
    EXPECT_TRUE(acrxServiceIsRegistered(kClassName));
    const std::wstring file = std::filesystem::path(ModulePath()).filename().wstring();
    EXPECT_FALSE(acrxApplicationIsLocked(file.c_str())) << "the module unlocks itself";
    EXPECT_TRUE(acrxIsAppMDIAware(file.c_str()));
}

TEST_F(EntryPointTest, PseudoConstructorMakesAnEmptySimulationOnTheHostHeap)
{
    std::unique_ptr<AcRxObject> made(acrxFindAcRxClass(kClassName)->create());
    CPmAcadSim200* sim = CPmAcadSim200::cast(made.get());
    ASSERT_NE(sim, nullptr);
    EXPECT_TRUE(acdbHostHeapContains(dynamic_cast<const void*>(sim)));
    EXPECT_TRUE(sim->objectId().isNull());
    EXPECT_TRUE(sim->Name()->IsEmpty());
    EXPECT_EQ(sim->Type(), -1);
    EXPECT_TRUE(sim->Sections()->empty());
    EXPECT_TRUE(sim->IsCurVersion());
}

TEST_F(EntryPointTest, ExportsTheEntryPointOfItsHost)
{
    const bool zrx = ThisVariant().zrxNames;
    EXPECT_EQ(GetProcAddress(ModuleHandle(), "zcrxEntryPoint") != nullptr, zrx);
    EXPECT_EQ(GetProcAddress(ModuleHandle(), "acrxEntryPoint") != nullptr, !zrx);
    EXPECT_EQ(GetProcAddress(ModuleHandle(), "odrxCreateModuleObject") != nullptr, ThisVariant().brx);
}

TEST_F(EntryPointTest, BricsCadBuildsGiveTheClassTheImplementationHook)
{
    AcRxClass* cls = acrxFindAcRxClass(kClassName);
    EXPECT_EQ(odrxPseudoConstructorHook, nullptr) << "the hook is reset after registration";
    if (!ThisVariant().brx)
    {
        EXPECT_EQ(cls->impObjectConstructor(), nullptr);
        return;
    }
    ASSERT_NE(cls->impObjectConstructor(), nullptr);
    std::unique_ptr<AcRxObject> implementation(cls->impObjectConstructor()());
    auto* made = dynamic_cast<OdRxImpObject*>(implementation.get());
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->className(), kClassName);
}

TEST_F(EntryPointTest, SecondInitialiseAndOtherMessagesChangeNothing)
{
    AcRxClass* cls = CPmAcadSim200::desc();
    AcRxObject* service = Services()->at(kClassName);
    const Adesk::UInt32 services = Services()->numEntries();
    for (AcRx::AppMsgCode message : {AcRx::kInitAppMsg, AcRx::kNullMsg, static_cast<AcRx::AppMsgCode>(3)})
    {
        EXPECT_EQ(EntryPoint()(message, nullptr), AcRx::kRetOK);
        EXPECT_EQ(acrxFindAcRxClass(kClassName), cls);
        EXPECT_EQ(CPmAcadSim200::gpDesc, cls);
        EXPECT_EQ(Services()->at(kClassName), service);
        EXPECT_EQ(Services()->numEntries(), services);
    }
}

TEST_F(StartUpTest, UnloadRemovesTheServiceAndTheClass)
{
    RunInFreshHost([] {
        ASSERT_TRUE(LoadModule());
        ASSERT_TRUE(acrxUnloadModule(ModulePath().c_str()));
        EXPECT_FALSE(acrxServiceIsRegistered(kClassName));
        EXPECT_EQ(acrxFindAcRxClass(kClassName), nullptr);
        EXPECT_NE(acrxFindAcRxClass(L"AcDbObject"), nullptr);
    });
}

TEST_F(StartUpTest, AnotherClassUnderTheNameEndsTheHost)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto initialiseOverAnImpostor = [] {
        LoadModule();
        newAcRxClass(kClassName, L"AcDbObject", 1, 1);
        EntryPoint()(AcRx::kInitAppMsg, nullptr);
    };
    if (ThisVariant().zrxNames)
        EXPECT_EXIT(initialiseOverAnImpostor(), testing::KilledBySignal(SIGABRT), HostWroteExactly("\n"));
    else
        EXPECT_EXIT(initialiseOverAnImpostor(), testing::KilledBySignal(SIGABRT), HostWroteExactly("Class mismatch\n"));
}

TEST_F(StartUpTest, LoadsTheFormat101ModuleOfItsBuildFromTheCompanyFolder)
{
    setenv("CommonProgramFiles", CompanyFolderWithProbes().c_str(), 1);
    RunInFreshHost([] {
        ASSERT_TRUE(LoadModule());
        for (const std::wstring& name : LegacyModuleNames())
            EXPECT_EQ(acrxApplicationIsLocked(name.c_str()), name == ThisVariant().legacyModule) << name;
        EXPECT_TRUE(acrxServiceIsRegistered(kClassName));
    });
}

TEST_F(StartUpTest, WithoutCommonProgramFilesNothingElseIsLoaded)
{
    CompanyFolderWithProbes();
    unsetenv("CommonProgramFiles");
    RunInFreshHost([] {
        ASSERT_TRUE(LoadModule());
        for (const std::wstring& name : LegacyModuleNames())
            EXPECT_FALSE(acrxApplicationIsLocked(name.c_str())) << name;
        EXPECT_NE(acrxFindAcRxClass(kClassName), nullptr);
        EXPECT_TRUE(acrxServiceIsRegistered(kClassName));
    });
}
