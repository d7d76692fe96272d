#include "PmSegment200.h"

#include "PmDbxFactory200.h"
#include "PmPart.h"
#include "PmSegment.h"
#include "QdBlock.h"
#include "QdVector.h"

namespace
{
CPmPart* CopyPartOrNull(const CPmPart* part)
{
    return part ? CPmDbxFactory200::CopyPart(*part) : nullptr;
}

// A format 101 position holds one angle about z; its point's x and y become
// the translation (z stays 0).
PmPosition200 ConvertPosition(const PMPosition& legacy)
{
    PmPosition200 position;
    position.pt = legacy.pt;
    position.tpt = legacy.tpt;
    position.transform.SetTranslation(CQdVector(legacy.pt.x, legacy.pt.y, 0.0));
    position.transform.SetRotation(CQdVector(0.0, 0.0, 1.0), legacy.ang);
    return position;
}

std::vector<PmPosition200> ConvertPath(const std::vector<PMPosition>& legacy)
{
    std::vector<PmPosition200> path;
    path.reserve(legacy.size());
    for (const PMPosition& old : legacy)
        path.push_back(ConvertPosition(old));
    return path;
}
} // namespace

CPmSegment200::CPmSegment200() : m_length(0), m_pPart(nullptr) {}

CPmSegment200::CPmSegment200(CPmPart* part, bool) : m_length(0), m_pPart(part) {}

CPmSegment200::CPmSegment200(const CPmSegment200& source)
    : m_length(source.m_length), m_positions(source.m_positions), m_pPart(CopyPartOrNull(source.m_pPart))
{
}

// The path is converted before the part is copied, so that a failed
// allocation in either leaves nothing behind.
CPmSegment200::CPmSegment200(const CPmSegment& legacy)
    : m_length(legacy.m_length), m_positions(ConvertPath(legacy.m_positions)), m_pPart(CopyPartOrNull(legacy.m_pPart))
{
}

CPmSegment200& CPmSegment200::operator=(const CPmSegment200& source)
{
    if (this != &source)
    {
        CPmPart* part = CopyPartOrNull(source.m_pPart);
        delete m_pPart;
        m_pPart = part;
        m_length = source.m_length;
        m_positions = source.m_positions;
    }
    return *this;
}

CPmSegment200::~CPmSegment200()
{
    delete m_pPart;
}

void CPmSegment200::Save(CZrMstnObject*) const {}
void CPmSegment200::Save(AcDbDwgFiler*) const {}
void CPmSegment200::Load(CZrMstnObject*) {}
void CPmSegment200::Load(AcDbDwgFiler*) {}

PmPosition200* CPmSegment200::Position(unsigned int index)
{
    return index < m_positions.size() ? &m_positions[index] : nullptr;
}

void CPmSegment200::AddPath(const std::vector<PmPosition200>& path)
{
    if (&path == &m_positions)
    {
        const std::vector<PmPosition200> copy(path);
        AddPath(copy);
        return;
    }
    m_length += static_cast<int>(path.size());
    m_positions.insert(m_positions.end(), path.begin(), path.end());
}

void CPmSegment200::AddPart(CPmPart* part)
{
    if (part != m_pPart)
        delete m_pPart;
    m_pPart = part;
}

CQdBlock* CPmSegment200::Block() const
{
    return m_pPart ? m_pPart->Block() : nullptr;
}

void CPmSegment200::DisplayPrint(PmDumpStream& os) const
{
    os << _T("\nCPmSegment: \n");
    if (m_pPart)
        os << *m_pPart;
    os << _T("  Positions: \n");
    for (const PmPosition200& position : m_positions)
    {
        os << _T("  pt: ");
        PmDumpPoint(os, position.pt);
        os << _T(" tpt: ");
        PmDumpPoint(os, position.tpt);
        os << std::endl;
    }
}

PmDumpStream& operator<<(PmDumpStream& os, const CPmSegment200& segment)
{
    segment.DisplayPrint(os);
    return os;
}

CPmPart* CPmSegment200::Part() const
{
    return m_pPart;
}

int CPmSegment200::Length() const
{
    return m_length;
}

void CPmSegment200::SetLength(int length)
{
    m_length = length;
}

std::vector<PmPosition200>* CPmSegment200::Positions()
{
    return &m_positions;
}
