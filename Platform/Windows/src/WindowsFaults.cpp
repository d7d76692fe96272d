#include "winfaults.h"

#include <cstddef>

namespace
{
faultswitch::Switch switches[static_cast<std::size_t>(WindowsCall::Kinds)];
}  // namespace

faultswitch::Switch& windowsFault(WindowsCall call)
{
    return switches[static_cast<std::size_t>(call)];
}

void windowsFaultsOff()
{
    for (faultswitch::Switch& s : switches)
        s.off();
}
