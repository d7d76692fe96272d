// Blocks in model space: added hidden, moved, removed with their definition, copied.
#include <memory>
#include <new>
#include <sstream>

#include <dbhostfaults.h>
#include <dbmemfiler.h>

#include "DrawingFixture.h"
#include "PmAcadAnimationBlock.h"
#include "PmBlockFactory.h"
#include "PmElement.h"

namespace
{
class BlockTest : public DrawingTest
{
protected:
    // Opens what the handle names, for read; null when it does not open as a reference.
    AcDbBlockReference* OpenReference(const AcDbHandle& handle)
    {
        AcDbObjectId id;
        if (Database()->getAcDbObjectId(id, false, handle) != Acad::eOk)
            return nullptr;
        AcDbBlockReference* reference = nullptr;
        acdbOpenObject(reference, id, AcDb::kForRead);
        return reference;
    }

    std::unique_ptr<CQdBlock> CreateBlock(double x = 0.0)
    {
        element e{0, MakeReference(x)};
        return std::unique_ptr<CQdBlock>(CPmBlockFactory::CreateBlock(&e));
    }

    // A block naming the handle alone, as a record read back makes it.
    static std::unique_ptr<CZrAcadBlock> BlockForHandle(const AcDbHandle& handle)
    {
        AcDbMemoryFiler filer;
        filer.writeAcDbHandle(handle);
        auto block = std::make_unique<CZrAcadBlock>();
        block->Load(&filer);
        return block;
    }
};

std::wstring Dump(const CQdBlock& block)
{
    PmDumpStream os;
    os << block;
    return os.str();
}

TEST_F(BlockTest, AddsACopyOfTheReferenceHiddenAndOnlyOnce)
{
    std::unique_ptr<CQdBlock> block = CreateBlock(3.0);
    ASSERT_NE(block->BlockRef(), nullptr);
    EXPECT_TRUE(block->Handle()->isNull());
    EXPECT_EQ(block->AddToDrawing(false), 0);
    EXPECT_EQ(block->BlockRef(), nullptr) << "the drawing owns the reference now";
    ASSERT_FALSE(block->Handle()->isNull());

    AcDbBlockReference* inDrawing = OpenReference(*block->Handle());
    ASSERT_NE(inDrawing, nullptr);
    EXPECT_EQ(inDrawing->visibility(), AcDb::kInvisible);
    EXPECT_EQ(inDrawing->position().x, 3.0);
    EXPECT_EQ(inDrawing->scaleFactors(), AcGeScale3d(2.0));
    inDrawing->close();

    const AcDbHandle handle = *block->Handle();
    EXPECT_EQ(block->AddToDrawing(false), 0) << "the block-table open status";
    EXPECT_EQ(*block->Handle(), handle);
}

TEST_F(BlockTest, VisibleAddLeavesTheReferenceVisible)
{
    std::unique_ptr<CQdBlock> block = CreateBlock();
    EXPECT_EQ(block->AddToDrawing(true), 0);
    AcDbBlockReference* inDrawing = OpenReference(*block->Handle());
    EXPECT_EQ(inDrawing->visibility(), AcDb::kVisible);
    inDrawing->close();
}

TEST_F(BlockTest, EmptyBlocksAnswerMinusOneAndDumpNull)
{
    CZrAcadBlock empty;
    element nothing{0, nullptr};
    std::unique_ptr<CQdBlock> fromNull(CPmBlockFactory::CreateBlock(&nothing));
    for (CQdBlock* block : {static_cast<CQdBlock*>(&empty), fromNull.get()})
    {
        EXPECT_EQ(block->RemoveFromDrawing(), -1);
        EXPECT_EQ(static_cast<CZrAcadBlock*>(block)->SetPos({1, 2, 3}), -1);
        EXPECT_EQ(Dump(*block), L"\nCQdAcadBlock handle: Null\n");
    }
}

TEST_F(BlockTest, DumpsHighWordThenLowWord)
{
    std::unique_ptr<CZrAcadBlock> block = BlockForHandle(AcDbHandle(42, 1));
    EXPECT_EQ(Dump(*block), L"\nCQdAcadBlock handle: 1, 42\n");
    PmDumpStream os;
    os << *block;
    EXPECT_EQ(os.str(), Dump(*block));
}

TEST_F(BlockTest, RemovesTheDefinitionThenTheReference)
{
    std::unique_ptr<CQdBlock> block = CreateBlock();
    block->AddToDrawing(false);
    AcDbBlockReference* inDrawing = OpenReference(*block->Handle());
    const AcDbObjectId recordId = inDrawing->blockTableRecord();
    inDrawing->close();

    EXPECT_EQ(block->RemoveFromDrawing(), 0);
    EXPECT_TRUE(recordId.isErased());
    EXPECT_EQ(OpenReference(*block->Handle()), nullptr);
    EXPECT_NE(block->RemoveFromDrawing(), 0) << "an erased reference no longer opens";
}

TEST_F(BlockTest, SetPosMovesTheHeldOrTheDrawingsReference)
{
    std::unique_ptr<CQdBlock> block = CreateBlock();
    auto* zr = static_cast<CZrAcadBlock*>(block.get());
    EXPECT_EQ(zr->SetPos({1, 2, 3}), 0);
    EXPECT_EQ(block->BlockRef()->position().y, 2.0);
    block->AddToDrawing(false);
    EXPECT_EQ(zr->SetPos({4, 5, 6}), 0);
    AcDbBlockReference* inDrawing = OpenReference(*block->Handle());
    EXPECT_EQ(inDrawing->position().z, 6.0);
    inDrawing->close();
}

TEST_F(BlockTest, CopiesAreIndependentAlsoBeforeTheBlockIsAdded)
{
    std::unique_ptr<CQdBlock> held = CreateBlock(7.0);
    std::unique_ptr<CQdBlock> copy(CPmBlockFactory::CopyBlock(*held));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->BlockRef(), nullptr);
    EXPECT_NE(copy->BlockRef(), held->BlockRef()) << "no reference is shared, so none is freed twice";
    EXPECT_EQ(copy->BlockRef()->position().x, 7.0);

    held->AddToDrawing(false);
    std::unique_ptr<CQdBlock> added(CPmBlockFactory::CopyBlock(*held));
    EXPECT_EQ(*added->Handle(), *held->Handle());
    EXPECT_EQ(added->BlockRef(), nullptr);

    CZrAcadBlock assigned;
    assigned = *static_cast<CZrAcadBlock*>(copy.get());
    EXPECT_NE(assigned.BlockRef(), copy->BlockRef());
}

TEST_F(BlockTest, AnimationBlockCopiesTheDrawingsReference)
{
    std::unique_ptr<CQdBlock> block = CreateBlock(5.0);
    block->AddToDrawing(false);
    std::unique_ptr<CPmAnimationBlock> animation(CPmBlockFactory::CreateAnimationBlock(*block));
    EXPECT_TRUE(animation->Handle()->isNull());
    EXPECT_EQ(animation->AddToDrawing(false), 0);
    EXPECT_FALSE(animation->Handle()->isNull());
    EXPECT_FALSE(animation->RefId()->isNull());
    AcDbBlockReference* copy = OpenReference(*animation->Handle());
    EXPECT_EQ(copy->position().x, 5.0);
    copy->close();

    std::unique_ptr<CZrAcadBlock> gone = BlockForHandle(AcDbHandle(0xFFFF, 0));
    std::unique_ptr<CPmAnimationBlock> orphan(CPmBlockFactory::CreateAnimationBlock(*gone));
    EXPECT_EQ(orphan->AddToDrawing(false), 0);
    EXPECT_TRUE(orphan->Handle()->isNull()) << "nothing to add";
    PmDumpStream os;
    os << *orphan;
    EXPECT_EQ(os.str(), L"\nCPmAcadAnimationBlock handle: Null\n");
}

TEST_F(BlockTest, AnAnimationBlockWhoseCopyThrowsLeavesTheDrawingsReferenceClosed)
{
    std::unique_ptr<CQdBlock> block = CreateBlock(5.0);
    block->AddToDrawing(false);
    // The copy of the drawing's reference is the first allocation on the host heap.
    dwgHostFault(DwgHostCall::HeapAllocation).failAt(1);
    EXPECT_THROW(CPmAcadAnimationBlock animation(*block), std::bad_alloc);
    dwgHostFaultsOff();

    AcDbObjectId id;
    ASSERT_EQ(Database()->getAcDbObjectId(id, false, *block->Handle()), Acad::eOk);
    AcDbBlockReference* reference = nullptr;
    EXPECT_EQ(acdbOpenObject(reference, id, AcDb::kForWrite), Acad::eOk) << "no reader is left";
    if (reference)
        reference->close();
}

TEST_F(BlockTest, AddSegmentMovesPartAndChildrenButNotGrandchildren)
{
    auto blockAt = [this](double x) {
        element e{0, MakeReference(x)};
        return CPmBlockFactory::CreateBlock(&e);
    };
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(blockAt(1));
    CPmPart* child = CPmDbxFactory200::MakePart();
    child->AddBlock(blockAt(2));
    CPmPart* grandchild = CPmDbxFactory200::MakePart();
    grandchild->AddBlock(blockAt(3));
    child->AddPart(grandchild);
    part->AddPart(child);
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    PmPosition200 first;
    first.pt = {10, 20, 30};
    segment->AddPath({first});

    CPmAcadSection200 section;
    section.AddSegment(segment);
    EXPECT_EQ(section.Length(), 1);
    auto xOf = [this](CQdBlock* block) {
        AcDbBlockReference* reference = OpenReference(*block->Handle());
        const double x = reference->position().x;
        reference->close();
        return x;
    };
    EXPECT_EQ(xOf(part->Block()), 10.0);
    EXPECT_EQ(xOf(child->Block()), 10.0);
    EXPECT_EQ(xOf(grandchild->Block()), 3.0);

    CPmAcadSection200 other;
    other.AddSegment(CPmDbxFactory200::MakeSegment());  // no part, no position: just added
    EXPECT_EQ(other.Segments()->size(), 1u);
}
} // namespace
