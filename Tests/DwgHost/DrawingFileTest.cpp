// Drawing files: a round trip of the host's and of registered classes, proxies for
// unregistered ones, and files that are refused rather than read as garbage.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dbhostfaults.h>

#include "FailingAllocator.h"
#include "HostTestSupport.h"
#include "TestRecord.h"

namespace
{
void writeBytes(const std::wstring& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(std::string(path.begin(), path.end()), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class DrawingFileTest : public DrawingTest
{
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        TestRecord::rxInit();
    }
    void TearDown() override
    {
        delete reread;
        for (const std::wstring& path : files)
            std::remove(std::string(path.begin(), path.end()).c_str());
        TestRecord::rxInit();
        DrawingTest::TearDown();
    }

    std::wstring file(const char* name)
    {
        const std::string path = testing::TempDir() + "dwghost_" + std::to_string(getpid()) + "_" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name + ".dwg";
        files.emplace_back(path.begin(), path.end());
        return files.back();
    }

    // A drawing with a sub-dictionary holding a record and a block reference in model space.
    void buildDrawing()
    {
        AcDbBlockTable* table = nullptr;
        ASSERT_EQ(Acad::eOk, db->getBlockTable(table, AcDb::kForWrite));
        auto* wheel = new AcDbBlockTableRecord;
        wheel->setName(L"Wheel");
        table->add(wheelId, wheel);
        wheel->close();
        AcDbBlockTableRecord* modelSpace = nullptr;
        ASSERT_EQ(Acad::eOk, table->getAt(ACDB_MODEL_SPACE, modelSpace, AcDb::kForWrite));
        table->close();
        auto* reference = new AcDbBlockReference(AcGePoint3d(1.0, 2.0, 3.0), wheelId);
        reference->setScaleFactors(AcGeScale3d(2.0, 2.5, 3.0));
        modelSpace->appendAcDbEntity(referenceId, reference);
        reference->setVisibility(AcDb::kInvisible);
        reference->close();
        modelSpace->close();

        subId = store(L"QD_SIM", new AcDbDictionary);
        auto* record = new TestRecord;
        record->name = L"Sim A";
        record->speed = 12.5;
        record->at = AcGePoint3d(4.0, 5.0, 6.0);
        record->flag = true;
        for (int i = 0; i < 16; ++i)
            record->stamp[i] = static_cast<unsigned char>(i * 3);
        record->ref = referenceId.handle();
        recordId = storeIn(subId, L"Sim A", record);
    }

    // Reads the file into a fresh database; the status of the read.
    Acad::ErrorStatus readBack(const std::wstring& path)
    {
        delete reread;
        reread = new AcDbDatabase(false, true);
        return reread->readDwgFile(path.c_str());
    }

    // The object under QD_SIM/key of the read drawing, opened for read.
    AcDbObject* openReadEntry(const ACHAR* key)
    {
        AcDbDictionary* nod = nullptr;
        EXPECT_EQ(Acad::eOk, reread->getNamedObjectsDictionary(nod, AcDb::kForRead));
        AcDbObject* sub = nullptr;
        EXPECT_EQ(Acad::eOk, nod->getAt(L"QD_SIM", sub, AcDb::kForRead));
        nod->close();
        AcDbObject* entry = nullptr;
        if (sub) {
            EXPECT_EQ(Acad::eOk, AcDbDictionary::cast(sub)->getAt(key, entry, AcDb::kForRead));
            sub->close();
        }
        return entry;
    }

    AcDbObjectId wheelId, referenceId, subId, recordId;
    AcDbDatabase* reread = nullptr;
    std::vector<std::wstring> files;
};
}  // namespace

TEST_F(DrawingFileTest, ADrawingComesBackWithItsHandlesOwnersAndFields)
{
    buildDrawing();
    const std::wstring path = file("roundtrip");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    ASSERT_EQ(Acad::eOk, readBack(path));

    EXPECT_EQ(db->approxNumObjects(), reread->approxNumObjects());
    EXPECT_EQ(static_cast<Adesk::UInt64>(db->handseed()), static_cast<Adesk::UInt64>(reread->handseed()));
    EXPECT_EQ(db->namedObjectsDictionaryId().handle(), reread->namedObjectsDictionaryId().handle());

    AcDbObject* entry = openReadEntry(L"Sim A");
    TestRecord* record = TestRecord::cast(entry);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(recordId.handle(), record->objectId().handle());
    EXPECT_EQ(subId.handle(), record->ownerId().handle());
    EXPECT_EQ(L"Sim A", record->name);
    EXPECT_EQ(12.5, record->speed);
    EXPECT_EQ(6.0, record->at.z);
    EXPECT_TRUE(record->flag);
    EXPECT_EQ(45, record->stamp[15]);
    EXPECT_EQ(referenceId.handle(), record->ref);
    record->close();

    AcDbObjectId id;
    ASSERT_EQ(Acad::eOk, reread->getAcDbObjectId(id, false, referenceId.handle()));
    AcDbBlockReference* reference = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenObject(reference, id, AcDb::kForRead));
    EXPECT_EQ(AcDb::kInvisible, reference->visibility());
    EXPECT_EQ(wheelId.handle(), reference->blockTableRecord().handle());
    EXPECT_EQ(AcGeScale3d(2.0, 2.5, 3.0), reference->scaleFactors());
    EXPECT_EQ(2.0, reference->position().y);
    AcDbBlockTableRecord* modelSpace = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenObject(modelSpace, reference->blockId(), AcDb::kForRead));
    const ACHAR* name = nullptr;
    modelSpace->getName(name);
    EXPECT_STREQ(ACDB_MODEL_SPACE, name);
    modelSpace->close();
    reference->close();
}

TEST_F(DrawingFileTest, ErasedObjectsAreNotSaved)
{
    buildDrawing();
    AcDbObject* record = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(record, recordId, AcDb::kForWrite));
    record->erase();
    record->close();
    const std::wstring path = file("erased");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    ASSERT_EQ(Acad::eOk, readBack(path));

    AcDbObjectId id;
    EXPECT_EQ(Acad::eUnknownHandle, reread->getAcDbObjectId(id, false, recordId.handle()));
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(Acad::eOk, reread->getNamedObjectsDictionary(nod, AcDb::kForRead));
    AcDbObject* sub = nullptr;
    ASSERT_EQ(Acad::eOk, nod->getAt(L"QD_SIM", sub, AcDb::kForRead));
    EXPECT_EQ(0u, AcDbDictionary::cast(sub)->numEntries());
    sub->close();
    nod->close();
}

TEST_F(DrawingFileTest, AnUnregisteredClassIsKeptAsAProxyAndWrittenBackByteForByte)
{
    buildDrawing();
    const std::wstring original = file("original");
    ASSERT_EQ(Acad::eOk, db->saveAs(original.c_str()));

    deleteAcRxClass(TestRecord::desc());
    ASSERT_EQ(Acad::eOk, readBack(original));
    AcDbObject* entry = openReadEntry(L"Sim A");
    AcDbProxyObject* proxy = AcDbProxyObject::cast(entry);
    ASSERT_NE(nullptr, proxy);
    EXPECT_STREQ(L"DwgHostTestRecord", proxy->originalClassName());
    EXPECT_STREQ(L"DWGHOSTTESTRECORD", proxy->originalDxfName());
    EXPECT_STREQ(L"\"DwgHostTests.dbx\";", proxy->applicationDescription());
    EXPECT_EQ(AcDbProxyObject::kEraseAllowed, proxy->proxyFlags());
    ASSERT_EQ(7u, proxy->items().size());
    EXPECT_EQ(L"Sim A", proxy->items()[1].text);
    proxy->close();

    const std::wstring resaved = file("resaved");
    ASSERT_EQ(Acad::eOk, reread->saveAs(resaved.c_str()));
    EXPECT_EQ(bytesOf(original), bytesOf(resaved));

    TestRecord::rxInit();
    ASSERT_EQ(Acad::eOk, readBack(resaved));
    TestRecord* record = TestRecord::cast(openReadEntry(L"Sim A"));
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(12.5, record->speed);
    record->close();
}

TEST_F(DrawingFileTest, ARecordItsClassRefusesToReadIsKeptAsAProxy)
{
    buildDrawing();
    AcDbObject* object = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, recordId, AcDb::kForWrite));
    TestRecord::cast(object)->writtenVersion = 101;
    object->close();
    const std::wstring path = file("oldversion");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));

    ASSERT_EQ(Acad::eOk, readBack(path));
    AcDbProxyObject* proxy = AcDbProxyObject::cast(openReadEntry(L"Sim A"));
    ASSERT_NE(nullptr, proxy);
    EXPECT_EQ(101, proxy->items()[0].int32);
    proxy->close();
    const std::wstring resaved = file("resaved");
    ASSERT_EQ(Acad::eOk, reread->saveAs(resaved.c_str()));
    EXPECT_EQ(bytesOf(path), bytesOf(resaved));
}

TEST_F(DrawingFileTest, AProxyIsErasedOnlyWhenItsClassAllowedIt)
{
    for (int flags : {int(AcDbProxyObject::kNoOperation), int(AcDbProxyObject::kEraseAllowed)}) {
        TestRecord::reregister(flags);
        delete db;
        db = new AcDbDatabase;
        acdbHostApplicationServices()->setWorkingDatabase(db);
        buildDrawing();
        const std::wstring path = file(flags ? "erasable" : "kept");
        ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
        deleteAcRxClass(TestRecord::desc());
        ASSERT_EQ(Acad::eOk, readBack(path));

        AcDbObjectId id;
        ASSERT_EQ(Acad::eOk, reread->getAcDbObjectId(id, false, recordId.handle()));
        AcDbObject* proxy = nullptr;
        ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(proxy, id, AcDb::kForWrite));
        EXPECT_EQ(flags ? Acad::eOk : Acad::eNotAllowedForThisProxy, proxy->erase());
        proxy->close();
    }
}

TEST_F(DrawingFileTest, FilesThatAreNoDrawingOrCannotBeReadAreRefused)
{
    const std::wstring path = file("notadrawing");
    writeBytes(path, {'n', 'o', 't', ' ', 'a', ' ', 'd', 'r', 'a', 'w', 'i', 'n', 'g', 0, 0, 0});
    EXPECT_EQ(Acad::eBadDwgHeader, readBack(path));
    EXPECT_EQ(Acad::eFileAccessErr, readBack(file("missing")));

    buildDrawing();
    const std::wstring good = file("good");
    ASSERT_EQ(Acad::eOk, db->saveAs(good.c_str()));
    EXPECT_EQ(Acad::eNotApplicable, db->readDwgFile(good.c_str()));
    EXPECT_EQ(Acad::eFileAccessErr, db->saveAs(L"/nonexistent-folder/drawing.dwg"));
}

TEST_F(DrawingFileTest, ATruncatedFileIsRefusedAtEveryLength)
{
    buildDrawing();
    const std::wstring path = file("whole");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    const std::vector<unsigned char> whole = bytesOf(path);
    const std::wstring cut = file("cut");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        writeBytes(cut, std::vector<unsigned char>(whole.begin(), whole.begin() + static_cast<long>(length)));
        EXPECT_NE(Acad::eOk, readBack(cut)) << length;
        EXPECT_EQ(0, reread->approxNumObjects()) << length;
    }
}

TEST_F(DrawingFileTest, ACorruptFileIsReadOrRefusedButNeverCrashesTheHost)
{
    buildDrawing();
    const std::wstring path = file("whole");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    const std::vector<unsigned char> whole = bytesOf(path);
    const std::wstring bad = file("bad");
    int refused = 0;
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (unsigned char flip : {0x01, 0x80, 0xFF}) {
            std::vector<unsigned char> bytes = whole;
            bytes[at] ^= flip;
            writeBytes(bad, bytes);
            if (readBack(bad) != Acad::eOk) {
                ++refused;
                EXPECT_EQ(0, reread->approxNumObjects()) << at;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

// A save that cannot complete leaves the drawing saved before it whole: a write
// cut short by the file size limit, and an allocation failing anywhere in the save.
TEST_F(DrawingFileTest, ASaveThatFailsLeavesThePreviousFileWhole)
{
    const std::wstring path = file("previous");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    const std::vector<unsigned char> previous = bytesOf(path);
    buildDrawing();

    const pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(previous.size() / 2), static_cast<rlim_t>(previous.size() / 2)};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(db->saveAs(path.c_str()) == Acad::eFileAccessErr ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << "a short write is reported as eFileAccessErr";
    EXPECT_EQ(previous, bytesOf(path));

    bool completed = false;
    for (std::size_t nth = 1; !completed; ++nth) {
        ASSERT_LT(nth, 100000u);
        FailingAllocator::failAt(nth);
        Acad::ErrorStatus saved = Acad::eOk;
        EXPECT_NO_THROW(saved = db->saveAs(path.c_str())) << nth;
        completed = !FailingAllocator::failed();
        FailingAllocator::failAt(0);
        if (!completed) {
            EXPECT_EQ(Acad::eOutOfMemory, saved) << nth;
            ASSERT_EQ(previous, bytesOf(path)) << nth;
        }
    }
    ASSERT_EQ(Acad::eOk, readBack(path));
    EXPECT_EQ(db->approxNumObjects(), reread->approxNumObjects());
}

// A filer write that fails fails the save with eFilerError, whichever it is, and
// leaves the drawing saved before it whole.
TEST_F(DrawingFileTest, ASaveWhoseFilerFailsAWriteIsRefused)
{
    const std::wstring path = file("previous");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    const std::vector<unsigned char> previous = bytesOf(path);
    buildDrawing();

    dwgHostFault(DwgHostCall::FilerWrite).count();
    const std::wstring counted = file("counted");
    ASSERT_EQ(Acad::eOk, db->saveAs(counted.c_str()));
    const std::size_t writes = dwgHostFault(DwgHostCall::FilerWrite).calls();
    ASSERT_GT(writes, 10u);
    for (std::size_t nth = 1; nth <= writes; ++nth) {
        dwgHostFault(DwgHostCall::FilerWrite).failAt(nth);
        EXPECT_EQ(Acad::eFilerError, db->saveAs(path.c_str())) << nth;
        ASSERT_EQ(previous, bytesOf(path)) << nth;
    }
    dwgHostFaultsOff();
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    EXPECT_EQ(bytesOf(counted), bytesOf(path));
}

// A filer read that fails is the host's failure, not the record's: the read
// answers eFilerError and the database stays empty, no object turned into a proxy.
TEST_F(DrawingFileTest, AReadWhoseFilerFailsIsRefusedWhole)
{
    buildDrawing();
    const std::wstring path = file("whole");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));

    dwgHostFault(DwgHostCall::FilerRead).count();
    ASSERT_EQ(Acad::eOk, readBack(path));
    const std::size_t reads = dwgHostFault(DwgHostCall::FilerRead).calls();
    ASSERT_GT(reads, 10u);
    for (std::size_t nth = 1; nth <= reads; ++nth) {
        dwgHostFault(DwgHostCall::FilerRead).failAt(nth);
        EXPECT_EQ(Acad::eFilerError, readBack(path)) << nth;
        EXPECT_EQ(0, reread->approxNumObjects()) << nth;
    }
    dwgHostFaultsOff();
    ASSERT_EQ(Acad::eOk, readBack(path));
    TestRecord* record = TestRecord::cast(openReadEntry(L"Sim A"));
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(L"Sim A", record->name);
    record->close();
}

// A record whose writer fails, or meets a host heap that gives nothing, fails the
// save with the writer's status or eOutOfMemory, and the previous file stays.
TEST_F(DrawingFileTest, ASaveWhoseWriterFailsOrMeetsAnEmptyHeapLeavesThePreviousFile)
{
    buildDrawing();
    const std::wstring path = file("previous");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    const std::vector<unsigned char> previous = bytesOf(path);
    AcDbObject* object = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, recordId, AcDb::kForWrite));
    TestRecord* record = TestRecord::cast(object);
    record->speed = 99.0;
    record->writeAnswer = Acad::eInvalidInput;
    record->close();
    EXPECT_EQ(Acad::eInvalidInput, db->saveAs(path.c_str()));
    EXPECT_EQ(previous, bytesOf(path));

    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, recordId, AcDb::kForWrite));
    TestRecord::cast(object)->writeAnswer = Acad::eOk;
    object->close();
    dwgHostFault(DwgHostCall::HeapAllocation).failAt(1);
    EXPECT_EQ(Acad::eOutOfMemory, db->saveAs(path.c_str()));
    EXPECT_EQ(1u, dwgHostFault(DwgHostCall::HeapAllocation).failures()) << "the writer's copy of the name";
    dwgHostFaultsOff();
    EXPECT_EQ(previous, bytesOf(path));
    EXPECT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    ASSERT_EQ(Acad::eOk, readBack(path));
    TestRecord* read = TestRecord::cast(openReadEntry(L"Sim A"));
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(L"Sim A", read->name);
    EXPECT_EQ(99.0, read->speed);
    read->close();
}

// The file ends with the last object's record: its item count, then each item as
// its kind tag and its little-endian value, byte for byte.
TEST_F(DrawingFileTest, ARecordIsStoredAsItsItemsTaggedWithTheirKinds)
{
    buildDrawing();
    const std::wstring path = file("layout");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    std::vector<unsigned char> expected;
    auto u8 = [&](unsigned value) { expected.push_back(static_cast<unsigned char>(value)); };
    auto u32 = [&](Adesk::UInt32 value) {
        for (int shift = 0; shift < 32; shift += 8)
            u8((value >> shift) & 0xFF);
    };
    auto f64 = [&](Adesk::UInt32 high) {  // doubles whose low 32 bits are zero
        u32(0);
        u32(high);
    };
    u32(7);
    u8(1), u32(TestRecord::kVersion);                     // Int32: the version
    u8(7), u32(5);                                        // String: "Sim A"
    for (wchar_t c : std::wstring(L"Sim A"))
        u32(static_cast<Adesk::UInt32>(c));
    u8(3), f64(0x40290000);                               // Double: 12.5
    u8(4), f64(0x40100000), f64(0x40140000), f64(0x40180000);  // Point3d: 4, 5, 6
    u8(2), u8(1);                                         // Bool: true
    u8(6), u32(16);                                       // Bytes: 16 of them
    for (int i = 0; i < 16; ++i)
        u8(static_cast<unsigned>(i * 3));
    u8(5), u32(referenceId.handle().low()), u32(referenceId.handle().high());  // Handle

    const std::vector<unsigned char> bytes = bytesOf(path);
    ASSERT_GT(bytes.size(), expected.size());
    EXPECT_EQ(expected, std::vector<unsigned char>(bytes.end() - static_cast<long>(expected.size()), bytes.end()));
}

namespace
{
// The file with the entry under the key naming another object: the key's String
// item and the Handle item after it, found once in the file, get the new handle.
std::vector<unsigned char> retargeted(std::vector<unsigned char> bytes, const std::wstring& key, AcDbHandle target)
{
    std::vector<unsigned char> entry;
    auto u32 = [&](Adesk::UInt32 value) {
        for (int shift = 0; shift < 32; shift += 8)
            entry.push_back(static_cast<unsigned char>(value >> shift));
    };
    entry.push_back(AcDbFilerItem::kString);
    u32(static_cast<Adesk::UInt32>(key.size()));
    for (wchar_t c : key)
        u32(static_cast<Adesk::UInt32>(c));
    entry.push_back(AcDbFilerItem::kHandle);
    std::vector<std::size_t> found;
    for (std::size_t at = 0; at + entry.size() + 8 <= bytes.size(); ++at) {
        if (std::equal(entry.begin(), entry.end(), bytes.begin() + static_cast<long>(at)))
            found.push_back(at + entry.size());
    }
    EXPECT_EQ(1u, found.size()) << "the entry of the key, once in the file";
    if (found.size() == 1) {
        const Adesk::UInt64 handle = static_cast<Adesk::UInt64>(target);
        for (int i = 0; i < 8; ++i)
            bytes[found[0] + static_cast<std::size_t>(i)] = static_cast<unsigned char>(handle >> (8 * i));
    }
    return bytes;
}
}  // namespace

// Every object of a drawing has one owner, so its dictionaries form a tree: a
// file in which an entry names its own dictionary, one of that dictionary's
// owners, a root of the drawing or an object another dictionary holds is
// refused as corrupt, with the database left empty. The same file with each
// entry naming what it named reads.
TEST_F(DrawingFileTest, ADrawingWhoseDictionariesAreNoTreeIsRefused)
{
    // Named objects: "QD_SIM" -> sub {"Sim A" -> record, "Inner" -> inner {"Leaf"}},
    // "Other" -> other {"Spare"}.
    buildDrawing();
    const AcDbObjectId innerId = storeIn(subId, L"Inner", new AcDbDictionary);
    const AcDbObjectId leafId = storeIn(innerId, L"Leaf", new TestRecord);
    const AcDbObjectId otherId = store(L"Other", new AcDbDictionary);
    storeIn(otherId, L"Spare", new TestRecord);
    const AcDbHandle named = db->namedObjectsDictionaryId().handle();
    const AcDbHandle blockTable = db->blockTableId().handle();
    const std::wstring path = file("tree");
    ASSERT_EQ(Acad::eOk, db->saveAs(path.c_str()));
    const std::vector<unsigned char> whole = bytesOf(path);

    struct Case
    {
        const char* what;
        const wchar_t* key;
        AcDbHandle target;
    };
    const Case refused[] = {
        {"the named objects dictionary holds itself", L"QD_SIM", named},
        {"a dictionary holds itself", L"Leaf", innerId.handle()},
        {"a dictionary holds its owner", L"Leaf", subId.handle()},
        {"a dictionary holds its owner's owner, the named objects dictionary", L"Leaf", named},
        {"a dictionary holds the block table, which the drawing owns", L"Spare", blockTable},
        {"a dictionary holds an object another dictionary holds", L"Spare", recordId.handle()},
        {"a dictionary holds a dictionary another dictionary holds", L"Spare", innerId.handle()},
    };
    const std::wstring bad = file("bad");
    for (const Case& c : refused) {
        writeBytes(bad, retargeted(whole, c.key, c.target));
        EXPECT_EQ(Acad::eDwgObjectImproperlyRead, readBack(bad)) << c.what;
        EXPECT_EQ(0, reread->approxNumObjects()) << c.what;
    }

    writeBytes(bad, retargeted(whole, L"Leaf", leafId.handle()));
    EXPECT_EQ(whole, bytesOf(bad));
    ASSERT_EQ(Acad::eOk, readBack(bad));
    EXPECT_EQ(db->approxNumObjects(), reread->approxNumObjects());
    AcDbObject* record = openReadEntry(L"Sim A");
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(subId.handle(), record->ownerId().handle());
    record->close();
}
