// Descriptors of elements of the active model, looked up by element id.
#pragma once

#include <cstdint>

#include "MstnHeld.h"

namespace MstnElements
{
// A new descriptor of the element with that id; none when the active model
// holds no such element.
MstnHeldDescriptor ReadDescriptor(std::uint64_t elementId);

// Hides the held descriptor's element and hands the descriptor to the active
// model, whatever the host answers: the host's status, the id of the new
// element in addedId. -1 with nothing held (addedId as it was).
int AddHidden(MstnHeldDescriptor& held, std::uint64_t& addedId);
} // namespace MstnElements
