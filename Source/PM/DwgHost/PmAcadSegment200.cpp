#include "PmAcadSegment200.h"

#include <dbfiler.h>

#include "PmAcadPart.h"
#include "PmFilerCounts.h"

void CPmAcadSegment200::Save(AcDbDwgFiler* filer) const
{
    if (const CPmPart* part = Part())
        part->Save(filer);
    else
        CPmAcadPart().Save(filer);  // an empty part record: the reader always expects one

    const std::vector<PmPosition200>& positions = *Positions();
    filer->writeInt32(static_cast<Adesk::Int32>(positions.size()));
    for (const PmPosition200& position : positions)
    {
        // The angle conversion may rewrite its working copy, never the position.
        CQdTransform transform(position.transform);
        double angles[3] = {0.0, 0.0, 0.0};
        transform.GetEulerAngles(angles);
        filer->writePoint3d(AcGePoint3d(position.pt.x, position.pt.y, position.pt.z));
        for (double angle : angles)
            filer->writeDouble(angle);
        filer->writePoint3d(AcGePoint3d(position.tpt.x, position.tpt.y, position.tpt.z));
    }
}

void CPmAcadSegment200::Load(AcDbDwgFiler* filer)
{
    auto* part = new CPmAcadPart();
    AddPart(part);
    part->Load(filer);

    const int count = PmFilerCounts::Read(filer);
    std::vector<PmPosition200>& positions = *Positions();
    for (int i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i)
    {
        AcGePoint3d pt(0.0, 0.0, 0.0);
        AcGePoint3d tpt(0.0, 0.0, 0.0);
        double angles[3] = {0.0, 0.0, 0.0};
        filer->readPoint3d(&pt);
        for (double& angle : angles)
            filer->readDouble(&angle);
        filer->readPoint3d(&tpt);
        if (filer->filerStatus() != Acad::eOk)
            break;  // a truncated record adds no half-read position

        PmPosition200 position;
        position.pt = {pt.x, pt.y, pt.z};
        position.tpt = {tpt.x, tpt.y, tpt.z};
        position.transform.Reset();
        position.transform.SetTranslation(CQdVector(pt.x, pt.y, pt.z));
        position.transform.SetEulerAngles(angles);
        positions.push_back(position);
    }
    SetLength(static_cast<int>(positions.size()));
}

CPmAcadSegment200::CPmAcadSegment200() = default;
CPmAcadSegment200::CPmAcadSegment200(const CPmSegment200& source) : CPmSegment200(source) {}
CPmAcadSegment200::CPmAcadSegment200(const CPmAcadSegment200& source) : CPmSegment200(source) {}
CPmAcadSegment200::CPmAcadSegment200(const CPmSegment& legacy) : CPmSegment200(legacy) {}
CPmAcadSegment200& CPmAcadSegment200::operator=(const CPmAcadSegment200&) = default;
