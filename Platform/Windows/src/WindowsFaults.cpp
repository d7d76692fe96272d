#include "winfaults.h"

namespace
{
faultswitch::Bank<WindowsCall, WindowsCall::Kinds> switches;
}  // namespace

faultswitch::Switch& windowsFault(WindowsCall call)
{
    return switches.at(call);
}

void windowsFaultsOff()
{
    switches.allOff();
}
