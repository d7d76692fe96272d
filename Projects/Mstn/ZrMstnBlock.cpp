#include "ZrMstnBlock.h"

#include <mdl.h>

#include "MstnElements.h"
#include "ZrMstnObject.h"

CZrMstnBlock::CZrMstnBlock(MSElementDescr* descr)
    : m_desc(descr), m_elementId(descr ? mdlElement_getID(&descr->el) : 0)
{
}

CZrMstnBlock::CZrMstnBlock(const CQdBlock& other)
    : m_desc(MstnElements::ReadDescriptor(other.ElementId())), m_elementId(other.ElementId())
{
}

CZrMstnBlock::CZrMstnBlock(CZrMstnObject* record) : m_elementId(0)
{
    Load(record);
}

CZrMstnBlock::CZrMstnBlock(const CZrMstnBlock& other)
    : CQdBlock(other), m_desc(MstnElements::ReadDescriptor(other.m_elementId)), m_elementId(other.m_elementId)
{
}

CZrMstnBlock& CZrMstnBlock::operator=(const CZrMstnBlock& other)
{
    if (this != &other)
    {
        m_elementId = other.m_elementId;
        m_desc = MstnElements::ReadDescriptor(m_elementId);
    }
    return *this;
}

CZrMstnBlock::~CZrMstnBlock() = default;

void CZrMstnBlock::DisplayPrint(PmDumpStream&) const {}

void CZrMstnBlock::Save(CZrMstnObject* record) const
{
    if (!record)
        return;
    record->BeginChunk(8);
    record->WriteUInt64(m_elementId);
}

void CZrMstnBlock::Load(CZrMstnObject* record)
{
    if (!record)
        return;
    record->NextChunk();
    std::uint64_t id = 0;
    record->ReadUInt64(id);
    m_elementId = id;
    m_desc = id != 0 ? MstnElements::ReadDescriptor(id) : MstnHeldDescriptor();
}

int CZrMstnBlock::AddToDrawing(bool)
{
    return MstnElements::AddHidden(m_desc, m_elementId);
}

int CZrMstnBlock::RemoveFromDrawing()
{
    if (m_elementId == 0)
        return -1;
    MstnHeldDescriptor found;
    std::uint32_t filePos = 0;
    const int status = mdlAssoc_getElementDescr(found.Out(), &filePos, m_elementId, mdlModelRef_getActive(), true);
    if (status != 0 || !found)
        return status;
    // A refused removal leaves the element in the model: its status is the answer.
    return mdlElmdscr_removeElement(found.Get());
}

PmSimId CZrMstnBlock::ElementId() const
{
    return m_elementId;
}

MSElementDescr* CZrMstnBlock::Desc() const
{
    return m_desc.Get();
}

PmDumpStream& operator<<(PmDumpStream& os, const CZrMstnBlock& block)
{
    block.DisplayPrint(os);
    return os;
}
