// Descriptors of elements of the active model, looked up by element id.
#pragma once

#include <cstdint>

#include <mselems.h>

namespace MstnElements
{
// A new descriptor of the element with that id, the caller's; null when the
// active model holds no such element.
MSElementDescr* ReadDescriptor(std::uint64_t elementId);

// Frees the descriptor held in *held and takes the new one in its place.
void Replace(MSElementDescr*& held, MSElementDescr* fresh);

// Hides the descriptor's element and hands the descriptor to the active model;
// the host's status, the id of the new element in addedId.
int AddHidden(MSElementDescr* descr, std::uint64_t& addedId);
} // namespace MstnElements
