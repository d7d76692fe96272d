#include "dbhostfaults.h"

#include <cstddef>

namespace {

faultswitch::Switch switches[static_cast<std::size_t>(DwgHostCall::Kinds)];

} // namespace

faultswitch::Switch& dwgHostFault(DwgHostCall call)
{
    return switches[static_cast<std::size_t>(call)];
}

void dwgHostFaultsOff()
{
    for (faultswitch::Switch& s : switches)
        s.off();
}
