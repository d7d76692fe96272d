// The smoke run of a format 200 DWG module, in a host process of its bitness:
// loaded through the host's loader, it makes, saves, lists, loads, upgrades and
// deletes simulations, shows what its build's variants change, and unloads.
#include <algorithm>
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
#include "PmHeld.h"
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
using SimPtr = PmHeld::Detached<CPmSim200, CPmDbxFactory200>;

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

// What each build does with a block of the format 101 module: whether
// CopyBlock turns it into a current block, whether AddSegment moves it. Both
// bitnesses of a build do the same.
struct LegacyBlockRules
{
    const char* build;
    bool copies;
    bool moves;
};
const LegacyBlockRules kLegacyBlockRules[] = {
    {"Varnex200_2007", true, true},       {"Varnex200_2010", true, true},
    {"Varnex200_2013", true, true},       {"Varnex200_2015", false, false},
    {"Varnex200_2017", true, false},      {"Varnex200_2018", true, false},
    {"Varnex200_BCAD15", false, false},   {"Varnex200_BCAD16", false, false},
    {"Varnex200_BCAD17", false, false},   {"Varnex200_ZWCAD2017", false, false}};

const LegacyBlockRules* RulesOfThisBuild()
{
    std::string build = PM_PROBE_DELIVERABLE;
    const std::string suffix = "x64";
    if (build.size() > suffix.size() && build.compare(build.size() - suffix.size(), suffix.size(), suffix) == 0)
        build.resize(build.size() - suffix.size());
    for (const LegacyBlockRules& rules : kLegacyBlockRules)
    {
        if (build == rules.build)
            return &rules;
    }
    return nullptr;
}

// The format 101 module's block factory, reached by its export name.
using CreateBlockFunction = CQdBlock* (*)(element*);
CreateBlockFunction LegacyCreateBlock()
{
    const CStringW legacyPath(PM_PROBE_LEGACY_MODULE_PATH);
    if (!acrxLoadModule(legacyPath.GetString(), true))
        return nullptr;
    return reinterpret_cast<CreateBlockFunction>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(legacyPath.GetString()), "_ZN15CPmBlockFactory11CreateBlockEP7element")));
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
}

// A block of the format 101 module: copied into a current block for the same
// drawing reference, and moved by AddSegment, only where the build does so.
TEST_F(Smoke, HandlesFormat101BlocksAsItsBuildDoes)
{
#if defined(PM_HOST_ZRX)
    // The format 101 modules are built for the Ac-named host: a ZWCAD host
    // process cannot load them, so no format 101 block reaches this build.
    GTEST_SKIP() << "no format 101 module loads in a ZWCAD host";
#endif
    const LegacyBlockRules* rules = RulesOfThisBuild();
    ASSERT_NE(rules, nullptr) << PM_PROBE_DELIVERABLE " has no format 101 block rules";
    const CreateBlockFunction createLegacyBlock = LegacyCreateBlock();
    ASSERT_NE(createLegacyBlock, nullptr);

    AcDbBlockReference source(AcGePoint3d(1.0, 2.0, 3.0), HostDrawing::AddBlockDefinition(L"Legacy"));
    element drawingObject{0, &source};
    CQdBlock* legacyBlock = createLegacyBlock(&drawingObject);
    ASSERT_NE(legacyBlock, nullptr);
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(legacyBlock);  // into the drawing, by the format 101 module
    const AcDbHandle handle = *legacyBlock->Handle();
    ASSERT_NE(static_cast<Adesk::UInt64>(handle), 0u);

    std::unique_ptr<CQdBlock> copy(CPmBlockFactory::CopyBlock(*legacyBlock));
    EXPECT_EQ(copy != nullptr, rules->copies);
    if (copy)
    {
        EXPECT_NE(dynamic_cast<CZrAcadBlock*>(copy.get()), nullptr);
        EXPECT_EQ(*copy->Handle(), handle);
    }

    PmPosition200 first;
    first.pt = {7.0, -8.0, 9.5};
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    segment->AddPath({first});
    std::unique_ptr<CPmSection200> section(CPmDbxFactory200::MakeSection());
    section->AddSegment(segment);
    const HostDrawing::Xyz expected = rules->moves ? HostDrawing::Xyz{7.0, -8.0, 9.5} : HostDrawing::Xyz{1.0, 2.0, 3.0};
    EXPECT_EQ(HostDrawing::PositionOf(handle), expected);
    EXPECT_EQ(section->Length(), 1);
}

// A new simulation saved with a format 101 simulation's id takes the id from
// it: the old one is stored again without an id, as a format 200 record, and
// stays loadable, listed and deletable in the same session.
TEST_F(Smoke, IdRuleRewritesAConvertedSimulationAsCurrent)
{
    if (!kBindsFormat101)
        GTEST_SKIP() << "the build reads no format 101 simulation";
    const std::string file = TempFile("legacy-ids.dwg");
    ASSERT_TRUE(WriteLegacyDrawing(file));
    ASSERT_TRUE(Reopen(file));
    const CString cart(LegacyDrawing::kCart);
    {
        SimPtr old(CPmDbxFactory200::LoadSim(cart));
        ASSERT_NE(old, nullptr);
        ASSERT_NE(old->Id(), 0u);
        SimPtr mine(CPmDbxFactory200::MakeSim(old->Id(), 1));
        mine->SetName(_T("Mine"));
        ASSERT_EQ(mine->Save(), 0);
    }
    SimPtr rewritten(CPmDbxFactory200::LoadSim(cart));
    ASSERT_NE(rewritten, nullptr);
    EXPECT_TRUE(rewritten->IsCurVersion());
    EXPECT_EQ(rewritten->Id(), 0u);
    EXPECT_EQ(rewritten->Length(), LegacyDrawing::kCartPositions);
    rewritten.reset();
    const std::vector<CString> names = Names();
    EXPECT_NE(std::find(names.begin(), names.end(), cart), names.end());
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(cart), 1);
    CleanSims();
    EXPECT_TRUE(Names().empty());
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
