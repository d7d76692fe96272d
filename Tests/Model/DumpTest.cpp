// The text dump, asserted character for character.
#include <memory>

#include "ModelTestFixture.h"

namespace
{
using Text = std::basic_string<TCHAR>;

class DumpTest : public ModelTest
{
};

template <class T>
Text Dump(const T& object)
{
    PmDumpStream os;
    os << object;
    return os.str();
}

TEST_F(DumpTest, EmptySimulation)
{
    FakeSim200 sim;
    sim.SetName(_T("Demo"));
    EXPECT_EQ(Dump(sim), Text(_T("\nCPmSim: \n  name: Demo\n  len: 0\n  sections: \n")));
}

TEST_F(DumpTest, EmptySection)
{
    FakeSection200 section;
    EXPECT_EQ(Dump(section),
              Text(_T("\nCPmSection: \n  speed: 10\n  speed units: 0\n  len: 0\n  segments: \n")));
}

TEST_F(DumpTest, PositionLine)
{
    FakeSegment200 segment;
    PmPosition200 position;
    position.pt = {1.5, -2, 0};
    position.tpt = {0, 0, 3};
    segment.AddPath({position});
    EXPECT_EQ(Dump(segment),
              Text(_T("\nCPmSegment: \n  Positions: \n  pt: (1.5, -2, 0) tpt: (0, 0, 3)\n")));
}

TEST_F(DumpTest, WholeTreeInOrder)
{
    auto* child = MakeFakePart(2);
    auto* root = MakeFakePart(1);
    root->SetOffset({0.25, 0, -1});
    root->AddPart(child);
    root->AddBlock(new FakeAnimationBlock());
    auto* segment = new FakeSegment200(root, false);
    segment->AddPath({MakePosition(1, 2, 3)});
    auto* section = new FakeSection200(31.0685596, 1);
    section->AddSegment(segment);
    FakeSim200 sim;
    sim.SetName(_T("Tour"));
    sim.AddSection(section);

    EXPECT_EQ(Dump(sim), Text(_T("\nCPmSim: \n  name: Tour\n  len: 1\n  sections: \n"
                                 "\nCPmSection: \n  speed: 31.0686\n  speed units: 1\n  len: 1\n  segments: \n"
                                 "\nCPmSegment: \n"
                                 "\nCPmPart: \n  block: FakeBlock 1\n  offset: (0.25, 0, -1)\n  subparts: \n"
                                 "\nCPmPart: \n  block: FakeBlock 2\n  offset: (0, 0, 0)\n  subparts: \n"
                                 "  Positions: \n  pt: (1, 2, 3) tpt: (-1, -2, -3)\n")));
}

TEST_F(DumpTest, MissingChildrenWriteNothingForThemselves)
{
    FakeSegment200 withoutPart;
    withoutPart.AddPath({MakePosition(0, 0, 0)});
    EXPECT_EQ(Dump(withoutPart), Text(_T("\nCPmSegment: \n  Positions: \n  pt: (0, 0, 0) tpt: (-0, -0, -0)\n")));
    FakePart withoutBlock;
    EXPECT_EQ(Dump(withoutBlock), Text(_T("\nCPmPart: \n  block: \n  offset: (0, 0, 0)\n  subparts: \n")));
}

TEST_F(DumpTest, OperatorsReturnTheStreamAndUseItsFormatting)
{
    FakeSection200 section(1.0 / 3.0, 0);
    FakeBlock block(7);
    PmDumpStream os;
    os.precision(3);
    (os << section << block) << section;
    const Text once = _T("\nCPmSection: \n  speed: 0.333\n  speed units: 0\n  len: 0\n  segments: \n");
    EXPECT_EQ(os.str(), once + _T("FakeBlock 7") + once);
}
} // namespace
