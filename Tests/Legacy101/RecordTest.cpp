// The format 101 record of a simulation, item by item, and its reader's defences.
#include <cstdint>
#include <limits>
#include <new>
#include <typeinfo>

#include <dbmemfiler.h>

#include "FailingAllocator.h"
#include "ForwardingFiler.h"
#include "ModuleTestSupport.h"
#include "RecordItems.h"

namespace
{
using Kind = AcDbFilerItem::Kind;

class RecordTest : public LegacyDrawingTest
{
protected:
    // One section whose segment moves a part with one sub-part along two positions.
    LegacySimPtr SampleSim()
    {
        const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Symbol");
        LegacySimPtr sim(CPmDbxFactory::MakeSim(0x0000000500000042ULL, 3));
        sim->SetSimInUse(true);
        CPmPart* part = LegacyBuild::MakePart(symbol, {0.0, 0.0, 0.5});
        part->AddPart(LegacyBuild::MakePart(symbol, {1.0, 0.0, 0.0}));
        CPmSection* section = CPmDbxFactory::MakeSection();
        section->SetSpeed(10.0, 2);
        section->AddSegment(LegacyBuild::MakeSegment(part, 2, 10.0));
        sim->AddSection(section);
        return sim;
    }

    static std::vector<AcDbFilerItem> Write(const CPmSim& sim)
    {
        AcDbMemoryFiler filer;
        EXPECT_EQ(dynamic_cast<const CPmAcadSim&>(sim).dwgOutFields(&filer), Acad::eOk);
        return filer.items();
    }

    // A new simulation object as the host makes one, filled from the items.
    static LegacySimPtr Read(std::vector<AcDbFilerItem> items, Acad::ErrorStatus* status = nullptr)
    {
        CPmAcadSim* sim = CPmAcadSim::cast(CPmAcadSim::desc()->create());
        AcDbMemoryFiler filer(std::move(items));
        const Acad::ErrorStatus read = sim->dwgInFields(&filer);
        if (status)
            *status = read;
        return LegacySimPtr(sim);
    }

    // The same through a filer that forwards every read and cannot tell what is left.
    static LegacySimPtr ReadForwarded(std::vector<AcDbFilerItem> items, Acad::ErrorStatus* status)
    {
        CPmAcadSim* sim = CPmAcadSim::cast(CPmAcadSim::desc()->create());
        AcDbMemoryFiler memory(std::move(items));
        ForwardingFiler filer(memory);
        *status = sim->dwgInFields(&filer);
        EXPECT_TRUE(*status == Acad::eOk ? memory.remainingItems() == 0 : memory.filerStatus() != Acad::eOk)
            << "read whole, or the filer tells why not";
        return LegacySimPtr(sim);
    }

    static std::wstring Dump(const CPmSim& sim)
    {
        PmDumpStream text;
        text << sim;
        return text.str();
    }
};

TEST_F(RecordTest, WritesEveryItemInOrder)
{
    LegacySimPtr sim = SampleSim();
    const std::vector<AcDbFilerItem> items = Write(*sim);
    const std::vector<Kind> kinds = {
        Kind::kInt32, Kind::kInt32, Kind::kHandle, Kind::kBool, Kind::kBytes, Kind::kBytes, Kind::kInt32,  // sim
        Kind::kDouble, Kind::kInt32, Kind::kInt32,                                                         // section
        Kind::kString, Kind::kPoint3d, Kind::kHandle, Kind::kInt32,                                         // part
        Kind::kString, Kind::kPoint3d, Kind::kHandle, Kind::kInt32,                                         // sub-part
        Kind::kInt32,                                                                                      // positions
        Kind::kPoint3d, Kind::kDouble, Kind::kPoint3d,
        Kind::kPoint3d, Kind::kDouble, Kind::kPoint3d};
    ASSERT_EQ(items.size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(items[i].kind, kinds[i]) << "item " << i;

    EXPECT_EQ(items[0].int32, 101);
    EXPECT_EQ(items[1].int32, 3);
    EXPECT_EQ(items[2].handle, AcDbHandle(0x42, 5));
    EXPECT_TRUE(items[3].boolean);
    EXPECT_EQ(items[4].bytes.size(), 16u);
    EXPECT_EQ(items[4].bytes[14] | items[4].bytes[15], 0) << "milliseconds are written 0";
    EXPECT_EQ(items[6].int32, 1);
    EXPECT_DOUBLE_EQ(items[7].doubles[0], 11.5077945);
    EXPECT_EQ(items[8].int32, 2);
    EXPECT_EQ(items[9].int32, 1);
    EXPECT_EQ(items[10].text, L"");
    EXPECT_EQ(items[11].doubles[2], 0.5);
    CPmPart* part = (*sim->Sections())[0]->Segments()->front()->Part();
    EXPECT_EQ(items[12].handle, *part->Block()->Handle());
    EXPECT_EQ(items[13].int32, 1);
    EXPECT_EQ(items[15].doubles[0], 1.0);
    EXPECT_EQ(items[16].handle, *part->SubPart(0)->Block()->Handle());
    EXPECT_EQ(items[17].int32, 0);
    EXPECT_EQ(items[18].int32, 2);
    EXPECT_EQ(items[19].doubles[0], 10.0);
    EXPECT_EQ(items[19].doubles[1], 20.0);
    EXPECT_EQ(items[20].doubles[0], 0.25);
    EXPECT_EQ(items[21].doubles[2], 1.0);
    EXPECT_EQ(items[23].doubles[0], 0.5);
}

TEST_F(RecordTest, ReadsBackWhatWasWritten)
{
    LegacySimPtr sim = SampleSim();
    CPmSection* more = CPmDbxFactory::MakeSection();
    more->AddSegment(LegacyBuild::MakeSegment(LegacyBuild::MakePart(HostDrawing::AddBlockDefinition(L"Other")), 5, 0.0));
    more->AddSegment(LegacyBuild::MakeSegment(LegacyBuild::MakePart(HostDrawing::AddBlockDefinition(L"Third")), 3, 7.0));
    sim->AddSection(more);

    Acad::ErrorStatus status = Acad::eNotApplicable;
    LegacySimPtr read = Read(Write(*sim), &status);
    EXPECT_EQ(status, Acad::eOk);
    EXPECT_EQ(read->Type(), 3);
    EXPECT_EQ(read->Id(), 0x0000000500000042ULL);
    EXPECT_EQ(read->SimInUse(), 1);
    EXPECT_EQ(read->DttmCreated(), sim->DttmCreated());
    EXPECT_EQ(read->DttmEdited(), sim->DttmEdited());
    // Lengths are rebuilt: a segment's from its positions, a section's from its
    // last segment, the simulation's from its sections (2 + 3).
    EXPECT_EQ(read->Length(), 5);
    EXPECT_EQ((*read->Sections())[1]->Length(), 3);
    // The dump shows every speed, unit, length, position with its angle, offset,
    // block handle and sub-part of the tree.
    EXPECT_EQ(Dump(*read), Dump(*sim));
    CQdBlock* block = (*read->Sections())[0]->Segments()->front()->Block();
    EXPECT_EQ(typeid(*block), typeid(CQdAcadBlock));
    EXPECT_EQ(block->BlockRef(), nullptr) << "a block read back holds only its handle";
}

TEST_F(RecordTest, ReadingMovesNoBlock)
{
    LegacySimPtr sim = SampleSim();
    auto* block = dynamic_cast<CQdAcadBlock*>((*sim->Sections())[0]->Segments()->front()->Block());
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->SetPos({99.0, 0.0, 0.0}), 0);
    Read(Write(*sim));
    EXPECT_EQ(HostDrawing::PositionOf(*block->Handle()), (HostDrawing::Xyz{99.0, 0.0, 0.0}));
}

TEST_F(RecordTest, TimesComeBackIntoTheirOwnFields)
{
    std::vector<AcDbFilerItem> items = Write(*LegacySimPtr(CPmDbxFactory::MakeSim(0, 1)));
    items[4].bytes = TimeBytes(2001, 2, 6, 3, 4, 5, 6);
    items[5].bytes = TimeBytes(2010, 11, 5, 12, 13, 14, 15);
    LegacySimPtr read = Read(items);
    EXPECT_EQ(read->DttmCreated(), CString(L"Sat Feb  3 04:05:06 2001"));
    EXPECT_EQ(read->DttmEdited(), CString(L"Fri Nov 12 13:14:15 2010"));
}

TEST_F(RecordTest, TimeRecordsNoDateCanHaveReadAsTimeZero)
{
    const std::vector<unsigned char> cases[] = {
        TimeBytes(1899, 12, 0, 31, 23, 59, 59), TimeBytes(2020, 13, 0, 1, 0, 0, 0),
        TimeBytes(2020, 1, 0, 32, 0, 0, 0),     TimeBytes(2020, 1, 0, 1, 24, 0, 0),
        TimeBytes(2020, 1, 0, 1, 0, 60, 0),     TimeBytes(2020, 0, 0, 0, 0, 0, 0)};
    const CString epoch = CTime(0).Format(_T("%c"));
    for (const std::vector<unsigned char>& bytes : cases)
    {
        std::vector<AcDbFilerItem> items = Write(*LegacySimPtr(CPmDbxFactory::MakeSim(0, 1)));
        items[4].bytes = bytes;
        Acad::ErrorStatus status = Acad::eNotApplicable;
        LegacySimPtr read = Read(items, &status);
        EXPECT_EQ(status, Acad::eOk);
        EXPECT_EQ(read->DttmCreated(), epoch) << "year " << (bytes[0] | bytes[1] << 8) << " month " << int(bytes[2]);
    }
}

TEST_F(RecordTest, IdsComeBackWhole)
{
    for (std::uint64_t id : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{0xFFFFFFFFu},
                             std::uint64_t{0x100000000ULL}, std::numeric_limits<std::uint64_t>::max()})
    {
        EXPECT_EQ(Read(Write(*LegacySimPtr(CPmDbxFactory::MakeSim(id, 0))))->Id(), id) << id;
    }
}

TEST_F(RecordTest, RefusesOtherVersionsHavingReadNothingMore)
{
    for (Adesk::Int32 version : {100, 200, 0, 102})
    {
        std::vector<AcDbFilerItem> items = Write(*SampleSim());
        items[0].int32 = version;
        CPmAcadSim* sim = CPmAcadSim::cast(CPmAcadSim::desc()->create());
        LegacySimPtr owner(sim);
        AcDbMemoryFiler filer(items);
        EXPECT_EQ(sim->dwgInFields(&filer), Acad::eMakeMeProxy) << version;
        EXPECT_EQ(filer.remainingItems(), items.size() - 1) << "only the version is read";
        EXPECT_EQ(sim->Type(), -1);
        EXPECT_EQ(sim->Id(), 0u);
        EXPECT_TRUE(sim->Sections()->empty());
    }
}

TEST_F(RecordTest, PartWithoutABlockAndSegmentWithoutAPartAreWrittenEmpty)
{
    LegacySimPtr sim(CPmDbxFactory::MakeSim(0, 1));
    CPmSection* section = CPmDbxFactory::MakeSection();
    section->AddSegment(LegacyBuild::MakeSegment(CPmDbxFactory::MakePart(), 1, 0.0));
    section->AddSegment(CPmDbxFactory::MakeSegment());
    sim->AddSection(section);

    const std::vector<AcDbFilerItem> items = Write(*sim);
    EXPECT_EQ(items[12].kind, Kind::kHandle);
    EXPECT_TRUE(items[12].handle.isNull()) << "a part without a block writes a null handle";
    Acad::ErrorStatus status = Acad::eNotApplicable;
    LegacySimPtr read = Read(items, &status);
    EXPECT_EQ(status, Acad::eOk);
    for (CPmSegment* segment : *(*read->Sections())[0]->Segments())
    {
        ASSERT_NE(segment->Part(), nullptr);
        ASSERT_NE(segment->Block(), nullptr);
        EXPECT_EQ(typeid(*segment->Block()), typeid(CQdAcadBlock));
        EXPECT_TRUE(segment->Block()->Handle()->isNull());
    }
}

TEST_F(RecordTest, RefusesCountsTheRecordCannotHold)
{
    // The item of each count: sections, segments, sub-parts, positions.
    for (size_t index : {6u, 9u, 13u, 18u})
    {
        for (Adesk::Int32 count : {-1, 1000000, std::numeric_limits<Adesk::Int32>::max()})
        {
            std::vector<AcDbFilerItem> items = Write(*SampleSim());
            items[index].int32 = count;
            Acad::ErrorStatus status = Acad::eOk;
            Read(items, &status);
            EXPECT_NE(status, Acad::eOk) << "item " << index << " count " << count;
        }
    }
}

TEST_F(RecordTest, EveryTruncationIsRefusedWithoutHarm)
{
    const std::vector<AcDbFilerItem> items = Write(*SampleSim());
    for (size_t kept = 0; kept < items.size(); ++kept)
    {
        const std::vector<AcDbFilerItem> truncated(items.begin(), items.begin() + static_cast<long>(kept));
        Acad::ErrorStatus status = Acad::eOk;
        Read(truncated, &status);
        EXPECT_NE(status, Acad::eOk) << kept << " items";
        ReadForwarded(truncated, &status);
        EXPECT_NE(status, Acad::eOk) << kept << " items, forwarded";
    }
}

TEST_F(RecordTest, ReadsWholeThroughAFilerThatCannotTellWhatIsLeft)
{
    LegacySimPtr sim = SampleSim();
    const std::vector<AcDbFilerItem> items = Write(*sim);
    Acad::ErrorStatus status = Acad::eNotApplicable;
    LegacySimPtr read = ReadForwarded(items, &status);
    ASSERT_EQ(status, Acad::eOk);
    ASSERT_EQ(read->Sections()->size(), 1u);
    EXPECT_EQ(Dump(*read), Dump(*sim));
    ExpectSameRecord(Write(*read), items);
}

TEST_F(RecordTest, CorruptCountsThroughAFilerThatCannotTellAreRefused)
{
    // The item of each count: sections, segments, sub-parts, positions; the
    // largest count either ends the record or is followed by the rest of it.
    for (size_t index : {6u, 9u, 13u, 18u})
    {
        for (bool endsAfterCount : {true, false})
        {
            for (Adesk::Int32 count : {std::numeric_limits<Adesk::Int32>::max(), -1})
            {
                std::vector<AcDbFilerItem> items = Write(*SampleSim());
                items[index].int32 = count;
                if (endsAfterCount)
                    items.resize(index + 1);
                Acad::ErrorStatus status = Acad::eOk;
                ReadForwarded(items, &status);
                EXPECT_NE(status, Acad::eOk) << "item " << index << " count " << count << (endsAfterCount ? ", then the end" : "");
            }
        }
    }
}

TEST_F(RecordTest, FilingInOverHeldSectionsLeavesExactlyTheRecord)
{
    LegacySimPtr sim = SampleSim();
    const std::vector<AcDbFilerItem> items = Write(*sim);

    CPmAcadSim* target = CPmAcadSim::cast(CPmAcadSim::desc()->create());
    LegacySimPtr owner(target);
    for (int count : {5, 3})
    {
        CPmSection* section = CPmDbxFactory::MakeSection();
        section->AddSegment(LegacyBuild::MakeSegment(LegacyBuild::MakePart(HostDrawing::AddBlockDefinition(L"Held")), count, 1.0));
        target->AddSection(section);
    }
    AcDbMemoryFiler filer(items);
    ASSERT_EQ(target->dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(target->Sections()->size(), 1u);
    EXPECT_EQ(target->Length(), sim->Length()) << "the record's length, not added to the old one";
    EXPECT_EQ(Dump(*target), Dump(*sim));
    ExpectSameRecord(Write(*target), items);
}
} // namespace

// Part names come only from stored records: a record with named parts read
// under each failing allocation in turn either reads whole or is given back
// whole, the host's string buffers included.
TEST_F(RecordTest, AReadInterruptedByAFailedAllocationLeavesNothingBehind)
{
    std::vector<AcDbFilerItem> items = Write(*SampleSim());
    ASSERT_EQ(items[10].kind, Kind::kString);
    ASSERT_EQ(items[14].kind, Kind::kString);
    items[10].text = L"Cart body with a long name";
    items[14].text = L"Front axle with a long name";
    const std::wstring whole = Dump(*Read(items));

    bool completed = false;
    for (std::size_t nth = 1; !completed; ++nth)
    {
        ASSERT_LT(nth, 10000u);
        const std::size_t heapBefore = acdbHostHeapLiveBlocks();
        {
            CPmAcadSim* sim = CPmAcadSim::cast(CPmAcadSim::desc()->create());
            AcDbMemoryFiler filer(items);
            Acad::ErrorStatus status = Acad::eOk;
            FailingAllocator::failAt(nth);
            try
            {
                status = sim->dwgInFields(&filer);
            }
            catch (const std::bad_alloc&)
            {
                status = Acad::eOutOfMemory;
            }
            completed = !FailingAllocator::failed();
            FailingAllocator::failAt(0);
            if (completed)
            {
                EXPECT_EQ(status, Acad::eOk);
                EXPECT_EQ(Dump(*sim), whole);
                EXPECT_EQ(Write(*sim)[14].text, L"Front axle with a long name");
            }
            CPmDbxFactory::DeleteSim(sim);
        }
        EXPECT_EQ(acdbHostHeapLiveBlocks(), heapBefore) << "failing allocation " << nth;
    }
}
