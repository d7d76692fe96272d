// The format 101 module's factory of simulations and the clean-up functions
// it exports. Every object returned is of the module's DWG subclass and the caller's.
#pragma once

#include <afx.h>

#include "PmExport.h"
#include "PmHostTypes.h"

class CPmSim;
class CPmSection;
class CPmSegment;
class CPmPart;
class CPmSimList;

class PM_EXPORT CPmDbxFactory
{
public:
    // Copies nothing: the factory has no data.
    CPmDbxFactory& operator=(const CPmDbxFactory& other);

    static CPmSimList* MakeSimList();
    static CPmSimList* LoadSimList(bool keepAll);
    static CPmSim* LoadSim(const CString& name);
    static CPmSim* MakeSim(PmSimId id, int type);
    static CPmSim* CopySim(const CPmSim& sim);
    static CPmSection* MakeSection();
    static CPmSection* CopySection(const CPmSection& section);
    static CPmSegment* MakeSegment();
    static CPmSegment* CopySegment(const CPmSegment& segment);
    static CPmPart* MakePart();
    static CPmPart* CopyPart(const CPmPart& part);
    // Gives back a simulation the factory handed out; null does nothing.
    static void DeleteSim(CPmSim* sim);
};

// Erases the stored simulations that are not in use and whose block reference is gone.
PM_EXPORT void PurgeDeletedSims();
// Erases the stored simulations whose block reference still exists.
PM_EXPORT void CleanSims();
