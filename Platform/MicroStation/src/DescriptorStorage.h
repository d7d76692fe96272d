// Element descriptors are as large as the element they hold, as the host
// allocates them: the descriptor's head, then the element's bytes and no more.
// Reading one costs what the element holds, and nothing may read past its size.
#pragma once

#include <cstddef>

#include "HandleTable.h"
#include "mselems.h"

namespace mstnhost {

template <>
struct HandleStorage<MSElementDescr>
{
    // A descriptor with room for that many element bytes (at least a head),
    // its head cleared and its element not yet written.
    static MSElementDescr* make(std::size_t elementBytes);
    static void destroy(MSElementDescr* descr);
    // The element bytes a descriptor of this storage has room for.
    static std::size_t elementCapacity(const MSElementDescr* descr);
};

} // namespace mstnhost
