#include "PmSegment.h"

#include "PmDbxFactory.h"
#include "PmPart.h"
#include "QdBlock.h"

CPmSegment::CPmSegment() : m_length(0), m_pPart(nullptr) {}

CPmSegment::CPmSegment(CPmPart* part, bool) : m_length(0), m_pPart(part) {}

CPmSegment::CPmSegment(const CPmSegment& source)
    : m_length(source.m_length), m_positions(source.m_positions),
      m_pPart(source.m_pPart ? CPmDbxFactory::CopyPart(*source.m_pPart) : nullptr)
{
}

CPmSegment& CPmSegment::operator=(const CPmSegment& source)
{
    if (this != &source)
    {
        std::vector<PMPosition> positions(source.m_positions);
        CPmPart* part = source.m_pPart ? CPmDbxFactory::CopyPart(*source.m_pPart) : nullptr;
        m_positions.swap(positions);
        delete m_pPart;
        m_pPart = part;
        m_length = source.m_length;
    }
    return *this;
}

CPmSegment::~CPmSegment()
{
    delete m_pPart;
}

void CPmSegment::Save(CZrMstnObject*) {}
void CPmSegment::Save(AcDbDwgFiler*) {}
void CPmSegment::Load(CZrMstnObject*) {}
void CPmSegment::Load(AcDbDwgFiler*) {}

void CPmSegment::AddPath(const std::vector<PMPosition>& path)
{
    // Copy first: the path may be this segment's own positions.
    const std::vector<PMPosition> added(path);
    m_length += static_cast<int>(added.size());
    m_positions.insert(m_positions.end(), added.begin(), added.end());
}

PMPosition* CPmSegment::Position(unsigned int index)
{
    return index < m_positions.size() ? &m_positions[index] : nullptr;
}

void CPmSegment::AddPart(CPmPart* part)
{
    if (part != m_pPart)
        delete m_pPart;
    m_pPart = part;
}

CQdBlock* CPmSegment::Block() const
{
    return m_pPart ? m_pPart->Block() : nullptr;
}

void CPmSegment::DisplayPrint(PmDumpStream& os) const
{
    os << _T("\nCPmSegment: \n");
    if (m_pPart)
        os << *m_pPart;
    os << _T("  Positions: \n");
    for (const PMPosition& position : m_positions)
    {
        os << _T("  pt: ");
        PmDumpPoint(os, position.pt);
        os << _T(" ang: ") << position.ang << _T(" tpt: ");
        PmDumpPoint(os, position.tpt);
        os << std::endl;
    }
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmSegment& segment)
{
    segment.DisplayPrint(os);
    return os;
}
