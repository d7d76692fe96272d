// The list of the format 101 simulations stored in the drawing, and its filter
// on the block reference a simulation's id names.
#include <dbhostfaults.h>

#include "HeldOpen.h"
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

// The client holding a simulation's block reference open (moving its cart), or
// an entity the list does not look at: the simulation is listed all the same.
TEST_F(ListTest, ObjectsTheClientHoldsOpenLeaveNoSimulationOut)
{
    const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Symbol");
    const AcDbObjectId cart = HostDrawing::AddReference(symbol, {0.0, 0.0, 0.0});
    const AcDbObjectId entity = HostDrawing::AddReference(symbol, {5.0, 0.0, 0.0});
    const AcDbObjectId gone = HostDrawing::AddReference(symbol, {9.0, 0.0, 0.0});
    HostDrawing::Erase(gone);
    Store(L"Cart", HostDrawing::IdOf(cart));
    Store(L"Ghost", HostDrawing::IdOf(gone));
    for (const AcDbObjectId held : {cart, entity})
    {
        for (const AcDb::OpenMode mode : {AcDb::kForRead, AcDb::kForWrite})
        {
            SCOPED_TRACE(std::string(held == entity ? "entity " : "block reference ") + ModeName(mode));
            HeldOpen client(held, mode);
            ASSERT_EQ(client.Status(), Acad::eOk);
            LegacyListPtr list(CPmDbxFactory::MakeSimList());
            EXPECT_EQ(list->Load(false), 0);
            EXPECT_EQ(Names(*list), std::vector<CString>{L"Cart"});
        }
    }
}

// An entry the host refuses to read is left out and counted; the others are
// listed and the drawing keeps them all.
TEST_F(ListTest, AnEntryThatCannotBeReadIsCountedAndTheRestListed)
{
    Store(L"a", 1);
    Store(L"b", 2);
    // The names take two opens for read, each entry three: two for its look-up, then its own.
    dwgHostFault(DwgHostCall::OpenForRead).failAt(5);
    LegacyListPtr list(CPmDbxFactory::MakeSimList());
    const int status = list->Load(true);
    const std::size_t failures = dwgHostFault(DwgHostCall::OpenForRead).failures();
    dwgHostFaultsOff();
    EXPECT_EQ(failures, 1u);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(Names(*list), std::vector<CString>{L"b"});
    EXPECT_EQ(HostDrawing::StoredNames(), (std::vector<CString>{L"a", L"b"}));
    EXPECT_EQ(HostDrawing::OpenObjects(), "");
}
} // namespace
