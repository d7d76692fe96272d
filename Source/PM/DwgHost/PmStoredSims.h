// Reading the stored simulations of the working drawing in place: an entry of
// the simulation dictionary opened for read, or converted from format 101, with
// the host's status of the reading. Each operation that reads entries decides
// in its own body which of those refusals fail it.
#pragma once

#include <afx.h>
#include <dbmain.h>

#include "PmAcadSim200.h"
#include "PmDbxFactory200.h"
#include "PmHeld.h"

namespace PmStoredSims
{
// What an entry of the simulation dictionary gave.
struct Entry
{
    // eOk once the entry was read: the simulation is then the stored one or the
    // converted one, or none when the drawing holds none under the name (no
    // entry, an object of another class, a record of another version).
    // Otherwise the host's refusal, and there is none.
    Acad::ErrorStatus status = Acad::eOk;
    // The stored current simulation, open for read.
    PmHeld::Open<CPmAcadSim200> stored;
    // Else (Read only) the format 101 simulation converted, detached.
    PmHeld::Detached<CPmAcadSim200, CPmDbxFactory200> converted;

    // The simulation read; null for none.
    const CPmAcadSim200* Sim() const { return stored ? stored.get() : converted.get(); }
    // Closes the stored simulation and gives the converted one back.
    void End()
    {
        stored.reset();
        converted.reset();
    }
};

// The stored current simulation of that name, open for read and named with it.
Entry OpenCurrent(const CString& name);
// OpenCurrent, or else, in the builds that bind a format 101 module, the format
// 101 simulation stored under the name converted into a detached object marked
// not current. A format 101 object that the format 101 module could not read
// answers eDwgObjectImproperlyRead, or the refusal of the look at it.
Entry Read(const CString& name);
// The format 101 simulation stored under the name, converted and named with
// it; null when there is none or the build binds no format 101 module.
CPmAcadSim200* LoadLegacy(const CString& name);

// The block-reference filter of the list and of the id rule: true when the id
// names an object of the drawing that is erased or not a block reference. A
// block reference the host does not open now (held open by the client) is
// still one; an id that names nothing (0 among them) names no gone block.
bool NamesGoneBlock(AcDbDatabase* database, PmSimId id);
} // namespace PmStoredSims
