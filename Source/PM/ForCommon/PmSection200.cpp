#include "PmSection200.h"

#include "PmDbxFactory200.h"
#include "PmModelAlgorithms.h"
#include "PmSection.h"
#include "PmSegment200.h"
#include "PmSpeedUnits.h"

namespace
{
std::vector<CPmSegment200*> CopySegments(const std::vector<CPmSegment200*>& source)
{
    return PmModel::CopyAll<CPmSegment200>(
        source, [](const CPmSegment200& segment) { return CPmDbxFactory200::CopySegment(segment); });
}
} // namespace

CPmSection200::CPmSection200() : m_speed(10.0), m_speedUnits(0), m_length(0) {}

CPmSection200::CPmSection200(double speed, int units) : m_speed(speed), m_speedUnits(units), m_length(0) {}

CPmSection200::CPmSection200(const CPmSection200& source)
    : m_speed(source.m_speed), m_speedUnits(source.m_speedUnits), m_length(source.m_length),
      m_segments(CopySegments(source.m_segments))
{
}

CPmSection200::CPmSection200(const CPmSection& legacy)
    : m_speed(legacy.m_speed), m_speedUnits(legacy.m_speedUnits), m_length(legacy.m_length)
{
    m_segments = PmModel::CopyAll<CPmSegment200>(
        legacy.m_segments, [](const CPmSegment& segment) { return CPmDbxFactory200::CopySegment(segment); });
}

CPmSection200& CPmSection200::operator=(const CPmSection200& source)
{
    if (this != &source)
    {
        std::vector<CPmSegment200*> copies = CopySegments(source.m_segments);
        PmModel::DeleteAll(m_segments);
        m_segments.swap(copies);
        m_speed = source.m_speed;
        m_speedUnits = source.m_speedUnits;
        m_length = source.m_length;
    }
    return *this;
}

CPmSection200::~CPmSection200()
{
    PmModel::DeleteAll(m_segments);
}

void CPmSection200::AddSegment(CPmSegment200* segment)
{
    if (!segment)
        return;
    m_length = segment->Length();
    m_segments.push_back(segment);
}

void CPmSection200::Save(CZrMstnObject*) const {}
void CPmSection200::Save(AcDbDwgFiler*) const {}
void CPmSection200::Load(CZrMstnObject*) {}
void CPmSection200::Load(AcDbDwgFiler*) {}

void CPmSection200::SetSpeed(double value, int units)
{
    if (PmSpeedUnits::Convert(value, units, m_speed))
        m_speedUnits = units;
}

void CPmSection200::DisplayPrint(PmDumpStream& os) const
{
    PmModel::DumpSection(os, m_speed, m_speedUnits, m_length, m_segments);
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmSection200& section)
{
    section.DisplayPrint(os);
    return os;
}

double CPmSection200::Speed() const
{
    return m_speed;
}

int CPmSection200::SpeedUnits() const
{
    return m_speedUnits;
}

int CPmSection200::Length() const
{
    return m_length;
}

void CPmSection200::SetLength(int length)
{
    m_length = length;
}

std::vector<CPmSegment200*>* CPmSection200::Segments()
{
    return &m_segments;
}
