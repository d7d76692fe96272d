#include "PmSection.h"

#include "PmDbxFactory.h"
#include "PmModelAlgorithms.h"
#include "PmSegment.h"
#include "PmSpeedUnits.h"

CPmSection::CPmSection() : m_speed(10.0), m_speedUnits(0), m_length(0) {}

CPmSection::CPmSection(double speed, int units) : m_speed(speed), m_speedUnits(units), m_length(0) {}

CPmSection::CPmSection(const CPmSection& source)
    : m_speed(source.m_speed), m_speedUnits(source.m_speedUnits), m_length(source.m_length),
      m_segments(PmModel::CopyAll<CPmSegment>(
          source.m_segments, [](const CPmSegment& segment) { return CPmDbxFactory::CopySegment(segment); }))
{
}

CPmSection& CPmSection::operator=(const CPmSection& source)
{
    if (this != &source)
    {
        std::vector<CPmSegment*> copies = PmModel::CopyAll<CPmSegment>(
            source.m_segments, [](const CPmSegment& segment) { return CPmDbxFactory::CopySegment(segment); });
        PmModel::DeleteAll(m_segments);
        m_segments.swap(copies);
        AssignFields(source);
    }
    return *this;
}

CPmSection::~CPmSection()
{
    PmModel::DeleteAll(m_segments);
}

void CPmSection::AddSegment(CPmSegment* segment)
{
    if (!segment)
        return;
    m_length = segment->Length();
    m_segments.push_back(segment);
}

void CPmSection::Save(CZrMstnObject*) {}
void CPmSection::Save(AcDbDwgFiler*) {}
void CPmSection::Load(CZrMstnObject*) {}
void CPmSection::Load(AcDbDwgFiler*) {}

void CPmSection::SetSpeed(double value, int units)
{
    if (PmSpeedUnits::Convert(value, units, m_speed))
        m_speedUnits = units;
}

void CPmSection::DisplayPrint(PmDumpStream& os) const
{
    PmModel::DumpSection(os, m_speed, m_speedUnits, m_length, m_segments);
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmSection& section)
{
    section.DisplayPrint(os);
    return os;
}
