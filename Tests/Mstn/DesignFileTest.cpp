// Simulations stored in a design file survive into a fresh host.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
class DesignFileTest : public Fixture
{
};

constexpr const char* kFolderVariable = "PM_MSTN_TEST_DESIGN_FOLDER";

std::string DumpText(const CPmSimList200& list)
{
    PmDumpStream os;
    for (int i = 0; i < list.Size(); ++i)
        os << *list.Sim(i);
    return Narrow(CString(os.str().c_str()));
}
} // namespace

TEST_F(DesignFileTest, SimulationsSurviveInADesignFileReadByAFreshHost)
{
    // The parent writes the file and names its folder to the child through the environment.
    if (!std::getenv(kFolderVariable))
    {
        std::string pattern = testing::TempDir() + "pm_mstn_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        setenv(kFolderVariable, pattern.c_str(), 1);
        for (const TCHAR* name : {_T("North"), _T("South")})
        {
            CPmSim200* sim = MakeSimulation(name, 3);
            sim->SetId(AddDrawingElement());
            ASSERT_EQ(sim->Save(), 0);
            CPmDbxFactory200::DeleteSim(sim);
        }
        CPmSimList200* list = CPmDbxFactory200::LoadSimList(true, false);
        std::ofstream(pattern + "/expected.txt") << DumpText(*list);
        delete list;
        ASSERT_EQ(mstnHost_saveDesignFile((pattern + "/model.dgn").c_str()), MSTN_SUCCESS);
    }
    const std::string folder = std::getenv(kFolderVariable);

    RunInFreshHost([&] {
        EXPECT_EQ(mstnHost_elementCount(), 0u) << "a host that has read nothing yet";
        ASSERT_EQ(mstnHost_loadDesignFile((folder + "/model.dgn").c_str()), MSTN_SUCCESS);
        CPmSimList200* list = CPmDbxFactory200::LoadSimList(false, false);
        ASSERT_EQ(list->Size(), 2) << "both ids name elements of the file";
        EXPECT_EQ(*list->Sim(0)->Name(), CString(_T("North")));
        EXPECT_EQ(*list->Sim(1)->Name(), CString(_T("South")));
        std::stringstream expected;
        expected << std::ifstream(folder + "/expected.txt").rdbuf();
        EXPECT_EQ(DumpText(*list), expected.str());
        delete list;
        EXPECT_EQ(mstnHost_liveDescriptorCount(), 0u);
    });

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    unsetenv(kFolderVariable);
}
