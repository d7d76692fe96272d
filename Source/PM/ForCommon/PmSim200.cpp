#include "PmSim200.h"

#include "PmDbxFactory200.h"
#include "PmModelAlgorithms.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSim.h"
#include "PmTimeText.h"

namespace
{
std::vector<CPmSection200*> CopySections(const std::vector<CPmSection200*>& source)
{
    return PmModel::CopyAll<CPmSection200>(
        source, [](const CPmSection200& section) { return CPmDbxFactory200::CopySection(section); });
}
} // namespace

CPmSim200::CPmSim200()
    : m_length(0), m_dttmCreated(CTime::GetCurrentTime()), m_dttmEdited(m_dttmCreated), m_displayIndex(0),
      m_type(-1), m_id(0), m_inUse(false), m_isCurVersion(true)
{
}

CPmSim200::CPmSim200(const CPmSim200& source)
    : m_name(source.m_name), m_length(source.m_length), m_dttmCreated(source.m_dttmCreated),
      m_dttmEdited(CTime::GetCurrentTime()), m_displayIndex(source.m_displayIndex), m_type(source.m_type),
      m_id(source.m_id), m_inUse(source.m_inUse), m_sections(CopySections(source.m_sections)),
      m_isCurVersion(source.m_isCurVersion)
{
}

CPmSim200::CPmSim200(const CPmSim& legacy)
    : m_name(legacy.m_name), m_length(legacy.m_length), m_dttmCreated(legacy.m_dttmCreated),
      m_dttmEdited(CTime::GetCurrentTime()), m_displayIndex(legacy.m_displayIndex), m_type(legacy.m_type),
      m_id(legacy.m_id), m_inUse(legacy.m_inUse), m_isCurVersion(true)
{
    m_sections = PmModel::CopyAll<CPmSection200>(
        legacy.m_sections, [](const CPmSection& section) { return CPmDbxFactory200::CopySection(section); });
}

CPmSim200& CPmSim200::operator=(const CPmSim200& source)
{
    if (this != &source)
    {
        std::vector<CPmSection200*> copies = CopySections(source.m_sections);
        PmModel::DeleteAll(m_sections);
        m_sections.swap(copies);
        m_name = source.m_name;
        m_length = source.m_length;
        m_dttmCreated = source.m_dttmCreated;
        m_dttmEdited = source.m_dttmEdited;
        m_displayIndex = source.m_displayIndex;
        m_type = source.m_type;
        m_id = source.m_id;
        m_inUse = source.m_inUse;
        m_isCurVersion = source.m_isCurVersion;
    }
    return *this;
}

CPmSim200::~CPmSim200()
{
    PmModel::DeleteAll(m_sections);
}

#if defined(PM_SIM_BASE_INSTANTIABLE)
int CPmSim200::Save() { return -1; }
int CPmSim200::Update() { return -1; }
int CPmSim200::Close() { return -1; }
#endif

int CPmSim200::Delete()
{
    return PmModel::RemoveSectionBlocks(m_sections);
}

void CPmSim200::SetSimInUse(bool inUse)
{
    m_inUse = inUse;
}

void CPmSim200::AddSection(CPmSection200* section)
{
    if (!section)
        return;
    m_length += section->Length();
    m_sections.push_back(section);
}

CPmSection200* CPmSim200::Section(int& index)
{
    return PmModel::FindSection(m_sections, index);
}

CString CPmSim200::DttmCreated() const
{
    return PmTimeText(m_dttmCreated);
}

CString CPmSim200::DttmEdited() const
{
    return PmTimeText(m_dttmEdited);
}

void CPmSim200::DisplayPrint(PmDumpStream& os) const
{
    PmModel::DumpSim(os, m_name, m_length, m_sections);
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmSim200& sim)
{
    sim.DisplayPrint(os);
    return os;
}

void CPmSim200::DebugPrint() const
{
}

CString* CPmSim200::Name()
{
    return &m_name;
}

void CPmSim200::SetName(const CString& name)
{
    m_name = name;
}

int CPmSim200::Length() const
{
    return m_length;
}

void CPmSim200::SetLength(int length)
{
    m_length = length;
}

CTime CPmSim200::DttmCreatedTime() const
{
    return m_dttmCreated;
}

void CPmSim200::SetDttmCreated(CTime time)
{
    m_dttmCreated = time;
}

void CPmSim200::SetDttmEdited(CTime time)
{
    m_dttmEdited = time;
}

int CPmSim200::DisplayIndex() const
{
    return m_displayIndex;
}

void CPmSim200::SetDisplayIndex(int index)
{
    m_displayIndex = index;
}

int CPmSim200::Type() const
{
    return m_type;
}

void CPmSim200::SetType(int type)
{
    m_type = type;
}

PmSimId CPmSim200::Id() const
{
    return m_id;
}

void CPmSim200::SetId(PmSimId id)
{
    m_id = id;
}

int CPmSim200::SimInUse() const
{
    return m_inUse ? 1 : 0;
}

bool CPmSim200::IsCurVersion() const
{
    return m_isCurVersion;
}

void CPmSim200::SetIsCurVersion(bool isCurrent)
{
    m_isCurVersion = isCurrent;
}

std::vector<CPmSection200*>* CPmSim200::Sections()
{
    return &m_sections;
}
