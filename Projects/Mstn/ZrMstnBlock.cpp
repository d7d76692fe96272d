#include "ZrMstnBlock.h"

#include <mdl.h>

#include "MstnElements.h"
#include "ZrMstnObject.h"

CZrMstnBlock::CZrMstnBlock(MSElementDescr* descr)
    : m_pDesc(descr), m_elementId(descr ? mdlElement_getID(&descr->el) : 0)
{
}

CZrMstnBlock::CZrMstnBlock(const CQdBlock& other)
    : m_pDesc(nullptr), m_elementId(other.ElementId())
{
    m_pDesc = MstnElements::ReadDescriptor(m_elementId);
}

CZrMstnBlock::CZrMstnBlock(CZrMstnObject* record) : m_pDesc(nullptr), m_elementId(0)
{
    Load(record);
}

CZrMstnBlock::CZrMstnBlock(const CZrMstnBlock& other)
    : CQdBlock(other), m_pDesc(nullptr), m_elementId(other.m_elementId)
{
    m_pDesc = MstnElements::ReadDescriptor(m_elementId);
}

CZrMstnBlock& CZrMstnBlock::operator=(const CZrMstnBlock& other)
{
    if (this != &other)
    {
        m_elementId = other.m_elementId;
        MstnElements::Replace(m_pDesc, MstnElements::ReadDescriptor(m_elementId));
    }
    return *this;
}

CZrMstnBlock::~CZrMstnBlock()
{
    mdlElmdscr_freeAll(&m_pDesc);
}

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
    MstnElements::Replace(m_pDesc, id != 0 ? MstnElements::ReadDescriptor(id) : nullptr);
}

int CZrMstnBlock::AddToDrawing(bool)
{
    if (!m_pDesc)
        return -1;
    const int status = MstnElements::AddHidden(m_pDesc, m_elementId);
    m_pDesc = nullptr;  // the model has it now
    return status;
}

int CZrMstnBlock::RemoveFromDrawing()
{
    if (m_elementId == 0)
        return -1;
    MSElementDescr* found = nullptr;
    std::uint32_t filePos = 0;
    const int status = mdlAssoc_getElementDescr(&found, &filePos, m_elementId, mdlModelRef_getActive(), true);
    if (status == 0 && found)
        mdlElmdscr_removeElement(found);
    mdlElmdscr_freeAll(&found);
    return status;
}

PmSimId CZrMstnBlock::ElementId() const
{
    return m_elementId;
}

MSElementDescr* CZrMstnBlock::Desc() const
{
    return m_pDesc;
}

PmDumpStream& operator<<(PmDumpStream& os, const CZrMstnBlock& block)
{
    block.DisplayPrint(os);
    return os;
}
