#include "PmMstnSection.h"

#include "MstnSimStream.h"
#include "PmMstnSegment.h"
#include "PmRecordChildren.h"
#include "ZrMstnObject.h"

CPmMstnSection::CPmMstnSection() = default;
CPmMstnSection::CPmMstnSection(const CPmSection200& source) : CPmSection200(source) {}
CPmMstnSection::CPmMstnSection(const CPmSection& legacy) : CPmSection200(legacy) {}
CPmMstnSection::~CPmMstnSection() = default;

void CPmMstnSection::Save(CZrMstnObject* record) const
{
    if (!record)
        return;
    const std::vector<CPmSegment200*> segments = PmRecordChildren::Stored(*Segments());
    record->BeginChunk(16);
    record->WriteDouble(Speed());
    record->WriteInt(SpeedUnits());
    record->WriteInt(static_cast<int>(segments.size()));
    for (const CPmSegment200* segment : segments)
        segment->Save(record);
}

void CPmMstnSection::Load(CZrMstnObject* record)
{
    if (!record)
        return;
    record->NextChunk();
    double speed = Speed();
    int units = SpeedUnits();
    record->ReadDouble(speed);
    record->ReadInt(units);
    // The stored values are taken as they are, without the unit conversion.
    static_cast<CPmSection200&>(*this) = CPmSection200(speed, units);
    PmRecordChildren::Read<CPmMstnSegment>(
        MstnSimStream::Face{record}, [record](CPmMstnSegment& segment) { segment.Load(record); },
        [this](CPmMstnSegment* segment) { AddSegment(segment); });
}
