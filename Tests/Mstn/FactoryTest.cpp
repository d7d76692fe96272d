// The simulation factory, the list and CleanSims of the MicroStation modules.
#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
class FactoryTest : public Fixture
{
};

// The list of the module with its name array in view.
class InspectedList : public CPmMstnSimList200
{
public:
    const CStringArray& Names() const { return m_names; }
};

// A stored simulation whose id names a drawing element, or one deleted since.
CPmSim200* StoredWithElement(const CString& name, bool deleteElement)
{
    CPmSim200* sim = MakeSimulation(name);
    const ElementId element = AddDrawingElement();
    sim->SetId(element);
    EXPECT_EQ(sim->Save(), 0);
    if (deleteElement)
    {
        MstnHostElementInfo info{};
        mstnHost_findElement(element, &info);
        EXPECT_EQ(mdlElement_undoableDelete(nullptr, info.filePos, false), MSTN_SUCCESS);
    }
    return sim;
}

std::vector<std::string> NamesOf(const CPmSimList200& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.Size(); ++i)
        names.push_back(Narrow(*list.Sim(i)->Name()));
    return names;
}
} // namespace

TEST_F(FactoryTest, MakeSimGivesACurrentEmptySimulationAndStoresNothing)
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(0x123456789ull, 5);
    EXPECT_NE(dynamic_cast<CPmMstnSim200*>(sim), nullptr);
    EXPECT_EQ(sim->Id(), 0x123456789ull);
    EXPECT_EQ(sim->Type(), 5);
    EXPECT_TRUE(sim->IsCurVersion());
    EXPECT_TRUE(sim->Sections()->empty());
    EXPECT_EQ(mstnHost_elementCount(), 0u);
    CPmDbxFactory200::DeleteSim(sim);
    CPmDbxFactory200::DeleteSim(static_cast<CPmSim200*>(nullptr));
}

TEST_F(FactoryTest, MadeAndCopiedObjectsAreOfTheMicroStationClasses)
{
    CPmSim200* sim = MakeSimulation(_T("Classes"));
    sim->SetIsCurVersion(false);
    CPmSim200* copy = CPmDbxFactory200::CopySim(*sim);
    EXPECT_NE(dynamic_cast<CPmMstnSim200*>(copy), nullptr);
    EXPECT_FALSE(copy->IsCurVersion()) << "a copy of an old simulation is old";
    const CPmSection200* section = (*copy->Sections())[0];
    EXPECT_NE(dynamic_cast<const CPmMstnSection*>(section), nullptr);
    const CPmSegment200* segment = (*section->Segments())[0];
    EXPECT_NE(dynamic_cast<const CPmMstnSegment*>(segment), nullptr);
    EXPECT_NE(dynamic_cast<const CPmMstnPart*>(segment->Part()), nullptr);
    EXPECT_NE(dynamic_cast<const CZrMstnBlock*>(segment->Part()->Block()), nullptr);
    CPmSimList200* list = CPmDbxFactory200::MakeSimList();
    EXPECT_NE(dynamic_cast<CPmMstnSimList200*>(list), nullptr);
    EXPECT_EQ(list->Size(), 0);
    delete list;
    CPmDbxFactory200::DeleteSim(copy);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(FactoryTest, LoadSimMatchesTheNameExactly)
{
    CPmSim200* sim = MakeSimulation(_T("Route A"));
    ASSERT_EQ(sim->Save(), 0);
    EXPECT_EQ(CPmDbxFactory200::LoadSim(_T("route a")), nullptr);
    EXPECT_EQ(CPmDbxFactory200::LoadSim(_T("Route")), nullptr);
    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Route A"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(*read->Name(), CString(_T("Route A")));
    CPmDbxFactory200::DeleteSim(read);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(FactoryTest, DeleteSimByNameAnswersWhatItDid)
{
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Nothing"))), 0);

    CPmSim200* busy = MakeSimulation(_T("Busy"));
    busy->SetSimInUse(true);
    ASSERT_EQ(busy->Save(), 0);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Busy"))), 2);
    EXPECT_EQ(HeaderCount(_T("Busy")), 1) << "an in-use simulation stays";

    CPmSim200* idle = MakeSimulation(_T("Idle"));
    ASSERT_EQ(idle->Save(), 0);
    const ElementId block = (*(*idle->Sections())[0]->Segments())[0]->Part()->Block()->ElementId();
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Idle"))), 1);
    EXPECT_EQ(HeaderCount(_T("Idle")), 0);
    EXPECT_FALSE(ElementLive(block));
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString()), 0);
    CPmDbxFactory200::DeleteSim(idle);
    CPmDbxFactory200::DeleteSim(busy);
}

TEST_F(FactoryTest, AVersion101RecordLoadsCurrentAndStaysAsItIsStored)
{
    WriteRecord(_T("Kept old"), {SimChunk(101, 4, 0, false), {0, 0, 0, 0}});
    CPmSim200* sim = CPmDbxFactory200::LoadSim(_T("Kept old"));
    ASSERT_NE(sim, nullptr);
    EXPECT_TRUE(sim->IsCurVersion());
    CPmDbxFactory200::DeleteSim(sim);
    CPmDbxFactory200::UpgradeSim(_T("Kept old"));
    EXPECT_EQ(ChunkLengths(RecordStream(_T("Kept old"))).at(0), 52) << "still version 101";
    EXPECT_EQ(HeaderCount(_T("Kept old")), 1);
}

TEST_F(FactoryTest, AListWithoutKeepAllLeavesOutSimulationsWhoseElementIsGone)
{
    CPmSim200* kept = StoredWithElement(_T("Kept"), false);
    CPmSim200* orphan = StoredWithElement(_T("Orphan"), true);
    WriteRecord(_T("Unreadable"), {SimChunk(300, 1, 0, false)});

    InspectedList filtered;
    EXPECT_EQ(filtered.Load(false, false), MSTN_SCAN_END_OF_MODEL);
    EXPECT_EQ(NamesOf(filtered), std::vector<std::string>{"Kept"});
    ASSERT_EQ(filtered.Names().GetSize(), 3);
    EXPECT_EQ(filtered.Names()[1], CString(_T("Orphan"))) << "every name found stays in the array";
    EXPECT_EQ(filtered.Names()[2], CString(_T("Unreadable")));

    CPmSimList200* all = CPmDbxFactory200::LoadSimList(true, false);
    EXPECT_EQ(NamesOf(*all), (std::vector<std::string>{"Kept", "Orphan"})) << "in the order of their headers";
    EXPECT_NE(all->Sim(_T("orphan")), nullptr);
    delete all;
    CPmDbxFactory200::DeleteSim(orphan);
    CPmDbxFactory200::DeleteSim(kept);
}

TEST_F(FactoryTest, CleanSimsDeletesTheSimulationsWhoseElementExists)
{
    CPmSim200* kept = StoredWithElement(_T("Attached"), false);
    CPmSim200* orphan = StoredWithElement(_T("Detached"), true);
    const ElementId attachedBlock = (*(*kept->Sections())[0]->Segments())[0]->Part()->Block()->ElementId();
    CleanSims();
    EXPECT_EQ(HeaderCount(_T("Attached")), 0);
    EXPECT_FALSE(ElementLive(attachedBlock));
    EXPECT_EQ(HeaderCount(_T("Detached")), 1) << "its id names no element";
    CPmDbxFactory200::DeleteSim(orphan);
    CPmDbxFactory200::DeleteSim(kept);
}

TEST_F(FactoryTest, LoadSimNamesEmptiesTheVectorFirst)
{
    std::vector<CString> names = {_T("stale")};
    CPmDbxFactory200::LoadSimNames(names);
    EXPECT_TRUE(names.empty());

    for (const TCHAR* name : {_T("Second"), _T("First")})
    {
        CPmSim200* sim = MakeSimulation(name);
        ASSERT_EQ(sim->Save(), 0);
        CPmDbxFactory200::DeleteSim(sim);
    }
    WriteRecord(_T("Broken"), {SimChunk(7, 1, 0, false)});
    names = {_T("stale")};
    CPmDbxFactory200::LoadSimNames(names);
    EXPECT_EQ(names, (std::vector<CString>{_T("Second"), _T("First")})) << "readable records, in scan order";
}

TEST_F(FactoryTest, TheListUpdatesEverySimulation)
{
    for (const TCHAR* name : {_T("One"), _T("Two")})
    {
        CPmSim200* sim = MakeSimulation(name);
        ASSERT_EQ(sim->Save(), 0);
        CPmDbxFactory200::DeleteSim(sim);
    }
    CPmSimList200* list = CPmDbxFactory200::LoadSimList(true, false);
    list->SetSimInUse(_T("Two"));
    EXPECT_EQ(list->Save(), 0);
    delete list;
    CPmSim200* two = CPmDbxFactory200::LoadSim(_T("Two"));
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->SimInUse(), 1) << "written by the list's Save";
    EXPECT_EQ(HeaderCount(_T("Two")), 1);
    CPmDbxFactory200::DeleteSim(two);
}

TEST_F(FactoryTest, TheListLoadsEveryListedNameAsLoadSimLoadsIt)
{
    // Two headers of one name: each listing of the name loads the first.
    const auto writeSim = [](const CString& name, int type) {
        std::vector<std::uint8_t> noSections;
        PutI32(noSections, 0);
        WriteRecord(name, {SimChunk(200, type, 0, false), noSections});
    };
    writeSim(_T("Twin"), 5);
    CPmSim200* good = MakeSimulation(_T("Good"), 4);
    ASSERT_EQ(good->Save(), 0);
    WriteRecord(_T("Unreadable"), {SimChunk(300, 1, 0, false)});
    writeSim(_T("Twin"), 9);

    InspectedList list;
    EXPECT_EQ(list.Load(true, false), MSTN_SCAN_END_OF_MODEL);
    ASSERT_EQ(list.Names().GetSize(), 4) << "every header, in scan order";
    EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"Twin", "Good", "Twin"}));
    ASSERT_EQ(list.Size(), 3);
    EXPECT_EQ(list.Sim(0)->Type(), 5);
    EXPECT_EQ(list.Sim(2)->Type(), 5) << "the second header of the name is never the one loaded";
    EXPECT_NE(list.Sim(0), list.Sim(2));
    ASSERT_EQ((*list.Sim(1)->Sections()).size(), 1u);
    EXPECT_EQ((*(*list.Sim(1)->Sections())[0]->Segments())[0]->Positions()->size(), 4u);
    CPmDbxFactory200::DeleteSim(good);
}

TEST_F(FactoryTest, AHeaderReadThatFailsNeverLetsTheSecondHeaderOfANameLoad)
{
    // Two headers of one name: with the first one unread, the model was not
    // searched to its end, and the second must not be taken for the record.
    const auto writeSim = [](const CString& name, int type) {
        std::vector<std::uint8_t> noSections;
        PutI32(noSections, 0);
        WriteRecord(name, {SimChunk(200, type, 0, false), noSections});
    };
    writeSim(_T("Twin"), 5);
    writeSim(_T("Twin"), 9);
    faultswitch::Switch& reads = mstnHost_fault(MstnHostCall::ElementRead);
    bool reached = true;
    for (int nth = 1; reached; ++nth)
    {
        SCOPED_TRACE("read " + std::to_string(nth) + " fails");
        reads.failAt(nth);
        CPmSim200* loaded = CPmDbxFactory200::LoadSim(_T("Twin"));
        CPmSimList200* list = CPmDbxFactory200::LoadSimList(true, false);
        reached = reads.failures() > 0;
        reads.off();
        if (loaded)
        {
            EXPECT_EQ(loaded->Type(), 5);
        }
        for (int i = 0; i < list->Size(); ++i)
            EXPECT_EQ(list->Sim(i)->Type(), 5) << "entry " << i;
        CPmDbxFactory200::DeleteSim(loaded);
        delete list;
    }
}
