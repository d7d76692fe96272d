#include "PmPart.h"

#include "PmPartFactory.h"
#include "QdBlock.h"

CPmPart::CPmPart() : m_pBlock(nullptr), m_pAnimationBlock(nullptr), m_offset{0.0, 0.0, 0.0} {}

CPmPart::CPmPart(const CPmPart& source)
    : m_pBlock(nullptr), m_pAnimationBlock(nullptr), m_offset(source.m_offset), m_name(source.m_name)
{
    try
    {
        if (source.m_pBlock)
            m_pBlock = CPmBlockFactory::CopyBlock(*source.m_pBlock);
        m_subParts.reserve(source.m_subParts.size());
        for (const CPmPart* sub : source.m_subParts)
        {
            if (sub)
                m_subParts.push_back(PmPartCopier::CopyPart(*sub));
        }
    }
    catch (...)
    {
        // A copy that cannot complete frees what it made so far.
        Free();
        throw;
    }
}

CPmPart::~CPmPart()
{
    Free();
}

void CPmPart::Free()
{
    delete m_pBlock;
    m_pBlock = nullptr;
    delete m_pAnimationBlock;
    m_pAnimationBlock = nullptr;
    for (CPmPart* sub : m_subParts)
        delete sub;
    m_subParts.clear();
}

void CPmPart::Save(CZrMstnObject*) const {}
void CPmPart::Save(AcDbDwgFiler*) const {}
void CPmPart::Load(CZrMstnObject*) {}
void CPmPart::Load(AcDbDwgFiler*) {}

// Holds block in place of the one held before, which is freed, and adds the
// held block to the drawing.
template <class Block>
static void HoldBlock(Block*& held, Block* block)
{
    if (block != held)
    {
        delete held;
        held = block;
    }
    if (held)
        held->AddToDrawing(false);
}

void CPmPart::AddBlock(CQdBlock* block)
{
    HoldBlock(m_pBlock, block);
}

void CPmPart::AddBlock(CPmAnimationBlock* block)
{
    HoldBlock(m_pAnimationBlock, block);
}

int CPmPart::RemoveBlock()
{
    // A part without a block has nothing of its own to remove; its sub-parts still do.
    int status = m_pBlock ? m_pBlock->RemoveFromDrawing() : 0;
    for (CPmPart* sub : m_subParts)
    {
        if (sub)
            status += sub->RemoveBlock();
    }
    return status;
}

void CPmPart::AddPart(CPmPart* part)
{
    if (part)
        m_subParts.push_back(part);
}

CPmPart* CPmPart::SubPart(int index) const
{
    if (index < 0 || index >= NumSubParts())
        return nullptr;
    return m_subParts[static_cast<size_t>(index)];
}

void CPmPart::DisplayPrint(PmDumpStream& os) const
{
    os << _T("\nCPmPart: \n");
    os << _T("  block: ");
    if (m_pBlock)
        os << *m_pBlock;
    os << std::endl;
    os << _T("  offset: ");
    PmDumpPoint(os, m_offset);
    os << std::endl;
    os << _T("  subparts: ") << std::endl;
    for (const CPmPart* sub : m_subParts)
    {
        if (sub)
            os << *sub;
    }
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmPart& part)
{
    part.DisplayPrint(os);
    return os;
}

CQdBlock* CPmPart::Block() const
{
    return m_pBlock;
}

CPmAnimationBlock* CPmPart::AnimationBlock() const
{
    return m_pAnimationBlock;
}

PmPartOffset CPmPart::Offset() const
{
    return m_offset;
}

void CPmPart::SetOffset(PmPartOffset offset)
{
    m_offset = offset;
}

int CPmPart::NumSubParts() const
{
    return static_cast<int>(m_subParts.size());
}
