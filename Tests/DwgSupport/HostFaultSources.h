// The DWG host's sources of faults for the sweeps (FaultSteps.h): the
// allocations of the process, then each kind of host call failing at the nth
// call only, then each failing from the nth call on (so that what cleans up
// after the first failure fails too).
#pragma once

#include <string>
#include <vector>

#include "FaultSteps.h"
#include "HostCallNames.h"

namespace HostFaultSources
{
inline FaultSteps::FaultSource HostSource(const HostCallNames::Named& kind, bool from)
{
    const DwgHostCall call = kind.call;
    return {std::string(kind.name) + (from ? "From" : "Once"),
            [call, from](std::size_t nth) {
                if (from)
                    dwgHostFault(call).failFrom(nth);
                else
                    dwgHostFault(call).failAt(nth);
            },
            [call] {
                const bool reached = dwgHostFault(call).failures() > 0;
                dwgHostFault(call).off();
                return reached;
            }};
}

inline std::vector<FaultSteps::FaultSource> All()
{
    std::vector<FaultSteps::FaultSource> sources{FaultSteps::AllocationSource()};
    for (bool from : {false, true})
    {
        for (const HostCallNames::Named& kind : HostCallNames::kAll)
            sources.push_back(HostSource(kind, from));
    }
    return sources;
}
} // namespace HostFaultSources
