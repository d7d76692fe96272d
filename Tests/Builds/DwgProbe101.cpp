// The probe of a format 101 DWG module: its write and read modes (Probe.h) and
// the module's smoke run in a host of its bitness.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "HostDrawing.h"
#include "LegacyBuilders.h"
#include "Probe.h"
#include "ProbeFacts.h"
#include "SimFacts101.h"

namespace
{
const wchar_t kClassName[] = L"CPmAcadSim";
const wchar_t kServiceName[] = L"CPmAcadSim101";

bool LoadModule()
{
    return HostDrawing::LoadModule(PM_PROBE_MODULE_PATH);
}

// The facts of every simulation stored in the working drawing, in key order,
// each as its stored object holds it: opened, not copied, so that the edited
// time is the stored one.
ProbeFacts StoredFacts()
{
    ProbeFacts facts;
    for (const CString& key : HostDrawing::StoredNames())
    {
        CPmSim* sim = CPmAcadSim::Load(key);
        if (!sim)
        {
            facts.Add("simulation", ProbeText(key) + " does not load");
            continue;
        }
        AddSimFacts(facts, *sim);
        sim->Close();
    }
    return facts;
}

// Makes the drawing the working database for the scope.
class WorkingDrawing
{
public:
    explicit WorkingDrawing(AcDbDatabase* drawing) { acdbHostApplicationServices()->setWorkingDatabase(drawing); }
    ~WorkingDrawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
    WorkingDrawing(const WorkingDrawing&) = delete;
    WorkingDrawing& operator=(const WorkingDrawing&) = delete;
};

// One line for the file: how it reads against the facts beside it.
std::string Verdict(const std::string& file)
{
    std::vector<std::string> expected;
    if (!ProbeFactsFile::Read(ProbeFactsFile::PathFor(file), expected))
        return "unreadable " + file + ": no facts beside it";
    std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(file));
    if (!drawing)
        return "unreadable " + file + ": the drawing does not read";
    const std::string difference = ProbeFactsFile::Difference(expected, StoredFacts().Lines());
    if (!difference.empty())
        return "differs " + file + ": " + difference;
    return "same " + file;
}
} // namespace

int ProbeWrite(const std::string& file)
{
    if (!LoadModule())
    {
        std::fprintf(stderr, "%s does not load\n", PM_PROBE_MODULE_PATH);
        return 3;
    }
    AcDbDatabase drawing;
    const WorkingDrawing working(&drawing);
    const int stored = LegacyBuild::StoreLegacyDrawing();
    if (stored != 0)
    {
        std::fprintf(stderr, "storing the simulations gave %d\n", stored);
        return 4;
    }
    const Acad::ErrorStatus saved = drawing.saveAs(CStringW(file.c_str()).GetString());
    if (saved != Acad::eOk)
    {
        std::fprintf(stderr, "saving %s gave %d\n", file.c_str(), static_cast<int>(saved));
        return 4;
    }
    const std::string factsFile = ProbeFactsFile::PathFor(file);
    if (!ProbeFactsFile::Write(factsFile, StoredFacts()))
    {
        std::fprintf(stderr, "cannot write %s\n", factsFile.c_str());
        return 5;
    }
    return 0;
}

int ProbeRead(const std::vector<std::string>& files)
{
    const bool loaded = LoadModule();
    bool allSame = true;
    for (const std::string& file : files)
    {
        const std::string verdict = loaded ? Verdict(file) : "unreadable " + file + ": the module does not load";
        std::printf("%s\n", verdict.c_str());
        std::fflush(stdout);
        allSame = allSame && verdict.rfind("same ", 0) == 0;
    }
    return allSame ? 0 : 1;
}

namespace
{
HMODULE Module()
{
    return GetModuleHandleW(CStringW(PM_PROBE_MODULE_PATH).GetString());
}

// The class registered under the module's class name in the host's class dictionary.
AcRxClass* RegisteredClass()
{
    AcRxDictionary* classes = AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY));
    return classes ? AcRxClass::cast(classes->at(kClassName)) : nullptr;
}

std::string ScratchFile(const std::string& role)
{
    return testing::TempDir() + "probe_" PM_PROBE_DELIVERABLE "_" + role + "_" + std::to_string(getpid()) + ".dwg";
}

void RemoveScratch(const std::string& file)
{
    std::remove(file.c_str());
    std::remove(ProbeFactsFile::PathFor(file).c_str());
}

std::vector<CString> ListedNames(bool keepAll)
{
    LegacyListPtr list(CPmDbxFactory::LoadSimList(keepAll));
    std::vector<CString> names;
    for (int i = 0; list && i < list->Size(); ++i)
        names.push_back(*list->Sim(i)->Name());
    return names;
}

// Stores a simulation made through the factory: its id names the reference;
// one section of one segment whose part, with a sub-part, shows block
// definitions of its own (removing a block erases its definition too).
// Answers the handle of the part's block.
AcDbHandle Store(const CString& name, AcDbObjectId reference, bool inUse)
{
    CPmSim* sim = CPmDbxFactory::MakeSim(HostDrawing::IdOf(reference), 5);
    sim->SetName(name);
    sim->SetSimInUse(inUse);
    const AcDbObjectId body = HostDrawing::AddBlockDefinition((name + L" body").GetString());
    const AcDbObjectId wheel = HostDrawing::AddBlockDefinition((name + L" wheel").GetString());
    CPmPart* part = LegacyBuild::MakePart(body, {0.0, 0.0, 0.5});
    part->AddPart(LegacyBuild::MakePart(wheel, {1.0, 0.0, 0.0}));
    const AcDbHandle block = *part->Block()->Handle();
    CPmSection* section = CPmDbxFactory::MakeSection();
    section->SetSpeed(25.0, 2);
    section->AddSegment(LegacyBuild::MakeSegment(part, 3, 1.0 / 3.0));
    sim->AddSection(section);
    EXPECT_EQ(sim->Save(), 0) << CStringA(name.GetString()).GetString();
    return block;
}
} // namespace

// The probe's own modes: what it writes it reads back the same, and it tells
// a file without facts and facts that differ.
TEST(Probe, ReadsBackWhatItWrote)
{
    const std::string file = ScratchFile("probe");
    const std::string missing = ScratchFile("missing");
    const std::string garbage = ScratchFile("garbage");
    ASSERT_EQ(ProbeWrite(file), 0);
    std::ofstream(garbage) << "not a drawing\n";
    std::ofstream(ProbeFactsFile::PathFor(garbage)) << "strings: WIDE\n";
    const std::size_t heapBefore = acdbHostHeapLiveBlocks();
    std::vector<std::string> facts;
    ASSERT_TRUE(ProbeFactsFile::Read(ProbeFactsFile::PathFor(file), facts));
    ASSERT_GE(facts.size(), 2u);
    EXPECT_EQ(facts[0], "strings: WIDE");
    EXPECT_EQ(facts[1], "simulation: Cart");
    for (const char* name : {"simulation: Crane", "simulation: Ghost"})
        EXPECT_EQ(std::count(facts.begin(), facts.end(), name), 1) << name;

    testing::internal::CaptureStdout();
    const int read = ProbeRead({file, missing, garbage});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "same " + file + "\nunreadable " + missing +
                                                          ": no facts beside it\nunreadable " + garbage +
                                                          ": the drawing does not read\n");
    EXPECT_EQ(read, 1);

    {
        std::ofstream changed(ProbeFactsFile::PathFor(file), std::ios::binary | std::ios::trunc);
        for (std::size_t i = 0; i < facts.size(); ++i)
            changed << (i == 1 ? std::string("simulation: Carts") : facts[i]) << '\n';
    }
    testing::internal::CaptureStdout();
    EXPECT_EQ(ProbeRead({file}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "differs " + file + ": line 2: expected \"simulation: Carts\", read \"simulation: Cart\"\n");
    EXPECT_EQ(acdbHostHeapLiveBlocks(), heapBefore) << "reading left a host heap block";
    RemoveScratch(file);
    RemoveScratch(garbage);
}

// What the build's variants change that a host sees.
TEST(Smoke, BuildVariants)
{
    ASSERT_TRUE(LoadModule());
    EXPECT_EQ(sizeof(TCHAR), sizeof(wchar_t)) << "every format 101 build keeps wide strings";
    EXPECT_EQ(ProbeFacts().Lines().front(), "strings: WIDE");

    AcRxClass* registered = RegisteredClass();
    ASSERT_NE(registered, nullptr);
    EXPECT_EQ(registered, CPmAcadSim::desc());
    int version = 0;
    int maintenance = 0;
    registered->getClassVersion(version, maintenance);
    EXPECT_EQ(version, PM_DWG_VERSION);
    EXPECT_EQ(maintenance, PM_DWG_MAINT);

#if defined(PM_POINTS_EXPORTED)
    const bool pointsExported = true;
#else
    const bool pointsExported = false;
#endif
    for (const char* name : {"_ZNK8CQdPoint8DistanceERKS_", "_ZNK9CQdVector12CrossProductERKS_"})
        EXPECT_EQ(GetProcAddress(Module(), name) != nullptr, pointsExported) << name;
}

// Make, save, list, load back from the saved drawing, clean up and delete.
TEST(Smoke, Scenario)
{
    ASSERT_TRUE(LoadModule());
    const std::size_t heapBefore = acdbHostHeapLiveBlocks();
    const std::string file = ScratchFile("smoke");
    const CString route = L"Rout\u00e9";  // a name past ASCII: the module's strings are wide
    std::vector<std::string> saved;
    AcDbHandle routeBlock;
    {
        AcDbDatabase drawing;
        const WorkingDrawing working(&drawing);
        const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Marker");
        const AcDbObjectId live = HostDrawing::AddReference(symbol, {0.0, 0.0, 0.0});
        const AcDbObjectId lost = HostDrawing::AddReference(symbol, {1.0, 0.0, 0.0});
        const AcDbObjectId held = HostDrawing::AddReference(symbol, {2.0, 0.0, 0.0});
        routeBlock = Store(route, live, false);
        Store(L"Lost", lost, false);
        Store(L"Held", held, true);
        HostDrawing::Erase(lost);
        HostDrawing::Erase(held);
        saved = StoredFacts().Lines();
        ASSERT_EQ(drawing.saveAs(CStringW(file.c_str()).GetString()), Acad::eOk);
    }
    EXPECT_EQ(acdbHostHeapLiveBlocks(), heapBefore) << "a host heap block outlived the drawing";

    std::unique_ptr<AcDbDatabase, DrawingCloser> readBack(HostDrawing::OpenDrawing(file));
    std::remove(file.c_str());
    ASSERT_NE(readBack, nullptr);
    EXPECT_EQ(StoredFacts().Lines(), saved);
    ASSERT_GE(saved.size(), 2u);
    EXPECT_EQ(saved[1], "simulation: Held");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), "simulation: Rout\\u{e9}"), 1);

    const std::vector<CString> all{L"Held", L"Lost", route};
    EXPECT_EQ(HostDrawing::StoredNames(), all);
    EXPECT_EQ(ListedNames(true), all);
    EXPECT_EQ(ListedNames(false), std::vector<CString>{route}) << "only a live block reference keeps its simulation";

    PurgeDeletedSims();
    EXPECT_EQ(HostDrawing::StoredNames(), (std::vector<CString>{L"Held", route}))
        << "the unused one whose reference is gone goes";
    CleanSims();
    EXPECT_EQ(HostDrawing::StoredNames(), std::vector<CString>{L"Held"}) << "the one whose reference exists goes";
    EXPECT_TRUE(HostDrawing::IsErased(routeBlock)) << "its blocks go with it";

    LegacySimPtr copy(CPmDbxFactory::LoadSim(L"Held"));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(PmLegacySimOf(copy.get())->objectId().isNull()) << "a detached copy";
    EXPECT_EQ(copy->Delete(), 0);
    EXPECT_TRUE(HostDrawing::StoredNames().empty());
    EXPECT_NE(copy->Delete(), 0) << "neither blocks nor a stored entry are left";
    copy.reset();
    CPmDbxFactory::DeleteSim(nullptr);

    readBack.reset();
    EXPECT_EQ(acdbHostHeapLiveBlocks(), heapBefore) << "a host heap block outlived the drawing";
}

// Unloading: the module unlocks itself at start-up, so the host may unload it,
// and it takes its class and service with it. Runs last: the module is gone after it.
TEST(Smoke, Unload)
{
    ASSERT_TRUE(LoadModule());
    const std::wstring path = CStringW(PM_PROBE_MODULE_PATH).GetString();
    const std::wstring fileName = std::filesystem::path(path).filename().wstring();
    ASSERT_FALSE(acrxApplicationIsLocked(fileName.c_str())) << "the module unlocks itself";
    EXPECT_TRUE(acrxUnloadModule(path.c_str()));
    EXPECT_EQ(RegisteredClass(), nullptr);
    EXPECT_FALSE(acrxServiceIsRegistered(kServiceName));
    EXPECT_FALSE(acrxUnloadModule(path.c_str())) << "an unloaded module is not unloaded again";
}
