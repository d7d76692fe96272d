#include "PmAcadSegment.h"

#include <dbfiler.h>

#include "PmAcadPart.h"
#include "PmFilerCounts.h"

void CPmAcadSegment::Save(AcDbDwgFiler* filer)
{
    if (const CPmPart* part = Part())
        part->Save(filer);
    else
        CPmAcadPart().Save(filer);  // an empty part record: the reader always expects one

    filer->writeInt32(static_cast<Adesk::Int32>(m_positions.size()));
    for (const PMPosition& position : m_positions)
    {
        filer->writePoint3d(AcGePoint3d(position.pt.x, position.pt.y, position.pt.z));
        filer->writeDouble(position.ang);
        filer->writePoint3d(AcGePoint3d(position.tpt.x, position.tpt.y, position.tpt.z));
    }
}

void CPmAcadSegment::Load(AcDbDwgFiler* filer)
{
    auto* part = new CPmAcadPart();
    AddPart(part);
    part->Load(filer);

    const int count = PmFilerCounts::Read(filer);
    for (int i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i)
    {
        AcGePoint3d pt(0.0, 0.0, 0.0);
        AcGePoint3d tpt(0.0, 0.0, 0.0);
        PMPosition position{};
        filer->readPoint3d(&pt);
        filer->readDouble(&position.ang);
        filer->readPoint3d(&tpt);
        if (filer->filerStatus() != Acad::eOk)
            break;  // a truncated record adds no half-read position
        position.pt = {pt.x, pt.y, pt.z};
        position.tpt = {tpt.x, tpt.y, tpt.z};
        m_positions.push_back(position);
    }
    m_length = static_cast<int>(m_positions.size());
}

CPmAcadSegment::CPmAcadSegment() = default;
CPmAcadSegment::CPmAcadSegment(const CPmSegment& source) : CPmSegment(source) {}
CPmAcadSegment::CPmAcadSegment(const CPmAcadSegment& source) : CPmSegment(source) {}
