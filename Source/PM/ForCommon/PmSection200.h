// A stretch of a simulation driven at one speed: a run of segments.
#pragma once

#include <vector>

#include "PmDump.h"
#include "PmExport.h"
#include "PmHostTypes.h"

class CPmSegment200;
class CPmSection;

class PM_EXPORT CPmSection200
{
public:
    CPmSection200();
    // Stores both values as given, without the unit conversion of SetSpeed.
    CPmSection200(double speed, int units);
    CPmSection200(const CPmSection200& source);
    explicit CPmSection200(const CPmSection& legacy);
    CPmSection200& operator=(const CPmSection200& source);
    virtual ~CPmSection200();

    // Appends the segment (the section owns it) and takes its length as the
    // section's length.
    virtual void AddSegment(CPmSegment200* segment);
    virtual void Save(CZrMstnObject* record) const;
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Load(CZrMstnObject* record);
    virtual void Load(AcDbDwgFiler* filer);

    // Units 0 stores the value, 1 converts from kilometres and 2 from nautical
    // miles to statute miles; any other code changes nothing.
    void SetSpeed(double value, int units);
    double Speed() const;
    int SpeedUnits() const;
    int Length() const;
    void SetLength(int length);
    std::vector<CPmSegment200*>* Segments();
    PM_NO_EXPORT const std::vector<CPmSegment200*>* Segments() const { return &m_segments; }

    void DisplayPrint(PmDumpStream& os) const;

private:
    double m_speed;
    int m_speedUnits;
    int m_length;
    std::vector<CPmSegment200*> m_segments;
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmSection200& section);
