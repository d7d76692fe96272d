#include "PmMstnAnimationBlock.h"

#include <mdl.h>

#include "MstnElements.h"

CPmMstnAnimationBlock::CPmMstnAnimationBlock(const CQdBlock& block)
    : m_pDesc(nullptr), m_elementId(block.ElementId()), m_pPrevElement(nullptr)
{
    m_pDesc = MstnElements::ReadDescriptor(m_elementId);
}

CPmMstnAnimationBlock::CPmMstnAnimationBlock(const CPmMstnAnimationBlock& other)
    : CPmAnimationBlock(other), m_pDesc(nullptr), m_elementId(other.m_elementId),
      m_pPrevElement(other.m_pPrevElement)
{
    m_pDesc = MstnElements::ReadDescriptor(m_elementId);
}

CPmMstnAnimationBlock& CPmMstnAnimationBlock::operator=(const CPmMstnAnimationBlock& other)
{
    if (this != &other)
    {
        m_elementId = other.m_elementId;
        m_pPrevElement = other.m_pPrevElement;
        MstnElements::Replace(m_pDesc, MstnElements::ReadDescriptor(m_elementId));
    }
    return *this;
}

CPmMstnAnimationBlock::~CPmMstnAnimationBlock()
{
    mdlElmdscr_freeAll(&m_pDesc);
}

void CPmMstnAnimationBlock::DisplayPrint(PmDumpStream&) const {}

int CPmMstnAnimationBlock::AddToDrawing(bool)
{
    if (!m_pDesc)
        return -1;
    const int status = MstnElements::AddHidden(m_pDesc, m_elementId);
    m_pDesc = nullptr;  // the model has it now
    return status;
}

void CPmMstnAnimationBlock::DuplicateInDrawing()
{
    if (m_elementId != 0)
        MstnElements::Replace(m_pDesc, MstnElements::ReadDescriptor(m_elementId));
    if (!m_pDesc)
        return;
    MstnElements::AddHidden(m_pDesc, m_elementId);
    // The added descriptor went to the model; the block holds one of the copy.
    m_pDesc = MstnElements::ReadDescriptor(m_elementId);
}

MSElementDescr* CPmMstnAnimationBlock::ElementDesc()
{
    return MstnElements::ReadDescriptor(m_elementId);
}

TransElemDescr* CPmMstnAnimationBlock::PrevElement()
{
    return m_pPrevElement;
}

void CPmMstnAnimationBlock::SetPrevElement(TransElemDescr* previous)
{
    m_pPrevElement = previous;
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmMstnAnimationBlock& block)
{
    block.DisplayPrint(os);
    return os;
}
