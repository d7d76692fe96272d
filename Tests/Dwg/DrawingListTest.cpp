// Listing the simulations of a drawing: keys, failed loads and the
// block-reference filter.
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <dbhostfaults.h>

#include "DwgTestSupport.h"
#include "FailingAllocator.h"
#include "PmAcadSimList200.h"
#if defined(PM_TEST_UPGRADE_WRITER)
#include "LegacyDrawing.h"
#endif

using namespace DwgTest;

namespace
{
// The list with its name array in view.
class ListInView : public CPmAcadSimList200
{
public:
    std::vector<CString> Names() const
    {
        std::vector<CString> names;
        for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
            names.push_back(m_names.GetAt(i));
        return names;
    }

    std::vector<CString> SimNames() const
    {
        std::vector<CString> names;
        for (int i = 0; i < Size(); ++i)
            names.push_back(*Sim(i)->Name());
        return names;
    }
};

class DrawingListTest : public DwgDrawingTest
{
};
} // namespace

TEST_F(DrawingListTest, ListsDetachedCopiesInDictionaryOrder)
{
    for (const TCHAR* name : {_T("Gamma"), _T("Alpha"), _T("Beta")})
        Store(name, 0);
    ListInView list;
    EXPECT_EQ(list.Load(true, false), 0);
    EXPECT_EQ(list.SimNames(), (std::vector<CString>{_T("Alpha"), _T("Beta"), _T("Gamma")}));
    for (int i = 0; i < list.Size(); ++i)
        EXPECT_TRUE(PmAcadSimOf(list.Sim(i))->objectId().isNull()) << "a copy, not the stored object";
}

TEST_F(DrawingListTest, AKeyThatDoesNotLoadLowersTheStatus)
{
    Store(_T("Alpha"), 0);
    StoreForeignEntry(_T("Beta"));
    Store(_T("Gamma"), 0);
    ListInView list;
    EXPECT_EQ(list.Load(true, false), -1);
    EXPECT_EQ(list.SimNames(), (std::vector<CString>{_T("Alpha"), _T("Gamma")}));
    EXPECT_EQ(list.Names(), (std::vector<CString>{_T("Alpha"), _T("Beta"), _T("Gamma")}));
}

TEST_F(DrawingListTest, WithoutTheSubDictionaryTheListStaysEmpty)
{
    ListInView list;
    EXPECT_EQ(list.Load(true, false), Acad::eKeyNotFound);
    EXPECT_EQ(list.Size(), 0);
}

TEST_F(DrawingListTest, LoadingTwiceHoldsEverySimulationTwiceAndEachKeyOnce)
{
    Store(_T("Alpha"), 0);
    Store(_T("Beta"), 0);
    ListInView list;
    list.Load(true, false);
    list.Load(true, false);
    EXPECT_EQ(list.SimNames(), (std::vector<CString>{_T("Alpha"), _T("Beta"), _T("Alpha"), _T("Beta")}));
    EXPECT_EQ(list.Names(), (std::vector<CString>{_T("Alpha"), _T("Beta")}));
}

TEST_F(DrawingListTest, WithoutKeepAllSimulationsOfGoneBlockReferencesAreLeftOut)
{
    const AcDbObjectId definition = AddBlockDefinition(L"CART");
    const AcDbObjectId live = AddReference(definition, {0.0, 0.0, 0.0});
    const AcDbObjectId erased = AddReference(definition, {1.0, 0.0, 0.0});
    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, erased, AcDb::kForWrite), Acad::eOk);
    opened->erase();
    opened->close();

    Store(_T("Erased"), IdOf(erased));
    Store(_T("Live"), IdOf(live));
    Store(_T("NoBlock"), IdOf(Drawing()->namedObjectsDictionaryId()));
    Store(_T("Nothing"), 0x7000);
    Store(_T("Zero"), 0);

    ListInView kept;
    EXPECT_EQ(kept.Load(false, false), 0) << "a dropped simulation does not count as a failure";
    EXPECT_EQ(kept.SimNames(), (std::vector<CString>{_T("Live"), _T("Nothing"), _T("Zero")}));

    ListInView all;
    EXPECT_EQ(all.Load(true, false), 0);
    EXPECT_EQ(all.Size(), 5);
}

TEST_F(DrawingListTest, FactoryListIsReturnedWhateverItsLoadAnswered)
{
    std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, true));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Size(), 0);
    EXPECT_NE(dynamic_cast<CPmAcadSimList200*>(list.get()), nullptr);
}

TEST_F(DrawingListTest, WithoutKeepAllASimulationWhoseBlockReferenceIsHeldOpenStays)
{
    const AcDbObjectId reference = AddReference(AddBlockDefinition(L"CART"), {0.0, 0.0, 0.0});
    Store(_T("Moving"), IdOf(reference));
    for (const AcDb::OpenMode mode : {AcDb::kForRead, AcDb::kForWrite})
    {
        AcDbObject* held = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(held, reference, mode), Acad::eOk);
        ListInView list;
        const int status = list.Load(false, false);
        held->close();
        EXPECT_EQ(status, 0) << mode;
        EXPECT_EQ(list.SimNames(), std::vector<CString>{_T("Moving")}) << "held open, it is still a block reference";
    }
}

#if defined(PM_TEST_UPGRADE_WRITER)
// The builds that bind a format 101 module: the list's upgrade on the drawing a
// host with only that module wrote (Cart, Crane, Ghost), every write-back refused.
TEST_F(DrawingListTest, AnUpgradeWhoseWriteBackIsRefusedHandsOutCurrentCopiesAndKeepsTheFormat101Entries)
{
    const std::string file = SharedTempDir("upgrade") + "/legacy.dwg";
    const std::string written = TestProcesses::RunDrawingTool(PM_TEST_UPGRADE_WRITER, "write '" + file + "'");
    ASSERT_NE(written.rfind("failed", 0), 0u) << written;
    RunInFreshHost([&file] {
        ASSERT_TRUE(acrxLoadModule(CStringW(PM_TEST_UPGRADE_MODULE).GetString(), true));
        std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(file));
        ASSERT_NE(drawing, nullptr) << file;
        const std::vector<CString> keys{LegacyDrawing::kCart, LegacyDrawing::kCrane, LegacyDrawing::kGhost};

        faultswitch::Switch& setAt = dwgHostFault(DwgHostCall::DictionarySetAt);
        setAt.failFrom(1);
        std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, true));
        const std::size_t refused = setAt.failures();
        dwgHostFaultsOff();

        ASSERT_EQ(refused, keys.size()) << "every write-back was refused";
        ASSERT_EQ(list->Size(), 3);
        std::vector<const void*> copies;
        for (int i = 0; i < list->Size(); ++i)
        {
            CPmSim200* copy = list->Sim(i);
            EXPECT_EQ(*copy->Name(), keys[static_cast<std::size_t>(i)]);
            EXPECT_TRUE(copy->IsCurVersion()) << "marked current in memory";
            EXPECT_TRUE(PmAcadSimOf(copy)->objectId().isNull()) << "a detached copy, not the drawing's";
            copies.push_back(dynamic_cast<const void*>(PmAcadSimOf(copy)));
        }
        for (const CString& key : keys)
        {
            EXPECT_EQ(CPmAcadSim200::Load(key), nullptr) << "no format 200 object under " << key;
            SimPtr stored(CPmDbxFactory200::LoadSim(key));
            ASSERT_NE(stored, nullptr) << key;
            EXPECT_FALSE(stored->IsCurVersion()) << "the format 101 entry stays under " << key;
        }

        // The copy the list handed out saves, which writes the upgrade.
        EXPECT_EQ(list->Sim(0)->Save(), 0);
        CPmSim200* cart = CPmAcadSim200::Load(LegacyDrawing::kCart);
        ASSERT_NE(cart, nullptr) << "stored in format 200";
        cart->Close();

        list.reset();
        EXPECT_TRUE(acdbHostHeapContains(copies[0])) << "the saved copy is the drawing's";
        EXPECT_FALSE(acdbHostHeapContains(copies[1])) << "the detached copies are freed";
        EXPECT_FALSE(acdbHostHeapContains(copies[2]));
    });
}
#endif

// A list takes the simulation it is given also when it cannot hold it: the
// simulation is then given back to the factory, not lost.
TEST_F(DrawingListTest, ASimulationTheListCannotHoldIsGivenBack)
{
    ListInView list;
    const std::size_t heapBefore = acdbHostHeapLiveBlocks();
    CPmSim200* sim = CPmDbxFactory200::MakeSim(0x10, 1);
    ASSERT_EQ(acdbHostHeapLiveBlocks(), heapBefore + 1) << "a simulation lives on the host heap";
    FailingAllocator::failAt(1);
    EXPECT_THROW(list.Add(sim), std::bad_alloc);
    FailingAllocator::failAt(0);
    EXPECT_EQ(list.Size(), 0);
    EXPECT_EQ(acdbHostHeapLiveBlocks(), heapBefore) << "given back to the factory";
}
