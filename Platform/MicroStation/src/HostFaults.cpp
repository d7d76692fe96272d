#include "mstnhost.h"

namespace {

faultswitch::Bank<MstnHostCall, MstnHostCall::Kinds> switches;

} // namespace

faultswitch::Switch& mstnHost_fault(MstnHostCall call)
{
    return switches.at(call);
}

void mstnHost_faultsOff()
{
    switches.allOff();
}
