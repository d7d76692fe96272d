// The MicroStation demonstration: a client application in the stand-in
// MicroStation host, with Varnex200_CNx64 loaded as the host loads it.
//
// It makes two simulations whose moving parts are shown by elements of the
// active model, stores them as records of the model and saves the design file.
// A fresh process, the next session of the host, then opens the design file,
// lists the simulations and prints their dump.
//
//   mstn_demo [design file]        (default: varnex_demo.dgn in the temporary folder)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <mdl.h>
#include <mstnhost.h>

#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
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

// A drawing element the client wants to move: a descriptor not yet in the model.
MSElementDescr* NewSymbol(std::uint8_t shape)
{
    MSElement element{};
    const std::uint8_t data[8] = {shape, 1, 2, 3, 4, 5, 6, 7};
    mstnHost_buildElement(&element, 4, 1, data, sizeof data);
    MSElementDescr* descr = nullptr;
    mstnHost_createDescriptor(&descr, &element);
    return descr;
}

// A part shown by a new symbol, which the part adds to the model hidden.
CPmPart* NewPart(std::uint8_t shape, DPoint3d offset)
{
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(CPmBlockFactory::CreateBlock(NewSymbol(shape)));
    part->SetOffset(offset);
    return part;
}

std::vector<PmPosition200> Path(int count, double heading)
{
    std::vector<PmPosition200> path;
    for (int i = 0; i < count; ++i)
    {
        PmPosition200 position;
        position.pt = dpoint3d{10.0 * i, 5.0 * i, 0.0};
        position.tpt = dpoint3d{10.0 * i + 1.0, 5.0 * i, 0.0};
        position.transform.SetTranslation(CQdVector(position.pt.x, position.pt.y, position.pt.z));
        position.transform.SetRotation(CQdVector(0.0, 0.0, 1.0), heading);
        path.push_back(position);
    }
    return path;
}

// A simulation of one section per speed, each with one segment of a cart and its wheel.
CPmSim200* NewSimulation(const wchar_t* name, std::initializer_list<double> speeds)
{
    // The simulation belongs to a drawing element of its own.
    const std::uint8_t data[4] = {9, 9, 9, 9};
    MSElement owner{};
    mstnHost_buildElement(&owner, 4, 1, data, sizeof data);
    mdlElement_append(&owner, mdlModelRef_getActive());

    CPmSim200* sim = CPmDbxFactory200::MakeSim(mdlElement_getID(&owner), 1);
    sim->SetName(name);
    for (const double speed : speeds)
    {
        CPmPart* cart = NewPart(1, DPoint3d{0.0, 0.0, 0.0});
        cart->AddPart(NewPart(2, DPoint3d{0.5, 0.0, -0.25}));
        CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
        segment->AddPart(cart);
        segment->AddPath(Path(3, speed / 100.0));
        CPmSection200* section = CPmDbxFactory200::MakeSection();
        section->SetSpeed(speed, 1);
        section->AddSegment(segment);
        sim->AddSection(section);
    }
    return sim;
}

int Write(const std::string& file)
{
    mstnHost_resetModel();
    for (CPmSim200* sim : {NewSimulation(L"Harbour run", {40.0}), NewSimulation(L"Hill climb", {25.0, 12.5})})
    {
        std::printf("[write] Stored %s (%d positions): status %d\n", Narrow(*sim->Name()).c_str(), sim->Length(),
                    sim->Save());
        CPmDbxFactory200::DeleteSim(sim);
    }
    const int saved = mstnHost_saveDesignFile(file.c_str());
    std::printf("[write] Saved the design file %s (%zu elements): %s\n", file.c_str(), mstnHost_elementCount(),
                saved == MSTN_SUCCESS ? "ok" : "failed");
    return saved == MSTN_SUCCESS ? 0 : 1;
}

int List(const std::string& file)
{
    const int opened = mstnHost_loadDesignFile(file.c_str());
    std::printf("[list] A fresh host opened %s: %s\n", file.c_str(), opened == MSTN_SUCCESS ? "ok" : "failed");
    if (opened != MSTN_SUCCESS)
        return 1;
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    std::printf("[list] %zu simulations:", names.size());
    for (const CString& name : names)
        std::printf(" \"%s\"", Narrow(name).c_str());
    std::printf("\n");

    CPmSimList200* list = CPmDbxFactory200::LoadSimList(false, false);
    for (int i = 0; i < list->Size(); ++i)
    {
        PmDumpStream dump;
        dump << *list->Sim(i);
        std::printf("[list] The dump of \"%s\":%s", Narrow(*list->Sim(i)->Name()).c_str(),
                    Narrow(CString(dump.str().c_str())).c_str());
    }
    delete list;
    return 0;
}

// The next session of the host: this program again, in a process of its own.
int RunFreshProcess(const std::string& file)
{
    return DemoProcess::RunSelf({"--list", file});
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--list") == 0)
        return List(argv[2]);
    const std::string file =
        argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "varnex_demo.dgn").string();
    if (Write(file) != 0)
        return 1;
    std::fflush(stdout);
    return RunFreshProcess(file);
}
