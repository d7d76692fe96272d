#include "MstnSimStream.h"

#include "MstnHeaderIndex.h"
#include "PmMstnSection.h"
#include "PmRecordChildren.h"
#include "PmSim200.h"
#include "PmTimeRecord.h"
#include "ZrMstnObject.h"

namespace
{
void WriteTime(CZrMstnObject& store, const CTime& time)
{
    const PmTimeRecord::Bytes bytes = PmTimeRecord::Encode(time);
    store.WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
}

// A time read from the record; a read that does not fit leaves the time as it was.
void ReadTime(CZrMstnObject& store, CTime& time)
{
    PmTimeRecord::Bytes bytes{};
    if (store.ReadBytes(bytes.data(), static_cast<int>(bytes.size())) != 0)
        time = PmTimeRecord::Decode(bytes);
}

void ReadSimChunk(CZrMstnObject& store, CPmSim200& sim)
{
    int type = sim.Type();
    std::uint64_t id = sim.Id();
    int inUse = sim.SimInUse();
    CTime created = sim.DttmCreatedTime();
    CTime edited = PmSimTimes::Edited(sim);
    store.ReadInt(type);
    store.ReadUInt64(id);
    store.ReadInt(inUse);
    ReadTime(store, created);
    ReadTime(store, edited);
    sim.SetType(type);
    sim.SetId(id);
    sim.SetSimInUse(inUse != 0);
    sim.SetDttmCreated(created);
    sim.SetDttmEdited(edited);
}
} // namespace

void MstnSimStream::Write(const CPmSim200& sim, CZrMstnObject& store)
{
    store.BeginChunk(kSimChunkPayload);
    store.WriteInt(kVersion);
    store.WriteInt(sim.Type());
    store.WriteUInt64(sim.Id());
    store.WriteInt(sim.SimInUse() ? 1 : 0);
    WriteTime(store, sim.DttmCreatedTime());
    WriteTime(store, PmSimTimes::Edited(sim));

    const std::vector<CPmSection200*> sections = PmRecordChildren::Stored(*sim.Sections());
    store.BeginChunk(4);
    store.WriteInt(static_cast<int>(sections.size()));
    for (const CPmSection200* section : sections)
        section->Save(&store);
}

int LoadMstnSim(CPmSim200* sim, const CString& name)
{
    MstnHeaderIndex index(MstnRecord::kSimulationKind);
    return LoadMstnSim(sim, name, index);
}

int LoadMstnSim(CPmSim200* sim, const CString& name, MstnHeaderIndex& index)
{
    if (!sim)
        return -1;
    sim->SetName(name);
    // Records are named exactly; an empty name would take the first record of any name.
    if (name.IsEmpty())
        return -1;
    CZrMstnObject store(MstnRecord::kSimulationKind, name);
    if (store.Load(index) != 0)
        return -1;

    store.NextChunk();
    int version = MstnSimStream::kOldVersion;
    if (store.ChunkLength() >= MstnSimStream::kSimChunkLength)
        store.ReadInt(version);
    if (version != MstnSimStream::kVersion && version != MstnSimStream::kOldVersion)
        return -1;
    ReadSimChunk(store, *sim);

    store.NextChunk();
    // A section that cannot be read is dropped; the sections before it stay.
    PmRecordChildren::Read<CPmMstnSection>(
        MstnSimStream::Face{&store}, [&store](CPmMstnSection& section) { section.Load(&store); },
        [sim](CPmMstnSection* section) { sim->AddSection(section); });
    // A stream that ended before its counts were met is not a simulation.
    return store.HasError() ? -1 : 0;
}
