// The probe of a MicroStation module: its smoke run, and design files written
// and read across builds. The module runs on the stand-in host's active model.
//
// A build whose record strings are of the other width (CONNECT stores them as
// UTF-16LE, XM and V8i narrow) cannot read the other's records: a reader meets
// them with the foreign-width check, which asserts that they are left alone.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <mdl.h>
#include <mstnhost.h>
#include <windows.h>

#include "MstnSims200.h"
#include "PmDbxFactory200.h"
#include "PmMstnSim200.h"
#include "PmMstnSimList200.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSim200.h"
#include "Probe.h"
#include "ProbeFacts.h"
#include "QdBlock.h"
#include "SimFacts200.h"

namespace
{
#ifdef UNICODE
constexpr std::size_t kCharBytes = 2;
#else
constexpr std::size_t kCharBytes = 1;
#endif

// The simulations every probe writes; no format 101 stand-in holds these names.
constexpr const char* kRouteName = "Probe Route";
constexpr const char* kYardName = "Probe Yard";
// A name each format 101 stand-in holds.
constexpr const char* kFormat101Name = "Old Route";

// Record elements: application elements on the record level, simulation kind.
constexpr int kRecordType = 66;
constexpr LevelId kRecordLevel = 20;
constexpr std::uint8_t kSignature[2] = {0x6F, 0x58};
constexpr std::int32_t kSimulationKind = 1000;
constexpr std::size_t kKindOffset = 34;
constexpr std::size_t kNameOffset = 38;

// ---- the host ----

// Whatever the module left behind in the host: descriptors or scan criteria
// still held, or a fault; empty when nothing.
std::string HostTrouble()
{
    std::string trouble;
    if (mstnHost_liveDescriptorCount() != 0)
        trouble += std::to_string(mstnHost_liveDescriptorCount()) + " descriptors held; ";
    if (mstnHost_liveScanCriteriaCount() != 0)
        trouble += std::to_string(mstnHost_liveScanCriteriaCount()) + " scan criteria held; ";
    if (mstnHost_faultCount() != 0)
        trouble += std::to_string(mstnHost_faultCount()) + " host faults, last: " + mstnHost_lastFault();
    return trouble;
}

void StartHost()
{
    mstnHost_resetModel();
    mstnHost_clearFaults();
}

struct ElementLook
{
    ElementId id;
    bool deleted;
    std::vector<std::uint8_t> bytes;
};

std::vector<ElementLook> ModelElements()
{
    std::vector<ElementLook> elements;
    for (std::size_t i = 0; i < mstnHost_elementCount(); ++i)
    {
        MstnHostElementInfo info{};
        if (mstnHost_elementAt(i, &info) != MSTN_SUCCESS)
            continue;
        const std::uint8_t* end = info.bytes + 2 * static_cast<std::size_t>(info.sizeWords);
        elements.push_back({info.id, info.deleted, std::vector<std::uint8_t>(info.bytes, end)});
    }
    return elements;
}

// Empty when every element of before is still in the model as it was.
std::string ChangedElements(const std::vector<ElementLook>& before)
{
    const std::vector<ElementLook> now = ModelElements();
    if (now.size() < before.size())
        return "elements vanished";
    for (std::size_t i = 0; i < before.size(); ++i)
    {
        if (now[i].id != before[i].id || now[i].deleted != before[i].deleted || now[i].bytes != before[i].bytes)
            return "element " + std::to_string(i) + " changed";
    }
    return std::string();
}

// The name as a record stores it with characters of that many bytes, NUL included.
std::vector<std::uint8_t> StoredName(const char* ascii, std::size_t charBytes)
{
    std::vector<std::uint8_t> bytes;
    for (const char* c = ascii;; ++c)
    {
        bytes.push_back(static_cast<std::uint8_t>(*c));
        bytes.resize(bytes.size() + charBytes - 1, 0);
        if (*c == '\0')
            return bytes;
    }
}

// Live simulation record headers whose name is stored as those bytes.
int HeadersNamed(const std::vector<std::uint8_t>& storedName)
{
    int count = 0;
    for (std::size_t i = 0; i < mstnHost_elementCount(); ++i)
    {
        MstnHostElementInfo info{};
        if (mstnHost_elementAt(i, &info) != MSTN_SUCCESS || info.deleted || info.type != kRecordType ||
            info.level != kRecordLevel)
            continue;
        const std::size_t size = 2 * static_cast<std::size_t>(info.sizeWords);
        const std::uint8_t* b = info.bytes;
        if (size < kNameOffset + storedName.size() || b[32] != kSignature[0] || b[33] != kSignature[1])
            continue;
        const std::int32_t kind = static_cast<std::int32_t>(
            b[kKindOffset] | (b[kKindOffset + 1] << 8) | (b[kKindOffset + 2] << 16) |
            (static_cast<std::uint32_t>(b[kKindOffset + 3]) << 24));
        if (kind == kSimulationKind && std::memcmp(b + kNameOffset, storedName.data(), storedName.size()) == 0)
            ++count;
    }
    return count;
}

// ---- the probe's simulations ----

using MstnSims::AddDrawingElement;
using MstnSims::MakePart;
using MstnSims::MakeSegment;

// Two sections, three segments in all; the first segment's part tree is two deep.
CPmSim200* MakeRoute()
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(AddDrawingElement(1), 3);
    sim->SetName(CString(kRouteName));
    CPmPart* engine = MakePart("Engine", 0.0, 0.0, 0.0);
    CPmPart* car = MakePart("Car", 1.5, 0.0, 0.25);
    car->AddPart(MakePart("Bogie", 0.0, 0.5, -0.25));
    car->AddPart(MakePart("Coupler", 0.75, 0.0, 0.0));
    engine->AddPart(car);
    CPmSection200* first = CPmDbxFactory200::MakeSection();
    first->SetSpeed(50.0, 0);
    first->AddSegment(MakeSegment(engine, 3, 0.0));
    first->AddSegment(MakeSegment(MakePart("Tender", -2.0, 0.0, 0.0), 2, 3.0));
    sim->AddSection(first);
    CPmSection200* second = CPmDbxFactory200::MakeSection();
    second->SetSpeed(30.0, 1);
    second->AddSegment(MakeSegment(MakePart("Brake", 0.0, 0.0, 1.0), 4, 5.0));
    sim->AddSection(second);
    return sim;
}

// One section, one segment, in use.
CPmSim200* MakeYard()
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(AddDrawingElement(2), 5);
    sim->SetName(CString(kYardName));
    sim->SetSimInUse(true);
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(12.5, 2);
    section->AddSegment(MakeSegment(MakePart("Shunter", 0.25, 0.25, 0.0), 2, 0.5));
    sim->AddSection(section);
    return sim;
}

std::vector<CPmSim200*> MakeProbeSims()
{
    return {MakeRoute(), MakeYard()};
}

void DeleteAll(std::vector<CPmSim200*>& sims)
{
    for (CPmSim200* sim : sims)
        CPmDbxFactory200::DeleteSim(sim);
    sims.clear();
}

// The facts of every stored simulation, in the order the module lists them;
// one that is listed and does not load is a fact of its own.
ProbeFacts StoredFacts()
{
    ProbeFacts facts;
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    for (const CString& name : names)
    {
        if (CPmSim200* sim = CPmDbxFactory200::LoadSim(name))
        {
            AddSimFacts(facts, *sim);
            CPmDbxFactory200::DeleteSim(sim);
        }
        else
        {
            facts.Add("simulation", ProbeText(name));
            facts.Add("loads", false);
        }
    }
    return facts;
}

ProbeFacts FactsOf(const std::vector<CPmSim200*>& sims)
{
    ProbeFacts facts;
    for (const CPmSim200* sim : sims)
        AddSimFacts(facts, *sim);
    return facts;
}

#if defined(PM_BINDS_FORMAT101)
// The facts but the edited time, which a conversion sets when it is made, and
// the transforms, which a record holds as angles about the position's point.
std::vector<std::string> UpgradeKeptFacts(const ProbeFacts& facts)
{
    std::vector<std::string> lines;
    for (const std::string& line : facts.Lines())
    {
        if (line.compare(0, 8, "edited: ") != 0 && line.find(" transform: ") == std::string::npos)
            lines.push_back(line);
    }
    return lines;
}
#endif

// ---- reading a file of the other string width ----

// The list of the module with the record names it enumerated in view.
class InspectedList : public CPmMstnSimList200
{
public:
    const CStringArray& Names() const { return m_names; }
};

// The simulation names the facts list.
std::vector<std::string> FactNames(const std::vector<std::string>& lines)
{
    const std::string key = "simulation: ";
    std::vector<std::string> names;
    for (const std::string& line : lines)
    {
        if (line.compare(0, key.size(), key) == 0)
            names.push_back(line.substr(key.size()));
    }
    return names;
}

// What this build makes of records written with the other string width. The
// sound behaviour: no record is listed or loaded as a simulation, nothing is
// found under the writer's names, and storing and deleting simulations of
// those names leaves every element of the file as it was. Returns the failure,
// or empty with what the build made of it in seen.
std::string CheckForeign(const std::vector<std::string>& lines, std::string& seen)
{
    const std::vector<ElementLook> before = ModelElements();
    const std::vector<std::string> names = FactNames(lines);
    if (names.empty())
        return "the facts name no simulation";

    InspectedList enumerated;
    enumerated.Load(true, false);
    if (enumerated.Names().GetSize() != 0)
        return std::to_string(enumerated.Names().GetSize()) + " record names enumerated, the first \"" +
               ProbeText(enumerated.Names().GetAt(0)) + "\"; " + std::to_string(enumerated.Size()) +
               " simulations loaded";
    std::vector<CString> listed;
    CPmDbxFactory200::LoadSimNames(listed);
    if (!listed.empty())
        return "LoadSimNames lists \"" + ProbeText(listed.front()) + "\"";

    for (const std::string& text : names)
    {
        const CString name(text.c_str());
        if (CPmSim200* sim = CPmDbxFactory200::LoadSim(name))
        {
            CPmDbxFactory200::DeleteSim(sim);
            return "LoadSim(\"" + text + "\") hands back a simulation";
        }
        CPmDbxFactory200::UpgradeSim(name);
        if (const int status = CPmDbxFactory200::DeleteSim(name); status != 0)
            return "DeleteSim(\"" + text + "\") answers " + std::to_string(status);
        if (std::string changed = ChangedElements(before); !changed.empty())
            return "looking up \"" + text + "\": " + changed;
    }

    // A simulation of the writer's name stored and deleted by this build is a
    // record of its own beside the foreign one.
    const std::size_t foreignElements = before.size();
    for (const std::string& text : names)
    {
        const CString name(text.c_str());
        CPmSim200* sim = CPmDbxFactory200::MakeSim(0, 1);
        sim->SetName(name);
        CPmSection200* section = CPmDbxFactory200::MakeSection();
        section->AddSegment(MakeSegment(MakePart("Visitor", 0.0, 0.0, 0.0), 2, 0.0));
        sim->AddSection(section);
        const int saved = sim->Save();
        CPmDbxFactory200::DeleteSim(sim);
        if (saved != 0)
            return "Save of \"" + text + "\" answers " + std::to_string(saved);
        CPmSim200* read = CPmDbxFactory200::LoadSim(name);
        const bool ours = read && read->Sections()->size() == 1;
        CPmDbxFactory200::DeleteSim(read);
        if (!ours)
            return "the simulation saved as \"" + text + "\" does not load back";
        if (const int status = CPmDbxFactory200::DeleteSim(name); status != 1)
            return "DeleteSim(\"" + text + "\") of the saved one answers " + std::to_string(status);
        if (std::string changed = ChangedElements(before); !changed.empty())
            return "storing and deleting \"" + text + "\": " + changed;
    }
    std::vector<CString> after;
    CPmDbxFactory200::LoadSimNames(after);
    if (!after.empty())
        return "a simulation is left listed after the deletes";
    if (std::string trouble = HostTrouble(); !trouble.empty())
        return trouble;

    seen = "no record listed or loaded (" + std::to_string(names.size()) +
           " simulations written); LoadSim, UpgradeSim and DeleteSim find nothing under their names; Save and "
           "DeleteSim of those names store and remove records of their own and leave the " +
           std::to_string(foreignElements) + " elements of the file unchanged";
    return std::string();
}

// Reads one file and prints its line; true when it passed.
bool ReadOne(const std::string& file)
{
    StartHost();
    std::vector<std::string> expected;
    if (!ProbeFactsFile::Read(ProbeFactsFile::PathFor(file), expected) || expected.empty())
    {
        std::printf("unreadable %s: no facts beside it\n", file.c_str());
        return false;
    }
    if (const int status = mstnHost_loadDesignFile(file.c_str()); status != MSTN_SUCCESS)
    {
        std::printf("unreadable %s: the host refuses the design file (status 0x%X)\n", file.c_str(),
                    static_cast<unsigned>(status));
        return false;
    }
    const ProbeFacts thisBuild;
    if (expected.front() != thisBuild.Lines().front())
    {
        std::string seen;
        const std::string failure = CheckForeign(expected, seen);
        if (!failure.empty())
        {
            std::printf("differs %s: written with %s: %s\n", file.c_str(), expected.front().c_str(), failure.c_str());
            return false;
        }
        std::printf("foreign %s: %s\n", file.c_str(), seen.c_str());
        return true;
    }
    std::string difference = ProbeFactsFile::Difference(expected, StoredFacts().Lines());
    if (difference.empty())
        difference = HostTrouble();
    if (!difference.empty())
    {
        std::printf("differs %s: %s\n", file.c_str(), difference.c_str());
        return false;
    }
    std::printf("same %s\n", file.c_str());
    return true;
}

// ---- the smoke run ----

// The facts of a simulation loaded back against those it was saved from: bit
// for bit, but for the transforms, which the record holds as three angles and
// so come back within rounding.
void ExpectSavedFacts(const ProbeFacts& saved, const ProbeFacts& loaded)
{
    ASSERT_EQ(saved.Lines().size(), loaded.Lines().size());
    for (std::size_t i = 0; i < saved.Lines().size(); ++i)
    {
        const std::string& expected = saved.Lines()[i];
        const std::string& actual = loaded.Lines()[i];
        const std::size_t values = expected.find(" transform: ");
        if (values == std::string::npos || actual.compare(0, values, expected, 0, values) != 0)
        {
            EXPECT_EQ(actual, expected);
            continue;
        }
        std::istringstream want(expected.substr(values + 12));
        std::istringstream got(actual.substr(values + 12));
        double a = 0.0;
        double b = 0.0;
        int count = 0;
        while (want >> a && got >> b)
        {
            EXPECT_NEAR(b, a, 1e-12) << expected;
            ++count;
        }
        EXPECT_EQ(count, 16) << actual;
    }
}

class Smoke : public ::testing::Test
{
protected:
    void SetUp() override { StartHost(); }
    void TearDown() override { EXPECT_EQ(HostTrouble(), ""); }
};
} // namespace

int ProbeWrite(const std::string& file)
{
    StartHost();
    std::vector<CPmSim200*> sims = MakeProbeSims();
    for (CPmSim200* sim : sims)
    {
        if (const int status = sim->Save(); status != 0)
        {
            std::fprintf(stderr, "%s: Save of %s answers %d\n", PM_PROBE_DELIVERABLE,
                         ProbeText(*sim->Name()).c_str(), status);
            DeleteAll(sims);
            return 1;
        }
    }
    DeleteAll(sims);
    if (const int status = mstnHost_saveDesignFile(file.c_str()); status != MSTN_SUCCESS)
    {
        std::fprintf(stderr, "%s: %s not saved (status 0x%X)\n", PM_PROBE_DELIVERABLE, file.c_str(),
                     static_cast<unsigned>(status));
        return 1;
    }
    // The facts are what the file holds: read back from it by a fresh model.
    StartHost();
    if (mstnHost_loadDesignFile(file.c_str()) != MSTN_SUCCESS)
    {
        std::fprintf(stderr, "%s: %s does not load back\n", PM_PROBE_DELIVERABLE, file.c_str());
        return 1;
    }
    const ProbeFacts facts = StoredFacts();
    if (const std::string trouble = HostTrouble(); !trouble.empty())
    {
        std::fprintf(stderr, "%s: %s\n", PM_PROBE_DELIVERABLE, trouble.c_str());
        return 1;
    }
    if (!ProbeFactsFile::Write(ProbeFactsFile::PathFor(file), facts))
    {
        std::fprintf(stderr, "%s: facts of %s not written\n", PM_PROBE_DELIVERABLE, file.c_str());
        return 1;
    }
    return 0;
}

int ProbeRead(const std::vector<std::string>& files)
{
    bool passed = true;
    for (const std::string& file : files)
        passed = ReadOne(file) && passed;
    std::fflush(stdout);
    return passed ? 0 : 1;
}

// Make, save, list, load back and delete, on the module the process started with.
TEST_F(Smoke, Scenario)
{
    EXPECT_NE(GetModuleHandleA(PM_LEGACY_MODULE_FILE), nullptr)
        << "the application object's start-up loads the format 101 module";

    std::vector<CPmSim200*> sims = MakeProbeSims();
    for (CPmSim200* sim : sims)
    {
        EXPECT_NE(dynamic_cast<CPmMstnSim200*>(sim), nullptr);
        EXPECT_EQ(sim->Save(), 0) << ProbeText(*sim->Name());
    }
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], CString(kRouteName));
    EXPECT_EQ(names[1], CString(kYardName));
    ExpectSavedFacts(FactsOf(sims), StoredFacts());

    // Saving again replaces the record: still one of each name.
    EXPECT_EQ(sims[0]->Save(), 0);
    EXPECT_EQ(HeadersNamed(StoredName(kRouteName, kCharBytes)), 1);
    DeleteAll(sims);

    const ElementId routeBlock = [] {
        CPmSim200* route = CPmDbxFactory200::LoadSim(CString(kRouteName));
        const ElementId id = route ? (*(*route->Sections())[0]->Segments())[0]->Block()->ElementId() : 0;
        CPmDbxFactory200::DeleteSim(route);
        return id;
    }();
    ASSERT_NE(routeBlock, 0u);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(kYardName)), 2) << "in use: nothing removed";
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(kRouteName)), 1);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(kRouteName)), 0) << "nothing of that name any more";
    MstnHostElementInfo block{};
    ASSERT_EQ(mstnHost_findElement(routeBlock, &block), MSTN_SUCCESS);
    EXPECT_TRUE(block.deleted) << "the delete removes the parts' blocks";
    CPmDbxFactory200::LoadSimNames(names);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], CString(kYardName));
}

// Names only the format 101 module holds: the builds that bind it load them
// converted and upgrade them to format 200 records; CONNECT binds none.
TEST_F(Smoke, Format101Names)
{
    const CString name(kFormat101Name);
    const std::size_t elements = mstnHost_elementCount();
#if defined(PM_BINDS_FORMAT101)
    CPmSim200* converted = CPmDbxFactory200::LoadSim(name);
    ASSERT_NE(converted, nullptr);
    EXPECT_FALSE(converted->IsCurVersion());
    EXPECT_EQ(*converted->Name(), name);
    EXPECT_EQ(mstnHost_elementCount(), elements) << "a load stores nothing";

    CPmDbxFactory200::UpgradeSim(name);
    EXPECT_EQ(HeadersNamed(StoredName(kFormat101Name, kCharBytes)), 1);
    CPmSim200* upgraded = CPmDbxFactory200::LoadSim(name);
    ASSERT_NE(upgraded, nullptr);
    EXPECT_TRUE(upgraded->IsCurVersion()) << "read from its format 200 record";
    converted->SetIsCurVersion(true);
    EXPECT_EQ(UpgradeKeptFacts(FactsOf({upgraded})), UpgradeKeptFacts(FactsOf({converted})));
    CPmDbxFactory200::DeleteSim(converted);
    CPmDbxFactory200::DeleteSim(upgraded);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(name), 1);
#else
    EXPECT_EQ(CPmDbxFactory200::LoadSim(name), nullptr);
    CPmDbxFactory200::UpgradeSim(name);
    EXPECT_EQ(mstnHost_elementCount(), elements) << "nothing to upgrade";
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(name), 0);
#endif
}

// The build's string width, as the record holds the name: two bytes a
// character in CONNECT, one in XM and V8i, and never the other width.
TEST_F(Smoke, RecordStringWidth)
{
    std::vector<CPmSim200*> sims = MakeProbeSims();
    for (CPmSim200* sim : sims)
        ASSERT_EQ(sim->Save(), 0);
    DeleteAll(sims);
    const std::size_t otherWidth = 3 - kCharBytes;
    for (const char* name : {kRouteName, kYardName})
    {
        EXPECT_EQ(HeadersNamed(StoredName(name, kCharBytes)), 1) << name;
        EXPECT_EQ(HeadersNamed(StoredName(name, otherWidth)), 0) << name;
    }
}
