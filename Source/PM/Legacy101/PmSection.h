// A format 101 stretch driven at one speed: a run of segments.
#pragma once

#include <vector>

#include "PmDump.h"
#include "PmExport.h"
#include "PmHostTypes.h"

class CPmSegment;

class PM_EXPORT CPmSection
{
public:
    CPmSection();
    // Stores both values as given, without the unit conversion of SetSpeed.
    CPmSection(double speed, int units);
    CPmSection(const CPmSection& source);
    // Copies the fields. In the format 101 modules the segments are copied as
    // by the copy constructor and replace the ones held before; the format 200
    // modules keep the segments held.
    CPmSection& operator=(const CPmSection& source);
    virtual ~CPmSection();

    // Appends the segment (the section owns it) and takes its length as the section's.
    virtual void AddSegment(CPmSegment* segment);
    virtual void Save(CZrMstnObject* record);
    virtual void Save(AcDbDwgFiler* filer);
    virtual void Load(CZrMstnObject* record);
    virtual void Load(AcDbDwgFiler* filer);

    void SetSpeed(double value, int units);
    double Speed() const;
    int SpeedUnits() const;
    int Length() const;
    std::vector<CPmSegment*>* Segments();
    PM_NO_EXPORT const std::vector<CPmSegment*>* Segments() const { return &m_segments; }

    void DisplayPrint(PmDumpStream& os) const;

protected:
    // Every field but the segments: what each assignment copies as it is.
    PM_NO_EXPORT void AssignFields(const CPmSection& source)
    {
        m_speed = source.m_speed;
        m_speedUnits = source.m_speedUnits;
        m_length = source.m_length;
    }

    double m_speed;
    int m_speedUnits;
    int m_length;
    std::vector<CPmSegment*> m_segments;

    friend class CPmSection200;  // converts from this generation
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmSection& section);
