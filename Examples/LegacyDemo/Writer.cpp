// The first session of the legacy demonstration: a host that loads only the
// format 101 module Varnex101_2013x64 makes two format 101 simulations whose
// parts are shown by block references, stores them and saves the drawing.
//
//   legacy_demo_writer <drawing file>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <arxheaders.h>

#include "PMPosition.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory.h"
#include "PmElement.h"
#include "PmPart.h"
#include "PmSection.h"
#include "PmSegment.h"
#include "PmSim.h"
#include "PmSimList.h"
#include "QdBlock.h"

namespace
{
std::string Narrow(const CString& text)
{
    return CStringA(text).GetString();
}

// A block definition of the drawing, and a part whose block (made by the
// format 101 block factory) shows it; adding the block puts it into model space.
CPmPart* NewPart(const wchar_t* blockName, dpoint3d offset)
{
    AcDbBlockTable* table = nullptr;
    acdbHostApplicationServices()->workingDatabase()->getBlockTable(table, AcDb::kForWrite);
    auto* definition = new AcDbBlockTableRecord;
    definition->setName(blockName);
    AcDbObjectId definitionId;
    table->add(definitionId, definition);
    definition->close();
    table->close();

    AcDbBlockReference reference(AcGePoint3d(0.0, 0.0, 0.0), definitionId);
    element drawingObject{0, &reference};
    CPmPart* part = CPmDbxFactory::MakePart();
    part->AddBlock(CPmBlockFactory::CreateBlock(&drawingObject));
    part->SetOffset(offset);
    return part;
}

// A straight run of format 101 positions, each with one heading angle.
CPmSegment* NewSegment(CPmPart* part, dpoint3d from, dpoint3d step, int count, double heading)
{
    std::vector<PMPosition> path(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        PMPosition& position = path[static_cast<size_t>(i)];
        position.pt = {from.x + i * step.x, from.y + i * step.y, from.z + i * step.z};
        position.ang = heading;
        position.tpt = {position.pt.x, position.pt.y, position.pt.z + 1.0};
    }
    CPmSegment* segment = CPmDbxFactory::MakeSegment();
    segment->AddPart(part);
    segment->AddPath(path);
    return segment;
}

CPmSim* MakeCrane()
{
    CPmPart* trolley = NewPart(L"OLD_TROLLEY", {0.0, 0.0, 0.0});
    trolley->AddPart(NewPart(L"OLD_HOOK", {0.0, 0.0, -4.0}));
    CPmSim* sim = CPmDbxFactory::MakeSim(static_cast<Adesk::UInt64>(*trolley->Block()->Handle()), 1);
    sim->SetName(_T("Old crane"));
    CPmSection* out = CPmDbxFactory::MakeSection();
    out->SetSpeed(12.0, 1);
    out->AddSegment(NewSegment(trolley, {0.0, 0.0, 20.0}, {10.0, 0.0, 0.0}, 3, 0.0));
    sim->AddSection(out);
    return sim;
}

CPmSim* MakeShuttle()
{
    CPmPart* shuttle = NewPart(L"OLD_SHUTTLE", {0.0, 0.0, 0.0});
    CPmSim* sim = CPmDbxFactory::MakeSim(static_cast<Adesk::UInt64>(*shuttle->Block()->Handle()), 2);
    sim->SetName(_T("Old shuttle"));
    CPmSection* crossing = CPmDbxFactory::MakeSection();
    crossing->SetSpeed(30.0, 0);
    crossing->AddSegment(NewSegment(shuttle, {0.0, -15.0, 0.0}, {0.0, 15.0, 0.0}, 3, 1.5707963267949));
    sim->AddSection(crossing);
    return sim;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const bool loaded = acrxLoadModule(CStringW(DEMO_MODULE_PATH), true);
    std::printf("[1] A host with only %s loaded it: %s\n", std::filesystem::path(DEMO_MODULE_PATH).filename().c_str(),
                loaded ? "ok" : "failed");
    if (!loaded)
        return 1;
    auto* drawing = new AcDbDatabase;
    acdbHostApplicationServices()->setWorkingDatabase(drawing);

    for (CPmSim* sim : {MakeCrane(), MakeShuttle()})
    {
        const int status = sim->Save();
        std::printf("[1] Made the format 101 simulation \"%s\" (%d positions) and saved it: status %d\n",
                    Narrow(*sim->Name()).c_str(), sim->Length(), status);
        CPmDbxFactory::DeleteSim(sim);  // stored: the drawing keeps it
    }
    std::unique_ptr<CPmSimList> list(CPmDbxFactory::LoadSimList(true));
    std::printf("[1] The format 101 module lists %d simulations\n", list->Size());
    list.reset();

    const Acad::ErrorStatus saved = drawing->saveAs(CStringW(argv[1]));
    std::printf("[1] Saved the drawing to %s: status %d\n", argv[1], saved);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete drawing;
    return saved == Acad::eOk ? 0 : 1;
}
