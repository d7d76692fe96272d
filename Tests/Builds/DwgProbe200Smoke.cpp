// The smoke run of a format 200 DWG module, in a host process of its bitness:
// loaded through the host's loader, it makes, saves, lists, loads, upgrades and
// deletes simulations, shows what its build's variants change, and unloads.
#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>

#include <unistd.h>

#include <gtest/gtest.h>

#include <windows.h>

#include "DwgSims200.h"
#include "HostDrawing.h"
#include "LegacyDrawing.h"
#include "PmAcadSim200.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmElement.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSimList200.h"
#include "QdBlock.h"
#include "SimFacts200.h"
#include "TestProcesses.h"
#include "ZrAcadBlock.h"

namespace
{
struct SimDeleter
{
    void operator()(CPmSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};
using SimPtr = std::unique_ptr<CPmSim200, SimDeleter>;

constexpr bool kBindsFormat101 =
#if defined(PM_BINDS_FORMAT101)
    true;
#else
    false;
#endif

// The facts of a simulation without its edited time, which a copy sets anew,
// and, when asked, without the positions' transforms, which the record does
// not hold as they are but rebuilds from the point and the angles.
std::vector<std::string> FactsWithoutEdit(const CPmSim200& sim, bool withTransforms = true)
{
    ProbeFacts facts;
    AddSimFacts(facts, sim);
    std::vector<std::string> lines;
    for (const std::string& line : facts.Lines())
    {
        const bool transform = line.find(" transform: ") != std::string::npos;
        if (line.rfind("edited:", 0) != 0 && (withTransforms || !transform))
            lines.push_back(line);
    }
    return lines;
}

std::vector<CString> Names()
{
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    return names;
}

// Has the format 101 probe of this bitness write its drawing (Cart, Crane and
// Ghost stored by a host with only the format 101 module).
bool WriteLegacyDrawing(const std::string& file)
{
    const std::string output = TestProcesses::RunDrawingTool(PM_PROBE_LEGACY_WRITER, "write '" + file + "'");
    return output.rfind("failed", 0) != 0;
}

class Smoke : public testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(DwgSims::LoadModule()) << PM_PROBE_DELIVERABLE " does not load"; }

    void SetUp() override
    {
        m_heapBefore = acdbHostHeapLiveBlocks();
        m_drawing.reset(new AcDbDatabase);
        acdbHostApplicationServices()->setWorkingDatabase(m_drawing.get());
    }

    void TearDown() override
    {
        m_drawing.reset();
        EXPECT_EQ(acdbHostHeapLiveBlocks(), m_heapBefore) << "a host heap block outlived the drawing";
    }

    // Replaces the working drawing with the one read from the file.
    bool Reopen(const std::string& file)
    {
        m_drawing.reset();
        m_drawing.reset(HostDrawing::OpenDrawing(file));
        return m_drawing != nullptr;
    }

    std::string TempFile(const char* name)
    {
        if (m_folder.empty())
        {
            std::string pattern = testing::TempDir() + "pm_smoke_XXXXXX";
            if (mkdtemp(pattern.data()))
                m_folder = pattern;
        }
        return m_folder + "/" + name;
    }

    ~Smoke() override
    {
        std::error_code ignored;
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::unique_ptr<AcDbDatabase, DrawingCloser> m_drawing;
    std::size_t m_heapBefore = 0;
    std::string m_folder;
};
} // namespace

TEST_F(Smoke, MakeSaveListLoadDelete)
{
    SimPtr made(DwgSims::MakeCart(_T("Smoke")));
    ASSERT_EQ(made->Save(), 0);
    SimPtr busy(DwgSims::MakeCart(_T("Busy")));
    busy->SetSimInUse(true);
    ASSERT_EQ(busy->Save(), 0);

    EXPECT_EQ(Names(), (std::vector<CString>{_T("Busy"), _T("Smoke")}));
    {
        std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(false, false));
        ASSERT_EQ(list->Size(), 2);
        EXPECT_EQ(*list->Sim(1)->Name(), CString(_T("Smoke")));
    }
    SimPtr loaded(CPmDbxFactory200::LoadSim(_T("Smoke")));
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->IsCurVersion());
    CPmAcadSim200* stored = DwgSims::OpenStored(_T("Smoke"));
    ASSERT_NE(stored, nullptr);
    stored->SetName(_T("Smoke"));
    EXPECT_EQ(FactsWithoutEdit(*loaded), FactsWithoutEdit(*stored));
    stored->close();

    // The drawing saved and read again holds the same but for the transforms.
    // The simulations go first: their blocks belong to the drawing they were made in.
    const std::vector<std::string> inMemory = FactsWithoutEdit(*loaded, false);
    made.reset();
    busy.reset();
    loaded.reset();
    const std::string file = TempFile("smoke.dwg");
    ASSERT_EQ(acdbHostApplicationServices()->workingDatabase()->saveAs(CStringW(file.c_str()).GetString()),
              Acad::eOk);
    ASSERT_TRUE(Reopen(file));
    SimPtr reread(CPmDbxFactory200::LoadSim(_T("Smoke")));
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(FactsWithoutEdit(*reread, false), inMemory);
    reread.reset();

    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Busy"))), 2) << "a simulation in use stays";
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Smoke"))), 1);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Smoke"))), 0);
    EXPECT_EQ(Names(), std::vector<CString>{_T("Busy")});
}

// Old simulations: a build that binds its format 101 module reads them as not
// current and upgrades them to format 200 records; the others find nothing.
TEST_F(Smoke, UpgradesFormat101SimulationsWhenItBindsTheModule)
{
    const std::string file = TempFile("legacy.dwg");
    ASSERT_TRUE(WriteLegacyDrawing(file));
    ASSERT_TRUE(Reopen(file));
    const CString cart(LegacyDrawing::kCart);
    SimPtr old(CPmDbxFactory200::LoadSim(cart));
    if (!kBindsFormat101)
    {
        EXPECT_EQ(old, nullptr);
        CPmDbxFactory200::UpgradeSim(cart);
        EXPECT_EQ(DwgSims::OpenStored(cart), nullptr) << "the record stays as it was";
        return;
    }
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(old->IsCurVersion());
    EXPECT_EQ(old->Type(), LegacyDrawing::kCartType);
    CPmDbxFactory200::UpgradeSim(cart);
    CPmAcadSim200* upgraded = DwgSims::OpenStored(cart);
    ASSERT_NE(upgraded, nullptr) << "a format 200 record under the same key";
    upgraded->close();
    SimPtr current(CPmDbxFactory200::LoadSim(cart));
    ASSERT_NE(current, nullptr);
    EXPECT_TRUE(current->IsCurVersion());
    EXPECT_EQ(current->Length(), LegacyDrawing::kCartPositions);
}

// What the build's variants change that a client or the host sees.
TEST_F(Smoke, ShowsTheVariantsOfItsBuild)
{
    EXPECT_EQ(sizeof(TCHAR), sizeof(wchar_t)) << "the DWG builds use wide strings";
    EXPECT_TRUE((std::is_same<PmDumpStream::char_type, wchar_t>::value));

    // Finding the registered class again: acrxFindAcRxClass in the builds whose
    // SDK finds it so, the class dictionary in the others.
    const std::size_t findsBefore = acrxHostClassFinds();
    CPmAcadSim200::rxInit();
#if defined(PM_CLASS_LOOKUP_FIND)
    EXPECT_EQ(acrxHostClassFinds() - findsBefore, 1u);
#else
    EXPECT_EQ(acrxHostClassFinds() - findsBefore, 0u);
#endif

    // Storing over a held key: the builds that pre-open the replaced entry open
    // one object for write more than when the key is new.
    SimPtr first(DwgSims::MakeCart(_T("First")));
    ASSERT_EQ(first->Save(), 0);
    SimPtr second(DwgSims::MakeCart(_T("Second")));
    const std::size_t beforeNew = acdbHostWriteOpens();
    ASSERT_EQ(second->Save(), 0);
    const std::size_t opensNew = acdbHostWriteOpens() - beforeNew;
    const std::size_t beforeReplace = acdbHostWriteOpens();
    ASSERT_EQ(second->Save(), 0);
    const std::size_t opensReplace = acdbHostWriteOpens() - beforeReplace;
#if defined(PM_SAVE_PREOPENS_ENTRY)
    EXPECT_EQ(opensReplace, opensNew + 1);
#else
    EXPECT_EQ(opensReplace, opensNew);
#endif

#if !defined(PM_HOST_ZRX)
    // A block of the format 101 module becomes a current block in the builds
    // that copy such blocks; the others refuse it. (The format 101 modules are
    // built for the Ac-named host: a ZWCAD host process cannot load them.)
    const CStringW legacyPath(PM_PROBE_LEGACY_MODULE_PATH);
    ASSERT_TRUE(acrxLoadModule(legacyPath.GetString(), true));
    using CreateBlockFunction = CQdBlock* (*)(element*);
    auto* createLegacyBlock = reinterpret_cast<CreateBlockFunction>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(legacyPath.GetString()), "_ZN15CPmBlockFactory11CreateBlockEP7element")));
    ASSERT_NE(createLegacyBlock, nullptr);
    const CQdBlock* cartBlock = first->Sections()->at(0)->Segments()->at(0)->Part()->Block();
    element drawingObject{0, const_cast<AcDbBlockReference*>(cartBlock->BlockRef())};
    std::unique_ptr<CQdBlock> legacyBlock(createLegacyBlock(&drawingObject));
    ASSERT_NE(legacyBlock, nullptr);
    std::unique_ptr<CQdBlock> copy(CPmBlockFactory::CopyBlock(*legacyBlock));
#if defined(PM_COPIES_FORMAT101_BLOCKS)
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(dynamic_cast<CZrAcadBlock*>(copy.get()), nullptr);
#else
    EXPECT_EQ(copy, nullptr);
#endif
#endif
}

// Unloaded, the module takes its class and service out of the host.
TEST_F(Smoke, UnloadsFromTheHost)
{
    ASSERT_NE(acrxFindAcRxClass(L"CPmAcadSim200"), nullptr);
    ASSERT_TRUE(acrxServiceIsRegistered(L"CPmAcadSim200"));
    EXPECT_TRUE(acrxUnloadModule(CStringW(PM_PROBE_MODULE_PATH).GetString()));
    EXPECT_EQ(acrxFindAcRxClass(L"CPmAcadSim200"), nullptr);
    EXPECT_FALSE(acrxServiceIsRegistered(L"CPmAcadSim200"));
}
