// The format 101 module's blocks in model space and its block factory.
#include <typeinfo>

#include "ModuleTestSupport.h"
#include "PmAcadAnimationBlock.h"
#include "PmAcadSection.h"

namespace
{
// A block of a kind the format 101 factory does not know.
class ForeignBlock : public CQdBlock
{
public:
    void DisplayPrint(PmDumpStream&) const override {}
    int AddToDrawing(bool) override { return 0; }
    int RemoveFromDrawing() override { return 0; }
};

std::wstring Dump(const CQdBlock& block)
{
    PmDumpStream os;
    os << block;
    return os.str();
}

class BlockTest : public LegacyDrawingTest
{
protected:
    std::unique_ptr<CQdBlock> NewBlock(double x = 0.0)
    {
        if (m_symbol.isNull())
            m_symbol = HostDrawing::AddBlockDefinition(L"Symbol");
        return std::unique_ptr<CQdBlock>(LegacyBuild::MakeBlock(m_symbol, {x, 0.0, 0.0}));
    }

private:
    AcDbObjectId m_symbol;
};

TEST_F(BlockTest, AddsTheReferenceHiddenAndKeepsItsHandle)
{
    std::unique_ptr<CQdBlock> block = NewBlock(3.0);
    EXPECT_EQ(typeid(*block), typeid(CQdAcadBlock));
    ASSERT_NE(block->BlockRef(), nullptr);
    EXPECT_EQ(block->AddToDrawing(false), 0);
    EXPECT_EQ(block->BlockRef(), nullptr) << "the drawing owns the reference now";
    AcDbBlockReference* inDrawing = nullptr;
    ASSERT_EQ(acdbOpenObject(inDrawing, HostDrawing::IdOfHandle(*block->Handle())), Acad::eOk);
    EXPECT_EQ(inDrawing->visibility(), AcDb::kInvisible);
    EXPECT_EQ(inDrawing->position().x, 3.0);
    inDrawing->close();
}

TEST_F(BlockTest, AnEmptyBlockDumpsNullAndAnswersMinusOne)
{
    CQdAcadBlock empty;
    EXPECT_EQ(Dump(empty), L"\nCQdAcadBlock handle: Null\n");
    EXPECT_EQ(empty.RemoveFromDrawing(), -1);
    EXPECT_EQ(empty.SetPos({1.0, 2.0, 3.0}), -1);
}

TEST_F(BlockTest, CopyBlockCopiesOnlyItsOwnKind)
{
    std::unique_ptr<CQdBlock> block = NewBlock();
    block->AddToDrawing(false);
    std::unique_ptr<CQdBlock> copy(CPmBlockFactory::CopyBlock(*block));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), block.get());
    EXPECT_EQ(typeid(*copy), typeid(CQdAcadBlock));
    EXPECT_EQ(*copy->Handle(), *block->Handle());
    EXPECT_EQ(CPmBlockFactory::CopyBlock(ForeignBlock()), nullptr);
}

TEST_F(BlockTest, ACopyOfABlockStillInMemoryHasAReferenceOfItsOwn)
{
    std::unique_ptr<CQdBlock> held = NewBlock(7.0);
    std::unique_ptr<CQdBlock> copy(CPmBlockFactory::CopyBlock(*held));
    ASSERT_NE(copy->BlockRef(), nullptr);
    EXPECT_NE(copy->BlockRef(), held->BlockRef()) << "no reference is shared, so none is freed twice";
    held.reset();
    EXPECT_EQ(copy->AddToDrawing(false), 0);
    EXPECT_EQ(HostDrawing::PositionOf(*copy->Handle())[0], 7.0);
}

TEST_F(BlockTest, AnimationBlocksAreThisModulesOwn)
{
    std::unique_ptr<CQdBlock> block = NewBlock(5.0);
    block->AddToDrawing(false);
    std::unique_ptr<CPmAnimationBlock> animation(CPmBlockFactory::CreateAnimationBlock(*block));
    EXPECT_EQ(typeid(*animation), typeid(CPmAcadAnimationBlock));
    EXPECT_EQ(animation->AddToDrawing(false), 0);
    EXPECT_EQ(HostDrawing::PositionOf(*animation->Handle())[0], 5.0);
}

TEST_F(BlockTest, AddSegmentMovesThePartAndItsChildrenToTheFirstPoint)
{
    const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Tree");
    CPmPart* part = LegacyBuild::MakePart(symbol);
    CPmPart* child = LegacyBuild::MakePart(symbol, {5.0, 0.0, 0.0});
    CPmPart* grandchild = LegacyBuild::MakePart(symbol);
    child->AddPart(grandchild);
    part->AddPart(child);
    part->AddPart(CPmDbxFactory::MakePart());  // a child without a block is skipped
    CPmSegment* segment = LegacyBuild::MakeSegment(part, 2, 10.0);

    CPmAcadSection section;
    section.AddSegment(segment);
    EXPECT_EQ(section.Length(), 2);
    // Position 0 of the path: pt (10, 20, 5), tpt (10, 0, 1).
    for (CPmPart* moved : {part, child})
    {
        EXPECT_EQ(HostDrawing::PositionOf(*moved->Block()->Handle()), (HostDrawing::Xyz{10.0, 20.0, 5.0}))
            << "the offset is not applied";
    }
    EXPECT_EQ(HostDrawing::PositionOf(*grandchild->Block()->Handle()), (HostDrawing::Xyz{0.0, 0.0, 0.0}));

    CPmAcadSection other;
    other.AddSegment(CPmDbxFactory::MakeSegment());  // no part, no position: just added
    EXPECT_EQ(other.Segments()->size(), 1u);
}
} // namespace
