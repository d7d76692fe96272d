#include <memory>

#include "ModelTestFixture.h"

namespace
{
class PartTest : public ModelTest
{
protected:
    // Sub-part copies go through the factory of the module the part tree is built into.
    static int PartCopies()
    {
#if PM_MODEL_FORMAT == 101
        EXPECT_EQ(Log().copyPart200, 0);
        return Log().copyPart101;
#else
        EXPECT_EQ(Log().copyPart101, 0);
        return Log().copyPart200;
#endif
    }
};

TEST_F(PartTest, NewPartIsEmpty)
{
    FakePart part;
    EXPECT_EQ(part.Block(), nullptr);
    EXPECT_EQ(part.AnimationBlock(), nullptr);
    EXPECT_EQ(part.Offset().x, 0.0);
    EXPECT_EQ(part.Offset().y, 0.0);
    EXPECT_EQ(part.Offset().z, 0.0);
    EXPECT_EQ(part.NumSubParts(), 0);
    EXPECT_TRUE(part.GetName().IsEmpty());
    for (int index : {-1, 0, 1})
        EXPECT_EQ(part.SubPart(index), nullptr) << index;
}

TEST_F(PartTest, SubPartIsNullOutsideTheList)
{
    FakePart part;
    auto* a = new FakePart();
    auto* b = new FakePart();
    part.AddPart(a);
    part.AddPart(b);
    part.AddPart(nullptr);
    EXPECT_EQ(part.NumSubParts(), 2);
    EXPECT_EQ(part.SubPart(0), a);
    EXPECT_EQ(part.SubPart(1), b);
    EXPECT_EQ(part.SubPart(-1), nullptr);
    EXPECT_EQ(part.SubPart(2), nullptr);
}

TEST_F(PartTest, AddBlockAddsTheSymbolHidden)
{
    FakePart part;
    auto* block = new FakeBlock(1);
    auto* animation = new FakeAnimationBlock();
    part.AddBlock(block);
    part.AddBlock(animation);
    EXPECT_EQ(part.Block(), block);
    EXPECT_EQ(part.AnimationBlock(), animation);
    EXPECT_EQ(block->addCalls, 1);
    EXPECT_TRUE(block->inDrawing);
    EXPECT_FALSE(block->visible);
    EXPECT_EQ(animation->addCalls, 1);
    EXPECT_FALSE(animation->visible);

    part.AddBlock(new FakeBlock(2));
    EXPECT_EQ(Log().liveBlocks, 1) << "a replaced block is freed";
}

TEST_F(PartTest, CopyCopiesBlockOffsetNameAndSubPartsButNoAnimationBlock)
{
    FakePart source;
    source.AddBlock(new FakeBlock(1));
    source.AddBlock(new FakeAnimationBlock());
    source.SetOffset({1.5, -2.0, 3.0});
    source.SetName(_T("Arm"));
    source.AddPart(MakeFakePart(2));
    source.AddPart(MakeFakePart(3));

    auto copy = std::make_unique<FakePart>(source);
    EXPECT_EQ(copy->AnimationBlock(), nullptr);
    ASSERT_NE(copy->Block(), nullptr);
    EXPECT_NE(copy->Block(), source.Block());
    EXPECT_EQ(static_cast<FakeBlock*>(copy->Block())->id, 1);
    EXPECT_EQ(copy->Offset().y, -2.0);
    EXPECT_EQ(copy->GetName(), _T("Arm"));
    ASSERT_EQ(copy->NumSubParts(), 2);
    EXPECT_NE(copy->SubPart(0), source.SubPart(0));
    EXPECT_EQ(static_cast<FakeBlock*>(copy->SubPart(1)->Block())->id, 3);
    EXPECT_EQ(PartCopies(), 2);

    copy.reset();
    EXPECT_EQ(source.NumSubParts(), 2);
    EXPECT_EQ(static_cast<FakeBlock*>(source.SubPart(0)->Block())->id, 2);
}

TEST_F(PartTest, CopyOfAPartWithoutBlockOrWithAForeignBlockHasNone)
{
    FakePart bare;
    FakePart bareCopy(bare);
    EXPECT_EQ(bareCopy.Block(), nullptr);

    FakePart foreign;
    foreign.AddBlock(new ForeignBlock());
    FakePart foreignCopy(foreign);
    EXPECT_EQ(foreignCopy.Block(), nullptr) << "the factory cannot copy that kind";
}

TEST_F(PartTest, RemoveBlockSumsEveryStatusDepthFirst)
{
    FakePart root;
    root.AddBlock(new FakeBlock(1, 0));
    FakePart* left = MakeFakePart(2, 3);
    left->AddPart(MakeFakePart(3, -1));
    root.AddPart(left);
    root.AddPart(MakeFakePart(4, 4));
    root.AddBlock(new FakeAnimationBlock());

    EXPECT_EQ(root.RemoveBlock(), 6);
    EXPECT_EQ(Log().removedBlocks, (std::vector<int>{1, 2, 3, 4})) << "no removal is skipped";
}

TEST_F(PartTest, RemoveBlockSkipsAMissingBlockButNotItsSubParts)
{
    FakePart root;
    root.AddPart(MakeFakePart(5, 2));
    EXPECT_EQ(root.RemoveBlock(), 2);
    EXPECT_EQ(Log().removedBlocks, std::vector<int>{5});
}
} // namespace
