#include "LegacyBuilders.h"

#include "HostDrawing.h"
#include "LegacyDrawing.h"
#include "PmElement.h"

namespace LegacyBuild
{
CQdBlock* MakeBlock(AcDbObjectId definition, dpoint3d at)
{
    AcDbBlockReference source(AcGePoint3d(at.x, at.y, at.z), definition);
    source.setScaleFactors(AcGeScale3d(2.0));
    element drawingObject{0, &source};
    return CPmBlockFactory::CreateBlock(&drawingObject);
}

CPmPart* MakePart(AcDbObjectId definition, dpoint3d offset)
{
    CPmPart* part = CPmDbxFactory::MakePart();
    part->AddBlock(MakeBlock(definition, {0.0, 0.0, 0.0}));
    part->SetOffset(offset);
    return part;
}

std::vector<PMPosition> MakePath(int count, double first)
{
    std::vector<PMPosition> path;
    for (int i = 0; i < count; ++i)
    {
        const LegacyDrawing::Position p = LegacyDrawing::PathPosition(i, first);
        path.push_back(PMPosition{{p.pt[0], p.pt[1], p.pt[2]}, p.ang, {p.tpt[0], p.tpt[1], p.tpt[2]}});
    }
    return path;
}

CPmSegment* MakeSegment(CPmPart* part, int count, double first)
{
    CPmSegment* segment = CPmDbxFactory::MakeSegment();
    segment->AddPart(part);
    segment->AddPath(MakePath(count, first));
    return segment;
}

int StoreLegacyDrawing()
{
    using namespace LegacyDrawing;
    const AcDbObjectId body = HostDrawing::AddBlockDefinition(L"CartBody");
    const AcDbObjectId wheel = HostDrawing::AddBlockDefinition(L"Wheel");

    CPmSim* cart = CPmDbxFactory::MakeSim(0, kCartType);
    cart->SetName(kCart);
    CPmPart* cartPart = MakePart(body, {0.0, 0.0, 0.5});
    cartPart->AddPart(MakePart(wheel, {1.0, 0.0, 0.0}));
    cart->SetId(HostDrawing::IdOf(*cartPart->Block()->Handle()));
    CPmSection* cartSection = CPmDbxFactory::MakeSection();
    cartSection->SetSpeed(50.0, kCartUnits);
    cartSection->AddSegment(MakeSegment(cartPart, kCartPositions, kCartFirst));
    cart->AddSection(cartSection);
    int status = cart->Save();

    CPmSim* crane = CPmDbxFactory::MakeSim(kCraneId, kCraneType);
    crane->SetName(kCrane);
    crane->SetSimInUse(true);
    CPmSection* lift = CPmDbxFactory::MakeSection();
    lift->SetSpeed(10.0, kCraneUnits);
    lift->AddSegment(MakeSegment(MakePart(wheel), 2, kCraneFirst));
    crane->AddSection(lift);
    CPmSection* swing = CPmDbxFactory::MakeSection();
    swing->AddSegment(MakeSegment(MakePart(body), 4, 20.0));
    swing->AddSegment(MakeSegment(MakePart(body), 1, 30.0));
    crane->AddSection(swing);
    status += crane->Save();

    const AcDbObjectId gone = HostDrawing::AddReference(body, {5.0, 5.0, 0.0});
    HostDrawing::Erase(gone);
    CPmSim* ghost = CPmDbxFactory::MakeSim(HostDrawing::IdOf(gone), kGhostType);
    ghost->SetName(kGhost);
    CPmSection* drift = CPmDbxFactory::MakeSection();
    drift->AddSegment(MakeSegment(MakePart(wheel), 1, 40.0));
    ghost->AddSection(drift);
    return status + ghost->Save();
}

CPmAcadSim* OpenStored(const CString& key)
{
    AcDbObject* object = nullptr;
    const AcDbObjectId id = CZrAcadObject::GetObjectId(_T("QD_SIM"), key);
    acdbOpenAcDbObject(object, id, CPmAcadSim::desc(), AcDb::kForRead, false);
    return CPmAcadSim::cast(object);
}
} // namespace LegacyBuild
