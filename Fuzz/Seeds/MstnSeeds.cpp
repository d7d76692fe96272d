// Writes the seeds of a design-file harness with its MicroStation module, each
// a design file without its closing checksum (the harness adds it):
//   <harness>/sims.dgn    two simulations, with a drawing element of their own
//   <harness>/empty.dgn   a model without elements
//   <harness>/pieces2.dgn a simulation of two data elements, the second
//                         beginning with the record kind (1000), and a small one
//   <harness>/pieces3.dgn a simulation of three data elements, the second and
//                         the third beginning with the record kind
#include <cstddef>
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

// Bytes a character takes in a record's strings.
#ifdef UNICODE
constexpr std::size_t kCharBytes = 2;
#else
constexpr std::size_t kCharBytes = 1;
#endif
constexpr std::size_t kPieceBytes = 131030;  // the stream a data element holds
constexpr int kRecordKind = 1000;

// The chunks of a segment in the stream: the block chunk, the part chunk (the
// name with its NUL, the offset, the sub-part count) and the positions chunk.
std::size_t PartChunk(const std::string& name)
{
    return 4 + (name.size() + 1) * kCharBytes + 24 + 4;
}

std::size_t SegmentBytes(const std::string& name, int positions)
{
    return 12 + PartChunk(name) + 8 + 72 * static_cast<std::size_t>(positions);
}

// Adds to the section, whose next segment begins at stream offset at, a
// segment on as many positions, moving a part named from base and as long as
// it takes, that the position count of the segment after it, moving next,
// falls at the boundary; then that segment, on as many positions as the kind.
void AddSegmentsToBoundary(CPmSection200* section, std::size_t& at, std::size_t boundary, const std::string& base,
                           const std::string& next)
{
    const std::size_t room = boundary - at - (12 + PartChunk(next) + 4) - SegmentBytes(base, 0);
    const int positions = static_cast<int>(room / 72);
    const std::string name = base + std::string(room % 72 / kCharBytes, 'x');
    section->AddSegment(MakeSegment(MakePart(name.c_str(), 0.0, 0.0, 0.0), positions, 0.0));
    section->AddSegment(MakeSegment(MakePart(next.c_str(), 0.0, 1.0, 0.0), kRecordKind, 1.0));
    at += SegmentBytes(name, positions) + SegmentBytes(next, kRecordKind);
}

// Live elements of the records' type whose payload begins with the kind.
std::size_t ElementsBeginningWithTheKind()
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < mstnHost_elementCount(); ++i)
    {
        MstnHostElementInfo info{};
        if (mstnHost_elementAt(i, &info) != MSTN_SUCCESS || info.deleted || info.type != 66 || info.sizeWords < 19)
            continue;
        const std::uint8_t* kind = info.bytes + 34;
        count += (kind[0] | (kind[1] << 8) | (kind[2] << 16) | (kind[3] << 24)) == kRecordKind ? 1 : 0;
    }
    return count;
}

// A simulation of one section whose stream puts a position count of 1000 at
// each of the first boundaries; false when the saved record does not hold that.
bool StorePieces(const char* name, int boundaries)
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(AddDrawingElement(3), 4);
    sim->SetName(CString(name));
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(20.0, 0);
    std::size_t at = 56 + 8 + 20;  // behind the simulation, section count and section chunks
    const char* const parts[][2] = {{"Cart", "Crane"}, {"Trolley", "Hook"}};
    for (int i = 0; i < boundaries; ++i)
        AddSegmentsToBoundary(section, at, kPieceBytes * static_cast<std::size_t>(i + 1), parts[i][0], parts[i][1]);
    sim->AddSection(section);
    const std::size_t before = ElementsBeginningWithTheKind();
    const int status = sim->Save();
    CPmDbxFactory200::DeleteSim(sim);
    // The header and a data element at each boundary begin with the kind.
    return status == 0 && (at + kPieceBytes - 1) / kPieceBytes == static_cast<std::size_t>(boundaries + 1) &&
           ElementsBeginningWithTheKind() == before + 1 + static_cast<std::size_t>(boundaries);
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
    mstnHost_resetModel();
    if (!StorePieces("Boundary", 1) || StoreSims() != 0 || !WriteModel(folder + "/pieces2.dgn"))
        return 1;
    mstnHost_resetModel();
    if (!StorePieces("Two boundaries", 2) || !WriteModel(folder + "/pieces3.dgn"))
        return 1;
    return mstnHost_faultCount() == 0 && mstnHost_liveDescriptorCount() == 0 ? 0 : 1;
}
