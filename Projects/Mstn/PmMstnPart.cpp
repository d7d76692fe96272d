#include "PmMstnPart.h"

#include <memory>

#include "MstnRecordText.h"
#include "PmPartDepth.h"
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
    // The block names an element already in the drawing: it is taken, not added.
    CQdBlock* old = m_pBlock;
    m_pBlock = nullptr;
    delete old;
    m_pBlock = new CZrMstnBlock(record);

    record->NextChunk();
    record->ReadString(m_name);
    record->ReadPoint(m_offset);
    int count = 0;
    record->ReadInt(count);
    for (int i = 0; i < count && !record->HasError(); ++i)
    {
        // Trees deeper than the writer stores are refused, not followed down the stack.
        if (depth >= PmPartDepth::kMax)
        {
            record->SetError(1);
            return;
        }
        // Owned here until the part holds it, so that a failed add loses nothing.
        auto sub = std::make_unique<CPmMstnPart>();
        AddPart(sub.get());
        sub.release()->LoadTree(record, depth + 1);
    }
}
