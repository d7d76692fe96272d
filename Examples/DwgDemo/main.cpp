// The demonstration: a client application in the stand-in DWG host.
//
// It has the host load Varnex200_2013x64 through the module loader, makes two
// simulations whose moving parts are shown by block references in model space,
// stores and lists them, and saves the drawing to a file. A fresh process, the
// next session of the host, then reads the drawing, lists and dumps the
// simulations and deletes one.
//
//   dwg_demo [drawing file]        (default: varnex_demo.dwg in the temporary folder)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <arxheaders.h>

#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmElement.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSim200.h"
#include "PmSimList200.h"
#include "QdBlock.h"
#include "QdVector.h"
#include "RunProgram.h"

namespace
{
std::string Narrow(const CString& text)
{
    return CStringA(text).GetString();
}

bool LoadEnabler(const char* step)
{
    const bool loaded = acrxLoadModule(CStringW(DEMO_MODULE_PATH), true);
    std::printf("[%s] The host loaded %s through its module loader: %s\n", step,
                std::filesystem::path(DEMO_MODULE_PATH).filename().c_str(), loaded ? "ok" : "failed");
    return loaded;
}

// A block definition of the drawing, and a block of it made by the enabler's
// block factory from a block reference that the client hands over.
CQdBlock* NewBlock(const wchar_t* name)
{
    AcDbBlockTable* table = nullptr;
    acdbHostApplicationServices()->workingDatabase()->getBlockTable(table, AcDb::kForWrite);
    auto* definition = new AcDbBlockTableRecord;
    definition->setName(name);
    AcDbObjectId definitionId;
    table->add(definitionId, definition);
    definition->close();
    table->close();

    AcDbBlockReference reference(AcGePoint3d(0.0, 0.0, 0.0), definitionId);
    element drawingObject{0, &reference};
    return CPmBlockFactory::CreateBlock(&drawingObject);
}

// A part showing a new block; adding the block puts it into model space, hidden.
CPmPart* NewPart(const wchar_t* blockName, dpoint3d offset)
{
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(NewBlock(blockName));
    part->SetOffset(offset);
    return part;
}

// A straight run of positions, heading along the run.
CPmSegment200* NewSegment(CPmPart* part, dpoint3d from, dpoint3d step, int count, double heading)
{
    std::vector<PmPosition200> path(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        PmPosition200& position = path[static_cast<size_t>(i)];
        position.pt = {from.x + i * step.x, from.y + i * step.y, from.z + i * step.z};
        position.tpt = {position.pt.x, position.pt.y, position.pt.z + 1.0};
        position.transform.SetRotation(CQdVector(0.0, 0.0, 1.0), heading);
        position.transform.SetTranslation(CQdVector(position.pt.x, position.pt.y, position.pt.z));
    }
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    segment->AddPath(path);
    return segment;
}

// A harbour crane: a trolley carrying a hook, out along the jib and back.
CPmSim200* MakeCrane()
{
    CPmPart* trolley = NewPart(L"TROLLEY", {0.0, 0.0, 0.0});
    trolley->AddPart(NewPart(L"HOOK", {0.0, 0.0, -4.0}));
    CPmSim200* sim = CPmDbxFactory200::MakeSim(static_cast<Adesk::UInt64>(*trolley->Block()->Handle()), 1);
    sim->SetName(_T("Harbour crane"));

    CPmSection200* out = CPmDbxFactory200::MakeSection();
    out->SetSpeed(12.0, 1);  // km/h, kept in miles per hour
    CPmPart* back = CPmDbxFactory200::CopyPart(*trolley);  // the same blocks, for the way back
    out->AddSegment(NewSegment(trolley, {0.0, 0.0, 20.0}, {10.0, 0.0, 0.0}, 3, 0.0));
    sim->AddSection(out);

    CPmSection200* home = CPmDbxFactory200::MakeSection();
    home->SetSpeed(5.0, 0);
    home->AddSegment(NewSegment(back, {20.0, 0.0, 20.0}, {-10.0, 0.0, 0.0}, 2, 3.14159265358979));
    sim->AddSection(home);
    return sim;
}

// A shuttle crossing the yard.
CPmSim200* MakeShuttle()
{
    CPmPart* shuttle = NewPart(L"SHUTTLE", {0.0, 0.0, 0.0});
    CPmSim200* sim = CPmDbxFactory200::MakeSim(static_cast<Adesk::UInt64>(*shuttle->Block()->Handle()), 2);
    sim->SetName(_T("Shuttle"));
    CPmSection200* crossing = CPmDbxFactory200::MakeSection();
    crossing->SetSpeed(30.0, 0);
    crossing->AddSegment(NewSegment(shuttle, {0.0, -15.0, 0.0}, {0.0, 15.0, 0.0}, 3, 1.5707963267949));
    sim->AddSection(crossing);
    return sim;
}

void PrintList(const char* step)
{
    CPmSimList200* list = CPmDbxFactory200::LoadSimList(false, false);
    std::printf("[%s] Simulations in the drawing:", step);
    for (int i = 0; i < list->Size(); ++i)
        std::printf(" \"%s\" (%d positions)", Narrow(*list->Sim(i)->Name()).c_str(), list->Sim(i)->Length());
    std::printf("\n");
    delete list;
}

// The first session: make, store and list simulations, then save the drawing.
bool Create(const std::string& file)
{
    if (!LoadEnabler("1"))
        return false;
    auto* drawing = new AcDbDatabase;
    acdbHostApplicationServices()->setWorkingDatabase(drawing);

    for (CPmSim200* sim : {MakeCrane(), MakeShuttle()})
    {
        const int status = sim->Save();
        std::printf("[1] Made \"%s\" (sections: %zu, positions: %d) and saved it: status %d\n",
                    Narrow(*sim->Name()).c_str(), sim->Sections()->size(), sim->Length(), status);
        CPmDbxFactory200::DeleteSim(sim);  // stored: the drawing keeps it
    }
    PrintList("1");

    const Acad::ErrorStatus saved = drawing->saveAs(CStringW(file.c_str()));
    std::printf("[1] Saved the drawing to %s: status %d\n", file.c_str(), saved);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete drawing;
    return saved == Acad::eOk;
}

// The second session, in a fresh process: read the drawing, list, dump, delete.
int Reopen(const std::string& file)
{
    if (!LoadEnabler("2"))
        return 1;
    auto* drawing = new AcDbDatabase(false, true);
    const Acad::ErrorStatus read = drawing->readDwgFile(CStringW(file.c_str()));
    std::printf("[2] Read the drawing %s: status %d\n", file.c_str(), read);
    acdbHostApplicationServices()->setWorkingDatabase(drawing);

    PrintList("2");
    CPmSimList200* list = CPmDbxFactory200::LoadSimList(false, false);
    for (int i = 0; i < list->Size(); ++i)
    {
        PmDumpStream dump;
        dump << *list->Sim(i);
        std::printf("[2] Dump of \"%s\":%s\n", Narrow(*list->Sim(i)->Name()).c_str(), Narrow(dump.str().c_str()).c_str());
    }
    delete list;

    std::printf("[2] DeleteSim(\"Shuttle\") answered %d (1: its blocks and record removed)\n",
                CPmDbxFactory200::DeleteSim(CString(_T("Shuttle"))));
    PrintList("2");

    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete drawing;
    return read == Acad::eOk ? 0 : 1;
}

int RunFreshProcess(const std::string& file)
{
    std::printf("Starting a fresh host process for the second session.\n");
    std::fflush(stdout);
    return DemoProcess::RunSelf({"--reopen", file});
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--reopen") == 0)
        return Reopen(argv[2]);
    const std::string file = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "varnex_demo.dwg").string();
    std::printf("Varnex in the stand-in DWG host\n");
    return Create(file) ? RunFreshProcess(file) : 1;
}
