#include "PmMstnAnimationBlock.h"

#include "MstnElements.h"

CPmMstnAnimationBlock::CPmMstnAnimationBlock(const CQdBlock& block)
    : m_desc(MstnElements::ReadDescriptor(block.ElementId())), m_elementId(block.ElementId()), m_pPrevElement(nullptr)
{
}

CPmMstnAnimationBlock::CPmMstnAnimationBlock(const CPmMstnAnimationBlock& other)
    : CPmAnimationBlock(other), m_desc(MstnElements::ReadDescriptor(other.m_elementId)),
      m_elementId(other.m_elementId), m_pPrevElement(other.m_pPrevElement)
{
}

CPmMstnAnimationBlock& CPmMstnAnimationBlock::operator=(const CPmMstnAnimationBlock& other)
{
    if (this != &other)
    {
        m_elementId = other.m_elementId;
        m_pPrevElement = other.m_pPrevElement;
        m_desc = MstnElements::ReadDescriptor(m_elementId);
    }
    return *this;
}

CPmMstnAnimationBlock::~CPmMstnAnimationBlock() = default;

void CPmMstnAnimationBlock::DisplayPrint(PmDumpStream&) const {}

int CPmMstnAnimationBlock::AddToDrawing(bool)
{
    return MstnElements::AddHidden(m_desc, m_elementId);
}

void CPmMstnAnimationBlock::DuplicateInDrawing()
{
    if (m_elementId != 0)
        m_desc = MstnElements::ReadDescriptor(m_elementId);
    if (!m_desc)
        return;
    MstnElements::AddHidden(m_desc, m_elementId);
    // The added descriptor went to the model; the block holds one of the copy.
    m_desc = MstnElements::ReadDescriptor(m_elementId);
}

MSElementDescr* CPmMstnAnimationBlock::ElementDesc()
{
    return MstnElements::ReadDescriptor(m_elementId).Release();
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
