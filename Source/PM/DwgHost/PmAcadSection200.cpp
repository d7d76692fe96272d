#include "PmAcadSection200.h"

#include <dbfiler.h>

#include "PmAcadSegment200.h"
#include "PmFilerCounts.h"
#include "PmLegacyBinding.h"
#include "PmPart.h"
#include "PmRecordChildren.h"
#include "ZrAcadBlock.h"

namespace
{
// Moves a part's own block; only current blocks, and legacy ones where the
// format 101 module is bound, are moved.
void MoveBlock(CPmPart& part, const dpoint3d& position)
{
    CQdBlock* block = part.Block();
    if (!block)
        return;
    if (auto* current = dynamic_cast<CZrAcadBlock*>(block))
    {
        current->SetPos(position);
        return;
    }
#if defined(PM_BINDS_FORMAT101)
    AcDbHandle handle;
    if (PmLegacy::IsLegacyBlock(*block, handle))
        PmLegacy::SetLegacyBlockPos(*block, position);
#endif
}
} // namespace

void CPmAcadSection200::AddSegment(CPmSegment200* segment)
{
    // A segment without a position or a part has no blocks to place.
    if (segment && segment->Part() && segment->Position(0))
    {
        const dpoint3d first = segment->Position(0)->pt;
        CPmPart& part = *segment->Part();
        MoveBlock(part, first);
        for (int i = 0; i < part.NumSubParts(); ++i)
            MoveBlock(*part.SubPart(i), first);
    }
    CPmSection200::AddSegment(segment);
}

void CPmAcadSection200::Save(AcDbDwgFiler* filer) const
{
    filer->writeDouble(Speed());
    filer->writeInt32(SpeedUnits());
    const std::vector<CPmSegment200*> segments = PmRecordChildren::Stored(*Segments());
    filer->writeInt32(static_cast<Adesk::Int32>(segments.size()));
    for (const CPmSegment200* segment : segments)
        segment->Save(filer);
}

void CPmAcadSection200::Load(AcDbDwgFiler* filer)
{
    double speed = 10.0;
    Adesk::Int32 units = 0;
    filer->readDouble(&speed);
    filer->readInt32(&units);
    // The stored values are taken as they are, without the unit conversion.
    static_cast<CPmSection200&>(*this) = CPmSection200(speed, units);

    // Appended directly, not through AddSegment: no block is moved while a drawing is read.
    PmRecordChildren::Read<CPmAcadSegment200>(
        PmFilerCounts::Face{filer}, [filer](CPmAcadSegment200& segment) { segment.Load(filer); },
        [this](CPmAcadSegment200* segment) {
            Segments()->push_back(segment);
            SetLength(segment->Length());
        });
}

CPmAcadSection200::CPmAcadSection200() = default;
CPmAcadSection200::CPmAcadSection200(const CPmSection200& source) : CPmSection200(source) {}
CPmAcadSection200::CPmAcadSection200(const CPmAcadSection200& source) : CPmSection200(source) {}
CPmAcadSection200::CPmAcadSection200(const CPmSection& legacy) : CPmSection200(legacy) {}
CPmAcadSection200& CPmAcadSection200::operator=(const CPmAcadSection200&) = default;
