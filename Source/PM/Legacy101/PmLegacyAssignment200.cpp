// Copy assignment of the format 101 simulation, section and segment in the
// format 200 modules, which share these classes only to convert from them.
// Such a module cannot make format 101 objects (their factory and their
// virtual members live in the format 101 module), so an assignment copies every
// plain field and each object keeps the children it owns: no two objects ever
// own one section, segment or part, and nothing is freed by the wrong module.
#include "PmSection.h"
#include "PmSegment.h"
#include "PmSim.h"

CPmSim& CPmSim::operator=(const CPmSim& source)
{
    if (this != &source)
        AssignFields(source);
    return *this;
}

CPmSection& CPmSection::operator=(const CPmSection& source)
{
    if (this != &source)
        AssignFields(source);
    return *this;
}

CPmSegment& CPmSegment::operator=(const CPmSegment& source)
{
    if (this != &source)
        AssignFields(source);
    return *this;
}
