// Handles, ids, the open and close rules, the working database and the host heap.
#include <new>
#include <string>

#include "FailingAllocator.h"
#include "HostTestSupport.h"

namespace
{
using DatabaseTest = DrawingTest;

AcDbObjectId addClosed(AcDbDatabase* db, AcDbObject* object)
{
    AcDbObjectId id;
    EXPECT_EQ(Acad::eOk, db->addAcDbObject(id, object));
    object->close();
    return id;
}
}  // namespace

TEST_F(DatabaseTest, HandlesIncreaseAndAreNeverReused)
{
    const Adesk::UInt64 seed = db->handseed();
    Adesk::UInt64 previous = 0;
    for (int i = 0; i < 3; ++i) {
        AcDbObjectId id = addClosed(db, new AcDbDictionary);
        const Adesk::UInt64 handle = id.handle();
        EXPECT_EQ(seed + static_cast<Adesk::UInt64>(i), handle);
        EXPECT_GT(handle, previous);
        previous = handle;
    }
    AcDbObject* last = nullptr;
    AcDbObjectId lastId;
    db->getAcDbObjectId(lastId, false, AcDbHandle(previous));
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(last, lastId, AcDb::kForWrite));
    last->erase();
    last->close();
    EXPECT_GT(static_cast<Adesk::UInt64>(addClosed(db, new AcDbDictionary).handle()), previous);
}

TEST_F(DatabaseTest, TheLastHandleIsNeverHandedOut)
{
    constexpr Adesk::UInt64 kLast = ~Adesk::UInt64(0);
    AcDbObjectId placeholder;
    ASSERT_EQ(Acad::eOk, db->getAcDbObjectId(placeholder, true, AcDbHandle(kLast - 1)));
    ASSERT_EQ(kLast, static_cast<Adesk::UInt64>(db->handseed()));
    const Adesk::Int32 objects = db->approxNumObjects();

    auto* dictionary = new AcDbDictionary;
    AcDbObjectId id;
    EXPECT_EQ(Acad::eOutOfRange, db->addAcDbObject(id, dictionary));
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(nullptr, dictionary->database());
    delete dictionary;
    EXPECT_EQ(Acad::eOutOfRange, db->getAcDbObjectId(id, true, AcDbHandle(kLast)));
    EXPECT_EQ(kLast, static_cast<Adesk::UInt64>(db->handseed()));
    EXPECT_EQ(objects, db->approxNumObjects());
}

// The place made for a handle yet to come, with each of its allocations failed in
// turn: a failure changes nothing (and, in the sanitizer build, leaks nothing).
TEST_F(DatabaseTest, APlaceForAHandleThatRunsOutOfMemoryChangesNothing)
{
    const Adesk::UInt64 seed = db->handseed();
    const AcDbHandle later(seed + 10);
    for (std::size_t nth = 1;; ++nth) {
        FailingAllocator::failAt(nth);
        AcDbObjectId id;
        Acad::ErrorStatus status = Acad::eOk;
        bool threw = false;
        try {
            status = db->getAcDbObjectId(id, true, later);
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        const bool failed = FailingAllocator::failed();
        FailingAllocator::failAt(0);
        if (!failed) {
            EXPECT_EQ(Acad::eOk, status);
            EXPECT_FALSE(id.isNull());
            EXPECT_EQ(seed + 11, static_cast<Adesk::UInt64>(db->handseed()));
            break;
        }
        EXPECT_TRUE(threw) << "allocation " << nth;
        EXPECT_EQ(seed, static_cast<Adesk::UInt64>(db->handseed())) << "allocation " << nth;
        EXPECT_EQ(Acad::eUnknownHandle, db->getAcDbObjectId(id, false, later)) << "allocation " << nth;
    }
}

TEST_F(DatabaseTest, HandleLookupFindsObjectsAndCreatesNothing)
{
    const AcDbObjectId id = addClosed(db, new AcDbDictionary);
    const Adesk::Int32 objects = db->approxNumObjects();

    AcDbObjectId found;
    EXPECT_EQ(Acad::eOk, db->getAcDbObjectId(found, false, id.handle()));
    EXPECT_EQ(id, found);
    EXPECT_EQ(Acad::eUnknownHandle, db->getAcDbObjectId(found, false, AcDbHandle(42, 1)));
    EXPECT_TRUE(found.isNull());
    EXPECT_EQ(Acad::eNullHandle, db->getAcDbObjectId(found, false, AcDbHandle()));
    EXPECT_EQ(objects, db->approxNumObjects());
}

TEST_F(DatabaseTest, AddingNeedsADetachedObject)
{
    auto* dictionary = new AcDbDictionary;
    AcDbObjectId id;
    ASSERT_EQ(Acad::eOk, db->addAcDbObject(id, dictionary));
    EXPECT_EQ(db, dictionary->database());
    EXPECT_EQ(id, dictionary->objectId());
    EXPECT_TRUE(dictionary->isWriteEnabled());
    EXPECT_EQ(Acad::eAlreadyInDb, db->addAcDbObject(dictionary));
    EXPECT_EQ(Acad::eNullObjectPointer, db->addAcDbObject(nullptr));
    dictionary->close();
}

// A second open while the first is still open: what the host answers.
struct OpenCase
{
    const char* name;
    AcDb::OpenMode first;
    AcDb::OpenMode second;
    Acad::ErrorStatus expected;
};

void PrintTo(const OpenCase& tested, std::ostream* os)
{
    *os << tested.name;
}

class OpenRulesTest : public DrawingTest, public testing::WithParamInterface<OpenCase>
{
};

TEST_P(OpenRulesTest, ASecondOpenFollowsTheHostsRules)
{
    const AcDbObjectId id = store(L"entry", new AcDbDictionary);
    AcDbObject* first = nullptr;
    AcDbObject* second = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(first, id, GetParam().first));
    EXPECT_EQ(GetParam().expected, acdbOpenAcDbObject(second, id, GetParam().second));
    EXPECT_EQ(GetParam().expected == Acad::eOk ? first : nullptr, second);
    if (second)
        second->close();
    first->close();
    // Once closed, the object opens for write again.
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(first, id, AcDb::kForWrite));
    first->close();
}

INSTANTIATE_TEST_SUITE_P(Modes, OpenRulesTest,
                         testing::Values(OpenCase{"ReadThenRead", AcDb::kForRead, AcDb::kForRead, Acad::eOk},
                                         OpenCase{"ReadThenWrite", AcDb::kForRead, AcDb::kForWrite,
                                                  Acad::eWasOpenForRead},
                                         OpenCase{"WriteThenRead", AcDb::kForWrite, AcDb::kForRead,
                                                  Acad::eWasOpenForWrite},
                                         OpenCase{"WriteThenWrite", AcDb::kForWrite, AcDb::kForWrite,
                                                  Acad::eWasOpenForWrite}),
                         [](const testing::TestParamInfo<OpenCase>& tested) { return std::string(tested.param.name); });

TEST_F(DatabaseTest, OnlyGrantedOpensForWriteAreCounted)
{
    const AcDbObjectId id = store(L"entry", new AcDbDictionary);
    const std::size_t before = acdbHostWriteOpens();
    AcDbObject* reader = nullptr;
    AcDbObject* writer = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(reader, id, AcDb::kForRead));
    EXPECT_EQ(Acad::eWasOpenForRead, acdbOpenAcDbObject(writer, id, AcDb::kForWrite));
    reader->close();
    EXPECT_EQ(before, acdbHostWriteOpens());
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(writer, id, AcDb::kForWrite));
    writer->close();
    EXPECT_EQ(before + 1, acdbHostWriteOpens());
}

TEST_F(DatabaseTest, ErasedObjectsOpenOnlyWhenAsked)
{
    const AcDbObjectId id = store(L"entry", new AcDbDictionary);
    AcDbObject* object = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForWrite));
    EXPECT_EQ(Acad::eOk, object->erase());
    EXPECT_EQ(Acad::eWasErased, object->erase());
    object->close();
    EXPECT_TRUE(id.isErased());

    EXPECT_EQ(Acad::eWasErased, acdbOpenAcDbObject(object, id, AcDb::kForRead));
    EXPECT_EQ(nullptr, object);
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForWrite, true));
    EXPECT_EQ(Acad::eOk, object->erase(false));
    object->close();
    EXPECT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForRead));
    object->close();
}

TEST_F(DatabaseTest, AnOpenWithAClassTestOpensOnlyObjectsOfThatClass)
{
    const AcDbObjectId id = store(L"entry", new AcDbDictionary);
    AcDbBlockReference* reference = nullptr;
    EXPECT_EQ(Acad::eNotThatKindOfClass, acdbOpenObject(reference, id, AcDb::kForRead));
    EXPECT_EQ(nullptr, reference);

    AcDbObject* object = nullptr;
    EXPECT_EQ(Acad::eNotThatKindOfClass, acdbOpenAcDbObject(object, id, AcDbEntity::desc(), AcDb::kForRead));
    EXPECT_EQ(Acad::eNotThatKindOfClass, acdbOpenAcDbObject(object, id, nullptr, AcDb::kForRead));
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDbObject::desc(), AcDb::kForRead));
    object->close();
    AcDbDictionary* dictionary = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenObject(dictionary, id));
    dictionary->close();
    EXPECT_EQ(Acad::eNullObjectId, acdbOpenAcDbObject(object, AcDbObjectId(), AcDb::kForRead));
}

TEST_F(DatabaseTest, CloseEndsAnOpenAndDeletesADetachedObject)
{
    const std::size_t blocks = acdbHostHeapLiveBlocks();
    auto* detached = new AcDbDictionary;
    EXPECT_TRUE(acdbHostHeapContains(detached));
    EXPECT_EQ(Acad::eOk, detached->close());
    EXPECT_EQ(blocks, acdbHostHeapLiveBlocks());

    const AcDbObjectId id = store(L"entry", new AcDbDictionary);
    AcDbObject* object = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForWrite));
    EXPECT_TRUE(object->isWriteEnabled());
    EXPECT_EQ(Acad::eOk, object->close());
    EXPECT_FALSE(object->isReadEnabled());
    EXPECT_EQ(Acad::eOk, object->close());  // closing what is not open changes nothing
    EXPECT_TRUE(id.isValid());
}

TEST_F(DatabaseTest, CancelEndsAnOpenAndLeavesADetachedObjectAlone)
{
    const AcDbObjectId id = store(L"entry", new AcDbDictionary);
    AcDbObject* object = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForWrite));
    EXPECT_EQ(Acad::eOk, object->cancel());
    EXPECT_FALSE(object->isWriteEnabled());
    EXPECT_EQ(Acad::eOk, object->cancel());

    AcDbDictionary detached;
    EXPECT_EQ(Acad::eNoDatabase, detached.cancel());
}

TEST_F(DatabaseTest, ACopyOfAnObjectIsANewDetachedObject)
{
    const AcDbObjectId id = store(L"entry", new AcDbDictionary);
    AcDbDictionary* stored = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenObject(stored, id, AcDb::kForRead));
    AcDbDictionary copy(*stored);
    stored->close();
    EXPECT_EQ(nullptr, copy.database());
    EXPECT_TRUE(copy.objectId().isNull());
}

TEST_F(DatabaseTest, AnObjectDeletedBehindItsDatabasesBackLeavesItsIdNamingNothing)
{
    const AcDbObjectId id = store(L"entry", new AcDbDictionary);
    AcDbObject* object = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForWrite));
    delete object;
    EXPECT_FALSE(id.isValid());
    EXPECT_EQ(Acad::ePermanentlyErased, acdbOpenAcDbObject(object, id, AcDb::kForRead));
}

TEST_F(DatabaseTest, DeletingTheDatabaseFreesItsObjects)
{
    const std::size_t blocks = acdbHostHeapLiveBlocks();
    auto* drawing = new AcDbDatabase;
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(Acad::eOk, drawing->getNamedObjectsDictionary(nod, AcDb::kForWrite));
    AcDbObjectId id;
    nod->setAt(L"open", new AcDbDictionary, id);  // left open for write on purpose
    nod->close();
    EXPECT_GT(acdbHostHeapLiveBlocks(), blocks);
    delete drawing;
    EXPECT_EQ(blocks, acdbHostHeapLiveBlocks());
}

TEST_F(DatabaseTest, TheWorkingDatabaseIsTheOneSetOrTheHostsOwn)
{
    EXPECT_EQ(db, acdbHostApplicationServices()->workingDatabase());
    auto* other = new AcDbDatabase;
    acdbHostApplicationServices()->setWorkingDatabase(other);
    EXPECT_EQ(other, acdbHostApplicationServices()->workingDatabase());
    delete other;
    // The deleted one stopped working: the host's own drawing stands in.
    AcDbDatabase* fallback = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_EQ(fallback, acdbHostApplicationServices()->workingDatabase());
    EXPECT_NE(db, fallback);
    EXPECT_FALSE(fallback->namedObjectsDictionaryId().isNull());
}

TEST(HostHeapTest, AllocationsAreCountedUntilGivenBack)
{
    const std::size_t blocks = acdbHostHeapLiveBlocks();
    void* raw = AcHeapOperators::allocRawMem(24);
    ACHAR* text = nullptr;
    ASSERT_EQ(Acad::eOk, acutNewString(L"text", text));
    EXPECT_STREQ(L"text", text);
    EXPECT_TRUE(acdbHostHeapContains(raw));
    EXPECT_TRUE(acdbHostHeapContains(text));
    EXPECT_EQ(blocks + 2, acdbHostHeapLiveBlocks());
    AcHeapOperators::freeRawMem(raw);
    acutDelBuffer(text);
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(blocks, acdbHostHeapLiveBlocks());

    int ordinary = 0;
    EXPECT_FALSE(acdbHostHeapContains(&ordinary));
}

TEST(HostHeapDeathTest, GivingBackABlockTheHeapDidNotHandOutEndsTheHost)
{
    static int notFromTheHeap = 0;
    EXPECT_DEATH(AcHeapOperators::freeRawMem(&notFromTheHeap), "did not hand out");
}

TEST(DatabaseDeathTest, UsingAClosedObjectAsOpenEndsTheHost)
{
    AcDbDatabase drawing;
    AcDbObjectId id = drawing.namedObjectsDictionaryId();
    AcDbObject* nod = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(nod, id, AcDb::kForRead));
    nod->close();
    EXPECT_DEATH(nod->assertReadEnabled(), "AcDbDictionary is not open for read");
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(nod, id, AcDb::kForRead));
    EXPECT_DEATH(nod->assertWriteEnabled(), "AcDbDictionary is not open for write");
    nod->close();
}
