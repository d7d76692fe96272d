#include <memory>
#include <type_traits>

#include "ModelTestFixture.h"

namespace
{
class SimulationTest : public ModelTest
{
};

const CTime kLongAgo(2001, 2, 3, 4, 5, 6);

std::unique_ptr<FakeSim200> MakeSimWithSections(std::initializer_list<int> lengths)
{
    auto sim = std::make_unique<FakeSim200>();
    for (int length : lengths)
        sim->AddSection(MakeSection200({length}));
    return sim;
}

TEST_F(SimulationTest, DefaultsMatchANewSimulation)
{
    FakeSim200 sim;
    EXPECT_TRUE(sim.Name()->IsEmpty());
    EXPECT_EQ(sim.Length(), 0);
    EXPECT_EQ(sim.DttmCreated(), sim.DttmEdited());
    EXPECT_EQ(sim.DisplayIndex(), 0);
    EXPECT_EQ(sim.Type(), -1);
    EXPECT_EQ(sim.Id(), 0u);
    EXPECT_EQ(sim.SimInUse(), 0);
    EXPECT_TRUE(sim.Sections()->empty());
    EXPECT_TRUE(sim.IsCurVersion());
    EXPECT_LE(sim.DttmCreatedTime().GetTime(), CTime::GetCurrentTime().GetTime());
}

TEST_F(SimulationTest, BaseOperationsFollowTheBuildVariant)
{
#if defined(PM_SIM_BASE_INSTANTIABLE)
    static_assert(!std::is_abstract<CPmSim200>::value, "this build instantiates the base class");
    CPmSim200 sim;
    EXPECT_EQ(sim.Save(), -1);
    EXPECT_EQ(sim.Update(), -1);
    EXPECT_EQ(sim.Close(), -1);
#else
    static_assert(std::is_abstract<CPmSim200>::value, "this build keeps the base class abstract");
#endif
}

TEST_F(SimulationTest, SimInUseReportsTheFlagAsInt)
{
    FakeSim200 sim;
    sim.SetSimInUse(true);
    EXPECT_EQ(sim.SimInUse(), 1);
    sim.SetSimInUse(false);
    EXPECT_EQ(sim.SimInUse(), 0);
}

TEST_F(SimulationTest, CopyKeepsCreatedTimeAndTakesAFreshEditedTime)
{
    FakeSim200 source;
    source.SetName(_T("Route"));
    source.SetLength(99);  // copied as is, not recomputed from the sections
    source.SetDttmCreated(kLongAgo);
    source.SetDttmEdited(kLongAgo);
    source.SetDisplayIndex(4);
    source.SetType(7);
    source.SetId(0x1234567890ULL);
    source.SetSimInUse(true);
    source.SetIsCurVersion(false);
    source.AddSection(MakeSection200({3}));

    FakeSim200 copy(source);

    EXPECT_EQ(*copy.Name(), _T("Route"));
    EXPECT_EQ(copy.Length(), 102);
    EXPECT_EQ(copy.DttmCreatedTime(), kLongAgo);
    EXPECT_NE(copy.DttmEdited(), source.DttmEdited()) << "a copy counts as an edit";
    EXPECT_EQ(copy.DisplayIndex(), 4);
    EXPECT_EQ(copy.Type(), 7);
    EXPECT_EQ(copy.Id(), 0x1234567890ULL);
    EXPECT_EQ(copy.SimInUse(), 1);
    EXPECT_FALSE(copy.IsCurVersion());
    EXPECT_EQ(source.DttmCreatedTime(), kLongAgo) << "copying must not change the source";
}

TEST_F(SimulationTest, CopyIsDeepAndIndependent)
{
    auto source = MakeSimWithSections({3, 5});
    auto copy = std::make_unique<FakeSim200>(*source);

    ASSERT_EQ(copy->Sections()->size(), 2u);
    for (size_t i = 0; i < 2; ++i)
    {
        CPmSection200* original = (*source->Sections())[i];
        CPmSection200* copied = (*copy->Sections())[i];
        EXPECT_NE(original, copied);
        EXPECT_NE(dynamic_cast<FakeSection200*>(copied), nullptr) << "children are made by the host factory";
        EXPECT_EQ(copied->Length(), original->Length());
        EXPECT_NE((*copied->Segments())[0]->Part(), (*original->Segments())[0]->Part());
    }
    copy.reset();
    EXPECT_EQ((*source->Sections())[1]->Length(), 5) << "the source's children survive the copy's end";
}

TEST_F(SimulationTest, AssignmentCopiesDeeplyAndReplacesOwnSections)
{
    auto source = MakeSimWithSections({3});
    source->SetName(_T("Source"));
    source->SetDttmEdited(kLongAgo);
    auto target = MakeSimWithSections({1, 1});

    *target = *source;
    EXPECT_EQ(*target->Name(), _T("Source"));
    EXPECT_EQ(target->Length(), 3);
    EXPECT_EQ(target->DttmEdited(), source->DttmEdited());
    ASSERT_EQ(target->Sections()->size(), 1u);
    EXPECT_NE((*target->Sections())[0], (*source->Sections())[0]);

    *target = *target;
    EXPECT_EQ(target->Sections()->size(), 1u);
    source.reset();
    EXPECT_EQ((*target->Sections())[0]->Length(), 3);
}

TEST_F(SimulationTest, NullSectionEntriesAreTreatedAsAbsent)
{
    auto sim = MakeSimWithSections({3, 5});
    sim->Sections()->insert(sim->Sections()->begin() + 1, nullptr);

    FakeSim200 copy(*sim);
    EXPECT_EQ(copy.Sections()->size(), 2u);
    int index = 4;
    EXPECT_EQ(sim->Section(index), (*sim->Sections())[2]);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(sim->Delete(), 0);
    PmDumpStream os;
    os << *sim;
    EXPECT_NE(os.str().find(_T("CPmSection")), std::basic_string<TCHAR>::npos);
}

TEST_F(SimulationTest, ConvertsAFormat101Simulation)
{
    FakeSim legacy;
    legacy.SetName(_T("Old"));
    legacy.SetCreated(kLongAgo);
    legacy.SetDisplayIndex(2);
    legacy.SetType(3);
    legacy.SetId(0xFFFFFFFF00000001ULL);
    legacy.SetSimInUse(true);
    auto* section = new FakeSection(25.0, 1);
    section->AddSegment(new FakeSegment());
    legacy.AddSection(section);

    FakeSim200 converted(legacy);
    EXPECT_EQ(*converted.Name(), _T("Old"));
    EXPECT_EQ(converted.DttmCreatedTime(), kLongAgo);
    EXPECT_NE(converted.DttmEdited(), legacy.DttmEdited());
    EXPECT_EQ(converted.DisplayIndex(), 2);
    EXPECT_EQ(converted.Type(), 3);
    EXPECT_EQ(converted.Id(), 0xFFFFFFFF00000001ULL);
    EXPECT_EQ(converted.SimInUse(), 1);
    EXPECT_TRUE(converted.IsCurVersion());
    ASSERT_EQ(converted.Sections()->size(), 1u);
    EXPECT_NE(dynamic_cast<FakeSection200*>((*converted.Sections())[0]), nullptr);
    EXPECT_EQ((*converted.Sections())[0]->Speed(), 25.0);
}

TEST_F(SimulationTest, AddSectionCountsTheLengthAtCallTime)
{
    FakeSim200 sim;
    auto* section = MakeSection200({4});
    sim.AddSection(section);
    section->AddSegment(MakeSegment200(6, nullptr));
    EXPECT_EQ(section->Length(), 6);
    EXPECT_EQ(sim.Length(), 4);
    sim.AddSection(MakeSection200({2}));
    EXPECT_EQ(sim.Length(), 6);
}

TEST_F(SimulationTest, SectionMapsAWholeSimulationIndex)
{
    auto sim = MakeSimWithSections({3, 5});
    CPmSection200* first = (*sim->Sections())[0];
    CPmSection200* second = (*sim->Sections())[1];
    struct Case
    {
        int index;
        CPmSection200* section;
        int inside;
    };
    const Case cases[] = {{-1, first, -1}, {0, first, 0}, {1, first, 1}, {2, first, 2}, {3, second, 0},
                          {5, second, 2},  {7, second, 4}, {8, nullptr, 0}, {20, nullptr, 12}};
    for (const Case& c : cases)
    {
        int index = c.index;
        EXPECT_EQ(sim->Section(index), c.section) << "index " << c.index;
        EXPECT_EQ(index, c.inside) << "index " << c.index;
    }
}

TEST_F(SimulationTest, DeleteStopsAtTheFirstFailingPart)
{
    FakeSim200 sim;
    auto* section = new FakeSection200();
    section->AddSegment(MakeSegment200(1, MakeFakePart(1, 0)));
    section->AddSegment(MakeSegment200(1, MakeFakePart(2, 5)));
    sim.AddSection(section);
    sim.AddSection(MakeSection200({1}, 3));

    EXPECT_EQ(sim.Delete(), 5);
    EXPECT_EQ(Log().removedBlocks, (std::vector<int>{1, 2}));
}

TEST_F(SimulationTest, DeleteWithoutBlocksToRemoveSucceeds)
{
    FakeSim200 empty;
    EXPECT_EQ(empty.Delete(), 0);

    FakeSim200 sim;
    sim.AddSection(new FakeSection200());
    auto* section = new FakeSection200();
    section->AddSegment(new FakeSegment200());          // a segment without a part
    section->Segments()->push_back(nullptr);            // a null segment entry
    section->AddSegment(MakeSegment200(1, MakeFakePart(9)));
    sim.AddSection(section);
    EXPECT_EQ(sim.Delete(), 0);
    EXPECT_EQ(Log().removedBlocks, std::vector<int>{9});
}
} // namespace
