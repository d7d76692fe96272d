#include "QdBlock.h"

CQdBlock::~CQdBlock() = default;

void CQdBlock::Save(AcDbDwgFiler*) const {}
void CQdBlock::Save(CZrMstnObject*) const {}
void CQdBlock::Load(AcDbDwgFiler*) {}
void CQdBlock::Load(CZrMstnObject*) {}
const AcDbHandle* CQdBlock::Handle() const { return nullptr; }
const AcDbBlockReference* CQdBlock::BlockRef() const { return nullptr; }
PmSimId CQdBlock::ElementId() const { return 0; }
PmElementDescr* CQdBlock::Desc() const { return nullptr; }

CPmAnimationBlock::~CPmAnimationBlock() = default;

void CPmAnimationBlock::SetRefId(AcDbObjectId*) {}
void CPmAnimationBlock::SetRefIdNull() {}
const AcDbHandle* CPmAnimationBlock::Handle() const { return nullptr; }
AcDbObjectId* CPmAnimationBlock::RefId() { return nullptr; }
void CPmAnimationBlock::DuplicateInDrawing() {}
PmElementDescr* CPmAnimationBlock::ElementDesc() { return nullptr; }
PmPrevElement CPmAnimationBlock::PrevElement() { return PmPrevElement(); }
void CPmAnimationBlock::SetPrevElement(PmPrevElement) {}

PmDumpStream& operator<<(PmDumpStream& os, const CQdBlock& block)
{
    block.DisplayPrint(os);
    return os;
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmAnimationBlock& block)
{
    block.DisplayPrint(os);
    return os;
}

// The interfaces hold no data: construction and assignment copy nothing.
CQdBlock::CQdBlock() = default;
CQdBlock::CQdBlock(const CQdBlock&) {}
CQdBlock& CQdBlock::operator=(const CQdBlock&)
{
    return *this;
}

CPmAnimationBlock::CPmAnimationBlock() = default;
CPmAnimationBlock::CPmAnimationBlock(const CPmAnimationBlock&) {}
CPmAnimationBlock& CPmAnimationBlock::operator=(const CPmAnimationBlock&)
{
    return *this;
}
