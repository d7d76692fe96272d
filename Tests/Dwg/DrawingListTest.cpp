// Listing the simulations of a drawing: keys, failed loads and the
// block-reference filter.
#include <memory>

#include "DwgTestSupport.h"
#include "PmAcadSimList200.h"

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
protected:
    static void Store(const CString& name, PmSimId id)
    {
        std::unique_ptr<CPmSim200, SimDeleter> sim(CPmDbxFactory200::MakeSim(id, 1));
        sim->SetName(name);
        ASSERT_EQ(sim->Save(), 0);
    }
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
