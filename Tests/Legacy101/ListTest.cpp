// The list of the format 101 simulations stored in the drawing, and its filter
// on the block reference a simulation's id names.
#include "ModuleTestSupport.h"

namespace
{
class ListTest : public LegacyDrawingTest
{
protected:
    void Store(const CString& name, PmSimId id)
    {
        CPmSim* sim = CPmDbxFactory::MakeSim(id, 0);
        sim->SetName(name);
        ASSERT_EQ(sim->Save(), 0);
    }

    static std::vector<CString> Names(const CPmSimList& list)
    {
        std::vector<CString> names;
        for (int i = 0; i < list.Size(); ++i)
            names.push_back(*list.Sim(i)->Name());
        return names;
    }
};

TEST_F(ListTest, KeepAllListsEverySimulationThatLoadsInKeyOrder)
{
    Store(L"b", 1);
    Store(L"a", 2);
    HostDrawing::StoreForeignEntry(L"c");
    LegacyListPtr list(CPmDbxFactory::MakeSimList());
    EXPECT_EQ(list->Load(true), -1) << "one key does not load";
    EXPECT_EQ(Names(*list), (std::vector<CString>{L"a", L"b"}));
    EXPECT_EQ(HostDrawing::StoredNames().size(), 3u);
}

TEST_F(ListTest, WithoutADictionaryTheListIsEmpty)
{
    LegacyListPtr list(CPmDbxFactory::MakeSimList());
    EXPECT_EQ(list->Load(false), Acad::eKeyNotFound);
    EXPECT_EQ(list->Size(), 0);
}

TEST_F(ListTest, WithoutKeepAllOnlyLiveBlockReferencesKeepTheirSimulation)
{
    const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Symbol");
    const AcDbObjectId live = HostDrawing::AddReference(symbol, {0.0, 0.0, 0.0});
    const AcDbObjectId erased = HostDrawing::AddReference(symbol, {1.0, 0.0, 0.0});
    HostDrawing::Erase(erased);
    Store(L"Erased", HostDrawing::IdOf(erased));
    Store(L"Live", HostDrawing::IdOf(live));
    Store(L"NotAReference", HostDrawing::IdOf(symbol));
    Store(L"Unknown", 0x7FFFFFF0u);
    Store(L"Zero", 0);

    LegacyListPtr kept(CPmDbxFactory::LoadSimList(false));
    EXPECT_EQ(Names(*kept), std::vector<CString>{L"Live"});
    LegacyListPtr all(CPmDbxFactory::LoadSimList(true));
    EXPECT_EQ(all->Size(), 5);
}
} // namespace
