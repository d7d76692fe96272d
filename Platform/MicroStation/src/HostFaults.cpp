#include <cstddef>

#include "mstnhost.h"

namespace {

faultswitch::Switch switches[static_cast<std::size_t>(MstnHostCall::Kinds)];

} // namespace

faultswitch::Switch& mstnHost_fault(MstnHostCall call)
{
    return switches[static_cast<std::size_t>(call)];
}

void mstnHost_faultsOff()
{
    for (faultswitch::Switch& s : switches)
        s.off();
}
