// The MicroStation simulation object: save, update, close and delete against
// the record of its name.
#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
class SimObjectTest : public Fixture
{
};

ElementId BlockElementOf(CPmSim200& sim)
{
    return (*(*sim.Sections())[0]->Segments())[0]->Part()->Block()->ElementId();
}
} // namespace

TEST_F(SimObjectTest, SavingTwiceLeavesOneRecord)
{
    CPmSim200* sim = MakeSimulation(_T("Twice"));
    EXPECT_EQ(sim->Save(), 0);
    sim->SetType(42);
    EXPECT_EQ(sim->Save(), 0);
    EXPECT_EQ(HeaderCount(_T("Twice")), 1);
    EXPECT_EQ(RecordElements().size(), 2u) << "the first record's elements are gone";
    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Twice"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Type(), 42);
    CPmDbxFactory200::DeleteSim(read);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimObjectTest, UpdateWritesWhatSaveWrites)
{
    CPmSim200* sim = MakeSimulation(_T("Same"));
    ASSERT_EQ(sim->Save(), 0);
    const std::vector<std::uint8_t> saved = RecordStream(_T("Same"));
    EXPECT_EQ(sim->Update(), 0);
    EXPECT_EQ(RecordStream(_T("Same")), saved);
    EXPECT_EQ(HeaderCount(_T("Same")), 1);
    EXPECT_EQ(sim->Close(), 0);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimObjectTest, ARenamedSimulationLeavesItsOldRecord)
{
    CPmSim200* sim = MakeSimulation(_T("Before"));
    ASSERT_EQ(sim->Save(), 0);
    sim->SetName(_T("After"));
    ASSERT_EQ(sim->Save(), 0);
    EXPECT_EQ(HeaderCount(_T("Before")), 1);
    EXPECT_EQ(HeaderCount(_T("After")), 1);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimObjectTest, DeleteRemovesTheBlocksAndTheRecord)
{
    CPmSim200* sim = MakeSimulation(_T("Doomed"));
    ASSERT_EQ(sim->Save(), 0);
    const ElementId block = BlockElementOf(*sim);
    EXPECT_EQ(sim->Delete(), 0);
    EXPECT_FALSE(ElementLive(block));
    EXPECT_EQ(HeaderCount(_T("Doomed")), 0);
    EXPECT_TRUE(RecordElements().empty());
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimObjectTest, DeleteWithoutARecordAnswersMinusOne)
{
    CPmSim200* empty = CPmDbxFactory200::MakeSim(0, 1);
    empty->SetName(_T("Never saved"));
    EXPECT_EQ(empty->Delete(), -1);
    CPmSim200* drawn = MakeSimulation(_T("Drawn only"));
    const ElementId block = BlockElementOf(*drawn);
    EXPECT_EQ(drawn->Delete(), -1) << "the blocks went, no record was stored";
    EXPECT_FALSE(ElementLive(block));
    CPmDbxFactory200::DeleteSim(drawn);
    CPmDbxFactory200::DeleteSim(empty);
}

// An empty name would make the store take the first record of any name.
TEST_F(SimObjectTest, AnEmptyNameIsRefusedAndNothingIsTouched)
{
    CPmSim200* other = MakeSimulation(_T("Other"));
    ASSERT_EQ(other->Save(), 0);
    const ElementId otherBlock = BlockElementOf(*other);
    const std::size_t elements = mstnHost_elementCount();

    CPmSim200* unnamed = CPmDbxFactory200::CopySim(*other);
    unnamed->SetName(CString());
    EXPECT_EQ(unnamed->Save(), -1);
    EXPECT_EQ(unnamed->Update(), -1);
    EXPECT_EQ(unnamed->Delete(), -1);
    EXPECT_EQ(mstnHost_elementCount(), elements) << "nothing written";
    EXPECT_EQ(HeaderCount(_T("Other")), 1) << "the other simulation's record stays";
    EXPECT_TRUE(ElementLive(otherBlock)) << "and so do the blocks";
    CPmDbxFactory200::DeleteSim(unnamed);
    CPmDbxFactory200::DeleteSim(other);
}
