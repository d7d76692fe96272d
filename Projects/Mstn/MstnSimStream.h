// The chunk stream of a simulation record (kind 1000): the simulation chunk,
// the section count, then each section with its segments, parts and positions,
// depth first.
#pragma once

#include <afx.h>

#include "ZrMstnObject.h"

class CPmSim200;
class MstnHeaderIndex;

namespace MstnSimStream
{
constexpr int kVersion = 200;
constexpr int kOldVersion = 101;
constexpr int kSimChunkPayload = 52;        // version 200; version 101 has no version field
constexpr int kSimChunkLength = kSimChunkPayload + 4;

// Writes the simulation chunk, the section count and every section.
void Write(const CPmSim200& sim, CZrMstnObject& store);

// The store as a reader of counted runs of children sees it (PmRecordChildren.h).
// A count that does not fit its chunk reads as 0, a negative one as no children.
struct Face
{
    CZrMstnObject* store;
    int Count() const { int count = 0; store->ReadInt(count); return count; }
    bool Good() const { return !store->HasError(); }
    void Refuse() const { store->SetError(1); }
};
} // namespace MstnSimStream

// Fills a freshly made simulation from the record of exactly that name: 0 when
// the whole stream was read; -1 when there is no such record (or the name is
// empty), its version is neither 200 nor 101, or it cannot be read to its end.
int LoadMstnSim(CPmSim200* sim, const CString& name);
// The same, finding the record through the index instead of a scan of its own.
int LoadMstnSim(CPmSim200* sim, const CString& name, MstnHeaderIndex& index);

// LoadSim of the factory through the index: the simulation of that name, or
// null. Each build's LoadSim source defines it.
CPmSim200* LoadListedMstnSim(const CString& name, MstnHeaderIndex& index);
