// The client's entry to simulations: makes, copies, loads, lists, upgrades and
// deletes them. Every module exports it; each host family supplies the bodies,
// and every object returned is of the host's own subclass and the caller's.
#pragma once

#include <vector>

#include <afx.h>

#include "PmExport.h"
#include "PmHostTypes.h"

class CPmSim200;
class CPmSection200;
class CPmSegment200;
class CPmPart;
class CPmSimList200;
class CPmSection;
class CPmSegment;

class PM_EXPORT CPmDbxFactory200
{
public:
    // Copies nothing: the factory has no data.
    CPmDbxFactory200& operator=(const CPmDbxFactory200& other);

    static CPmSim200* MakeSim(PmSimId id, int type);
    static CPmSim200* CopySim(const CPmSim200& sim);
    static CPmSection200* MakeSection();
    static CPmSection200* CopySection(const CPmSection200& section);
    static CPmSection200* CopySection(const CPmSection& legacySection);
    static CPmSegment200* MakeSegment();
    static CPmSegment200* CopySegment(const CPmSegment200& segment);
    static CPmSegment200* CopySegment(const CPmSegment& legacySegment);
    static CPmPart* MakePart();
    static CPmPart* CopyPart(const CPmPart& part);
    static CPmSimList200* MakeSimList();
    static CPmSimList200* LoadSimList(bool keepAll, bool upgrade);
    static void LoadSimNames(std::vector<CString>& names);
    static CPmSim200* LoadSim(const CString& name);
    static void UpgradeSim(const CString& name);
    // 0: nothing of that name; 2: in use, nothing removed; 1: blocks and record removed.
    static int DeleteSim(const CString& name);
    // Gives back a simulation the factory handed out; null does nothing.
    static void DeleteSim(CPmSim200* sim);
};

// Removes the stored simulations of the current drawing and their blocks.
PM_EXPORT void CleanSims();
