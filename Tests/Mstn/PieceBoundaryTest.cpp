// A data element after the first begins with whatever bytes of the stream fall
// at its piece boundary. A simulation laid out so that its second data element
// begins with the record kind (1000) is listed once, loads whole, is replaced
// whole by a later Save, and its Delete removes exactly its elements: in the
// session, and in its design file read by a fresh host.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
class PieceBoundaryTest : public Fixture
{
};

constexpr std::size_t kPieceBytes = 131030;
constexpr int kFirstPositions = 1817;
constexpr int kSecondPositions = 1000;  // the record kind
const CString kName = _T("Boundary");
const CString kKeep = _T("Keep");
const CString kFirstPart = _T("Cart");
// The second part's name is as long as it takes to bring the second segment's
// position count to the first piece boundary.
#ifdef UNICODE
const CString kSecondPart = _T("Crane");
#else
const CString kSecondPart = _T("Crane with hoist");
#endif

// The chunk lengths of the record layout: a part chunk holds the name with its
// NUL, the offset and the sub-part count; a positions chunk the count and 72
// bytes a position.
std::size_t PartChunk(const CString& name)
{
    return 4 + NameBytes(static_cast<std::size_t>(name.GetLength())) + 24 + 4;
}

std::size_t PositionsChunk(int positions)
{
    return 4 + 4 + 72 * static_cast<std::size_t>(positions);
}

// Where the second segment's position count stands in the stream: behind the
// simulation, section count and section chunks, the first segment's block,
// part and positions chunks, the second's block and part chunks and the
// length of its positions chunk.
std::size_t SecondCountOffset()
{
    return 56 + 8 + 20 + 12 + PartChunk(kFirstPart) + PositionsChunk(kFirstPositions) + 12 +
           PartChunk(kSecondPart) + 4;
}

// One section of two segments: 1817 positions moving "Cart", then 1000 moving the second part.
CPmSim200* MakeBoundarySim(int type, double speed)
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(AddDrawingElement(), type);
    sim->SetName(kName);
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(speed, 1);
    section->AddSegment(MakeSegment(MakePart(kFirstPart), kFirstPositions));
    section->AddSegment(MakeSegment(MakePart(kSecondPart), kSecondPositions));
    sim->AddSection(section);
    return sim;
}

std::string Dump(const CPmSim200& sim)
{
    PmDumpStream os;
    os << sim;
    return Narrow(CString(os.str().c_str()));
}

std::string LoadedDump(const CString& name)
{
    SimPtr sim(CPmDbxFactory200::LoadSim(name));
    return sim ? Dump(*sim) : std::string();
}

// The stored record of the simulation is a header and two data elements, the
// second beginning with the kind.
void ExpectKindAtSecondPiece()
{
    const std::vector<ElementId> ids = RecordIds(kName);
    ASSERT_EQ(ids.size(), 3u) << "a header and two data elements";
    MstnHostElementInfo second{};
    ASSERT_EQ(mstnHost_findElement(ids[2], &second), MSTN_SUCCESS);
    EXPECT_EQ(GetI32(second.bytes + 34), 1000) << "the second data element begins with the kind";
}

std::vector<std::string> ListedNames()
{
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    std::vector<std::string> narrow;
    for (const CString& name : names)
        narrow.push_back(Narrow(name));
    return narrow;
}

void ExpectListedOnceAndLoadedAs(const std::string& dump)
{
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Keep", "Boundary"}));
    const std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(false, false));
    ASSERT_EQ(list->Size(), 2) << "both ids name elements of the model";
    EXPECT_EQ(Dump(*list->Sim(1)), dump);
    EXPECT_EQ(LoadedDump(kName), dump);
}

void ExpectReplacedWhole()
{
    const std::vector<ElementId> old = RecordIds(kName);
    SimPtr replacement(MakeBoundarySim(9, 20.0));
    ASSERT_EQ(replacement->Save(), 0);
    EXPECT_EQ(HeaderCount(kName), 1);
    ExpectKindAtSecondPiece();
    for (const ElementId id : old)
        EXPECT_FALSE(ElementLive(id)) << "an element of the replaced record stays";
    ExpectListedOnceAndLoadedAs(Dump(*replacement));
}

// Delete takes the record's elements and its parts' blocks, nothing else.
void ExpectDeletedExactly(const std::string& keepDump)
{
    std::set<ElementId> left = LiveIds();
    for (const ElementId id : RecordIds(kName))
        left.erase(id);
    {
        SimPtr stored(CPmDbxFactory200::LoadSim(kName));
        ASSERT_NE(stored, nullptr);
        for (const CPmSegment200* segment : *stored->Sections()->at(0)->Segments())
            left.erase(segment->Part()->Block()->ElementId());
    }
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(kName), 1);
    EXPECT_EQ(LiveIds(), left);
    EXPECT_EQ(LoadedDump(kKeep), keepDump);
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"Keep"});
}

std::string FileText(const std::string& path)
{
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}
} // namespace

TEST_F(PieceBoundaryTest, ASimulationWhoseSecondPieceBeginsWithTheKindIsStoredWhole)
{
    constexpr const char* kFolderVariable = "PM_MSTN_TEST_BOUNDARY_FOLDER";
    ASSERT_EQ(SecondCountOffset(), kPieceBytes);
    // The parent stores the simulations, checks them, saves the design file and
    // names its folder to the child through the environment.
    if (!std::getenv(kFolderVariable))
    {
        std::string folder = testing::TempDir() + "pm_mstn_boundary_XXXXXX";
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        setenv(kFolderVariable, folder.c_str(), 1);
        SimPtr keep(MakeSimulation(kKeep, 3));
        keep->SetId(AddDrawingElement());
        ASSERT_EQ(keep->Save(), 0);
        SimPtr sim(MakeBoundarySim(3, 50.0));
        ASSERT_EQ(sim->Save(), 0);
        ExpectKindAtSecondPiece();
        ExpectListedOnceAndLoadedAs(Dump(*sim));
        std::ofstream(folder + "/keep.txt") << Dump(*keep);
        std::ofstream(folder + "/sim.txt") << Dump(*sim);
        ASSERT_EQ(mstnHost_saveDesignFile((folder + "/boundary.dgn").c_str()), MSTN_SUCCESS);

        ExpectReplacedWhole();
        ExpectDeletedExactly(Dump(*keep));
    }
    const std::string folder = std::getenv(kFolderVariable);

    RunInFreshHost([&] {
        ASSERT_EQ(mstnHost_loadDesignFile((folder + "/boundary.dgn").c_str()), MSTN_SUCCESS);
        ExpectKindAtSecondPiece();
        ExpectListedOnceAndLoadedAs(FileText(folder + "/sim.txt"));
        ExpectReplacedWhole();
        ExpectDeletedExactly(FileText(folder + "/keep.txt"));
    });

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    unsetenv(kFolderVariable);
}
