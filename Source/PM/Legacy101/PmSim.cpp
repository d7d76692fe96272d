#include "PmSim.h"

#include "PmDbxFactory.h"
#include "PmModelAlgorithms.h"
#include "PmPart.h"
#include "PmSection.h"
#include "PmSegment.h"
#include "PmTimeText.h"

CPmSim::CPmSim()
    : m_length(0), m_dttmCreated(CTime::GetCurrentTime()), m_dttmEdited(m_dttmCreated), m_displayIndex(0),
      m_type(-1), m_id(0), m_inUse(false)
{
}

CPmSim::CPmSim(const CPmSim& source)
    : m_name(source.m_name), m_length(source.m_length), m_dttmCreated(source.m_dttmCreated),
      m_dttmEdited(CTime::GetCurrentTime()), m_displayIndex(source.m_displayIndex), m_type(source.m_type),
      m_id(source.m_id), m_inUse(source.m_inUse),
      m_sections(PmModel::CopyAll<CPmSection>(
          source.m_sections, [](const CPmSection& section) { return CPmDbxFactory::CopySection(section); }))
{
}

CPmSim& CPmSim::operator=(const CPmSim& source)
{
    if (this != &source)
    {
        // Copies first: a failing copy leaves this simulation as it was.
        std::vector<CPmSection*> copies = PmModel::CopyAll<CPmSection>(
            source.m_sections, [](const CPmSection& section) { return CPmDbxFactory::CopySection(section); });
        PmModel::DeleteAll(m_sections);
        m_sections.swap(copies);
        AssignFields(source);
    }
    return *this;
}

CPmSim::~CPmSim()
{
    PmModel::DeleteAll(m_sections);
}

int CPmSim::Delete()
{
    return PmModel::RemoveSectionBlocks(m_sections);
}

void CPmSim::SetSimInUse(bool inUse)
{
    m_inUse = inUse;
}

void CPmSim::AddSection(CPmSection* section)
{
    if (!section)
        return;
    m_sections.push_back(section);
    m_length += section->Length();  // only once it is held
}

CPmSection* CPmSim::Section(int& index)
{
    return PmModel::FindSection(m_sections, index);
}

CString CPmSim::DttmCreated() const
{
    return PmTimeText(m_dttmCreated);
}

CString CPmSim::DttmEdited() const
{
    return PmTimeText(m_dttmEdited);
}

void CPmSim::DisplayPrint(PmDumpStream& os) const
{
    PmModel::DumpSim(os, m_name, m_length, m_sections);
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmSim& sim)
{
    sim.DisplayPrint(os);
    return os;
}

void CPmSim::DebugPrint() const
{
}
