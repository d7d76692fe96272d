// A format 101 run of positions and the part that moves along them.
#pragma once

#include <vector>

#include "PMPosition.h"
#include "PmDump.h"
#include "PmExport.h"
#include "PmHostTypes.h"

class CPmPart;
class CQdBlock;

class PM_EXPORT CPmSegment
{
public:
    CPmSegment();
    // Takes the part; the flag has no effect.
    CPmSegment(CPmPart* part, bool flag);
    CPmSegment(const CPmSegment& source);
    // Copies the length and the positions. In the format 101 modules the part
    // is copied as by the copy constructor and replaces the one held before;
    // the format 200 modules keep the part held.
    CPmSegment& operator=(const CPmSegment& source);
    virtual ~CPmSegment();

    virtual void Save(CZrMstnObject* record);
    virtual void Save(AcDbDwgFiler* filer);
    virtual void Load(CZrMstnObject* record);
    virtual void Load(AcDbDwgFiler* filer);

    void AddPath(const std::vector<PMPosition>& path);
    PMPosition* Position(unsigned int index);
    std::vector<PMPosition>* Positions();
    // Takes the part; a different part held before is freed.
    void AddPart(CPmPart* part);
    CPmPart* Part() const;
    // The block of the segment's part; null without a part.
    CQdBlock* Block() const;
    int Length() const;

    void DisplayPrint(PmDumpStream& os) const;

protected:
    // Every field but the part: what each assignment copies as it is.
    PM_NO_EXPORT void AssignFields(const CPmSegment& source)
    {
        m_length = source.m_length;
        m_positions = source.m_positions;
    }

    int m_length;
    std::vector<PMPosition> m_positions;
    CPmPart* m_pPart;

    friend class CPmSegment200;  // converts from this generation
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmSegment& segment);
