// The plain accessors of the format 101 simulation, section and segment,
// defined out of line so that every module that shares these classes exports
// them: the format 101 modules, and the format 200 modules, which share the
// declarations for the conversions. Each module binds its own copy.
#include "PmSection.h"
#include "PmSegment.h"
#include "PmSim.h"

void CPmSim::SetName(const CString& name)
{
    m_name = name;
}

CString* CPmSim::Name()
{
    return &m_name;
}

int CPmSim::Length() const
{
    return m_length;
}

int CPmSim::DisplayIndex() const
{
    return m_displayIndex;
}

void CPmSim::SetDisplayIndex(int index)
{
    m_displayIndex = index;
}

int CPmSim::Type() const
{
    return m_type;
}

void CPmSim::SetType(int type)
{
    m_type = type;
}

PmSimId CPmSim::Id() const
{
    return m_id;
}

void CPmSim::SetId(PmSimId id)
{
    m_id = id;
}

int CPmSim::SimInUse() const
{
    return m_inUse ? 1 : 0;
}

std::vector<CPmSection*>* CPmSim::Sections()
{
    return &m_sections;
}

double CPmSection::Speed() const
{
    return m_speed;
}

int CPmSection::SpeedUnits() const
{
    return m_speedUnits;
}

int CPmSection::Length() const
{
    return m_length;
}

std::vector<CPmSegment*>* CPmSection::Segments()
{
    return &m_segments;
}

std::vector<PMPosition>* CPmSegment::Positions()
{
    return &m_positions;
}

CPmPart* CPmSegment::Part() const
{
    return m_pPart;
}

int CPmSegment::Length() const
{
    return m_length;
}
