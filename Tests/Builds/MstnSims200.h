// The pieces of the simulations a MicroStation probe and the design-file seed
// writer store in the stand-in host's active model.
#pragma once

#include <cstdint>

#include <mdl.h>

class CPmPart;
class CPmSegment200;

namespace MstnSims
{
// A drawing element that is not part of any record; its id.
ElementId AddDrawingElement(std::uint8_t tag);

// A part of that name and offset whose block is a new element of the model.
CPmPart* MakePart(const char* name, double x, double y, double z);

// The part on count positions starting at start: pt, tpt and a turn about z that grow with i.
CPmSegment200* MakeSegment(CPmPart* part, int count, double start);
} // namespace MstnSims
