// Simulations saved with a drawing file and read back by a fresh host.
#include <algorithm>
#include <memory>

#include "DwgTestSupport.h"
#include "PartChain.h"

using namespace DwgTest;

namespace
{
class DrawingRoundTripTest : public FreshHostTest
{
protected:
    void TearDown() override { RemoveSharedTempDir("drawing"); }

    static std::wstring DrawingPath()
    {
        return CStringW((SharedTempDir("drawing") + "/carts.dwg").c_str()).GetString();
    }
};

// Stores two carts ("Cart A" in use) and saves the drawing.
void WriteDrawing(const std::wstring& path)
{
    ASSERT_TRUE(LoadModule());
    auto* drawing = new AcDbDatabase;
    acdbHostApplicationServices()->setWorkingDatabase(drawing);
    for (const TCHAR* name : {_T("Cart A"), _T("Cart B")})
    {
        CPmSim200* sim = MakeCartSim(name);
        sim->SetSimInUse(name[5] == _T('A'));
        EXPECT_EQ(sim->Save(), 0);
        CPmDbxFactory200::DeleteSim(sim);
    }
    EXPECT_EQ(drawing->saveAs(path.c_str()), Acad::eOk);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete drawing;
}
} // namespace

TEST_F(DrawingRoundTripTest, ReopenedDrawingListsTheSameSimulations)
{
    const std::wstring path = DrawingPath();
    RunInFreshHost([&] { WriteDrawing(path); });
    RunInFreshHost([&] {
        ASSERT_TRUE(LoadModule());
        auto* drawing = new AcDbDatabase(false, true);
        ASSERT_EQ(drawing->readDwgFile(path.c_str()), Acad::eOk);
        acdbHostApplicationServices()->setWorkingDatabase(drawing);
        {
            std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(false, false));
            ASSERT_EQ(list->Size(), 2) << "both ids name live block references";
            for (int i = 0; i < list->Size(); ++i)
            {
                CPmSim200& sim = *list->Sim(i);
                EXPECT_EQ(*sim.Name(), CString(i == 0 ? _T("Cart A") : _T("Cart B")));
                EXPECT_EQ(sim.SimInUse(), i == 0 ? 1 : 0);
                EXPECT_EQ(sim.Type(), 3);
                EXPECT_EQ(sim.Length(), 3);
                ASSERT_EQ(sim.Sections()->size(), 1u);
                EXPECT_EQ(sim.Sections()->at(0)->Speed(), 50.0);
                CPmSegment200& segment = *sim.Sections()->at(0)->Segments()->at(0);
                ASSERT_EQ(segment.Positions()->size(), 3u);
                EXPECT_EQ(segment.Position(2)->pt.y, 6.0);
                const CPmPart& cart = *segment.Part();
                EXPECT_EQ(IdOf(*cart.Block()->Handle()), sim.Id());
                EXPECT_EQ(cart.Offset().z, 0.5);
                ASSERT_EQ(cart.NumSubParts(), 1);
                EXPECT_EQ(cart.SubPart(0)->Offset().x, 1.0);

                // The blocks are still in model space, hidden, at the first position.
                AcDbBlockReference* reference = Open<AcDbBlockReference>(IdOfHandle(*cart.Block()->Handle()));
                ASSERT_NE(reference, nullptr);
                EXPECT_EQ(reference->visibility(), AcDb::kInvisible);
                EXPECT_EQ(reference->position().x, 1.0);
                reference->close();
            }
        }
        EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Cart B"))), 1);
        std::vector<CString> names;
        CPmDbxFactory200::LoadSimNames(names);
        EXPECT_EQ(names, std::vector<CString>{_T("Cart A")});
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete drawing;
    });
}

namespace
{
// Lengthens the cart's tree (cart, wheel) into a chain of that many parts.
void DeepenCart(CPmSim200& sim, int depth)
{
    CPmPart* tip = sim.Sections()->at(0)->Segments()->at(0)->Part()->SubPart(0);
    for (int level = 3; level <= depth; ++level)
    {
        CPmPart* next = CPmDbxFactory200::MakePart();
        tip->AddPart(next);
        tip = next;
    }
}

// Parts on the chain from the stored simulation's segment part down; 0 when
// the simulation does not load.
int StoredChainDepth(const CString& name)
{
    SimPtr sim(CPmDbxFactory200::LoadSim(name));
    if (!sim)
        return 0;
    const int depth = PartChainDepth(sim->Sections()->at(0)->Segments()->at(0)->Part());
    return depth;
}
} // namespace

TEST_F(DrawingRoundTripTest, PartTreesAreStoredOnlyAsDeepAsTheyReadBack)
{
    const std::wstring path = DrawingPath();
    RunInFreshHost([&] {
        ASSERT_TRUE(LoadModule());
        auto* drawing = new AcDbDatabase;
        acdbHostApplicationServices()->setWorkingDatabase(drawing);
        struct Case
        {
            const TCHAR* name;
            int depth;
            int status;
        };
        for (const Case& c : {Case{_T("Kept"), 2, 0}, Case{_T("Kept"), 300, -1}, Case{_T("Deep 200"), 200, 0},
                              Case{_T("Deep 256"), 256, 0}, Case{_T("Deep 257"), 257, -1}})
        {
            CPmSim200* sim = MakeCartSim(c.name);
            DeepenCart(*sim, c.depth);
            EXPECT_EQ(sim->Save(), c.status) << c.depth;
            CPmDbxFactory200::DeleteSim(sim);
        }
        EXPECT_EQ(StoredChainDepth(_T("Kept")), 2) << "a refused save keeps the earlier simulation";
        std::vector<CString> names = StoredNames();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<CString>{_T("Deep 200"), _T("Deep 256"), _T("Kept")}));
        EXPECT_EQ(drawing->saveAs(path.c_str()), Acad::eOk);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete drawing;
    });
    RunInFreshHost([&] {
        ASSERT_TRUE(LoadModule());
        auto* drawing = new AcDbDatabase(false, true);
        ASSERT_EQ(drawing->readDwgFile(path.c_str()), Acad::eOk);
        acdbHostApplicationServices()->setWorkingDatabase(drawing);
        EXPECT_EQ(StoredChainDepth(_T("Kept")), 2);
        EXPECT_EQ(StoredChainDepth(_T("Deep 200")), 200);
        EXPECT_EQ(StoredChainDepth(_T("Deep 256")), 256);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete drawing;
    });
}
