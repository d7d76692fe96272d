// The test switches of the host: each kind of call fails on demand with the
// status a host gives, and a failed call changes nothing; the switches count.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

#include <dbhostfaults.h>

#include "FailingAllocator.h"
#include "HostTestSupport.h"
#include "TestRecord.h"

namespace
{
bool exists(const std::string& path)
{
    return std::ifstream(path).good();
}

// A drawing with "QD_SIM" holding the record "Sim A" and a block reference in
// model space, saved to a file and changed since, so that a save would change the file.
class HostFaultTest : public DrawingTest
{
public:
    using DrawingTest::db;

    void SetUp() override
    {
        DrawingTest::SetUp();
        TestRecord::rxInit();
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        const std::string stem = testing::TempDir() + "dwghost_faults_" + std::to_string(getpid()) + "_" + name;
        path = stem + ".dwg";
        snapshotPath = stem + "_snapshot.dwg";

        AcDbBlockTableRecord* modelSpace = nullptr;
        openModelSpace(modelSpace);
        auto* reference = new AcDbBlockReference(AcGePoint3d(1.0, 2.0, 3.0), AcDbObjectId());
        ASSERT_EQ(Acad::eOk, modelSpace->appendAcDbEntity(referenceId, reference));
        reference->close();
        modelSpace->close();

        subId = store(L"QD_SIM", new AcDbDictionary);
        auto* record = new TestRecord;
        record->name = L"Sim A";
        record->speed = 12.5;
        recordId = storeIn(subId, L"Sim A", record);

        ASSERT_EQ(Acad::eOk, db->saveAs(wide(path).c_str()));
        ASSERT_EQ(Acad::eOk, acdbOpenObject(record, recordId, AcDb::kForWrite));
        record->speed = 30.0;
        record->close();
    }

    void TearDown() override
    {
        dwgHostFaultsOff();
        std::remove(path.c_str());
        std::remove(snapshotPath.c_str());
        DrawingTest::TearDown();
    }

    void openModelSpace(AcDbBlockTableRecord*& modelSpace)
    {
        AcDbBlockTable* table = nullptr;
        ASSERT_EQ(Acad::eOk, db->getBlockTable(table, AcDb::kForRead));
        ASSERT_EQ(Acad::eOk, table->getAt(ACDB_MODEL_SPACE, modelSpace, AcDb::kForWrite));
        table->close();
    }

    // Everything the drawing holds, as the bytes of its file.
    std::vector<unsigned char> snapshot()
    {
        EXPECT_EQ(Acad::eOk, db->saveAs(wide(snapshotPath).c_str()));
        return bytesOf(snapshotPath);
    }

    // No object of the drawing is left open: each opens for write.
    void expectNothingOpen()
    {
        AcDbBlockTableRecord* modelSpace = nullptr;
        AcDbBlockTable* table = nullptr;
        ASSERT_EQ(Acad::eOk, db->getBlockTable(table, AcDb::kForWrite));
        ASSERT_EQ(Acad::eOk, table->getAt(ACDB_MODEL_SPACE, modelSpace, AcDb::kForWrite));
        modelSpace->close();
        table->close();
        for (AcDbObjectId id : {db->namedObjectsDictionaryId(), subId, recordId, referenceId}) {
            AcDbObject* object = nullptr;
            EXPECT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForWrite)) << id.handle();
            if (object)
                object->close();
        }
    }

    AcDbDictionary* openSub(AcDb::OpenMode mode)
    {
        AcDbDictionary* sub = nullptr;
        EXPECT_EQ(Acad::eOk, acdbOpenObject(sub, subId, mode));
        return sub;
    }

    std::string path, snapshotPath;
    AcDbObjectId referenceId, subId, recordId;
};

// One host call of each kind, as a client makes it; it closes what it opened and
// deletes what stays its own, so that it leaves nothing behind when it fails.
using HostCall = Acad::ErrorStatus (*)(HostFaultTest& test);

Acad::ErrorStatus copyText(HostFaultTest&)
{
    ACHAR* copy = nullptr;
    const Acad::ErrorStatus status = acutNewString(L"Sim A", copy);
    EXPECT_EQ(status == Acad::eOk, copy != nullptr);
    acutDelBuffer(copy);
    return status;
}

Acad::ErrorStatus allocateBlock(HostFaultTest&)
{
    void* block = AcHeapOperators::allocRawMem(64);
    AcHeapOperators::freeRawMem(block);
    return block ? Acad::eOk : Acad::eOutOfMemory;
}

Acad::ErrorStatus newObject(HostFaultTest&)
{
    try {
        delete new AcDbDictionary;
        return Acad::eOk;
    } catch (const std::bad_alloc&) {
        return Acad::eOutOfMemory;
    }
}

Acad::ErrorStatus openRecord(AcDbObjectId id, AcDb::OpenMode mode)
{
    AcDbObject* object = nullptr;
    const Acad::ErrorStatus status = acdbOpenAcDbObject(object, id, mode);
    EXPECT_EQ(status == Acad::eOk, object != nullptr);
    if (object)
        object->close();
    return status;
}

namespace Calls
{
Acad::ErrorStatus openForRead(HostFaultTest& t) { return openRecord(t.recordId, AcDb::kForRead); }
Acad::ErrorStatus openForWrite(HostFaultTest& t) { return openRecord(t.recordId, AcDb::kForWrite); }

Acad::ErrorStatus putUnder(HostFaultTest& t, const ACHAR* key)
{
    AcDbDictionary* sub = t.openSub(AcDb::kForWrite);
    auto* replacement = new TestRecord;
    replacement->name = L"Replacement";
    AcDbObjectId id;
    const Acad::ErrorStatus status = sub->setAt(key, replacement, id);
    if (status == Acad::eOk) {
        replacement->close();
        if (std::wstring(key) == L"Sim A")
            t.recordId = id;
    } else {
        EXPECT_EQ(nullptr, replacement->database());
        delete replacement;
    }
    sub->close();
    return status;
}
Acad::ErrorStatus replaceEntry(HostFaultTest& t) { return putUnder(t, L"Sim A"); }
Acad::ErrorStatus addEntry(HostFaultTest& t) { return putUnder(t, L"Sim B"); }

Acad::ErrorStatus findEntry(HostFaultTest& t)
{
    AcDbDictionary* sub = t.openSub(AcDb::kForRead);
    AcDbObjectId id;
    const Acad::ErrorStatus status = sub->getAt(L"Sim A", id);
    EXPECT_EQ(status == Acad::eOk, id == t.recordId);
    sub->close();
    return status;
}

Acad::ErrorStatus removeEntry(HostFaultTest& t)
{
    AcDbDictionary* sub = t.openSub(AcDb::kForWrite);
    const Acad::ErrorStatus status = sub->remove(L"Sim A");
    sub->close();
    return status;
}

Acad::ErrorStatus addObject(HostFaultTest& t)
{
    auto* record = new TestRecord;
    const Acad::ErrorStatus status = t.db->addAcDbObject(record);
    if (status == Acad::eOk) {
        record->close();
    } else {
        EXPECT_EQ(nullptr, record->database());
        delete record;
    }
    return status;
}

Acad::ErrorStatus appendEntity(HostFaultTest& t)
{
    AcDbBlockTableRecord* modelSpace = nullptr;
    t.openModelSpace(modelSpace);
    if (!modelSpace)
        return Acad::eNullObjectPointer;
    auto* reference = new AcDbBlockReference;
    const Acad::ErrorStatus status = modelSpace->appendAcDbEntity(reference);
    if (status == Acad::eOk) {
        reference->close();
    } else {
        EXPECT_EQ(nullptr, reference->database());
        delete reference;
    }
    modelSpace->close();
    return status;
}

Acad::ErrorStatus eraseRecord(HostFaultTest& t)
{
    AcDbObject* record = nullptr;
    EXPECT_EQ(Acad::eOk, acdbOpenAcDbObject(record, t.recordId, AcDb::kForWrite));
    if (!record)
        return Acad::eNullObjectPointer;
    const Acad::ErrorStatus status = record->erase();
    EXPECT_EQ(status == Acad::eOk, record->isErased());
    record->close();
    return status;
}

Acad::ErrorStatus saveDrawing(HostFaultTest& t)
{
    const Acad::ErrorStatus status = t.db->saveAs(wide(t.path).c_str());
    EXPECT_FALSE(exists(t.path + ".saving"));
    return status;
}

Acad::ErrorStatus readDrawing(HostFaultTest& t)
{
    auto* read = new AcDbDatabase(false, true);
    const Acad::ErrorStatus status = read->readDwgFile(wide(t.path).c_str());
    EXPECT_EQ(status == Acad::eOk, read->approxNumObjects() > 0);
    delete read;
    return status;
}
}  // namespace Calls

struct FaultCase
{
    const char* name;
    DwgHostCall kind;
    Acad::ErrorStatus status;  // what the failed call answers
    HostCall call;
};

const FaultCase kFaultCases[] = {
    {"HeapCopiesNoText", DwgHostCall::HeapAllocation, Acad::eOutOfMemory, &copyText},
    {"HeapGivesNoBlock", DwgHostCall::HeapAllocation, Acad::eOutOfMemory, &allocateBlock},
    {"HeapOperatorNewThrows", DwgHostCall::HeapAllocation, Acad::eOutOfMemory, &newObject},
    {"OpenForRead", DwgHostCall::OpenForRead, Acad::eAtMaxReaders, &Calls::openForRead},
    {"OpenForWrite", DwgHostCall::OpenForWrite, Acad::eWasOpenForWrite, &Calls::openForWrite},
    {"SetAtReplacing", DwgHostCall::DictionarySetAt, Acad::eOutOfMemory, &Calls::replaceEntry},
    {"SetAtNewKey", DwgHostCall::DictionarySetAt, Acad::eOutOfMemory, &Calls::addEntry},
    {"GetAt", DwgHostCall::DictionaryGetAt, Acad::eOutOfMemory, &Calls::findEntry},
    {"Remove", DwgHostCall::DictionaryRemove, Acad::eOutOfMemory, &Calls::removeEntry},
    {"AddObject", DwgHostCall::AddObject, Acad::eOutOfMemory, &Calls::addObject},
    {"AppendEntity", DwgHostCall::AppendEntity, Acad::eOutOfMemory, &Calls::appendEntity},
    {"Erase", DwgHostCall::Erase, Acad::eOutOfMemory, &Calls::eraseRecord},
    {"SaveDrawing", DwgHostCall::SaveDrawing, Acad::eFileAccessErr, &Calls::saveDrawing},
    {"ReadDrawing", DwgHostCall::ReadDrawing, Acad::eFileAccessErr, &Calls::readDrawing},
};

// Test names show the case by its name.
void PrintTo(const FaultCase& row, std::ostream* os)
{
    *os << row.name;
}

class HostFaultKindTest : public HostFaultTest, public testing::WithParamInterface<FaultCase>
{
};
}  // namespace

// The failed call answers its status, and the drawing, its file on disk and the
// host heap are as they were, with nothing left open; with the switch off the
// same call succeeds.
TEST_P(HostFaultKindTest, TheCallFailsWithTheHostsStatusAndChangesNothing)
{
    const FaultCase& row = GetParam();
    const std::vector<unsigned char> drawing = snapshot();
    const std::vector<unsigned char> file = bytesOf(path);
    ASSERT_FALSE(file.empty());
    ASSERT_NE(drawing, file) << "the drawing changed since it was saved";
    const std::size_t liveBlocks = acdbHostHeapLiveBlocks();

    faultswitch::Switch& fault = dwgHostFault(row.kind);
    fault.failAt(1);
    const Acad::ErrorStatus status = row.call(*this);
    const std::size_t calls = fault.calls();
    const std::size_t failures = fault.failures();
    fault.off();

    EXPECT_EQ(row.status, status);
    EXPECT_EQ(1u, calls);
    EXPECT_EQ(1u, failures);
    EXPECT_EQ(liveBlocks, acdbHostHeapLiveBlocks()) << "nothing leaks";
    EXPECT_EQ(drawing, snapshot());
    EXPECT_EQ(file, bytesOf(path));
    expectNothingOpen();

    EXPECT_EQ(Acad::eOk, row.call(*this)) << "the switch is off";
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostFaultKindTest, testing::ValuesIn(kFaultCases),
                         [](const testing::TestParamInfo<FaultCase>& row) { return row.param.name; });

TEST_F(HostFaultTest, ASwitchCountsTheCallsOfItsKindAndFailsTheOnesItIsSetTo)
{
    faultswitch::Switch& reads = dwgHostFault(DwgHostCall::OpenForRead);
    auto statusesOfOpens = [&](int opens) {
        std::vector<Acad::ErrorStatus> statuses;
        for (int i = 0; i < opens; ++i)
            statuses.push_back(openRecord(recordId, AcDb::kForRead));
        return statuses;
    };
    const Acad::ErrorStatus ok = Acad::eOk, refused = Acad::eAtMaxReaders;

    reads.count();
    EXPECT_EQ(std::vector<Acad::ErrorStatus>(3, ok), statusesOfOpens(3));
    EXPECT_EQ(Acad::eOk, openRecord(recordId, AcDb::kForWrite)) << "another kind";
    EXPECT_EQ(3u, reads.calls());
    EXPECT_EQ(0u, reads.failures());

    reads.failAt(2);
    EXPECT_EQ((std::vector<Acad::ErrorStatus>{ok, refused, ok, ok}), statusesOfOpens(4));
    EXPECT_EQ(4u, reads.calls());
    EXPECT_EQ(1u, reads.failures());

    reads.failFrom(2);
    EXPECT_EQ((std::vector<Acad::ErrorStatus>{ok, refused, refused}), statusesOfOpens(3));
    EXPECT_EQ(3u, reads.calls());
    EXPECT_EQ(2u, reads.failures());

    reads.off();
    EXPECT_EQ(std::vector<Acad::ErrorStatus>(2, ok), statusesOfOpens(2));
    EXPECT_EQ(0u, reads.calls());
}

// Until a test sets a switch, none counts or fails; dwgHostFaultsOff turns every
// switch off again.
TEST_F(HostFaultTest, EverySwitchIsOffUntilSetAndAllGoOffTogether)
{
    for (const FaultCase& row : kFaultCases)
        EXPECT_EQ(0u, dwgHostFault(row.kind).calls()) << row.name;
    for (const FaultCase& row : kFaultCases)
        dwgHostFault(row.kind).failFrom(1);
    dwgHostFaultsOff();
    for (const FaultCase& row : kFaultCases) {
        EXPECT_EQ(Acad::eOk, row.call(*this)) << row.name;
        EXPECT_EQ(0u, dwgHostFault(row.kind).calls()) << row.name;
    }
}

// A drawing whose making fails part way throws std::bad_alloc, as new does, and
// gives back every block it had taken.
TEST(HostFaultDrawingTest, ADrawingThatCannotBeMadeThrowsAndLeaksNothing)
{
    faultswitch::Switch& heap = dwgHostFault(DwgHostCall::HeapAllocation);
    for (bool hostHeap : {true, false}) {
        bool completed = false;
        for (std::size_t nth = 1; !completed; ++nth) {
            ASSERT_LT(nth, 1000u);
            const std::size_t liveBlocks = acdbHostHeapLiveBlocks();
            bool threw = false;
            hostHeap ? heap.failAt(nth) : FailingAllocator::failAt(nth);
            try {
                delete new AcDbDatabase;
            } catch (const std::bad_alloc&) {
                threw = true;
            }
            const bool reached = hostHeap ? heap.failures() > 0 : FailingAllocator::failed();
            heap.off();
            FailingAllocator::failAt(0);
            completed = !reached;
            EXPECT_EQ(reached, threw) << nth;
            EXPECT_EQ(liveBlocks, acdbHostHeapLiveBlocks()) << nth;
        }
    }
}

// The host always has a working drawing: its own is made even while its heap
// refuses every block to the clients.
TEST(HostFaultDrawingTest, TheHostsOwnDrawingIsMadeWhileItsHeapRefusesTheClients)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            acdbHostApplicationServices()->setWorkingDatabase(nullptr);
            dwgHostFault(DwgHostCall::HeapAllocation).failFrom(1);
            AcDbDatabase* own = acdbHostApplicationServices()->workingDatabase();
            ACHAR* copy = nullptr;
            const bool clientRefused = acutNewString(L"text", copy) == Acad::eOutOfMemory;
            std::exit(own && !own->namedObjectsDictionaryId().isNull() && clientRefused ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
