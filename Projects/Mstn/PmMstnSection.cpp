#include "PmMstnSection.h"

#include <memory>

#include "PmMstnSegment.h"
#include "ZrMstnObject.h"

CPmMstnSection::CPmMstnSection() = default;
CPmMstnSection::CPmMstnSection(const CPmSection200& source) : CPmSection200(source) {}
CPmMstnSection::CPmMstnSection(const CPmSection& legacy) : CPmSection200(legacy) {}
CPmMstnSection::~CPmMstnSection() = default;

void CPmMstnSection::Save(CZrMstnObject* record) const
{
    if (!record)
        return;
    int count = 0;
    for (const CPmSegment200* segment : *Segments())
        count += segment ? 1 : 0;
    record->BeginChunk(16);
    record->WriteDouble(Speed());
    record->WriteInt(SpeedUnits());
    record->WriteInt(count);
    for (const CPmSegment200* segment : *Segments())
    {
        if (segment)
            segment->Save(record);
    }
}

void CPmMstnSection::Load(CZrMstnObject* record)
{
    if (!record)
        return;
    record->NextChunk();
    double speed = Speed();
    int units = SpeedUnits();
    int count = 0;
    record->ReadDouble(speed);
    record->ReadInt(units);
    record->ReadInt(count);
    // The stored values are taken as they are, without the unit conversion.
    static_cast<CPmSection200&>(*this) = CPmSection200(speed, units);
    for (int i = 0; i < count; ++i)
    {
        auto segment = std::make_unique<CPmMstnSegment>();
        segment->Load(record);
        if (record->HasError())
            return;
        AddSegment(segment.get());
        segment.release();
    }
}
