// Reading the stored simulations of the working drawing: the bodies of the
// object's Load, the factory's LoadSim and the list's Load, each also telling
// the status of a host call that failed on the way. The exported operations
// answer such a failure as they answer an entry that holds no simulation; the
// id rule of Save must not take one for the other.
#pragma once

#include <memory>

#include <afx.h>

#include "PmAcadSim200.h"

class CPmSimList200;

namespace PmStoredSims
{
// Ends a simulation object the module opened or made: a stored one is closed,
// a detached one (never in the drawing) is freed.
struct Releaser
{
    void operator()(CPmAcadSim200* sim) const;
};
using Held = std::unique_ptr<CPmAcadSim200, Releaser>;

// The stored current simulation of that name, open for read; see CPmAcadSim200::Load.
CPmAcadSim200* OpenStored(const CString& name, int& hostFailure);
// The format 101 simulation stored under the name, converted and named with
// it; null when there is none or the build binds no format 101 module.
CPmAcadSim200* LoadLegacy(const CString& name);
// A detached copy of the simulation stored under the name; see CPmDbxFactory200::LoadSim.
CPmSim200* LoadSim(const CString& name, int& hostFailure);
// Adds the stored simulations to the list; see CPmAcadSimList200::Load.
int Load(CPmSimList200& list, CStringArray& names, bool keepAll, bool saveUpgraded, int& hostFailure);
} // namespace PmStoredSims
