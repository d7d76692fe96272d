// The format 101 model on its own: the same rules as the current one, its own
// factory, and the angle in the position line of its dump.
#include <memory>

#include "ModelTestFixture.h"

namespace
{
using Text = std::basic_string<TCHAR>;

class LegacyModelTest : public ModelTest
{
protected:
    static FakeSection* SectionOfLength(int length, int blockId, int removeStatus = 0)
    {
        auto* segment = new FakeSegment(MakeFakePart(blockId, removeStatus), false);
        segment->AddPath(std::vector<PMPosition>(static_cast<size_t>(length), PMPosition{{1, 2, 3}, 0.5, {4, 5, 6}}));
        auto* section = new FakeSection();
        section->AddSegment(segment);
        return section;
    }
};

TEST_F(LegacyModelTest, NewSimulationDefaults)
{
    FakeSim sim;
    EXPECT_TRUE(sim.Name()->IsEmpty());
    EXPECT_EQ(sim.Length(), 0);
    EXPECT_EQ(sim.Type(), -1);
    EXPECT_EQ(sim.Id(), 0u);
    EXPECT_EQ(sim.DisplayIndex(), 0);
    EXPECT_EQ(sim.SimInUse(), 0);
    EXPECT_TRUE(sim.Sections()->empty());
    EXPECT_EQ(sim.DttmCreated(), sim.DttmEdited());
}

TEST_F(LegacyModelTest, SectionLookupAndLengths)
{
    FakeSim sim;
    CPmSection* first = SectionOfLength(3, 1);
    CPmSection* second = SectionOfLength(5, 2);
    sim.AddSection(first);
    sim.AddSection(second);
    EXPECT_EQ(sim.Length(), 8);
    struct Case
    {
        int index;
        CPmSection* section;
        int inside;
    };
    for (const Case& c : {Case{0, first, 0}, Case{3, second, 0}, Case{7, second, 4}, Case{8, nullptr, 0},
                          Case{-1, first, -1}})
    {
        int index = c.index;
        EXPECT_EQ(sim.Section(index), c.section) << c.index;
        EXPECT_EQ(index, c.inside) << c.index;
    }
}

TEST_F(LegacyModelTest, SectionKeepsTheLastSegmentsLengthAndConvertsSpeed)
{
    FakeSection section(100.0, 1);
    EXPECT_EQ(section.Speed(), 100.0);
    auto* a = new FakeSegment();
    a->AddPath(std::vector<PMPosition>(3));
    auto* b = new FakeSegment();
    b->AddPath(std::vector<PMPosition>(5));
    section.AddSegment(a);
    section.AddSegment(b);
    EXPECT_EQ(section.Length(), 5);

    section.SetSpeed(100.0, 1);
    EXPECT_EQ(section.Speed(), 100.0 * 0.621371192);
    section.SetSpeed(100.0, 2);
    EXPECT_EQ(section.Speed(), 100.0 * 1.15077945);
    EXPECT_EQ(section.SpeedUnits(), 2);
    section.SetSpeed(100.0, 3);
    EXPECT_EQ(section.Speed(), 100.0 * 1.15077945);
    EXPECT_EQ(section.SpeedUnits(), 2);
}

TEST_F(LegacyModelTest, PositionsAreBoundedByTheStoredOnes)
{
    FakeSegment segment;
    segment.AddPath(std::vector<PMPosition>(4));
    EXPECT_EQ(segment.Length(), 4);
    EXPECT_EQ(segment.Position(3), &(*segment.Positions())[3]);
    EXPECT_EQ(segment.Position(4), nullptr);
}

TEST_F(LegacyModelTest, DeleteStopsAtTheFirstFailure)
{
    FakeSim sim;
    sim.AddSection(SectionOfLength(1, 1, 0));
    sim.AddSection(SectionOfLength(1, 2, 5));
    sim.AddSection(SectionOfLength(1, 3, 7));
    EXPECT_EQ(sim.Delete(), 5);
    EXPECT_EQ(Log().removedBlocks, (std::vector<int>{1, 2}));
}

TEST_F(LegacyModelTest, CopyIsDeepThroughTheFormat101Factory)
{
    FakeSim source;
    source.SetName(_T("Old"));
    source.SetCreated(CTime(2001, 2, 3, 4, 5, 6));
    source.AddSection(SectionOfLength(2, 1));
    auto copy = std::make_unique<FakeSim>(source);
    EXPECT_EQ(copy->DttmCreated(), source.DttmCreated());
    EXPECT_NE(copy->DttmEdited(), source.DttmEdited());
    ASSERT_EQ(copy->Sections()->size(), 1u);
    CPmSection* copied = (*copy->Sections())[0];
    EXPECT_NE(copied, (*source.Sections())[0]);
    EXPECT_NE(dynamic_cast<FakeSection*>(copied), nullptr);
    EXPECT_EQ(Log().copyPart101, 1);
    copy.reset();
    EXPECT_EQ((*(*source.Sections())[0]->Segments())[0]->Length(), 2);
}

// Assignment copies deeply through the format 101 factory, frees what the
// target held and is safe on itself.
TEST_F(LegacyModelTest, AssignmentCopiesDeeplyAndFreesWhatItReplaces)
{
    const int blocksBefore = Log().liveBlocks;
    {
        FakeSim source;
        source.SetName(_T("Old"));
        source.SetCreated(CTime(2001, 2, 3, 4, 5, 6));
        source.SetType(4);
        source.SetId(0x100000002ull);
        source.SetSimInUse(true);
        source.AddSection(SectionOfLength(3, 1));
        FakeSim target;
        target.AddSection(SectionOfLength(1, 2));
        target.AddSection(SectionOfLength(1, 3));
        ASSERT_EQ(Log().liveBlocks - blocksBefore, 3);

        target = source;
        EXPECT_EQ(Log().liveBlocks - blocksBefore, 2) << "the target's own two parts are freed, one copied";
        EXPECT_EQ(*target.Name(), CString(_T("Old")));
        EXPECT_EQ(target.Length(), 3);
        EXPECT_EQ(target.Type(), 4);
        EXPECT_EQ(target.Id(), 0x100000002ull);
        EXPECT_EQ(target.SimInUse(), 1);
        EXPECT_EQ(target.DttmCreated(), source.DttmCreated());
        EXPECT_EQ(target.DttmEdited(), source.DttmEdited()) << "assignment copies every field";
        ASSERT_EQ(target.Sections()->size(), 1u);
        CPmSection* copied = (*target.Sections())[0];
        const CPmSection* original = (*source.Sections())[0];
        EXPECT_NE(copied, original);
        EXPECT_NE(dynamic_cast<FakeSection*>(copied), nullptr);
        EXPECT_NE((*copied->Segments())[0], (*original->Segments())[0]);
        EXPECT_NE((*copied->Segments())[0]->Part(), (*original->Segments())[0]->Part());

        target = target;
        ASSERT_EQ(target.Sections()->size(), 1u);
        EXPECT_EQ((*target.Sections())[0], copied) << "self-assignment keeps the sections";

        FakeSection section;
        section = *copied;
        EXPECT_EQ(section.Length(), 3);
        ASSERT_EQ(section.Segments()->size(), 1u);
        EXPECT_NE((*section.Segments())[0], (*copied->Segments())[0]);
        section = section;
        EXPECT_EQ(section.Segments()->size(), 1u);

        FakeSegment segment(MakeFakePart(4), false);
        segment.AddPath({PMPosition{{7, 8, 9}, 1.5, {0, 0, 1}}});
        FakeSegment other(MakeFakePart(5), false);
        other = segment;
        EXPECT_NE(other.Part(), segment.Part());
        EXPECT_EQ(other.Length(), 1);
        ASSERT_EQ(other.Positions()->size(), 1u);
        EXPECT_EQ(other.Position(0)->ang, 1.5);
        other = other;
        EXPECT_NE(other.Part(), nullptr);
        FakeSegment bare;
        other = bare;
        EXPECT_EQ(other.Part(), nullptr) << "a source without a part leaves none";
    }
    EXPECT_EQ(Log().liveBlocks, blocksBefore) << "no block is freed twice or left behind";
}

TEST_F(LegacyModelTest, ListLookupAndMarking)
{
    auto* alpha = new FakeSim();
    alpha->SetName(_T("Alpha"));
    auto* lower = new FakeSim();
    lower->SetName(_T("alpha"));
    lower->updateStatus = 2;
    {
        FakeSimList list;
        list.Add(alpha);
        list.Add(lower);
        EXPECT_EQ(list.Index(_T("ALPHA")), 0);
        EXPECT_EQ(list.Sim(CString(_T("ALPHA"))), alpha);
        EXPECT_EQ(list.Sim(-1), nullptr);
        EXPECT_EQ(list.Sim(2), nullptr);
        list.SetSimInUse(_T("alpha"));
        EXPECT_EQ(alpha->SimInUse(), 0);
        EXPECT_EQ(lower->SimInUse(), 1);
        list.ResetUse();
        EXPECT_EQ(lower->SimInUse(), 0);
        EXPECT_EQ(list.Save(), 2);
    }
    EXPECT_EQ(Log().deletedSims, (std::vector<std::string>{"Alpha", "alpha"}));
}

TEST_F(LegacyModelTest, DumpCarriesTheAngle)
{
    FakeSim sim;
    sim.SetName(_T("Old"));
    sim.AddSection(SectionOfLength(1, 4));
    PmDumpStream os;
    os << sim;
    EXPECT_EQ(os.str(), Text(_T("\nCPmSim: \n  name: Old\n  len: 1\n  sections: \n"
                                "\nCPmSection: \n  speed: 10\n  speed units: 0\n  len: 1\n  segments: \n"
                                "\nCPmSegment: \n"
                                "\nCPmPart: \n  block: FakeBlock 4\n  offset: (0, 0, 0)\n  subparts: \n"
                                "  Positions: \n  pt: (1, 2, 3) ang: 0.5 tpt: (4, 5, 6)\n")));
}
} // namespace
