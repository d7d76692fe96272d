// The format 200 record of a simulation, as the host files it out and in
// through the object's dwgOutFields and dwgInFields.
#include <cstring>
#include <memory>

#include "DwgTestSupport.h"

using namespace DwgTest;

namespace
{
using Kind = AcDbFilerItem::Kind;
using Items = std::vector<AcDbFilerItem>;

// Made when the tests run, in the tests' time zone.
CTime Created()
{
    return CTime(2001, 2, 3, 4, 5, 6);
}

CTime Edited()
{
    return CTime(2019, 12, 31, 23, 59, 58);
}

const PmSimId kId = (PmSimId(2) << 32) | 5;

// A block of the module that names a drawing handle, as a record read back
// gives it: made empty, then filled from the handle item.
CQdBlock* BlockNaming(const AcDbHandle& handle)
{
    AcDbMemoryFiler written;
    written.writeAcDbHandle(handle);
    AcDbMemoryFiler reader(written.items());
    CQdBlock* block = CPmBlockFactory::CreateBlock(nullptr);
    block->Load(&reader);
    return block;
}

// A part showing a block that names a drawing handle, with its sub-parts.
CPmPart* MakeStoredPart(const AcDbHandle& handle, dpoint3d offset)
{
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(BlockNaming(handle));
    part->SetOffset(offset);
    return part;
}

class RecordTest : public DwgDrawingTest
{
protected:
    using ObjectPtr = std::unique_ptr<CPmAcadSim200>;

    // Type 7, in use, the 64-bit id, one section (units 2) of one segment of
    // two positions, whose part has one sub-part.
    static ObjectPtr MakeSim()
    {
        ObjectPtr sim(PmAcadSimOf(CPmDbxFactory200::MakeSim(kId, 7)));
        sim->SetSimInUse(true);
        sim->SetDttmCreated(Created());
        sim->SetDttmEdited(Edited());
        sim->SetDisplayIndex(5);
        CPmPart* part = MakeStoredPart(AcDbHandle(42, 1), {1.0, 2.0, 3.0});
        part->AddPart(MakeStoredPart(AcDbHandle(43, 0), {4.0, 5.0, 6.0}));
        CPmSegment200* segment = MakeSegment(part, 2, 1.0);
        CPmSection200* section = CPmDbxFactory200::MakeSection();
        section->SetSpeed(10.0, 2);
        section->AddSegment(segment);
        sim->AddSection(section);
        return sim;
    }

    static Items Write(const CPmAcadSim200& sim, Acad::ErrorStatus* status = nullptr)
    {
        AcDbMemoryFiler filer;
        const Acad::ErrorStatus written = sim.dwgOutFields(&filer);
        if (status)
            *status = written;
        return filer.items();
    }

    // Reads the items into an object made as the host makes one, by the registered class.
    static ObjectPtr Read(const Items& items, Acad::ErrorStatus* status)
    {
        ObjectPtr sim(CPmAcadSim200::cast(acrxFindAcRxClass(L"CPmAcadSim200")->create()));
        AcDbMemoryFiler filer(items);
        *status = sim->dwgInFields(&filer);
        return sim;
    }

    static std::vector<Kind> KindsOf(const Items& items)
    {
        std::vector<Kind> kinds;
        for (const AcDbFilerItem& item : items)
            kinds.push_back(item.kind);
        return kinds;
    }

    // A time record: eight little-endian words.
    static std::vector<unsigned char> TimeRecord(std::initializer_list<unsigned> words)
    {
        std::vector<unsigned char> bytes;
        for (unsigned word : words)
        {
            bytes.push_back(static_cast<unsigned char>(word & 0xFF));
            bytes.push_back(static_cast<unsigned char>(word >> 8));
        }
        return bytes;
    }
};
} // namespace

TEST_F(RecordTest, WritesTheFieldsInTheirOrderAndKinds)
{
    Acad::ErrorStatus status = Acad::eInvalidInput;
    const Items items = Write(*MakeSim(), &status);
    EXPECT_EQ(status, Acad::eOk);

    const std::vector<Kind> position = {Kind::kPoint3d, Kind::kDouble, Kind::kDouble, Kind::kDouble,
                                        Kind::kPoint3d};
    std::vector<Kind> expected = {
        Kind::kInt32, Kind::kInt32, Kind::kHandle, Kind::kBool, Kind::kBytes, Kind::kBytes,  // simulation
        Kind::kInt32,                                                                          // sections
        Kind::kDouble, Kind::kInt32, Kind::kInt32,                                             // section
        Kind::kString, Kind::kPoint3d, Kind::kHandle, Kind::kInt32,                            // part
        Kind::kString, Kind::kPoint3d, Kind::kHandle, Kind::kInt32,                            // sub-part
        Kind::kInt32};                                                                         // positions
    expected.insert(expected.end(), position.begin(), position.end());
    expected.insert(expected.end(), position.begin(), position.end());
    ASSERT_EQ(KindsOf(items), expected);

    EXPECT_EQ(items[0].int32, 200);
    EXPECT_EQ(items[1].int32, 7);
    EXPECT_EQ(items[2].handle, AcDbHandle(5, 2)) << "low word 5, high word 2";
    EXPECT_TRUE(items[3].boolean);
    EXPECT_EQ(items[4].bytes, TimeRecord({2001, 2, 6, 3, 4, 5, 6, 0})) << "Saturday 3 February 2001, local time";
    EXPECT_EQ(items[5].bytes, TimeRecord({2019, 12, 2, 31, 23, 59, 58, 0}));
    EXPECT_EQ(items[6].int32, 1);
    EXPECT_EQ(items[7].doubles[0], 10.0 * 1.15077945);
    EXPECT_EQ(items[8].int32, 2);
    EXPECT_EQ(items[9].int32, 1);
    EXPECT_EQ(items[10].text, L"");
    EXPECT_EQ(items[11].doubles[2], 3.0);
    EXPECT_EQ(items[12].handle, AcDbHandle(42, 1));
    EXPECT_EQ(items[13].int32, 1);
    EXPECT_EQ(items[16].handle, AcDbHandle(43, 0));
    EXPECT_EQ(items[17].int32, 0);
    EXPECT_EQ(items[18].int32, 2);
    EXPECT_EQ(items[19].doubles[0], 1.0);
    EXPECT_EQ(items[19].doubles[1], 2.0);
}

TEST_F(RecordTest, ReadsBackWhatWasWrittenAndRebuildsTheLengths)
{
    const ObjectPtr written = MakeSim();
    written->Sections()->at(0)->Segments()->at(0)->SetLength(9);  // not what it holds
    Acad::ErrorStatus status = Acad::eInvalidInput;
    const ObjectPtr read = Read(Write(*written), &status);
    ASSERT_EQ(status, Acad::eOk);

    EXPECT_EQ(read->Type(), 7);
    EXPECT_EQ(read->Id(), kId) << "the whole 64-bit id comes back";
    EXPECT_EQ(read->SimInUse(), 1);
    EXPECT_EQ(read->DttmCreatedTime(), Created());
    EXPECT_EQ(PmSimTimes::Edited(*read), Edited());
    EXPECT_EQ(read->DisplayIndex(), 0) << "the display index is not stored";
    EXPECT_TRUE(read->IsCurVersion());
    EXPECT_TRUE(read->Name()->IsEmpty()) << "the name is the dictionary key";
    EXPECT_EQ(read->Length(), 2);

    ASSERT_EQ(read->Sections()->size(), 1u);
    const CPmSection200& section = *read->Sections()->at(0);
    EXPECT_EQ(section.Speed(), 10.0 * 1.15077945);
    EXPECT_EQ(section.SpeedUnits(), 2);
    EXPECT_EQ(section.Length(), 2);
    ASSERT_EQ(section.Segments()->size(), 1u);
    CPmSegment200& segment = *section.Segments()->at(0);
    EXPECT_EQ(segment.Length(), 2) << "the number of positions held";
    const CPmPart& part = *segment.Part();
    EXPECT_EQ(*part.Block()->Handle(), AcDbHandle(42, 1));
    EXPECT_EQ(part.AnimationBlock(), nullptr);
    EXPECT_EQ(part.Offset().y, 2.0);
    ASSERT_EQ(part.NumSubParts(), 1);
    EXPECT_EQ(*part.SubPart(0)->Block()->Handle(), AcDbHandle(43, 0));

    PmPosition200 original = written->Sections()->at(0)->Segments()->at(0)->Positions()->at(1);
    PmPosition200 back = *segment.Position(1);
    EXPECT_EQ(back.pt.x, original.pt.x);
    EXPECT_EQ(back.tpt.z, original.tpt.z);
    for (int r = 0; r < 3; ++r)
    {
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(back.transform(r, c), original.transform(r, c), 1e-12)
                << r << "," << c;
    }
}

TEST_F(RecordTest, RecordOfAnotherVersionIsRefusedWith301)
{
    Items items = Write(*MakeSim());
    items[0].int32 = 101;
    Acad::ErrorStatus status = Acad::eOk;
    const ObjectPtr read = Read(items, &status);
    EXPECT_EQ(status, Acad::eMakeMeProxy);
    EXPECT_FALSE(read->IsCurVersion());
    EXPECT_EQ(read->Type(), -1) << "nothing more was read";
    EXPECT_TRUE(read->Sections()->empty());
}

TEST_F(RecordTest, DamagedRecordsGiveAStatusAndNeverThrowIntoTheHost)
{
    const Items good = Write(*MakeSim());
    // Time records no date can have read as time 0.
    for (const auto& record : {TimeRecord({1899, 12, 0, 31, 0, 0, 0, 0}), TimeRecord({2001, 13, 0, 1, 0, 0, 0, 0}),
                               TimeRecord({2001, 1, 0, 32, 0, 0, 0, 0}), TimeRecord({2001, 1, 0, 1, 24, 61, 61, 0})})
    {
        Items items = good;
        items[4].bytes = record;
        Acad::ErrorStatus status = Acad::eInvalidInput;
        const ObjectPtr read = Read(items, &status);
        EXPECT_EQ(status, Acad::eOk);
        EXPECT_EQ(read->DttmCreatedTime().GetTime(), 0);
        EXPECT_EQ(PmSimTimes::Edited(*read), Edited()) << "the other time is its own";
    }
    // Counts of sections, segments, sub-parts and positions the record cannot hold.
    for (std::size_t index : {6u, 9u, 13u, 18u})
    {
        for (Adesk::Int32 count : {0x7FFFFFFF, -1})
        {
            Items items = good;
            items[index].int32 = count;
            Acad::ErrorStatus status = Acad::eOk;
            Read(items, &status);
            EXPECT_NE(status, Acad::eOk) << "item " << index << " count " << count;
        }
    }
}
