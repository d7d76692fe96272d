#include "PmAcadAnimationBlock.h"

#include <dbents.h>

#include "PmBlockReferences.h"

CPmAcadAnimationBlock::CPmAcadAnimationBlock(const CQdBlock& block)
{
    if (const AcDbBlockReference* held = block.BlockRef())
    {
        m_pReference = PmBlockReferences::Copy(held);
        return;
    }
    // The open ends when the constructor is left, a copy that throws included.
    const AcDbHandle* handle = block.Handle();
    PmHeld::Open<AcDbBlockReference> inDrawing;
    if (!handle || PmBlockReferences::Open(*handle, AcDb::kForRead, inDrawing) != Acad::eOk)
        return;
    m_pReference = PmBlockReferences::Copy(inDrawing.get());
}

CPmAcadAnimationBlock::CPmAcadAnimationBlock(const CPmAcadAnimationBlock& source)
    : CPmAnimationBlock(source), m_pReference(PmBlockReferences::Copy(source.m_pReference)),
      m_handle(source.m_handle), m_refId(source.m_refId)
{
}

CPmAcadAnimationBlock& CPmAcadAnimationBlock::operator=(const CPmAcadAnimationBlock& source)
{
    if (this != &source)
    {
        PmBlockReferences::Assign(m_pReference, source.m_pReference);
        m_handle = source.m_handle;
        m_refId = source.m_refId;
    }
    return *this;
}

CPmAcadAnimationBlock::~CPmAcadAnimationBlock()
{
    delete m_pReference;
}

void CPmAcadAnimationBlock::DisplayPrint(PmDumpStream& os) const
{
    os << _T("\nCPmAcadAnimationBlock handle: ");
    PmBlockReferences::DumpHandle(os, m_handle);
}

void CPmAcadAnimationBlock::SetRefId(AcDbObjectId* id)
{
    if (id)
        m_refId = *id;
}

void CPmAcadAnimationBlock::SetRefIdNull()
{
    m_refId.setNull();
}

int CPmAcadAnimationBlock::AddToDrawing(bool visible)
{
    AcDbObjectId id;
    const int status = PmBlockReferences::AddToModelSpace(m_pReference, visible, m_handle, id);
    if (!id.isNull())
        m_refId = id;
    return status;
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmAcadAnimationBlock& block)
{
    block.DisplayPrint(os);
    return os;
}
