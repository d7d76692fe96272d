// The one host state of the process: the active model, the descriptors and
// scan criteria given out, and the faults seen.
#pragma once

#include <cstddef>
#include <cstdint>

#include "DescriptorStorage.h"
#include "Faults.h"
#include "HandleTable.h"
#include "ModelStore.h"
#include "ScanCriteriaState.h"
#include "mselems.h"

namespace mstnhost {

struct HostState
{
    Faults faults;
    DgnModelRef model;
    HandleTable<MSElementDescr> descriptors{"descriptor", faults};
    HandleTable<ScanCriteria> criteria{"scan criteria", faults};

    // Empties the model and frees the descriptors it was handed.
    void resetModel();
};

// Made on first use and never destroyed, so that calls made while the process
// exits still find it; what it holds is released at exit.
HostState& hostState();

inline bool isActiveModel(DgnModelRefP model) { return model == &hostState().model; }

// A new caller-owned descriptor holding a copy of the element's bytes, as
// large as the element.
MSElementDescr* newDescriptorOf(const std::uint8_t* bytes, std::size_t count);
// The same of the model's element, with its file position and visibility.
MSElementDescr* newDescriptorOf(const ElementRef& element);
// The element bytes a descriptor the host gave out holds.
inline std::size_t descriptorCapacity(const MSElementDescr* descr)
{
    return HandleStorage<MSElementDescr>::elementCapacity(descr);
}

} // namespace mstnhost
