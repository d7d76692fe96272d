// The format 200 record of a simulation, item by item, and its reader's defences.
#include <cmath>

#include <dbmemfiler.h>

#include "DrawingFixture.h"
#include "ForwardingFiler.h"
#include "PmSimRecord.h"
#include "RecordItems.h"

namespace
{
using Kind = AcDbFilerItem::Kind;

class SimRecordTest : public DrawingTest
{
protected:
    static SimPtr NewSim() { return SimPtr(CPmDbxFactory200::MakeSim(0, -1)); }

    // A simulation of one section whose segment moves a two-part tree along two positions.
    static SimPtr SampleSim()
    {
        SimPtr sim(CPmDbxFactory200::MakeSim(0x100000002AULL, 7));
        sim->SetSimInUse(true);
        sim->SetDisplayIndex(9);
        sim->SetDttmCreated(CTime(2020, 1, 2, 3, 4, 5));
        sim->SetDttmEdited(CTime(2021, 6, 7, 8, 9, 10));

        CPmPart* part = CPmDbxFactory200::MakePart();
        part->SetOffset({1.0, 2.0, 3.0});
        part->AddPart(CPmDbxFactory200::MakePart());  // a sub-part without a block
        CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
        segment->AddPart(part);
        PmPosition200 first;
        first.pt = {4.0, 5.0, 6.0};
        first.tpt = {7.0, 8.0, 9.0};
        double angles[3] = {0.5, 0.25, -0.75};
        first.transform.SetEulerAngles(angles);
        segment->AddPath({first, PmPosition200()});
        segment->SetLength(99);  // written as the number of positions, not this
        CPmSection200* section = CPmDbxFactory200::MakeSection();
        section->SetSpeed(12.5, 0);
        section->AddSegment(segment);
        sim->AddSection(section);
        return sim;
    }

    static std::vector<AcDbFilerItem> Write(const CPmSim200& sim)
    {
        AcDbMemoryFiler filer;
        EXPECT_EQ(PmSimRecord::Write(&filer, sim), Acad::eOk);
        return filer.items();
    }
};

TEST_F(SimRecordTest, WritesEveryItemInOrder)
{
    const std::vector<AcDbFilerItem> items = Write(*SampleSim());
    const std::vector<Kind> kinds = {
        Kind::kInt32, Kind::kInt32, Kind::kHandle, Kind::kBool, Kind::kBytes, Kind::kBytes, Kind::kInt32,  // sim
        Kind::kDouble, Kind::kInt32, Kind::kInt32,                                                         // section
        Kind::kString, Kind::kPoint3d, Kind::kHandle, Kind::kInt32,                                         // part
        Kind::kString, Kind::kPoint3d, Kind::kHandle, Kind::kInt32,                                         // sub-part
        Kind::kInt32,                                                                                      // positions
        Kind::kPoint3d, Kind::kDouble, Kind::kDouble, Kind::kDouble, Kind::kPoint3d,
        Kind::kPoint3d, Kind::kDouble, Kind::kDouble, Kind::kDouble, Kind::kPoint3d};
    ASSERT_EQ(items.size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(items[i].kind, kinds[i]) << "item " << i;

    EXPECT_EQ(items[0].int32, 200);
    EXPECT_EQ(items[1].int32, 7);
    EXPECT_EQ(items[2].handle, AcDbHandle(0x2A, 0x10));
    EXPECT_TRUE(items[3].boolean);
    EXPECT_EQ(items[4].bytes, TimeBytes(2020, 1, 4, 2, 3, 4, 5));
    EXPECT_EQ(items[5].bytes, TimeBytes(2021, 6, 1, 7, 8, 9, 10));
    EXPECT_EQ(items[6].int32, 1);
    EXPECT_EQ(items[7].doubles[0], 12.5);
    EXPECT_EQ(items[8].int32, 0);
    EXPECT_EQ(items[9].int32, 1);
    EXPECT_EQ(items[10].text, L"");
    EXPECT_EQ(items[11].doubles[2], 3.0);
    EXPECT_TRUE(items[12].handle.isNull()) << "a part without a block writes a null handle";
    EXPECT_EQ(items[13].int32, 1);
    EXPECT_EQ(items[18].int32, 2) << "the positions held, not the length field";
    EXPECT_EQ(items[19].doubles[0], 4.0);
    EXPECT_NEAR(items[20].doubles[0], 0.5, 1e-12);
    EXPECT_NEAR(items[21].doubles[0], 0.25, 1e-12);
    EXPECT_NEAR(items[22].doubles[0], -0.75, 1e-12);
    EXPECT_EQ(items[23].doubles[1], 8.0);
}

TEST_F(SimRecordTest, ReadsBackWhatWasWritten)
{
    SimPtr source = SampleSim();
    AcDbMemoryFiler filer;
    PmSimRecord::Write(&filer, *source);
    SimPtr read = NewSim();
    EXPECT_EQ(PmSimRecord::Read(&filer, *read), Acad::eOk);

    EXPECT_EQ(read->Type(), 7);
    EXPECT_EQ(read->Id(), 0x100000002AULL) << "the whole 64-bit id comes back";
    EXPECT_EQ(read->SimInUse(), 1);
    EXPECT_EQ(read->DttmCreatedTime(), CTime(2020, 1, 2, 3, 4, 5));
    EXPECT_EQ(read->DttmEdited(), source->DttmEdited());
    EXPECT_EQ(read->DisplayIndex(), 0) << "not part of the record";
    EXPECT_TRUE(read->IsCurVersion());
    EXPECT_EQ(read->Length(), 2);
    ASSERT_EQ(read->Sections()->size(), 1u);
    CPmSection200* section = (*read->Sections())[0];
    EXPECT_NE(dynamic_cast<CPmAcadSection200*>(section), nullptr);
    EXPECT_EQ(section->Speed(), 12.5);
    EXPECT_EQ(section->Length(), 2);
    CPmSegment200* segment = (*section->Segments())[0];
    EXPECT_EQ(segment->Length(), 2);
    ASSERT_NE(segment->Part(), nullptr);
    EXPECT_EQ(segment->Part()->Offset().y, 2.0);
    EXPECT_EQ(segment->Part()->AnimationBlock(), nullptr);
    ASSERT_EQ(segment->Part()->NumSubParts(), 1);
    EXPECT_NE(dynamic_cast<CZrAcadBlock*>(segment->Part()->SubPart(0)->Block()), nullptr)
        << "a null block handle reads back as an empty block";

    PmPosition200& first = (*segment->Positions())[0];
    EXPECT_EQ(first.tpt.z, 9.0);
    EXPECT_EQ(first.transform(1, 3), 5.0) << "the translation is the point";
    PmPosition200& original = (*(*(*source->Sections())[0]->Segments())[0]->Positions())[0];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(first.transform(r, c), original.transform(r, c), 1e-12);
}

TEST_F(SimRecordTest, RebuildsLengthsFromTheLastSegment)
{
    SimPtr source = NewSim();
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    for (int count : {5, 3})
    {
        CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
        segment->AddPath(std::vector<PmPosition200>(static_cast<size_t>(count)));
        section->AddSegment(segment);
    }
    source->AddSection(section);
    source->AddSection(CPmDbxFactory200::MakeSection());
    AcDbMemoryFiler filer;
    PmSimRecord::Write(&filer, *source);
    SimPtr read = NewSim();
    PmSimRecord::Read(&filer, *read);
    EXPECT_EQ(read->Length(), 3);
    EXPECT_EQ((*read->Sections())[0]->Length(), 3);
    EXPECT_EQ((*read->Sections())[1]->Length(), 0);
}

TEST_F(SimRecordTest, IdsAtTheEdgesComeBackWhole)
{
    for (PmSimId id : {PmSimId(0), PmSimId(1), PmSimId(0xFFFFFFFFULL), PmSimId(0x100000000ULL),
                       PmSimId(0xFFFFFFFFFFFFFFFFULL)})
    {
        SimPtr source(CPmDbxFactory200::MakeSim(id, 0));
        AcDbMemoryFiler filer;
        PmSimRecord::Write(&filer, *source);
        EXPECT_EQ(filer.items()[2].handle.isNull(), id == 0);
        SimPtr read = NewSim();
        PmSimRecord::Read(&filer, *read);
        EXPECT_EQ(read->Id(), id);
    }
}

TEST_F(SimRecordTest, RefusesAnotherVersionHavingReadNothingMore)
{
    for (int version : {101, 100, 201})
    {
        std::vector<AcDbFilerItem> items = Write(*SampleSim());
        items[0].int32 = version;
        AcDbMemoryFiler filer(items);
        SimPtr read = NewSim();
        EXPECT_EQ(PmSimRecord::Read(&filer, *read), Acad::eMakeMeProxy) << version;
        EXPECT_FALSE(read->IsCurVersion());
        EXPECT_EQ(filer.remainingItems(), items.size() - 1);
        EXPECT_EQ(read->Type(), -1) << "no field changes";
        EXPECT_TRUE(read->Sections()->empty());
    }
}

TEST_F(SimRecordTest, RefusesCountsTheRecordCannotHold)
{
    struct Case
    {
        size_t item;
        int count;
    };
    // The section count, the segment count, the sub-part count and the position count.
    for (const Case& c : {Case{6, 1000000}, Case{6, -1}, Case{9, 500000}, Case{13, 0x7FFFFFFF}, Case{18, 400000},
                          Case{18, -5}})
    {
        std::vector<AcDbFilerItem> items = Write(*SampleSim());
        items[c.item].int32 = c.count;
        AcDbMemoryFiler filer(items);
        SimPtr read = NewSim();
        EXPECT_NE(PmSimRecord::Read(&filer, *read), Acad::eOk) << "item " << c.item << " = " << c.count;
    }
}

TEST_F(SimRecordTest, EveryTruncationIsRefusedWithoutHarm)
{
    const std::vector<AcDbFilerItem> items = Write(*SampleSim());
    for (size_t keep = 1; keep < items.size(); ++keep)
    {
        AcDbMemoryFiler filer(std::vector<AcDbFilerItem>(items.begin(), items.begin() + keep));
        SimPtr read = NewSim();
        EXPECT_NE(PmSimRecord::Read(&filer, *read), Acad::eOk) << "kept " << keep;

        AcDbMemoryFiler memory(std::vector<AcDbFilerItem>(items.begin(), items.begin() + keep));
        ForwardingFiler forwarding(memory);
        SimPtr readThrough = NewSim();
        EXPECT_NE(PmSimRecord::Read(&forwarding, *readThrough), Acad::eOk) << "kept " << keep << ", forwarded";
    }
}

TEST_F(SimRecordTest, ReadsWholeThroughAFilerThatCannotTellWhatIsLeft)
{
    const std::vector<AcDbFilerItem> items = Write(*SampleSim());
    AcDbMemoryFiler memory(items);
    ForwardingFiler filer(memory);
    SimPtr read = NewSim();
    ASSERT_EQ(PmSimRecord::Read(&filer, *read), Acad::eOk);
    EXPECT_EQ(memory.remainingItems(), 0u);
    ASSERT_EQ(read->Sections()->size(), 1u);
    ExpectSameRecord(Write(*read), items);
}

TEST_F(SimRecordTest, CorruptCountsThroughAFilerThatCannotTellAreRefused)
{
    struct Case
    {
        size_t item;
        Adesk::Int32 count;
        bool endsAfterCount;
    };
    // The section count, the segment count, the sub-part count and the position count.
    for (size_t item : {6u, 9u, 13u, 18u})
    {
        for (const Case& c : {Case{item, 0x7FFFFFFF, true}, Case{item, 0x7FFFFFFF, false}, Case{item, -1, false}})
        {
            std::vector<AcDbFilerItem> items = Write(*SampleSim());
            items[c.item].int32 = c.count;
            if (c.endsAfterCount)
                items.resize(c.item + 1);
            AcDbMemoryFiler memory(items);
            ForwardingFiler filer(memory);
            SimPtr read = NewSim();
            EXPECT_NE(PmSimRecord::Read(&filer, *read), Acad::eOk)
                << "item " << c.item << " = " << c.count << (c.endsAfterCount ? ", then the end" : "");
            EXPECT_NE(memory.filerStatus(), Acad::eOk);
        }
    }
}

TEST_F(SimRecordTest, FilingInOverHeldSectionsLeavesExactlyTheRecord)
{
    const std::vector<AcDbFilerItem> items = Write(*SampleSim());
    SimPtr target = NewSim();
    for (int count : {5, 3})
    {
        CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
        segment->AddPath(std::vector<PmPosition200>(static_cast<size_t>(count)));
        CPmSection200* section = CPmDbxFactory200::MakeSection();
        section->SetSpeed(3.0, 1);
        section->AddSegment(segment);
        target->AddSection(section);
    }
    AcDbMemoryFiler filer(items);
    ASSERT_EQ(PmSimRecord::Read(&filer, *target), Acad::eOk);
    EXPECT_EQ(target->Sections()->size(), 1u);
    EXPECT_EQ(target->Length(), 2) << "the record's length, not added to the old one";
    ExpectSameRecord(Write(*target), items);
}

TEST_F(SimRecordTest, RefusesAPartTreeNestedBeyondAnyAssembly)
{
    SimPtr source = NewSim();
    CPmPart* root = CPmDbxFactory200::MakePart();
    CPmPart* deepest = root;
    for (int depth = 0; depth < 400; ++depth)
    {
        CPmPart* child = CPmDbxFactory200::MakePart();
        deepest->AddPart(child);
        deepest = child;
    }
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(root);
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->AddSegment(segment);
    source->AddSection(section);

    AcDbMemoryFiler filer;
    PmSimRecord::Write(&filer, *source);
    SimPtr read = NewSim();
    EXPECT_EQ(PmSimRecord::Read(&filer, *read), Acad::eDwgObjectImproperlyRead);
}
} // namespace
