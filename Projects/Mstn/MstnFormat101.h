// The MicroStation format 101 module as the XM and V8i builds reach it: its
// factory's LoadSim, bound by delayed import on the first call.
#pragma once

#include <afx.h>

class CPmSim;

namespace MstnFormat101
{
// The module's simulation of that name, the caller's; null when the module
// holds none, or cannot be loaded, or does not offer the function.
CPmSim* LoadSim(const CString& name);

// True for an object of the module's own simulation class, CPmMstnSim; an
// object of any other class is no simulation of it.
bool IsMstnSim(const CPmSim& sim);
} // namespace MstnFormat101
