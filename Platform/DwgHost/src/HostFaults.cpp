#include "dbhostfaults.h"

namespace {

faultswitch::Bank<DwgHostCall, DwgHostCall::Kinds> switches;

} // namespace

faultswitch::Switch& dwgHostFault(DwgHostCall call)
{
    return switches.at(call);
}

void dwgHostFaultsOff()
{
    switches.allOff();
}
