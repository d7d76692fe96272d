// Writes the seeds of a design-file harness with its MicroStation module, each
// a design file without its closing checksum (the harness adds it):
//   <harness>/sims.dgn    two simulations, with a drawing element of their own
//   <harness>/empty.dgn   a model without elements
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <mdl.h>
#include <mstnhost.h>

#include "MstnSims200.h"
#include "PmDbxFactory200.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSim200.h"
#include "SeedFiles.h"

namespace
{
using MstnSims::AddDrawingElement;
using MstnSims::MakePart;
using MstnSims::MakeSegment;

int StoreSims()
{
    CPmSim200* route = CPmDbxFactory200::MakeSim(AddDrawingElement(1), 3);
    route->SetName(CString("Route"));
    CPmPart* engine = MakePart("Engine", 0.0, 0.0, 0.0);
    CPmPart* car = MakePart("Car", 1.5, 0.0, 0.25);
    car->AddPart(MakePart("Bogie", 0.0, 0.5, -0.25));
    engine->AddPart(car);
    CPmSection200* first = CPmDbxFactory200::MakeSection();
    first->SetSpeed(50.0, 0);
    first->AddSegment(MakeSegment(engine, 3, 0.0));
    route->AddSection(first);
    CPmSection200* second = CPmDbxFactory200::MakeSection();
    second->SetSpeed(30.0, 1);
    second->AddSegment(MakeSegment(MakePart("Brake", 0.0, 0.0, 1.0), 2, 5.0));
    route->AddSection(second);

    CPmSim200* yard = CPmDbxFactory200::MakeSim(AddDrawingElement(2), 5);
    yard->SetName(CString("Yard"));
    yard->SetSimInUse(true);
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(12.5, 2);
    section->AddSegment(MakeSegment(MakePart("Shunter", 0.25, 0.25, 0.0), 2, 0.5));
    yard->AddSection(section);

    const int status = route->Save() + yard->Save();
    CPmDbxFactory200::DeleteSim(route);
    CPmDbxFactory200::DeleteSim(yard);
    return status;
}

// The active model as a design file, its closing checksum cut off.
bool WriteModel(const std::string& path)
{
    const FuzzFile file("seed", ".dgn");
    std::vector<std::uint8_t> bytes;
    if (mstnHost_saveDesignFile(file.Path().c_str()) != MSTN_SUCCESS || !file.Read(bytes) || bytes.size() < 8)
        return false;
    bytes.resize(bytes.size() - 8);
    return WriteSeed(path, bytes);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = SeedFolder(argv[1], PM_SEED_HARNESS);
    mstnHost_resetModel();
    if (!WriteModel(folder + "/empty.dgn"))
        return 1;
    if (StoreSims() != 0 || !WriteModel(folder + "/sims.dgn"))
        return 1;
    return mstnHost_faultCount() == 0 && mstnHost_liveDescriptorCount() == 0 ? 0 : 1;
}
