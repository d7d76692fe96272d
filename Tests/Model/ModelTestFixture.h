// Shared fixture of the model tests: a clean fake log and small builders.
#pragma once

#include <gtest/gtest.h>

#include "ModelFakes.h"

class ModelTest : public testing::Test
{
protected:
    void SetUp() override { FakeLog::Reset(); }
    void TearDown() override { EXPECT_EQ(FakeLog::Get().liveBlocks, 0) << "a block leaked or was freed twice"; }

    static FakeLog& Log() { return FakeLog::Get(); }
};

inline PmPosition200 MakePosition(double x, double y, double z)
{
    PmPosition200 position;
    position.pt = {x, y, z};
    position.tpt = {-x, -y, -z};
    return position;
}

inline std::vector<PmPosition200> MakePath(int count)
{
    std::vector<PmPosition200> path;
    for (int i = 0; i < count; ++i)
        path.push_back(MakePosition(i, 2.0 * i, 0.5));
    return path;
}

// A part showing a fake block with the given id and removal status.
inline FakePart* MakeFakePart(int blockId, int removeStatus = 0)
{
    auto* part = new FakePart();
    part->AddBlock(new FakeBlock(blockId, removeStatus));
    return part;
}

// A format 200 segment with a path of `count` positions and a part.
inline CPmSegment200* MakeSegment200(int count, CPmPart* part)
{
    auto* segment = new FakeSegment200(part, false);
    segment->AddPath(MakePath(count));
    return segment;
}

// A format 200 section holding segments of the given lengths, each with a part.
inline CPmSection200* MakeSection200(std::initializer_list<int> lengths, int firstBlockId = 1)
{
    auto* section = new FakeSection200();
    int blockId = firstBlockId;
    for (int length : lengths)
        section->AddSegment(MakeSegment200(length, MakeFakePart(blockId++)));
    return section;
}
