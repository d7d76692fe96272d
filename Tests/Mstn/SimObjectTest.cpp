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

namespace
{
std::vector<CString> StoredNames()
{
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    return names;
}

int StoredType(const CString& name)
{
    CPmSim200* read = CPmDbxFactory200::LoadSim(name);
    const int type = read ? read->Type() : -1;
    CPmDbxFactory200::DeleteSim(read);
    return type;
}
} // namespace

// 2000 positions make a stream of two data elements: a save appends three
// elements, and each of them in turn is refused.
TEST_F(SimObjectTest, ASaveWhoseAppendIsRefusedFailsAndLeavesTheStoredRecordsAsTheyWere)
{
    for (const bool replacing : {false, true})
        for (std::size_t refused = 1; refused <= 3; ++refused)
        {
            const CString name = CString(replacing ? _T("Old ") : _T("New ")) + CString(TCHAR('0' + refused));
            SCOPED_TRACE(Narrow(name));
            CPmSim200* sim = MakeSimulation(name, 2000);
            sim->SetType(7);
            if (replacing)
            {
                ASSERT_EQ(sim->Save(), 0);
            }
            const std::vector<std::uint8_t> stream = replacing ? RecordStream(name) : std::vector<std::uint8_t>();
            const std::vector<CString> names = StoredNames();
            const std::size_t elements = RecordElements().size();

            sim->SetType(42);
            mstnHost_fault(MstnHostCall::ElementAppend).failAt(refused);
            EXPECT_EQ(sim->Save(), -1);
            mstnHost_fault(MstnHostCall::ElementAppend).off();
            EXPECT_EQ(RecordElements().size(), elements) << "nothing half-written stays";
            EXPECT_EQ(StoredNames(), names);
            EXPECT_EQ(HeaderCount(name), replacing ? 1 : 0);
            if (replacing)
            {
                EXPECT_EQ(RecordStream(name), stream);
            }
            EXPECT_EQ(StoredType(name), replacing ? 7 : -1);

            EXPECT_EQ(sim->Save(), 0);
            EXPECT_EQ(StoredType(name), 42);
            EXPECT_EQ(HeaderCount(name), 1);
            CPmDbxFactory200::DeleteSim(sim);
        }
}

namespace
{
// Writes the header of that record anew with its first data id replaced.
void RedirectFirstDataId(const CString& name, std::uint64_t id)
{
    const MstnHostElementInfo header = Header(name);
    ASSERT_NE(header.bytes, nullptr);
    std::vector<std::uint8_t> bytes(header.bytes, header.bytes + 2 * header.sizeWords);
    const std::size_t idsAt = 38 + NameBytes(static_cast<std::size_t>(name.GetLength())) + 8;
    for (int i = 0; i < 8; ++i)
    {
        bytes[idsAt + i] = static_cast<std::uint8_t>(id >> (8 * i));
        bytes[16 + i] = 0;  // the append gives the element its id
    }
    ASSERT_EQ(mdlElement_undoableDelete(nullptr, header.filePos, false), MSTN_SUCCESS);
    MSElement element{};
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(&element));
    ASSERT_EQ(mdlElement_append(&element, mdlModelRef_getActive()), MSTN_SUCCESS);
}

std::uint64_t FirstDataId(const CString& name)
{
    const MstnHostElementInfo header = Header(name);
    return GetU64(header.bytes + 38 + NameBytes(static_cast<std::size_t>(name.GetLength())) + 8);
}
} // namespace

// A damaged header of A that names B's data element: A does not load, and
// neither deleting A nor saving A anew takes B's data.
TEST_F(SimObjectTest, AHeaderNamingAnotherRecordsDataNeitherLoadsNorDeletesIt)
{
    for (const bool save : {false, true})
    {
        SCOPED_TRACE(save ? "save" : "delete");
        mstnHost_resetModel();
        CPmSim200* a = MakeSimulation(_T("A"));
        CPmSim200* b = MakeSimulation(_T("B"), 3);
        b->SetType(9);
        ASSERT_EQ(a->Save(), 0);
        ASSERT_EQ(b->Save(), 0);
        const std::vector<std::uint8_t> streamB = RecordStream(_T("B"));
        RedirectFirstDataId(_T("A"), FirstDataId(_T("B")));

        EXPECT_EQ(CPmDbxFactory200::LoadSim(_T("A")), nullptr);
        EXPECT_EQ(StoredType(_T("B")), 9);
        if (save)
        {
            EXPECT_EQ(a->Save(), 0);
            EXPECT_EQ(HeaderCount(_T("A")), 1);
            EXPECT_EQ(StoredType(_T("A")), a->Type());
        }
        else
        {
            CZrMstnObject store(kSimKind, _T("A"));
            EXPECT_EQ(store.Delete().Status(), 0);
            EXPECT_EQ(HeaderCount(_T("A")), 0);
        }
        EXPECT_EQ(RecordStream(_T("B")), streamB);
        CPmSim200* readB = CPmDbxFactory200::LoadSim(_T("B"));
        ASSERT_NE(readB, nullptr);
        EXPECT_EQ(readB->Type(), 9);
        EXPECT_EQ((*(*readB->Sections())[0]->Segments())[0]->Length(), 3);
        CPmDbxFactory200::DeleteSim(readB);
        CPmDbxFactory200::DeleteSim(b);
        CPmDbxFactory200::DeleteSim(a);
    }
}
