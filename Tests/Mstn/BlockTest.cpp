// MicroStation blocks: elements of the active model, added hidden, removed,
// copied with descriptors of their own, and stored by element id.
#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
class BlockTest : public Fixture
{
};

// A block whose element is in the model (hidden), as a part's AddBlock leaves it.
CQdBlock* PlacedBlock()
{
    CQdBlock* block = CPmBlockFactory::CreateBlock(NewDescriptor());
    EXPECT_EQ(block->AddToDrawing(false), 0);
    return block;
}

// The block read back from a record that holds only its block chunk.
CZrMstnBlock* SavedAndRead(const CQdBlock& block)
{
    {
        CZrMstnObject writer(kSimKind, _T("Block"));
        block.Save(&writer);
        EXPECT_EQ(writer.Commit(), 0);
    }
    CZrMstnObject reader(kSimKind, _T("Block"));
    EXPECT_EQ(reader.Load(), 0);
    auto* read = new CZrMstnBlock(&reader);
    CZrMstnObject remover(kSimKind, _T("Block"));
    remover.Delete();
    return read;
}
} // namespace

TEST_F(BlockTest, ABlockOfNoDescriptorNamesNoElement)
{
    CQdBlock* block = CPmBlockFactory::CreateBlock(nullptr);
    EXPECT_EQ(block->ElementId(), 0u);
    EXPECT_EQ(block->Desc(), nullptr);
    EXPECT_EQ(block->AddToDrawing(false), -1);
    EXPECT_EQ(block->RemoveFromDrawing(), -1);
    {
        CZrMstnObject writer(kSimKind, _T("Zero"));
        block->Save(&writer);
        ASSERT_EQ(writer.Commit(), 0);
    }
    EXPECT_EQ(RecordStream(_T("Zero")), (std::vector<std::uint8_t>{12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    delete block;
}

TEST_F(BlockTest, AddingHandsTheDescriptorToTheModelHiddenWhateverTheFlag)
{
    for (const bool visible : {true, false})
    {
        MSElementDescr* descr = NewDescriptor();
        CQdBlock* block = CPmBlockFactory::CreateBlock(descr);
        EXPECT_EQ(block->Desc(), descr);
        EXPECT_EQ(block->AddToDrawing(visible), 0);
        const ElementId id = block->ElementId();
        EXPECT_NE(id, 0u);
        EXPECT_TRUE(ElementLive(id));
        EXPECT_FALSE(ElementVisible(id)) << "asked " << visible;
        EXPECT_EQ(block->Desc(), nullptr);
        EXPECT_EQ(block->AddToDrawing(visible), -1) << "added already";
        EXPECT_EQ(block->ElementId(), id);
        delete block;
    }
}

TEST_F(BlockTest, APartsBlockIsAddedHidden)
{
    CPmPart* part = MakePart(_T("Shown"));
    EXPECT_TRUE(ElementLive(part->Block()->ElementId()));
    EXPECT_FALSE(ElementVisible(part->Block()->ElementId()));
    delete part;
}

TEST_F(BlockTest, RemovingDeletesTheElementAndAnswersTheLookup)
{
    CQdBlock* block = PlacedBlock();
    const ElementId id = block->ElementId();
    EXPECT_EQ(block->RemoveFromDrawing(), 0);
    EXPECT_FALSE(ElementLive(id));
    EXPECT_EQ(block->ElementId(), id) << "the block keeps its id";
    EXPECT_NE(block->RemoveFromDrawing(), 0) << "nothing left to remove";
    delete block;
}

TEST_F(BlockTest, ARefusedRemovalAnswersTheRefusalAndLeavesTheElement)
{
    CQdBlock* block = PlacedBlock();
    const ElementId id = block->ElementId();
    faultswitch::Switch& removals = mstnHost_fault(MstnHostCall::DescriptorRemove);
    removals.failAt(1);
    EXPECT_EQ(block->RemoveFromDrawing(), MSTN_ERR_READ_ONLY);
    removals.off();
    EXPECT_TRUE(ElementLive(id)) << "the element is still in the model";
    EXPECT_EQ(block->RemoveFromDrawing(), 0) << "a later removal takes it out";
    EXPECT_FALSE(ElementLive(id));
    delete block;
}

TEST_F(BlockTest, ABlockReadBackNamesItsElement)
{
    CQdBlock* placed = PlacedBlock();
    CZrMstnBlock* read = SavedAndRead(*placed);
    EXPECT_EQ(read->ElementId(), placed->ElementId());
    ASSERT_NE(read->Desc(), nullptr) << "a descriptor of the existing element";
    EXPECT_EQ(mdlElement_getID(&read->Desc()->el), placed->ElementId());
    delete read;

    CQdBlock* none = CPmBlockFactory::CreateBlock(nullptr);
    read = SavedAndRead(*none);
    EXPECT_EQ(read->ElementId(), 0u);
    EXPECT_EQ(read->Desc(), nullptr);
    delete read;

    placed->RemoveFromDrawing();
    read = SavedAndRead(*placed);
    EXPECT_EQ(read->ElementId(), placed->ElementId()) << "the id of an element deleted since is kept";
    EXPECT_EQ(read->Desc(), nullptr);
    delete read;
    delete none;
    delete placed;
}

TEST_F(BlockTest, ACopiedBlockHasADescriptorOfItsOwn)
{
    CQdBlock* placed = PlacedBlock();
    CQdBlock* copy = CPmBlockFactory::CopyBlock(*placed);
    EXPECT_EQ(copy->ElementId(), placed->ElementId());
    ASSERT_NE(copy->Desc(), nullptr);
    CQdBlock* second = CPmBlockFactory::CopyBlock(*copy);
    EXPECT_NE(second->Desc(), copy->Desc());
    delete copy;
    EXPECT_EQ(mdlElement_getID(&second->Desc()->el), placed->ElementId()) << "still valid";
    EXPECT_EQ(mdlElmdscr_setVisible(second->Desc(), false), MSTN_SUCCESS);
    delete second;
    delete placed;
}

// A descriptor has one owner: copies and assignments never share one, so none is freed twice.
TEST_F(BlockTest, CopyingAndAssigningBlocksNeverShareADescriptor)
{
    CQdBlock* placed = PlacedBlock();
    CZrMstnBlock source(*placed);
    ASSERT_NE(source.Desc(), nullptr);
    {
        CZrMstnBlock copy(source);
        EXPECT_EQ(copy.ElementId(), source.ElementId());
        EXPECT_NE(copy.Desc(), source.Desc());
        CZrMstnBlock assigned(static_cast<MSElementDescr*>(NewDescriptor()));
        assigned = source;
        EXPECT_EQ(assigned.ElementId(), source.ElementId());
        EXPECT_NE(assigned.Desc(), source.Desc());
        assigned = assigned;
        EXPECT_NE(assigned.Desc(), nullptr);
    }
    EXPECT_EQ(mstnHost_liveDescriptorCount(), 1u) << "the source's alone";

    {
        CPmMstnAnimationBlock animation(*placed);
        CPmMstnAnimationBlock copy(animation);
        CPmMstnAnimationBlock assigned(*placed);
        assigned = animation;
        EXPECT_EQ(mstnHost_liveDescriptorCount(), 4u) << "one held by each block";
        MSElementDescr* given = copy.ElementDesc();
        ASSERT_NE(given, nullptr);
        EXPECT_EQ(mdlElement_getID(&given->el), placed->ElementId());
        mdlElmdscr_freeAll(&given);  // the caller's
    }
    delete placed;
}

TEST_F(BlockTest, AnAnimationBlockDuplicatesItsElementAndMovesOnToTheCopy)
{
    CQdBlock* placed = PlacedBlock();
    CPmAnimationBlock* animation = CPmBlockFactory::CreateAnimationBlock(*placed);
    const std::size_t before = LiveElementCount();
    const auto currentId = [animation] {
        MSElementDescr* current = animation->ElementDesc();
        const ElementId id = current ? mdlElement_getID(&current->el) : 0;
        mdlElmdscr_freeAll(&current);
        return id;
    };
    animation->DuplicateInDrawing();
    const ElementId first = currentId();
    animation->DuplicateInDrawing();
    const ElementId second = currentId();
    EXPECT_EQ(LiveElementCount(), before + 2);
    EXPECT_NE(first, placed->ElementId());
    EXPECT_NE(second, first);
    EXPECT_FALSE(ElementVisible(first));
    EXPECT_FALSE(ElementVisible(second));
    delete animation;
    delete placed;
}

TEST_F(BlockTest, AnAnimationBlockOfNoElementDoesNothing)
{
    CQdBlock* none = CPmBlockFactory::CreateBlock(nullptr);
    CPmAnimationBlock* animation = CPmBlockFactory::CreateAnimationBlock(*none);
    animation->DuplicateInDrawing();
    EXPECT_EQ(LiveElementCount(), 0u);
    EXPECT_EQ(animation->ElementDesc(), nullptr);
    EXPECT_EQ(animation->AddToDrawing(true), -1);
    auto* previous = reinterpret_cast<TransElemDescr*>(0x1234);
    animation->SetPrevElement(previous);
    EXPECT_EQ(animation->PrevElement(), previous);
    delete animation;
    delete none;
}

TEST_F(BlockTest, AnAnimationBlockAddedToAPartIsAHiddenCopy)
{
    CPmPart* part = MakePart(_T("Moving"));
    part->AddBlock(CPmBlockFactory::CreateAnimationBlock(*part->Block()));
    MSElementDescr* shown = part->AnimationBlock()->ElementDesc();
    ASSERT_NE(shown, nullptr);
    const ElementId copy = mdlElement_getID(&shown->el);
    mdlElmdscr_freeAll(&shown);
    EXPECT_NE(copy, part->Block()->ElementId());
    EXPECT_FALSE(ElementVisible(copy));
    delete part;
}

TEST_F(BlockTest, BlocksWriteNothingInTheDump)
{
    CQdBlock* placed = PlacedBlock();
    CPmAnimationBlock* animation = CPmBlockFactory::CreateAnimationBlock(*placed);
    PmDumpStream os;
    os << *placed << *animation << *static_cast<CZrMstnBlock*>(placed)
       << *static_cast<CPmMstnAnimationBlock*>(animation);
    EXPECT_TRUE(os.str().empty());
    CPmPart* part = MakePart(_T("Dumped"));
    PmDumpStream partDump;
    partDump << *part;
    EXPECT_EQ(partDump.str(), std::basic_string<TCHAR>(_T("\nCPmPart: \n  block: \n  offset: (0, 0, 0)\n  subparts: \n")));
    delete part;
    delete animation;
    delete placed;
}
