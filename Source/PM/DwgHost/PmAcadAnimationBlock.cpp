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
    const AcDbHandle* handle = block.Handle();
    if (!handle || handle->isNull())
        return;
    AcDbBlockReference* inDrawing = nullptr;
    if (PmBlockReferences::Open(*handle, AcDb::kForRead, inDrawing) != Acad::eOk)
        return;
    m_pReference = PmBlockReferences::Copy(inDrawing);
    inDrawing->close();
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
        AcDbBlockReference* reference = PmBlockReferences::Copy(source.m_pReference);
        delete m_pReference;
        m_pReference = reference;
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
