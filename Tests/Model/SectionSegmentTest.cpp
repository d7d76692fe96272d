#include <cmath>
#include <memory>

#include "ModelTestFixture.h"

namespace
{
class SectionSegmentTest : public ModelTest
{
};

TEST_F(SectionSegmentTest, ConstructorsStoreSpeedWithoutConversion)
{
    FakeSection200 byDefault;
    EXPECT_EQ(byDefault.Speed(), 10.0);
    EXPECT_EQ(byDefault.SpeedUnits(), 0);
    EXPECT_EQ(byDefault.Length(), 0);
    EXPECT_TRUE(byDefault.Segments()->empty());

    FakeSection200 given(25.0, 1);
    EXPECT_EQ(given.Speed(), 25.0);
    EXPECT_EQ(given.SpeedUnits(), 1);
    EXPECT_EQ(given.Length(), 0);
}

TEST_F(SectionSegmentTest, SetSpeedConvertsByUnitsCode)
{
    struct Case
    {
        double value;
        int units;
        double speed;
        int storedUnits;
    };
    const Case cases[] = {
        {50.0, 1, 50.0 * 0.621371192, 1},
        {10.0, 2, 10.0 * 1.15077945, 2},
        {50.0, 0, 50.0, 0},
        {50.0, 3, 7.0, 2},   // unknown code: the previous speed and units stay
        {50.0, -1, 7.0, 2},
    };
    for (const Case& c : cases)
    {
        FakeSection200 section(7.0, 2);
        section.SetSpeed(c.value, c.units);
        EXPECT_EQ(section.Speed(), c.speed) << "units " << c.units;
        EXPECT_EQ(section.SpeedUnits(), c.storedUnits) << "units " << c.units;
    }
    FakeSection200 section;
    section.SetSpeed(50.0, 1);
    EXPECT_NEAR(section.Speed(), 31.0685596, 1e-9);
}

TEST_F(SectionSegmentTest, AddSegmentAssignsTheLastSegmentsLength)
{
    FakeSection200 section;
    CPmSegment200* first = MakeSegment200(4, nullptr);
    CPmSegment200* second = MakeSegment200(6, nullptr);
    section.AddSegment(first);
    section.AddSegment(second);
    EXPECT_EQ(section.Length(), 6);
    EXPECT_EQ(*section.Segments(), (std::vector<CPmSegment200*>{first, second}));
}

TEST_F(SectionSegmentTest, PositionIsBoundedByStoredPositionsNotLength)
{
    FakeSegment200 segment;
    segment.AddPath(MakePath(3));
    segment.SetLength(10);
    EXPECT_EQ(segment.Position(2), &(*segment.Positions())[2]);
    EXPECT_EQ(segment.Position(3), nullptr);
    segment.SetLength(0);
    EXPECT_NE(segment.Position(0), nullptr);
}

TEST_F(SectionSegmentTest, AddPathAddsToTheLengthAndAppends)
{
    FakeSegment200 segment;
    segment.AddPath(MakePath(2));
    segment.AddPath({MakePosition(7, 8, 9), MakePosition(10, 11, 12), MakePosition(13, 14, 15)});
    EXPECT_EQ(segment.Length(), 5);
    ASSERT_EQ(segment.Positions()->size(), 5u);
    EXPECT_EQ((*segment.Positions())[2].pt.x, 7.0);
    EXPECT_EQ((*segment.Positions())[4].pt.z, 15.0);

    segment.AddPath({});
    EXPECT_EQ(segment.Length(), 5);
    segment.AddPath(*segment.Positions());  // its own path, appended again
    EXPECT_EQ(segment.Length(), 10);
    EXPECT_EQ((*segment.Positions())[7].pt.x, 7.0);
}

TEST_F(SectionSegmentTest, PartConstructorIgnoresTheFlag)
{
    for (bool flag : {false, true})
    {
        auto* part = MakeFakePart(1);
        FakeSegment200 segment(part, flag);
        EXPECT_EQ(segment.Part(), part);
        EXPECT_EQ(segment.Length(), 0);
        EXPECT_TRUE(segment.Positions()->empty());
        EXPECT_EQ(segment.Block(), part->Block());
    }
}

TEST_F(SectionSegmentTest, SegmentWithoutPartHasNoBlockAndCopiesWithoutPart)
{
    FakeSegment200 segment;
    EXPECT_EQ(segment.Block(), nullptr);
    FakeSegment200 copy(segment);
    EXPECT_EQ(copy.Part(), nullptr);
    EXPECT_EQ(Log().copyPart200, 0);
}

TEST_F(SectionSegmentTest, AddPartReplacesAndFreesAnEarlierPart)
{
    FakeSegment200 segment;
    auto* part = MakeFakePart(1);
    segment.AddPart(part);
    segment.AddPart(part);  // the same part again stays
    EXPECT_EQ(segment.Part(), part);
    segment.AddPart(MakeFakePart(2));
    EXPECT_EQ(Log().liveBlocks, 1) << "the earlier part and its block are freed";
}

TEST_F(SectionSegmentTest, CopiedSegmentIsIndependent)
{
    FakeSegment200 source(MakeFakePart(1), false);
    source.AddPath(MakePath(3));
    source.SetLength(8);
    FakeSegment200 copy(source);
    EXPECT_EQ(copy.Length(), 8);
    EXPECT_NE(copy.Part(), source.Part());
    EXPECT_EQ(Log().copyPart200, 1);
    (*copy.Positions())[0].pt.x = 42.0;
    copy.Positions()->pop_back();
    EXPECT_EQ((*source.Positions())[0].pt.x, 0.0);
    EXPECT_EQ(source.Positions()->size(), 3u);
}

TEST_F(SectionSegmentTest, AssignmentNeverSharesOwnedChildren)
{
    FakeSection200 source;
    source.AddSegment(MakeSegment200(2, MakeFakePart(1)));
    FakeSection200 target;
    target.AddSegment(MakeSegment200(5, MakeFakePart(2)));
    target = source;
    ASSERT_EQ(target.Segments()->size(), 1u);
    EXPECT_NE((*target.Segments())[0], (*source.Segments())[0]);
    EXPECT_EQ(target.Length(), 2);

    FakeSegment200 segment(MakeFakePart(3), false);
    FakeSegment200 other(MakeFakePart(4), false);
    other = segment;
    EXPECT_NE(other.Part(), segment.Part());
    other = other;
    EXPECT_NE(other.Part(), nullptr);
}

TEST_F(SectionSegmentTest, CopiedSectionHoldsNewSegmentsInOrder)
{
    FakeSection200 source(30.0, 2);
    source.AddSegment(MakeSegment200(2, MakeFakePart(1)));
    source.AddSegment(MakeSegment200(3, MakeFakePart(2)));
    source.Segments()->push_back(nullptr);
    source.SetLength(11);
    FakeSection200 copy(source);
    EXPECT_EQ(copy.Speed(), 30.0);
    EXPECT_EQ(copy.SpeedUnits(), 2);
    EXPECT_EQ(copy.Length(), 11);
    ASSERT_EQ(copy.Segments()->size(), 2u) << "a null entry is not copied";
    EXPECT_EQ((*copy.Segments())[0]->Length(), 2);
    EXPECT_EQ((*copy.Segments())[1]->Length(), 3);
    EXPECT_NE(dynamic_cast<FakeSegment200*>((*copy.Segments())[0]), nullptr);
}

TEST_F(SectionSegmentTest, ConvertsAFormat101PositionToARotationAboutZ)
{
    FakeSegment legacy(MakeFakePart(1), false);
    legacy.AddPath({PMPosition{{1, 2, 3}, M_PI / 2, {4, 5, 6}}});
    FakeSegment200 converted(legacy);

    ASSERT_EQ(converted.Positions()->size(), 1u);
    PmPosition200& position = (*converted.Positions())[0];
    EXPECT_EQ(position.pt.z, 3.0);
    EXPECT_EQ(position.tpt.x, 4.0);
    EXPECT_EQ(position.tpt.z, 6.0);
    const double c = std::cos(M_PI / 2);
    const double expected[4][4] = {{c, -1, 0, 1}, {1, c, 0, 2}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(position.transform(r, col), expected[r][col]) << r << "," << col;
    EXPECT_EQ(converted.Length(), 1);
    EXPECT_NE(converted.Part(), legacy.Part());
    EXPECT_EQ(Log().copyPart200, 1) << "the part is copied through the format 200 factory";
}

TEST_F(SectionSegmentTest, ConvertsAFormat101Section)
{
    FakeSection legacy(12.5, 2);
    legacy.AddSegment(new FakeSegment(MakeFakePart(1), false));
    FakeSection200 converted(legacy);
    EXPECT_EQ(converted.Speed(), 12.5);
    EXPECT_EQ(converted.SpeedUnits(), 2);
    ASSERT_EQ(converted.Segments()->size(), 1u);
    EXPECT_NE(dynamic_cast<FakeSegment200*>((*converted.Segments())[0]), nullptr);
}
} // namespace
