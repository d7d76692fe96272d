#include "PmAcadSection.h"

#include <dbfiler.h>

#include "PmAcadSegment.h"
#include "PmFilerCounts.h"
#include "PmPart.h"
#include "PmRecordChildren.h"
#include "QdAcadBlock.h"

namespace
{
// Only this module's own blocks are moved.
void MoveBlock(CPmPart* part, const dpoint3d& position)
{
    if (auto* block = part ? dynamic_cast<CQdAcadBlock*>(part->Block()) : nullptr)
        block->SetPos(position);
}
} // namespace

void CPmAcadSection::AddSegment(CPmSegment* segment)
{
    // A segment without a position or a part has no blocks to place.
    if (segment && segment->Part() && segment->Position(0))
    {
        const dpoint3d first = segment->Position(0)->pt;
        CPmPart* part = segment->Part();
        MoveBlock(part, first);
        for (int i = 0; i < part->NumSubParts(); ++i)
            MoveBlock(part->SubPart(i), first);
    }
    CPmSection::AddSegment(segment);
}

void CPmAcadSection::Save(AcDbDwgFiler* filer)
{
    filer->writeDouble(m_speed);
    filer->writeInt32(m_speedUnits);
    const std::vector<CPmSegment*> segments = PmRecordChildren::Stored(m_segments);
    filer->writeInt32(static_cast<Adesk::Int32>(segments.size()));
    for (CPmSegment* segment : segments)
        segment->Save(filer);
}

void CPmAcadSection::Load(AcDbDwgFiler* filer)
{
    // The stored values are taken as they are, without the unit conversion.
    Adesk::Int32 units = 0;
    filer->readDouble(&m_speed);
    filer->readInt32(&units);
    m_speedUnits = units;

    // Appended directly, not through AddSegment: no block is moved while a drawing is read.
    PmRecordChildren::Read<CPmAcadSegment>(
        PmFilerCounts::Face{filer}, [filer](CPmAcadSegment& segment) { segment.Load(filer); },
        [this](CPmAcadSegment* segment) {
            m_segments.push_back(segment);
            m_length = segment->Length();
        });
}

CPmAcadSection::CPmAcadSection() = default;
CPmAcadSection::CPmAcadSection(const CPmSection& source) : CPmSection(source) {}
CPmAcadSection::CPmAcadSection(const CPmAcadSection& source) : CPmSection(source) {}
