// Simulations stored in a design file survive into a fresh host.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MstnTestSupport.h"
#include "PartChain.h"

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

namespace
{
// A simulation whose segment's part tree is a chain of that many parts.
CPmSim200* MakeChainSimulation(const CString& name, int depth)
{
    CPmSim200* sim = MakeSimulation(name);
    CPmPart* tip = sim->Sections()->at(0)->Segments()->at(0)->Part();
    for (int level = 2; level <= depth; ++level)
    {
        CPmPart* next = CPmDbxFactory200::MakePart();
        tip->AddPart(next);
        tip = next;
    }
    return sim;
}

// Parts on the stored simulation's chain; 0 when it does not load.
int StoredChainDepth(const CString& name)
{
    CPmSim200* sim = CPmDbxFactory200::LoadSim(name);
    if (!sim)
        return 0;
    const int depth = PartChainDepth(sim->Sections()->at(0)->Segments()->at(0)->Part());
    CPmDbxFactory200::DeleteSim(sim);
    return depth;
}
} // namespace

TEST_F(DesignFileTest, PartTreesAreStoredOnlyAsDeepAsTheyReadBack)
{
    constexpr const char* kDeepFolderVariable = "PM_MSTN_TEST_DEEP_FOLDER";
    if (!std::getenv(kDeepFolderVariable))
    {
        std::string pattern = testing::TempDir() + "pm_mstn_deep_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        setenv(kDeepFolderVariable, pattern.c_str(), 1);
        struct Case
        {
            const TCHAR* name;
            int depth;
            int status;
        };
        for (const Case& c : {Case{_T("Kept"), 3, 0}, Case{_T("Kept"), 300, -1}, Case{_T("Deep 200"), 200, 0},
                              Case{_T("Deep 256"), 256, 0}, Case{_T("Deep 257"), 257, -1}})
        {
            CPmSim200* sim = MakeChainSimulation(c.name, c.depth);
            EXPECT_EQ(sim->Save(), c.status) << c.depth;
            CPmDbxFactory200::DeleteSim(sim);
        }
        EXPECT_EQ(HeaderCount(_T("Kept")), 1);
        EXPECT_EQ(StoredChainDepth(_T("Kept")), 3) << "a refused save keeps the earlier record";
        EXPECT_EQ(HeaderCount(_T("Deep 257")), 0) << "a refused save stores nothing";
        ASSERT_EQ(mstnHost_saveDesignFile((pattern + "/deep.dgn").c_str()), MSTN_SUCCESS);
    }
    const std::string folder = std::getenv(kDeepFolderVariable);

    RunInFreshHost([&] {
        ASSERT_EQ(mstnHost_loadDesignFile((folder + "/deep.dgn").c_str()), MSTN_SUCCESS);
        EXPECT_EQ(StoredChainDepth(_T("Kept")), 3);
        EXPECT_EQ(StoredChainDepth(_T("Deep 200")), 200);
        EXPECT_EQ(StoredChainDepth(_T("Deep 256")), 256);
        EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Deep 256"))), 1);
        EXPECT_EQ(HeaderCount(_T("Deep 256")), 0);
        EXPECT_EQ(mstnHost_liveDescriptorCount(), 0u);
    });

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    unsetenv(kDeepFolderVariable);
}
