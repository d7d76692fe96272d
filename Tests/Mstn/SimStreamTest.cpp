// The simulation record stream: its chunks byte for byte, versions 200 and
// 101, and streams whose counts cannot be met.
#include <cstring>

#include "MstnSimStream.h"
#include "MstnTestSupport.h"
#include "PmMstnPart.h"
#include "PmPartDepth.h"
#include "TestTimeZone.h"

using namespace MstnTest;

namespace
{
class SimStreamTest : public Fixture
{
};

// The bytes of a part chunk's name and of a whole part (block chunk and part chunk).
std::vector<std::uint8_t> PartChunk(const char* name, int subParts)
{
    std::vector<std::uint8_t> bytes;
    for (const char* c = name;; ++c)
    {
        bytes.push_back(static_cast<std::uint8_t>(*c));
        if (kCharBytes == 2)
            bytes.push_back(0);
        if (!*c)
            break;
    }
    for (int i = 0; i < 3; ++i)
        PutF64(bytes, 0.0);
    PutI32(bytes, subParts);
    return bytes;
}

std::vector<std::uint8_t> BlockChunk(std::uint64_t id = 0)
{
    std::vector<std::uint8_t> bytes;
    PutU64(bytes, id);
    return bytes;
}

std::vector<std::uint8_t> Int(std::int32_t value)
{
    std::vector<std::uint8_t> bytes;
    PutI32(bytes, value);
    return bytes;
}

std::vector<std::uint8_t> SectionChunk(double speed, int units, int segments)
{
    std::vector<std::uint8_t> bytes;
    PutF64(bytes, speed);
    PutI32(bytes, units);
    PutI32(bytes, segments);
    return bytes;
}

// A positions chunk that counts `count` positions and holds `held` of them.
std::vector<std::uint8_t> PositionsChunk(std::int32_t count, int held)
{
    std::vector<std::uint8_t> bytes = Int(count);
    for (int i = 0; i < held * 9; ++i)
        PutF64(bytes, 1.0 + i);
    return bytes;
}

CString NameInPartChunk(const std::vector<std::uint8_t>& payload)
{
    CString name;
    for (std::size_t i = 0; i + kCharBytes <= payload.size(); i += kCharBytes)
    {
        const int c = payload[i] | (kCharBytes == 2 ? payload[i + 1] << 8 : 0);
        if (c == 0)
            break;
        name += static_cast<TCHAR>(c);
    }
    return name;
}
} // namespace

TEST_F(SimStreamTest, OneSectionOneSegmentTwoPositionsMakesTheWorkedStream)
{
    CPmSim200* sim = MakeSimulation(_T("Walk"), 2);  // part "Cart": 4 characters
    ASSERT_EQ(sim->Save(), 0);
    const std::vector<std::uint8_t> stream = RecordStream(_T("Walk"));
    const int partChunk = static_cast<int>(NameBytes(4)) + 28 + 4;  // 42 with UTF-16 names
    EXPECT_EQ(ChunkLengths(stream), (std::vector<int>{56, 8, 20, 12, partChunk, 152}));
    EXPECT_EQ(stream.size(), static_cast<std::size_t>(56 + 8 + 20 + 12 + partChunk + 152));
    if (kCharBytes == 2)
    {
        EXPECT_EQ(stream.size(), 290u);
    }

    const std::vector<MstnHostElementInfo> elements = RecordElements();
    ASSERT_EQ(elements.size(), 2u) << "one data element and the header";
    EXPECT_EQ(elements[0].sizeWords, (34 + stream.size() + 1) / 2);
    if (kCharBytes == 2)
    {
        EXPECT_EQ(elements[0].sizeWords, 162u);
    }
    EXPECT_EQ(GetI32(elements[0].bytes + 34), 56) << "the first data element starts with the first chunk's length";

    const std::vector<std::vector<std::uint8_t>> chunks = Chunks(stream);
    EXPECT_EQ(GetI32(chunks[0].data()), 200) << "version";
    EXPECT_EQ(GetI32(chunks[0].data() + 4), 3) << "type";
    EXPECT_EQ(GetI32(chunks[1].data()), 1) << "sections";
    EXPECT_EQ(GetI32(chunks[2].data() + 8), 0) << "units";
    EXPECT_EQ(GetI32(chunks[2].data() + 12), 1) << "segments";
    EXPECT_EQ(NameInPartChunk(chunks[4]), CString(_T("Cart")));
    EXPECT_EQ(GetI32(chunks[5].data()), 2) << "positions";
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimStreamTest, APositionsChunkHoldsPointAnglesAndSecondPointOfEachPosition)
{
    std::vector<PmPosition200> path(2);
    path[0].pt = dpoint3d{1.5, -2.25, 3.125};
    path[0].tpt = dpoint3d{7.0, 8.0, 9.0};
    path[0].transform.SetRotation(CQdVector(0.6, 0.0, 0.8), 0.7);
    path[1].pt = dpoint3d{-10.0, 20.5, -30.75};
    path[1].tpt = dpoint3d{0.25, -0.5, 0.125};
    path[1].transform.SetRotation(CQdVector(0.0, 0.8, -0.6), -1.2);

    CPmSim200* sim = MakeSimulation(_T("Layout"), 0);
    (*(*sim->Sections())[0]->Segments())[0]->AddPath(path);
    ASSERT_EQ(sim->Save(), 0);
    const std::vector<std::vector<std::uint8_t>> chunks = Chunks(RecordStream(_T("Layout")));
    ASSERT_EQ(chunks.size(), 6u);

    // Count, then per position pt at 0, the three angles at 24, 32 and 40 and tpt at 48.
    std::vector<std::uint8_t> expected = Int(2);
    for (PmPosition200& position : path)
    {
        double angles[3] = {};
        ASSERT_TRUE(CQdTransform(position.transform).GetEulerAngles(angles));
        ASSERT_TRUE(angles[0] != angles[1] && angles[1] != angles[2]) << "the angles tell their slots apart";
        for (const double value : {position.pt.x, position.pt.y, position.pt.z, angles[0], angles[1], angles[2],
                                   position.tpt.x, position.tpt.y, position.tpt.z})
            PutF64(expected, value);
    }
    ASSERT_EQ(expected.size(), 4u + 2 * 72);
    EXPECT_EQ(chunks[5], expected);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimStreamTest, TimesAreWrittenAsLocalSystemTimeRecords)
{
    // East of UTC local time differs from UTC by an hour in winter, two in summer.
    const ScopedTimeZone zone(kCentralEurope);
    CPmSim200* sim = MakeSimulation(_T("Timed"), 0);
    sim->SetDttmCreated(CTime(__time64_t{1709251198}));  // 2024-02-29 23:59:58 UTC: Friday 1 March 00:59:58 CET
    sim->SetDttmEdited(CTime(__time64_t{1719835200}));   // 2024-07-01 12:00:00 UTC: Monday 14:00:00 CEST
    sim->SetSimInUse(true);
    sim->SetId(0x1122334455667788ull);
    ASSERT_EQ(sim->Save(), 0);
    const std::vector<std::uint8_t> chunk = Chunks(RecordStream(_T("Timed"))).at(0);
    EXPECT_EQ(GetU64(chunk.data() + 8), 0x1122334455667788ull);
    EXPECT_EQ(GetI32(chunk.data() + 16), 1) << "in use";
    const std::vector<std::uint8_t> created(chunk.begin() + 20, chunk.begin() + 36);
    const std::vector<std::uint8_t> edited(chunk.begin() + 36, chunk.begin() + 52);
    EXPECT_EQ(created, (std::vector<std::uint8_t>{0xE8, 7, 3, 0, 5, 0, 1, 0, 0, 0, 59, 0, 58, 0, 0, 0}));
    EXPECT_EQ(edited, (std::vector<std::uint8_t>{0xE8, 7, 7, 0, 1, 0, 1, 0, 14, 0, 0, 0, 0, 0, 0, 0}));

    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Timed"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->DttmCreatedTime().GetTime(), 1709251198);
    EXPECT_EQ(PmSimTimes::Edited(*read).GetTime(), 1719835200);
    CPmDbxFactory200::DeleteSim(read);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimStreamTest, PartChunksHoldTheNameOffsetAndSubPartCount)
{
    CPmSim200* sim = MakeSimulation(_T("Named"), 1);
    CPmPart* part = (*(*sim->Sections())[0]->Segments())[0]->Part();
    part->SetOffset(DPoint3d{1.5, -2.0, 0.25});
    part->AddPart(MakePart(_T("Wheel")));
    ASSERT_EQ(sim->Save(), 0);
    const std::vector<int> lengths = ChunkLengths(RecordStream(_T("Named")));
    // sim, count, section, block, part "Cart", block, part "Wheel", positions
    ASSERT_EQ(lengths.size(), 8u);
    EXPECT_EQ(lengths[6], static_cast<int>(NameBytes(5)) + 28 + 4);
    if (kCharBytes == 2)
    {
        EXPECT_EQ(lengths[6], 44);
    }
    const std::vector<std::uint8_t> cart = Chunks(RecordStream(_T("Named"))).at(4);
    const std::size_t at = NameBytes(4);
    double offset[3];
    std::memcpy(offset, cart.data() + at, sizeof offset);
    EXPECT_EQ(offset[0], 1.5);
    EXPECT_EQ(offset[1], -2.0);
    EXPECT_EQ(offset[2], 0.25);
    EXPECT_EQ(GetI32(cart.data() + at + 24), 1);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimStreamTest, PartsAreWrittenDepthFirstEachBeforeItsSubParts)
{
    CPmPart* p = MakePart(_T("P"));
    CPmPart* a = MakePart(_T("A"));
    CPmPart* b = MakePart(_T("B"));
    a->AddPart(MakePart(_T("A1")));
    b->AddPart(MakePart(_T("B1")));
    p->AddPart(a);
    p->AddPart(b);
    CPmSim200* sim = CPmDbxFactory200::MakeSim(0, 1);
    sim->SetName(_T("Tree"));
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->AddSegment(MakeSegment(p, 1));
    sim->AddSection(section);
    ASSERT_EQ(sim->Save(), 0);

    const std::vector<std::vector<std::uint8_t>> chunks = Chunks(RecordStream(_T("Tree")));
    ASSERT_EQ(chunks.size(), 3u + 2u * 5u + 1u);
    std::vector<std::string> order;
    for (std::size_t i = 0; i < 5; ++i)
    {
        EXPECT_EQ(chunks[3 + 2 * i].size(), 8u) << "a block chunk before each part chunk";
        order.push_back(Narrow(NameInPartChunk(chunks[4 + 2 * i])));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"P", "A", "A1", "B", "B1"}));

    // Read back and written again, the stream is the same.
    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Tree"));
    ASSERT_NE(read, nullptr);
    read->SetName(_T("Tree again"));
    ASSERT_EQ(read->Save(), 0);
    EXPECT_EQ(RecordStream(_T("Tree again")), RecordStream(_T("Tree")));
    CPmDbxFactory200::DeleteSim(read);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimStreamTest, ASimulationReadsBackAsItWasWritten)
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(0xABCDEF0123ull, 12);
    sim->SetName(_T("Round"));
    sim->SetDttmCreated(CTime(2020, 5, 17, 10, 20, 30));
    sim->SetDttmEdited(CTime(2021, 6, 18, 11, 21, 31));
    for (const int units : {1, 2})
    {
        CPmSection200* section = CPmDbxFactory200::MakeSection();
        section->SetSpeed(50.0, units);
        section->AddSegment(MakeSegment(MakePart(_T("First")), 4));
        section->AddSegment(MakeSegment(MakePart(_T("Second")), 3));
        sim->AddSection(section);
    }
    ASSERT_EQ(sim->Save(), 0);

    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Round"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(*read->Name(), CString(_T("Round")));
    EXPECT_EQ(read->Type(), 12);
    EXPECT_EQ(read->Id(), 0xABCDEF0123ull);
    EXPECT_EQ(read->DttmCreatedTime(), CTime(2020, 5, 17, 10, 20, 30));
    EXPECT_EQ(PmSimTimes::Edited(*read), CTime(2021, 6, 18, 11, 21, 31));
    EXPECT_TRUE(read->IsCurVersion());
    EXPECT_EQ(read->Length(), 6) << "the sum of the sections' lengths";
    ASSERT_EQ(read->Sections()->size(), 2u);
    for (std::size_t s = 0; s < 2; ++s)
    {
        const CPmSection200& original = *(*sim->Sections())[s];
        const CPmSection200& section = *(*read->Sections())[s];
        EXPECT_EQ(section.Speed(), original.Speed()) << "stored as it is, not converted again";
        EXPECT_EQ(section.SpeedUnits(), original.SpeedUnits());
        EXPECT_EQ(section.Length(), 3) << "the last segment's length";
        ASSERT_EQ(section.Segments()->size(), 2u);
        for (std::size_t g = 0; g < 2; ++g)
        {
            CPmSegment200& segment = *(*section.Segments())[g];
            CPmSegment200& source = *(*original.Segments())[g];
            ASSERT_EQ(segment.Positions()->size(), source.Positions()->size());
            EXPECT_EQ(segment.Length(), static_cast<int>(source.Positions()->size()));
            EXPECT_EQ(segment.Part()->Block()->ElementId(), source.Part()->Block()->ElementId());
            for (unsigned i = 0; i < source.Positions()->size(); ++i)
            {
                const PmPosition200& want = *source.Position(i);
                const PmPosition200& got = *segment.Position(i);
                EXPECT_EQ(got.pt.x, want.pt.x);
                EXPECT_EQ(got.pt.y, want.pt.y);
                EXPECT_EQ(got.tpt.z, want.tpt.z);
                CQdTransform gotTransform(got.transform);
                CQdTransform wantTransform(want.transform);
                for (int r = 0; r < 3; ++r)
                {
                    EXPECT_EQ(gotTransform(r, 3), wantTransform(r, 3)) << "the translation is pt";
                    for (int c = 0; c < 3; ++c)
                        EXPECT_NEAR(gotTransform(r, c), wantTransform(r, c), 1e-12);
                }
            }
        }
    }
    CPmDbxFactory200::DeleteSim(read);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimStreamTest, ASegmentWithoutPositionsWritesACountOfZero)
{
    CPmSim200* sim = MakeSimulation(_T("Empty path"), 0);
    ASSERT_EQ(sim->Save(), 0);
    const std::vector<int> lengths = ChunkLengths(RecordStream(_T("Empty path")));
    EXPECT_EQ(lengths.back(), 8);
    EXPECT_EQ(GetI32(Chunks(RecordStream(_T("Empty path"))).back().data()), 0);
    CPmSim200* read = CPmDbxFactory200::LoadSim(_T("Empty path"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE((*(*read->Sections())[0]->Segments())[0]->Positions()->empty());
    CPmDbxFactory200::DeleteSim(read);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimStreamTest, AFirstChunkOf52BytesIsReadAsVersion101)
{
    WriteRecord(_T("Old"), {SimChunk(101, 9, 0x1234, true), Int(0)});
    CPmSim200* sim = CPmDbxFactory200::LoadSim(_T("Old"));
    ASSERT_NE(sim, nullptr);
    EXPECT_EQ(sim->Type(), 9) << "the first int is the type, not a version";
    EXPECT_EQ(sim->Id(), 0x1234u);
    EXPECT_EQ(sim->SimInUse(), 1);
    EXPECT_TRUE(sim->IsCurVersion()) << "a version 101 stream is read in place";
    EXPECT_EQ(sim->DttmCreatedTime().GetTime(), 0) << "a time record of zero bytes";
    EXPECT_EQ(PmSimTimes::Edited(*sim).GetTime(), 0);
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimStreamTest, VersionsOtherThan200And101AreRefused)
{
    for (const int version : {300, 0, 199, 201, -200})
    {
        mstnHost_resetModel();
        WriteRecord(_T("Odd"), {SimChunk(version, 1, 0, false), Int(0)});
        CPmMstnSim200 sim;
        EXPECT_EQ(LoadMstnSim(&sim, _T("Odd")), -1) << version;
        EXPECT_TRUE(sim.Sections()->empty());
        EXPECT_EQ(sim.Type(), -1) << "nothing but the name is set";
        EXPECT_EQ(*sim.Name(), CString(_T("Odd")));
    }
}

TEST_F(SimStreamTest, APositionsChunkTooShortStopsTheLoadKeepingTheSectionsBefore)
{
    WriteRecord(_T("Cut"), {SimChunk(200, 1, 0, false), Int(2),
                            SectionChunk(5.0, 0, 1), BlockChunk(), PartChunk("a", 0), PositionsChunk(1, 1),
                            SectionChunk(6.0, 0, 1), BlockChunk(), PartChunk("b", 0), PositionsChunk(2, 1)});
    CPmMstnSim200 sim;
    EXPECT_EQ(LoadMstnSim(&sim, _T("Cut")), -1);
    ASSERT_EQ(sim.Sections()->size(), 1u);
    EXPECT_EQ((*sim.Sections())[0]->Speed(), 5.0);
    EXPECT_EQ(sim.Length(), 1);
    EXPECT_EQ(CPmDbxFactory200::LoadSim(_T("Cut")), nullptr);
}

// Stored streams are not trusted: counts that the data cannot meet end the
// load with -1 at once, whatever they claim.
TEST_F(SimStreamTest, CountsTheStreamCannotMeetAreRefused)
{
    struct Case
    {
        const char* what;
        std::vector<std::vector<std::uint8_t>> chunks;
    };
    const Case cases[] = {
        {"no section count", {SimChunk(200, 1, 0, false)}},
        {"two billion sections", {SimChunk(200, 1, 0, false), Int(0x7FFFFFFF)}},
        {"two billion segments", {SimChunk(200, 1, 0, false), Int(1), SectionChunk(1, 0, 0x7FFFFFFF)}},
        {"a position count whose size overflows 32 bits",
         {SimChunk(200, 1, 0, false), Int(1), SectionChunk(1, 0, 1), BlockChunk(), PartChunk("p", 0),
          PositionsChunk(0x38E38E39, 0)}},
        {"a negative position count",
         {SimChunk(200, 1, 0, false), Int(1), SectionChunk(1, 0, 1), BlockChunk(), PartChunk("p", 0),
          PositionsChunk(-1, 1)}},
        {"two billion sub-parts",
         {SimChunk(200, 1, 0, false), Int(1), SectionChunk(1, 0, 1), BlockChunk(), PartChunk("p", 0x7FFFFFFF)}},
    };
    for (const Case& c : cases)
    {
        mstnHost_resetModel();
        WriteRecord(_T("Bad"), c.chunks);
        CPmMstnSim200 sim;
        EXPECT_EQ(LoadMstnSim(&sim, _T("Bad")), -1) << c.what;
    }
}

namespace
{
// A stream of one segment whose part tree is a chain of that many parts.
std::vector<std::vector<std::uint8_t>> NestedParts(int depth)
{
    std::vector<std::vector<std::uint8_t>> chunks = {SimChunk(200, 1, 0, false), Int(1), SectionChunk(1, 0, 1)};
    for (int i = 1; i <= depth; ++i)
    {
        chunks.push_back(BlockChunk());
        chunks.push_back(PartChunk("n", i < depth ? 1 : 0));
    }
    chunks.push_back(PositionsChunk(0, 0));
    return chunks;
}
} // namespace

TEST_F(SimStreamTest, PartTreesDeeperThanTheLimitAreRefused)
{
    WriteRecord(_T("Deep"), NestedParts(PmPartDepth::kMax));
    WriteRecord(_T("Deeper"), NestedParts(PmPartDepth::kMax + 1));
    CPmMstnSim200 deep;
    EXPECT_EQ(LoadMstnSim(&deep, _T("Deep")), 0);
    CPmMstnSim200 deeper;
    EXPECT_EQ(LoadMstnSim(&deeper, _T("Deeper")), -1) << "no stored tree may exhaust the stack";
}

TEST_F(SimStreamTest, AnEmptyNameReadsNoRecord)
{
    WriteRecord(_T("Only"), {SimChunk(200, 1, 0, false), Int(0)});
    CPmMstnSim200 sim;
    EXPECT_EQ(LoadMstnSim(&sim, CString()), -1) << "it would take the first record of any name";
    EXPECT_EQ(CPmDbxFactory200::LoadSim(CString()), nullptr);
}
