// Block fakes and the block factory bodies the model tests link.
#include "ModelFakes.h"

FakeLog& FakeLog::Get()
{
    static FakeLog log;
    return log;
}

void FakeLog::Reset()
{
    const int live = Get().liveBlocks;
    Get() = FakeLog();
    Get().liveBlocks = live;
}

std::string Narrow(const CString& text)
{
    return std::string(CStringA(text.GetString()).GetString());
}

FakeBlock::FakeBlock(int blockId, int status) : id(blockId), removeStatus(status)
{
    ++FakeLog::Get().liveBlocks;
}

FakeBlock::FakeBlock(const FakeBlock& source)
    : CQdBlock(source), id(source.id), removeStatus(source.removeStatus), inDrawing(source.inDrawing)
{
    ++FakeLog::Get().liveBlocks;
}

FakeBlock::~FakeBlock()
{
    --FakeLog::Get().liveBlocks;
}

void FakeBlock::DisplayPrint(PmDumpStream& os) const
{
    os << _T("FakeBlock ") << id;
}

int FakeBlock::AddToDrawing(bool visibleFlag)
{
    ++addCalls;
    visible = visibleFlag;
    inDrawing = true;
    return 0;
}

int FakeBlock::RemoveFromDrawing()
{
    FakeLog::Get().removedBlocks.push_back(id);
    inDrawing = false;
    return removeStatus;
}

void ForeignBlock::DisplayPrint(PmDumpStream& os) const
{
    os << _T("ForeignBlock");
}

void FakeAnimationBlock::DisplayPrint(PmDumpStream& os) const
{
    os << _T("FakeAnimationBlock");
}

int FakeAnimationBlock::AddToDrawing(bool visibleFlag)
{
    ++addCalls;
    visible = visibleFlag;
    return 0;
}

CQdBlock* CPmBlockFactory::CreateBlock(PmBlockSource*)
{
    return new FakeBlock(0);
}

CQdBlock* CPmBlockFactory::CopyBlock(const CQdBlock& block)
{
    const auto* fake = dynamic_cast<const FakeBlock*>(&block);
    return fake ? new FakeBlock(*fake) : nullptr;
}

CPmAnimationBlock* CPmBlockFactory::CreateAnimationBlock(const CQdBlock&)
{
    return new FakeAnimationBlock();
}
