#include "PmMstnSegment.h"

#include <cstdint>
#include <limits>

#include "PmMstnPart.h"
#include "QdVector.h"
#include "ZrMstnObject.h"

namespace
{
constexpr std::int64_t kPositionBytes = 72;  // pt, three angles, tpt

DPoint3d HostPoint(const dpoint3d& p)
{
    return DPoint3d{p.x, p.y, p.z};
}

dpoint3d ModelPoint(const DPoint3d& p)
{
    return dpoint3d{p.x, p.y, p.z};
}
} // namespace

CPmMstnSegment::CPmMstnSegment() = default;
CPmMstnSegment::CPmMstnSegment(const CPmSegment200& source) : CPmSegment200(source) {}
CPmMstnSegment::CPmMstnSegment(const CPmSegment& legacy) : CPmSegment200(legacy) {}
CPmMstnSegment::~CPmMstnSegment() = default;

void CPmMstnSegment::Save(CZrMstnObject* record) const
{
    if (!record)
        return;
    // The stream has no form for a segment without a part: an empty part stands in.
    if (Part())
        Part()->Save(record);
    else
        CPmMstnPart().Save(record);

    const std::vector<PmPosition200>& positions = *Positions();
    const std::int64_t bytes = kPositionBytes * static_cast<std::int64_t>(positions.size()) + 4;
    // A chunk too large for the record is refused by the store, which then refuses to commit.
    record->BeginChunk(bytes <= std::numeric_limits<int>::max() ? static_cast<int>(bytes) : -1);
    record->WriteInt(static_cast<int>(positions.size()));
    for (const PmPosition200& position : positions)
    {
        record->WritePoint(HostPoint(position.pt));
        CQdTransform transform(position.transform);
        double angles[3] = {0.0, 0.0, 0.0};
        transform.GetEulerAngles(angles);
        for (const double angle : angles)
            record->WriteDouble(angle);
        record->WritePoint(HostPoint(position.tpt));
    }
}

void CPmMstnSegment::Load(CZrMstnObject* record)
{
    if (!record)
        return;
    auto* part = new CPmMstnPart();
    AddPart(part);  // taken as it is: no block is placed while a record is read
    part->Load(record);

    record->NextChunk();
    int count = 0;
    record->ReadInt(count);
    // The count is taken as unsigned and the room computed wide, so that no
    // count can pass the test by overflowing it.
    const std::int64_t needed = kPositionBytes * static_cast<std::int64_t>(static_cast<std::uint32_t>(count)) + 4;
    if (static_cast<std::int64_t>(record->ChunkLength()) < needed)
    {
        record->SetError(1);
        return;
    }
    // The chunk holds every position the count announces: room for them is
    // made once.
    Positions()->reserve(Positions()->size() + static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        PmPosition200 position;
        DPoint3d pt{0.0, 0.0, 0.0};
        DPoint3d tpt{0.0, 0.0, 0.0};
        double angles[3] = {0.0, 0.0, 0.0};
        record->ReadPoint(pt);
        position.transform.SetTranslation(CQdVector(pt.x, pt.y, pt.z));
        for (double& angle : angles)
            record->ReadDouble(angle);
        position.transform.SetEulerAngles(angles);
        record->ReadPoint(tpt);
        position.pt = ModelPoint(pt);
        position.tpt = ModelPoint(tpt);
        Positions()->push_back(position);
        SetLength(Length() + 1);
    }
}
