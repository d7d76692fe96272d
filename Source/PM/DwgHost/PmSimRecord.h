// The format 200 record of a simulation, after the host object's own fields.
#pragma once

#include <acadstrc.h>

class AcDbDwgFiler;
class CPmSim200;

namespace PmSimRecord
{
constexpr int kVersion = 200;

// Writes the simulation and its tree; answers the filer status of the section count.
Acad::ErrorStatus Write(AcDbDwgFiler* filer, const CPmSim200& sim);

// Reads a record into the simulation. A record of another version marks the
// simulation not current and answers eMakeMeProxy (301) having read nothing
// more; a corrupt record answers the filer's error status.
Acad::ErrorStatus Read(AcDbDwgFiler* filer, CPmSim200& sim);
} // namespace PmSimRecord
