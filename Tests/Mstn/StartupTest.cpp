// Module start-up: the application object loads the format 101 module of the
// build's host version from the company folder under "CommonProgramFiles".
#include <algorithm>

#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
class StartupTest : public Fixture
{
};

std::string CompanyModulePath(const std::string& commonFiles)
{
    return commonFiles + "/Quendal Solutions/" + PM_LEGACY_MODULE_FILE;
}

// What every build does without its format 101 module: store and read back.
void OperationsWork()
{
    mstnHost_resetModel();
    CPmSim200* sim = MakeSimulation(_T("Works"));
    EXPECT_EQ(sim->Save(), 0);
    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Works"));
    EXPECT_NE(read, nullptr);
    CPmDbxFactory200::DeleteSim(read);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Works"))), 1);
    EXPECT_EQ(CPmDbxFactory200::LoadSim(_T("Old Route")), nullptr);
    CPmDbxFactory200::DeleteSim(sim);
}
} // namespace

TEST_F(StartupTest, TheFormat101ModuleIsLoadedFromTheCompanyFolder)
{
    EXPECT_EQ(LoadedModulePath(PM_LEGACY_MODULE_FILE), CompanyModulePath(PM_TEST_COMMON_FILES));
}

// The path is the variable's value, a backslash, "Quendal Solutions", a
// backslash and the file name, whatever the value ends with.
TEST_F(StartupTest, ThePathIsBuiltFromTheVariableAsItStands)
{
    const std::string folder = PM_TEST_COMMON_FILES;
    std::string windowsForm = folder;
    std::replace(windowsForm.begin(), windowsForm.end(), '/', '\\');
    struct Case
    {
        std::string value;
        std::string loadedBy;
    };
    const Case cases[] = {
        {folder + "\\", folder + "//Quendal Solutions/" + PM_LEGACY_MODULE_FILE},
        {windowsForm, CompanyModulePath(folder)},
    };
    for (const Case& c : cases)
    {
        ScopedEnv variable("CommonProgramFiles", c.value.c_str());
        RunInFreshHost([&] { EXPECT_EQ(LoadedModulePath(PM_LEGACY_MODULE_FILE), c.loadedBy) << c.value; });
    }
}

TEST_F(StartupTest, WithoutTheVariableNothingIsLoadedAndTheModuleWorks)
{
    ScopedEnv variable("CommonProgramFiles", nullptr);
    RunInFreshHost([] {
        EXPECT_EQ(LoadedModulePath(PM_LEGACY_MODULE_FILE), "");
        OperationsWork();
        EXPECT_EQ(LoadedModulePath(PM_LEGACY_MODULE_FILE), "") << "nor by a later call";
    });
}

TEST_F(StartupTest, WithAFolderLackingTheCompanyFolderTheModuleWorks)
{
    ScopedEnv variable("CommonProgramFiles", testing::TempDir().c_str());
    RunInFreshHost([] {
        EXPECT_EQ(LoadedModulePath(PM_LEGACY_MODULE_FILE), "");
        OperationsWork();
    });
}
