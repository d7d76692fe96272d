// Start-up and unload of a format 101 module in the host: its class, its
// service and the build's registration facts.
#include <filesystem>
#include <memory>

#include <windows.h>

#include "ModuleTestSupport.h"
#include "TestProcesses.h"

using namespace ModuleTest;

namespace
{
const wchar_t kClassName[] = L"CPmAcadSim";
const wchar_t kServiceName[] = L"CPmAcadSim101";

AcRxDictionary* Services()
{
    return AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_SERVICE_DICTIONARY));
}

AcRxEntryPointFunc EntryPoint()
{
    HMODULE module = GetModuleHandleW(CStringW(PM_TEST_MODULE_PATH).GetString());
    FARPROC proc = GetProcAddress(module, "acrxEntryPoint");
    return reinterpret_cast<AcRxEntryPointFunc>(reinterpret_cast<void (*)()>(proc));
}

void RenameApplication(AcRxClass*, wchar_t*, int) {}

class EntryPointTest : public LegacyDrawingTest
{
};

class StartUpTest : public testing::Test
{
};
} // namespace

TEST_F(EntryPointTest, RegistersTheClassWithTheBuildsFacts)
{
    AcRxClass* cls = acrxFindAcRxClass(kClassName);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls, CPmAcadSim::desc());
    EXPECT_EQ(cls, CPmAcadSim::gpDesc);
    EXPECT_STREQ(cls->name(), kClassName);
    EXPECT_STREQ(cls->parentName(), L"AcDbObject");
    EXPECT_EQ(cls->myParent(), AcDbObject::desc());
    EXPECT_STREQ(cls->dxfName(), L"CPMACADSIM");
    EXPECT_EQ(cls->proxyFlags(), 1);
    int version = 0;
    int maintenance = 0;
    cls->getClassVersion(version, maintenance);
    EXPECT_EQ(version, ThisBuild().dwgVersion);
    EXPECT_EQ(maintenance, ThisBuild().maintenanceRelease);
    EXPECT_EQ(std::wstring(cls->appName()), ExpectedRegistrationText());
    EXPECT_EQ(cls->appNameCallbackPtr(), nullptr);
    EXPECT_TRUE(acrxServiceIsRegistered(kServiceName));
    const std::wstring file = std::filesystem::path(PM_TEST_MODULE_PATH).filename().wstring();
    EXPECT_FALSE(acrxApplicationIsLocked(file.c_str())) << "the module unlocks itself";
    EXPECT_TRUE(acrxIsAppMDIAware(file.c_str()));
}

TEST_F(EntryPointTest, PseudoConstructorMakesAnEmptySimulationOnTheHostHeap)
{
    std::unique_ptr<AcRxObject> made(acrxFindAcRxClass(kClassName)->create());
    CPmAcadSim* sim = CPmAcadSim::cast(made.get());
    ASSERT_NE(sim, nullptr);
    EXPECT_TRUE(acdbHostHeapContains(dynamic_cast<const void*>(sim)));
    EXPECT_EQ(sim->isA(), CPmAcadSim::desc());
    EXPECT_TRUE(sim->objectId().isNull());
    EXPECT_EQ(*sim->Name(), CString());
    EXPECT_EQ(sim->Type(), -1);
    EXPECT_EQ(sim->Id(), 0u);
    EXPECT_TRUE(sim->Sections()->empty());
}

TEST_F(EntryPointTest, CastTakesOnlyObjectsOfTheClass)
{
    std::unique_ptr<AcRxObject> sim(acrxFindAcRxClass(kClassName)->create());
    AcDbBlockReference reference;
    EXPECT_EQ(CPmAcadSim::cast(sim.get()), sim.get());
    EXPECT_EQ(CPmAcadSim::cast(&reference), nullptr);
    EXPECT_EQ(CPmAcadSim::cast(nullptr), nullptr);
}

TEST_F(StartUpTest, RegistersOnceUnloadsAndIgnoresOtherMessages)
{
    TestProcesses::RunInFreshHost([] {
        EXPECT_EQ(CPmAcadSim::desc(), nullptr) << "nothing is registered before start-up";
        ASSERT_TRUE(LoadModule());
        AcRxClass* registered = CPmAcadSim::desc();
        AcRxObject* service = Services()->at(kServiceName);
        ASSERT_NE(registered, nullptr);
        ASSERT_NE(service, nullptr);

        AcRxEntryPointFunc entry = EntryPoint();
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry(AcRx::kInitAppMsg, nullptr), AcRx::kRetOK);
        EXPECT_EQ(acrxFindAcRxClass(kClassName), registered) << "a second start-up registers nothing again";
        EXPECT_EQ(Services()->at(kServiceName), service);

        EXPECT_EQ(entry(static_cast<AcRx::AppMsgCode>(7), nullptr), AcRx::kRetOK);
        EXPECT_EQ(acrxFindAcRxClass(kClassName), registered);

        EXPECT_EQ(entry(AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
        EXPECT_FALSE(acrxServiceIsRegistered(kServiceName));
        EXPECT_EQ(acrxFindAcRxClass(kClassName), nullptr);
    });
}

TEST_F(StartUpTest, TheSecondFormOfRxInitPassesTheRenameFunctionOn)
{
    TestProcesses::RunInFreshHost([] {
        CPmAcadSim::rxInit(&RenameApplication);
        AcRxClass* registered = acrxFindAcRxClass(kClassName);
        ASSERT_NE(registered, nullptr);
        EXPECT_EQ(registered->appNameCallbackPtr(), &RenameApplication);
        ASSERT_TRUE(LoadModule());
        EXPECT_EQ(acrxFindAcRxClass(kClassName), registered) << "start-up finds the class registered";
    });
}

TEST_F(StartUpTest, AnotherClassUnderTheNameEndsTheHost)
{
    // The death test's child is this program started anew: a fresh host.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            LoadModule();
            newAcRxClass(kClassName, L"AcDbObject", 0, 0);
            EntryPoint()(AcRx::kInitAppMsg, nullptr);
        },
        "Class mismatch");
}
