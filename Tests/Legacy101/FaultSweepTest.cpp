// Every operation of the format 101 module swept under failing allocations and
// failing host calls (see FaultSweep.h), some also while the caller holds open
// an object the operation neither changes nor needs. The base drawing is the
// legacy one: Cart (its block reference exists), Crane (in use, an id the
// drawing does not know) and Ghost (its block reference is erased).
#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "FaultSweep.h"
#include "HostDrawing.h"
#include "LegacyDrawing.h"
#include "ModuleTestSupport.h"
#include "PmAcadSimList.h"
#include "TestProcesses.h"

using namespace Sweep;

namespace
{
// A shared owner, so that the planned call can be copied into a std::function.
using SharedSim = std::shared_ptr<LegacySimPtr>;
using SharedList = std::shared_ptr<LegacyListPtr>;

SharedSim Share(CPmSim* sim)
{
    return std::make_shared<LegacySimPtr>(sim);
}

// A new simulation with one section whose part's block shows a definition of its own.
SharedSim NewSim(const CString& name, PmSimId id, int type)
{
    SharedSim sim = Share(CPmDbxFactory::MakeSim(id, type));
    (*sim)->SetName(name);
    CPmSection* section = CPmDbxFactory::MakeSection();
    section->SetSpeed(7.0, 1);
    const AcDbObjectId symbol = HostDrawing::AddBlockDefinition((L"Sweep" + std::wstring(name.GetString())).c_str());
    section->AddSegment(LegacyBuild::MakeSegment(LegacyBuild::MakePart(symbol, {0.0, 1.0, 0.0}), 2, 100.0));
    (*sim)->AddSection(section);
    return sim;
}

PmSimId CartId()
{
    LegacySimPtr cart(CPmDbxFactory::LoadSim(LegacyDrawing::kCart));
    return cart ? cart->Id() : 0;
}

// The call of an operation that answers a status.
Result StatusOf(FaultWindow& window, const std::function<int()>& call)
{
    Result result;
    int status = 0;
    const bool completed = window.Run([&] { status = call(); });
    result.report = completed && status == 0 ? Report::Success : Report::Failure;
    return result;
}

// Checks a list against the stored state: every listed simulation as stored;
// a success, or a run in which no call failed, lists exactly the expected names.
void CheckList(const CPmSimList* list, const State& stored, const std::set<std::string>& expected,
               const FaultWindow& window, Result& result)
{
    std::set<std::string> listed;
    for (int i = 0; list && i < list->Size(); ++i)
    {
        const CPmSim* sim = list->Sim(i);
        const std::string name = CStringA(sim->Name()->GetString()).GetString();
        listed.insert(name);
        if (!expected.count(name) || Fingerprint(*sim) != stored.at(name))
            result.problem += "\n  listed otherwise than stored: " + name;
    }
    if ((result.report == Report::Success || !window.Reached()) && listed != expected)
        result.problem += "\n  a list reported whole, or made without a fault, lacks simulations";
}

Planned SaveNew(const State& before, const std::string&, const std::string&)
{
    SharedSim sim = NewSim(L"Dolly", 0x77, 5);
    Planned planned{before, {"Dolly"}, {}};
    planned.asked["Dolly"] = Fingerprint(**sim);
    planned.run = [sim](FaultWindow& window) { return StatusOf(window, [&] { return (*sim)->Save(); }); };
    return planned;
}

// The id rule: Cart carries the new simulation's id and is stored again with id 0.
Planned SaveNewSharingAnId(const State& before, const std::string&, const std::string&)
{
    SharedSim sim = NewSim(L"Dolly", CartId(), 5);
    Planned planned{before, {"Dolly", "Cart"}, {}};
    planned.asked["Dolly"] = Fingerprint(**sim);
    LegacySimPtr cart(CPmDbxFactory::LoadSim(LegacyDrawing::kCart));
    cart->SetId(0);
    planned.asked["Cart"] = Fingerprint(*cart);
    planned.run = [sim](FaultWindow& window) { return StatusOf(window, [&] { return (*sim)->Save(); }); };
    return planned;
}

Planned SaveReplacing(const State& before, const std::string&, const std::string&)
{
    SharedSim sim = NewSim(LegacyDrawing::kCrane, LegacyDrawing::kCraneId, 8);
    Planned planned{before, {"Crane"}, {}};
    planned.asked["Crane"] = Fingerprint(**sim);
    planned.run = [sim](FaultWindow& window) { return StatusOf(window, [&] { return (*sim)->Save(); }); };
    return planned;
}

// A loaded copy, changed and stored again.
Planned Update(const State& before, const std::string&, const std::string&)
{
    SharedSim sim = Share(CPmDbxFactory::LoadSim(LegacyDrawing::kCart));
    (*sim)->SetType(11);
    CPmSection* section = CPmDbxFactory::MakeSection();
    section->SetSpeed(2.0, 2);
    (*sim)->AddSection(section);
    Planned planned{before, {"Cart"}, {}};
    planned.asked["Cart"] = Fingerprint(**sim);
    planned.run = [sim](FaultWindow& window) { return StatusOf(window, [&] { return (*sim)->Update(); }); };
    return planned;
}

// Every simulation of a list stored again, one of them changed.
Planned UpdateList(const State& before, const std::string&, const std::string&)
{
    SharedList list = std::make_shared<LegacyListPtr>(CPmDbxFactory::LoadSimList(true));
    CPmSim* crane = (*list)->Sim(CString(LegacyDrawing::kCrane));
    crane->SetType(12);
    Planned planned{before, {"Crane"}, {}};
    planned.asked["Crane"] = Fingerprint(*crane);
    planned.run = [list](FaultWindow& window) { return StatusOf(window, [&] { return (*list)->Save(); }); };
    return planned;
}

Planned Delete(const State& before, const std::string&, const std::string&)
{
    SharedSim sim = Share(CPmDbxFactory::LoadSim(LegacyDrawing::kCart));
    Planned planned{before, {"Cart"}, {}};
    planned.asked.erase("Cart");
    planned.run = [sim](FaultWindow& window) { return StatusOf(window, [&] { return (*sim)->Delete(); }); };
    return planned;
}

Planned DeleteSim(const State& before, const std::string&, const std::string&)
{
    SharedSim sim = Share(CPmDbxFactory::LoadSim(LegacyDrawing::kCrane));
    Planned planned{before, {}, {}};
    planned.run = [sim](FaultWindow& window) {
        Result result;
        result.report = Report::None;
        window.Run([&] { CPmDbxFactory::DeleteSim(sim->release()); });
        return result;
    };
    return planned;
}

Planned LoadSim(const State& before, const std::string&, const std::string&)
{
    Planned planned{before, {}, {}};
    planned.run = [before](FaultWindow& window) {
        Result result;
        LegacySimPtr loaded;
        window.Run([&] { loaded.reset(CPmDbxFactory::LoadSim(LegacyDrawing::kCrane)); });
        result.report = loaded ? Report::Success : Report::Failure;
        if (loaded && Fingerprint(*loaded) != before.at("Crane"))
            result.problem += "\n  LoadSim reads otherwise than stored:\n" + Fingerprint(*loaded);
        return result;
    };
    return planned;
}

// The drawing's list, loaded with its status.
Planned ListLoad(const State& before, bool keepAll)
{
    Planned planned{before, {}, {}};
    const std::set<std::string> expected =
        keepAll ? std::set<std::string>{"Cart", "Crane", "Ghost"} : std::set<std::string>{"Cart"};
    planned.run = [before, keepAll, expected](FaultWindow& window) {
        LegacyListPtr list;
        int status = 0;
        Result result;
        const bool completed = window.Run([&] {
            list.reset(CPmDbxFactory::MakeSimList());
            status = list ? list->Load(keepAll) : -1;
        });
        result.report = completed && status == 0 ? Report::Success : Report::Failure;
        CheckList(list.get(), before, expected, window, result);
        return result;
    };
    return planned;
}

// The factory's list, which answers no status.
Planned LoadSimList(const State& before, const std::string&, const std::string&)
{
    Planned planned{before, {}, {}};
    planned.run = [before](FaultWindow& window) {
        LegacyListPtr list;
        Result result;
        result.report = Report::None;
        window.Run([&] { list.reset(CPmDbxFactory::LoadSimList(true)); });
        CheckList(list.get(), before, {"Cart", "Crane", "Ghost"}, window, result);
        return result;
    };
    return planned;
}

// Deletes the simulations whose block reference exists: Cart.
Planned Clean(const State& before, const std::string&, const std::string&)
{
    Planned planned{before, {}, {}};
    planned.asked.erase("Cart");
    planned.run = [](FaultWindow& window) {
        Result result;
        result.report = Report::None;
        window.Run([] { CleanSims(); });
        return result;
    };
    return planned;
}

// Deletes the simulations not in use whose block reference is gone: Ghost.
Planned Purge(const State& before, const std::string&, const std::string&)
{
    Planned planned{before, {}, {}};
    planned.asked.erase("Ghost");
    planned.run = [](FaultWindow& window) {
        Result result;
        result.report = Report::None;
        window.Run([] { PurgeDeletedSims(); });
        return result;
    };
    return planned;
}

// Whether the handle names a live, invisible block reference at (4, 5, 6).
bool HiddenReferenceAt(const AcDbHandle& handle)
{
    AcDbBlockReference* reference = nullptr;
    if (acdbOpenObject(reference, HostDrawing::IdOfHandle(handle), AcDb::kForRead) != Acad::eOk)
        return false;
    const bool hidden = reference->visibility() == AcDb::kInvisible;
    const AcGePoint3d at = reference->position();
    reference->close();
    return hidden && at.x == 4.0 && at.y == 5.0 && at.z == 6.0;
}

// Adds a new part block to model space, hidden: a success leaves the block
// with the handle of an invisible reference; a failure leaves the reference
// the block's, and nothing new in the drawing.
Planned AddBlockToDrawing(const State& before, const std::string&, const std::string&)
{
    const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"SweepBlock");
    std::shared_ptr<CQdBlock> block(LegacyBuild::MakeBlock(symbol, {4.0, 5.0, 6.0}));
    Planned planned{before, {}, {}};
    planned.run = [block](FaultWindow& window) {
        AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
        const AcDbHandle seed = drawing->handseed();
        Result result = StatusOf(window, [&] { return block->AddToDrawing(false); });
        const AcDbHandle* handle = block->Handle();
        const bool added = handle && !handle->isNull();
        if (result.report != Report::Failure && !added)
            result.problem += "\n  a block added with success has no handle";
        if (added && !HiddenReferenceAt(*handle))
            result.problem += "\n  the handle of an added block names no hidden reference at its place";
        if (added && block->BlockRef())
            result.problem += "\n  an added block still holds its reference";
        if (!added && !block->BlockRef())
            result.problem += "\n  a block not added lost its reference";
        if (!added && static_cast<Adesk::UInt64>(drawing->handseed()) != static_cast<Adesk::UInt64>(seed))
        {
            // Whatever was made under the new handles must be gone again.
            for (Adesk::UInt64 h = seed; h < static_cast<Adesk::UInt64>(drawing->handseed()); ++h)
            {
                if (!std::isnan(HostDrawing::PositionOf(AcDbHandle(h))[0]))
                    result.problem += "\n  a block not added left a reference in the drawing";
            }
        }
        return result;
    };
    return planned;
}

// Saves over a drawing file saved before: a success holds the drawing as it
// is now, a failure leaves the file as it was.
Planned SaveDrawing(const State& before, const std::string& folder, const std::string& step)
{
    const std::string file = folder + "/" + step + "-saved.dwg";
    const CStringW fileName(file.c_str());
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    EXPECT_EQ(drawing->saveAs(fileName.GetString()), Acad::eOk);
    EXPECT_EQ(NewSim(L"Dolly", 0x77, 5)->get()->Save(), 0);
    const State now = Capture();
    Planned planned{now, {}, {}};
    planned.run = [drawing, file, fileName, before, now](FaultWindow& window) {
        Result result = StatusOf(window, [&] { return drawing->saveAs(fileName.GetString()); });
        result.files.push_back({file, result.report == Report::Failure ? before : now});
        return result;
    };
    return planned;
}

// Reads a drawing file into a new database: a success reads it whole, a
// failure leaves the database empty.
Planned ReadDrawing(const State& before, const std::string& folder, const std::string& step)
{
    const std::string file = folder + "/" + step + "-source.dwg";
    const CStringW fileName(file.c_str());
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase()->saveAs(fileName.GetString()), Acad::eOk);
    Planned planned{before, {}, {}};
    planned.run = [file, fileName, before](FaultWindow& window) {
        auto read = std::make_unique<AcDbDatabase>(false, true);
        Result result = StatusOf(window, [&] { return read->readDwgFile(fileName.GetString()); });
        result.files.push_back({file, before});
        if (result.report == Report::Failure)
        {
            if (read->approxNumObjects() != 0)
                result.problem += "\n  a refused drawing leaves objects in the database";
            return result;
        }
        AcDbDatabase* session = acdbHostApplicationServices()->workingDatabase();
        acdbHostApplicationServices()->setWorkingDatabase(read.get());
        // An object the host could not make is kept as a proxy of its record:
        // it does not load in this session, but a save keeps it whole.
        const State read_ = Capture();
        for (const auto& entry : before)
        {
            const auto found = read_.find(entry.first);
            const bool same = found != read_.end() && found->second == entry.second;
            if (!same && HostDrawing::StoredClass(CString(entry.first.c_str())) == L"CPmAcadSim")
                result.problem += "\n  a drawing read with success reads " + entry.first + " otherwise";
        }
        const std::string open = HostDrawing::OpenObjects();
        const std::string again = file.substr(0, file.size() - 4) + "-again.dwg";
        if (read->saveAs(CStringW(again.c_str()).GetString()) != Acad::eOk)
            result.problem += "\n  a drawing read does not save again";
        result.files.push_back({again, before});
        acdbHostApplicationServices()->setWorkingDatabase(session);
        if (!open.empty())
            result.problem += "\n  a drawing read leaves objects open:" + open;
        return result;
    };
    return planned;
}

using Plan = std::function<Planned(const State&, const std::string&, const std::string&)>;
using Held = std::shared_ptr<HostDrawing::HeldOpen>;

// The operation, run while the caller holds open the object that find names;
// it must succeed all the same.
Operation Holding(const char* name, Plan plan, std::function<AcDbObjectId()> find, AcDb::OpenMode mode)
{
    return {name, [plan, find, mode](const State& before, const std::string& folder, const std::string& step) {
                Planned planned = plan(before, folder, step);
                Held held = std::make_shared<HostDrawing::HeldOpen>();
                EXPECT_EQ(held->Open(find(), mode), Acad::eOk) << "the object the caller holds";
                planned.run = [held, run = planned.run](FaultWindow& window) {
                    Result result = run(window);
                    held->Release();
                    return result;
                };
                return planned;
            }};
}

// The block reference of Cart (another simulation than the one saved).
AcDbObjectId BlockOfCart()
{
    return HostDrawing::IdOfHandle(AcDbHandle(CartId()));
}

// An entity of model space that no simulation shows.
AcDbObjectId UnrelatedEntity()
{
    return HostDrawing::AddReference(HostDrawing::AddBlockDefinition(L"Bystander"), {9.0, 9.0, 0.0});
}

// The host's edit pattern: the caller opens the stored simulation for write,
// changes it and updates it; a stored simulation is closed, one that is not
// stays the caller's to close.
Planned UpdateOpenForWrite(const State& before, const std::string&, const std::string&)
{
    Held held = std::make_shared<HostDrawing::HeldOpen>();
    EXPECT_EQ(held->Open(CZrAcadObject::GetObjectId(_T("QD_SIM"), LegacyDrawing::kCart), AcDb::kForWrite),
              Acad::eOk);
    CPmAcadSim* sim = CPmAcadSim::cast(held->Object());
    Planned planned{before, {"Cart"}, {}};
    if (!sim)
    {
        planned.run = [held](FaultWindow&) {
            held->Release();
            Result result;
            result.problem = "\n  the caller holds no simulation";
            return result;
        };
        return planned;
    }
    sim->SetName(LegacyDrawing::kCart);
    sim->SetType(11);
    CPmSection* section = CPmDbxFactory::MakeSection();
    section->SetSpeed(2.0, 2);
    sim->AddSection(section);
    planned.asked["Cart"] = Fingerprint(*sim);
    planned.run = [held, sim](FaultWindow& window) {
        Result result = StatusOf(window, [&] {
            const int status = sim->Update();
            if (status == 0)
                held->HandOver();
            return status;
        });
        held->Release();
        return result;
    };
    return planned;
}

Planned ListLoadLive(const State& before, const std::string&, const std::string&)
{
    return ListLoad(before, false);
}

const Operation kOperations[] = {
    {"SaveNew", SaveNew},
    {"SaveNewSharingAnId", SaveNewSharingAnId},
    {"SaveReplacing", SaveReplacing},
    {"Update", Update},
    {"UpdateList", UpdateList},
    {"Delete", Delete},
    {"DeleteSim", DeleteSim},
    {"LoadSim", LoadSim},
    {"ListLoadKeepAll", [](const State& before, const std::string&, const std::string&) { return ListLoad(before, true); }},
    {"ListLoadLive", ListLoadLive},
    {"LoadSimList", LoadSimList},
    {"CleanSims", Clean},
    {"PurgeDeletedSims", Purge},
    {"AddBlockToDrawing", AddBlockToDrawing},
    {"SaveDrawing", SaveDrawing},
    {"ReadDrawing", ReadDrawing},
    // What the caller holds open is none of these operations' business.
    {"UpdateOpenForWrite", UpdateOpenForWrite},
    Holding("SaveNewHoldingOtherBlockForRead", SaveNew, BlockOfCart, AcDb::kForRead),
    Holding("SaveNewHoldingOtherBlockForWrite", SaveNew, BlockOfCart, AcDb::kForWrite),
    Holding("SaveReplacingHoldingOtherBlockForRead", SaveReplacing, BlockOfCart, AcDb::kForRead),
    Holding("SaveReplacingHoldingOtherBlockForWrite", SaveReplacing, BlockOfCart, AcDb::kForWrite),
    Holding("SaveNewSharingAnIdHoldingOtherBlockForRead", SaveNewSharingAnId, BlockOfCart, AcDb::kForRead),
    Holding("SaveNewSharingAnIdHoldingOtherBlockForWrite", SaveNewSharingAnId, BlockOfCart, AcDb::kForWrite),
    Holding("SaveNewHoldingUnrelatedEntity", SaveNew, UnrelatedEntity, AcDb::kForWrite),
    Holding("UpdateHoldingUnrelatedEntity", Update, UnrelatedEntity, AcDb::kForWrite),
    Holding("DeleteHoldingUnrelatedEntity", Delete, UnrelatedEntity, AcDb::kForWrite),
    Holding("DeleteSimHoldingUnrelatedEntity", DeleteSim, UnrelatedEntity, AcDb::kForWrite),
    Holding("ListLoadLiveHoldingUnrelatedEntity", ListLoadLive, UnrelatedEntity, AcDb::kForWrite),
    // A block reference the caller holds open is there: its simulation is listed, and not purged.
    Holding("ListLoadLiveHoldingSimBlockForRead", ListLoadLive, BlockOfCart, AcDb::kForRead),
    Holding("ListLoadLiveHoldingSimBlockForWrite", ListLoadLive, BlockOfCart, AcDb::kForWrite),
    Holding("PurgeDeletedSimsHoldingSimBlockForWrite", Purge, BlockOfCart, AcDb::kForWrite),
};

class FaultSweepTest : public LegacyDrawingTest, public testing::WithParamInterface<const Operation*>
{
protected:
    void TearDown() override
    {
        TestProcesses::RemoveSharedTempDir(Tag().c_str());
        LegacyDrawingTest::TearDown();
    }

    std::string Tag() const { return std::string("sweep101_") + GetParam()->name; }
};

// Set while the fresh host that reads the step drawings runs: the test runs
// again in it up to there, without the sweep.
constexpr const char* kSweptVariable = "PM_LEGACY101_SWEPT";

TEST_P(FaultSweepTest, NothingIsLostLeftOpenOrReportedDoneThatIsNot)
{
    const std::string folder = TestProcesses::SharedTempDir(Tag().c_str());
    ASSERT_FALSE(folder.empty());
    const auto sweep = [&](std::string& swept) {
        SweepOperation(*GetParam(), folder);
        swept = folder;
    };
    RunThenCheckInFreshHost(kSweptVariable, sweep, CheckStepDrawings);
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultSweepTest, testing::ValuesIn([] {
                             std::vector<const Operation*> operations;
                             for (const Operation& operation : kOperations)
                                 operations.push_back(&operation);
                             return operations;
                         }()),
                         [](const testing::TestParamInfo<const Operation*>& param) { return param.param->name; });
} // namespace
