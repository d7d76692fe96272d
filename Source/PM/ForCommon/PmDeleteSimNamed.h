// The answer of a factory's DeleteSim (name), the same in every host family:
// 0 when nothing of that name loads, or when its Delete was refused and its
// record may still be stored (nothing was deleted to report); 2 when the
// simulation is in use; 1 once it is gone. Each family says how it tells that
// a record may stay.
#pragma once

#include <afx.h>

#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmSim200.h"

template <class RecordMayStay>
int PmDeleteSimNamed(const CString& name, RecordMayStay recordMayStay)
{
    const PmHeld::Detached<CPmSim200, CPmDbxFactory200> sim(CPmDbxFactory200::LoadSim(name));
    if (!sim)
        return 0;
    if (sim->SimInUse())
        return 2;
    if (sim->Delete() != 0 && recordMayStay(name))
        return 0;
    return 1;
}
