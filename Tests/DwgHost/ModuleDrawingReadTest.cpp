// Reading a drawing whose simulations a format 200 module stored, while the
// allocations fail one after another: each failed read is refused whole and
// leaks nothing, and the read that completes holds everything.
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include <arxheaders.h>
#include <dbhostfaults.h>

#include "FailingAllocator.h"
#include "HostTestSupport.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmDump.h"
#include "PmElement.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSim200.h"
#include "PmSimList200.h"
#include "QdBlock.h"
#include "QdVector.h"

namespace
{
// A part showing a block of a new definition of the working drawing.
CPmPart* MakePart(const wchar_t* blockName)
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
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(CPmBlockFactory::CreateBlock(&drawingObject));
    return part;
}

CPmSegment200* MakeSegment(CPmPart* part, int count)
{
    std::vector<PmPosition200> path(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        PmPosition200& position = path[static_cast<size_t>(i)];
        position.pt = {1.0 * i, 2.0 * i, 0.5};
        position.tpt = {1.0 * i, 2.0 * i, 1.5};
        position.transform.SetRotation(CQdVector(0.0, 0.0, 1.0), 0.25 * i);
        position.transform.SetTranslation(CQdVector(position.pt.x, position.pt.y, position.pt.z));
    }
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    segment->AddPath(path);
    return segment;
}

// A simulation of two sections whose part carries a sub-part, stored in the drawing.
void StoreSim(const wchar_t* name, int positions)
{
    const std::wstring stem(name);
    CPmPart* carrier = MakePart((stem + L" carrier").c_str());
    carrier->AddPart(MakePart((stem + L" hook").c_str()));
    CPmSim200* sim = CPmDbxFactory200::MakeSim(static_cast<Adesk::UInt64>(*carrier->Block()->Handle()), 1);
    sim->SetName(name);
    CPmSection200* out = CPmDbxFactory200::MakeSection();
    out->SetSpeed(12.0, 1);
    CPmPart* back = CPmDbxFactory200::CopyPart(*carrier);
    out->AddSegment(MakeSegment(carrier, positions));
    sim->AddSection(out);
    CPmSection200* home = CPmDbxFactory200::MakeSection();
    home->SetSpeed(5.0, 0);
    home->AddSegment(MakeSegment(back, 2));
    sim->AddSection(home);
    ASSERT_EQ(0, sim->Save());
    CPmDbxFactory200::DeleteSim(sim);
}

// The dump of every simulation the working drawing lists.
std::vector<std::wstring> DumpsOfSims()
{
    std::vector<std::wstring> dumps;
    CPmSimList200* list = CPmDbxFactory200::LoadSimList(false, false);
    for (int i = 0; list && i < list->Size(); ++i) {
        PmDumpStream dump;
        dump << *list->Sim(i);
        dumps.push_back(dump.str());
    }
    delete list;
    return dumps;
}

// How many objects of the drawing are proxies.
int ProxiesIn(AcDbDatabase& drawing)
{
    int proxies = 0;
    for (Adesk::UInt64 handle = 1; handle < static_cast<Adesk::UInt64>(drawing.handseed()); ++handle) {
        AcDbObjectId id;
        AcDbObject* object = nullptr;
        if (drawing.getAcDbObjectId(id, false, AcDbHandle(handle)) != Acad::eOk ||
            acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk)
            continue;
        proxies += AcDbProxyObject::cast(object) ? 1 : 0;
        object->close();
    }
    return proxies;
}

// Fails the nth allocation of one kind from now on, and tells whether it came.
struct Injector
{
    const char* name;
    std::function<void(std::size_t)> failAt;
    std::function<bool()> failed;
};

// Test names show the case by its name.
void PrintTo(const Injector& row, std::ostream* os)
{
    *os << row.name;
}

class ModuleDrawingReadTest : public testing::TestWithParam<Injector>
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(acrxLoadModule(wide(DWGHOST_READ_MODULE_PATH).c_str(), true));
        // Each process its own file: ctest runs the tests side by side.
        file = testing::TempDir() + "dwghost_module_drawing_" + std::to_string(getpid()) + ".dwg";
        auto* drawing = new AcDbDatabase;
        acdbHostApplicationServices()->setWorkingDatabase(drawing);
        StoreSim(L"Harbour crane", 3);
        StoreSim(L"Shuttle", 4);
        stored = DumpsOfSims();
        ASSERT_EQ(Acad::eOk, drawing->saveAs(wide(file).c_str()));
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete drawing;
    }
    static void TearDownTestSuite() { std::remove(file.c_str()); }

    static std::string file;
    static std::vector<std::wstring> stored;
};

std::string ModuleDrawingReadTest::file;
std::vector<std::wstring> ModuleDrawingReadTest::stored;

const Injector kInjectors[] = {
    {"HostHeap", [](std::size_t nth) { dwgHostFault(DwgHostCall::HeapAllocation).failAt(nth); },
     [] { return dwgHostFault(DwgHostCall::HeapAllocation).failures() > 0; }},
    {"OperatorNew", [](std::size_t nth) { FailingAllocator::failAt(nth); }, [] { return FailingAllocator::failed(); }},
};
}  // namespace

TEST_P(ModuleDrawingReadTest, AFailedAllocationFailsTheWholeReadAndTheReadThatCompletesHoldsEverything)
{
    const Injector& injector = GetParam();
    ASSERT_EQ(2u, stored.size());
    const std::vector<unsigned char> original = bytesOf(file);
    const std::wstring path = wide(file);
    bool completed = false;
    for (std::size_t nth = 1; !completed; ++nth) {
        ASSERT_LT(nth, 100000u);
        const std::size_t liveBlocks = acdbHostHeapLiveBlocks();
        auto* drawing = new AcDbDatabase(false, true);
        injector.failAt(nth);
        Acad::ErrorStatus status = Acad::eOk;
        EXPECT_NO_THROW(status = drawing->readDwgFile(path.c_str())) << nth;
        completed = !injector.failed();
        injector.failAt(0);
        dwgHostFaultsOff();
        if (completed) {
            ASSERT_EQ(Acad::eOk, status) << nth;
            EXPECT_EQ(0, ProxiesIn(*drawing));
            acdbHostApplicationServices()->setWorkingDatabase(drawing);
            EXPECT_EQ(stored, DumpsOfSims());
            const std::string resaved = file + ".resaved";
            EXPECT_EQ(Acad::eOk, drawing->saveAs(wide(resaved).c_str()));
            EXPECT_EQ(original, bytesOf(resaved));
            std::remove(resaved.c_str());
            acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        } else {
            EXPECT_EQ(Acad::eOutOfMemory, status) << nth;
            EXPECT_EQ(0, drawing->approxNumObjects()) << nth;
        }
        delete drawing;
        EXPECT_EQ(liveBlocks, acdbHostHeapLiveBlocks()) << nth << ": nothing leaks";
    }
}

INSTANTIATE_TEST_SUITE_P(Allocations, ModuleDrawingReadTest, testing::ValuesIn(kInjectors),
                         [](const testing::TestParamInfo<Injector>& row) { return row.param.name; });
