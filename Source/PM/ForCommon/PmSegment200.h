// A run of positions along the path and the part that moves along them.
#pragma once

#include <vector>

#include "PmDump.h"
#include "PmExport.h"
#include "PmHostTypes.h"
#include "PmPosition200.h"

class CPmPart;
class CPmSegment;
class CQdBlock;

class PM_EXPORT CPmSegment200
{
public:
    CPmSegment200();
    // Takes the part; the flag is accepted and not used.
    CPmSegment200(CPmPart* part, bool flag);
    CPmSegment200(const CPmSegment200& source);
    // Converts a format 101 segment: each angle becomes a rotation about z.
    explicit CPmSegment200(const CPmSegment& legacy);
    CPmSegment200& operator=(const CPmSegment200& source);
    virtual ~CPmSegment200();

    virtual void Save(CZrMstnObject* record) const;
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Load(CZrMstnObject* record);
    virtual void Load(AcDbDwgFiler* filer);

    // The position at index, or null past the stored positions.
    PmPosition200* Position(unsigned int index);
    void AddPath(const std::vector<PmPosition200>& path);
    // Takes the part; a different part held before is freed.
    void AddPart(CPmPart* part);
    CPmPart* Part() const;
    // The block of the segment's part; null without a part.
    CQdBlock* Block() const;

    int Length() const;
    void SetLength(int length);
    std::vector<PmPosition200>* Positions();
    PM_NO_EXPORT const std::vector<PmPosition200>* Positions() const { return &m_positions; }

    void DisplayPrint(PmDumpStream& os) const;

private:
    int m_length;
    std::vector<PmPosition200> m_positions;
    CPmPart* m_pPart;
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmSegment200& segment);
