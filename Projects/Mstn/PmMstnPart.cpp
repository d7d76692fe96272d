#include "PmMstnPart.h"

#include "MstnRecordText.h"
#include "MstnSimStream.h"
#include "PmPartDepth.h"
#include "PmRecordChildren.h"
#include "ZrMstnBlock.h"
#include "ZrMstnObject.h"

namespace
{
constexpr int kOffsetAndCountBytes = 24 + 4;
} // namespace

CPmMstnPart::CPmMstnPart() = default;
CPmMstnPart::CPmMstnPart(const CPmPart& source) : CPmPart(source) {}
CPmMstnPart::CPmMstnPart(const CPmMstnPart& source) : CPmPart(source) {}
CPmMstnPart::~CPmMstnPart() = default;

void CPmMstnPart::Save(CZrMstnObject* record) const
{
    if (!record)
        return;
    // The stream has no form for a part without a block: a block of no element stands in.
    if (m_pBlock)
        m_pBlock->Save(record);
    else
        CZrMstnBlock(static_cast<MSElementDescr*>(nullptr)).Save(record);

    const auto nameBytes = static_cast<int>(MstnRecordText::Encode(m_name).size());
    record->BeginChunk(nameBytes + kOffsetAndCountBytes);
    record->WriteString(m_name);
    record->WritePoint(m_offset);
    record->WriteInt(NumSubParts());
    for (const CPmPart* sub : m_subParts)
        sub->Save(record);
}

void CPmMstnPart::Load(CZrMstnObject* record)
{
    LoadTree(record, 1);
}

void CPmMstnPart::LoadTree(CZrMstnObject* record, int depth)
{
    if (!record)
        return;
    const MstnSimStream::Face face{record};
    // Trees deeper than the writers store are refused, not followed down the stack.
    if (!PmPartDepth::Allows(depth))
    {
        face.Refuse();
        return;
    }
    // The block names an element already in the drawing: it is taken, not added.
    CQdBlock* old = m_pBlock;
    m_pBlock = nullptr;
    delete old;
    m_pBlock = new CZrMstnBlock(record);

    record->NextChunk();
    record->ReadString(m_name);
    record->ReadPoint(m_offset);
    PmRecordChildren::Read<CPmMstnPart>(
        face, [record, depth](CPmMstnPart& sub) { sub.LoadTree(record, depth + 1); },
        [this](CPmMstnPart* sub) { AddPart(sub); });
}
