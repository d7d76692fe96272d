// Dictionaries: storing, replacing, finding, erasing and walking entries.
#include <new>
#include <string>
#include <vector>

#include "FailingAllocator.h"
#include "HostTestSupport.h"

namespace
{
class DictionaryTest : public DrawingTest
{
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        ASSERT_EQ(Acad::eOk, db->getNamedObjectsDictionary(nod, AcDb::kForWrite));
    }
    void TearDown() override
    {
        if (nod)
            nod->close();
        DrawingTest::TearDown();
    }

    // Puts a detached object under the key of the open named objects dictionary; it ends closed.
    AcDbObjectId put(const ACHAR* key, AcDbObject* object)
    {
        AcDbObjectId id;
        EXPECT_EQ(Acad::eOk, nod->setAt(key, object, id));
        object->close();
        return id;
    }

    std::vector<std::wstring> keys() const
    {
        std::vector<std::wstring> names;
        AcDbDictionaryIterator* it = nod->newIterator();
        for (; !it->done(); it->next())
            names.emplace_back(it->name());
        delete it;
        return names;
    }

    AcDbDictionary* nod = nullptr;
};
}  // namespace

TEST_F(DictionaryTest, SetAtAddsADetachedObjectThatStaysOpenForWrite)
{
    auto* entry = new AcDbDictionary;
    AcDbObjectId id;
    ASSERT_EQ(Acad::eOk, nod->setAt(L"QD_SIM", entry, id));
    EXPECT_EQ(db, entry->database());
    EXPECT_EQ(id, entry->objectId());
    EXPECT_EQ(nod->objectId(), entry->ownerId());
    EXPECT_TRUE(entry->isWriteEnabled());
    entry->close();

    AcDbObjectId found;
    EXPECT_EQ(Acad::eOk, nod->getAt(L"QD_SIM", found));
    EXPECT_EQ(id, found);
    AcDbObject* opened = nullptr;
    ASSERT_EQ(Acad::eOk, nod->getAt(L"QD_SIM", opened, AcDb::kForWrite));
    EXPECT_EQ(entry, opened);
    opened->close();
}

TEST_F(DictionaryTest, AKeyItDoesNotHoldGives22)
{
    AcDbObjectId id;
    AcDbObject* object = nullptr;
    EXPECT_EQ(22, nod->getAt(L"missing", id));
    EXPECT_EQ(22, nod->getAt(L"missing", object, AcDb::kForRead));
    EXPECT_EQ(nullptr, object);
    EXPECT_FALSE(nod->has(L"missing"));
}

TEST_F(DictionaryTest, KeysCompareWithTheirCase)
{
    const AcDbObjectId upper = put(L"Sim", new AcDbDictionary);
    const AcDbObjectId lower = put(L"sim", new AcDbDictionary);
    EXPECT_NE(upper, lower);
    EXPECT_FALSE(upper.isErased());
    EXPECT_EQ((std::vector<std::wstring>{L"Sim", L"sim"}), keys());
}

TEST_F(DictionaryTest, SetAtUnderAHeldKeyReplacesAndErasesTheOldObject)
{
    const AcDbObjectId oldId = put(L"key", new AcDbDictionary);
    // The old object may even be open for write elsewhere: the host erases it all the same.
    AcDbObject* stillOpen = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(stillOpen, oldId, AcDb::kForWrite, true));

    auto* replacement = new AcDbDictionary;
    AcDbObjectId newId;
    ASSERT_EQ(Acad::eOk, nod->setAt(L"key", replacement, newId));
    replacement->close();
    EXPECT_NE(oldId, newId);
    EXPECT_TRUE(oldId.isErased());
    EXPECT_EQ(std::vector<std::wstring>{L"key"}, keys());
    AcDbObjectId found;
    nod->getAt(L"key", found);
    EXPECT_EQ(newId, found);
    stillOpen->close();

    // Putting the same object under its key again changes nothing.
    EXPECT_EQ(Acad::eOk, nod->setAt(L"key", replacement, newId));
    EXPECT_FALSE(newId.isErased());
}

TEST_F(DictionaryTest, AnErasedEntryIsGoneFromEveryLookup)
{
    const AcDbObjectId id = put(L"gone", new AcDbDictionary);
    put(L"kept", new AcDbDictionary);
    AcDbObject* object = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForWrite));
    object->erase();
    object->close();

    AcDbObjectId found;
    EXPECT_EQ(22, nod->getAt(L"gone", found));
    EXPECT_FALSE(nod->has(L"gone"));
    EXPECT_EQ(1u, nod->numEntries());
    EXPECT_EQ(std::vector<std::wstring>{L"kept"}, keys());
}

// Removing takes the entry out and hands back its object, which stays in the
// drawing without an owner; an entry that is not there, or is erased, gives 22.
TEST_F(DictionaryTest, RemoveTakesTheEntryOutAndLeavesItsObjectInTheDrawing)
{
    const AcDbObjectId id = put(L"taken", new AcDbDictionary);
    put(L"kept", new AcDbDictionary);
    AcDbObjectId removed;
    ASSERT_EQ(Acad::eOk, nod->remove(L"taken", removed));
    EXPECT_EQ(id, removed);
    EXPECT_EQ(std::vector<std::wstring>{L"kept"}, keys());
    EXPECT_FALSE(id.isErased());
    AcDbObject* object = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenAcDbObject(object, id, AcDb::kForRead));
    EXPECT_TRUE(object->ownerId().isNull());
    object->close();
    EXPECT_EQ(22, nod->remove(L"taken"));

    AcDbObject* kept = nullptr;
    ASSERT_EQ(Acad::eOk, nod->getAt(L"kept", kept, AcDb::kForWrite));
    kept->erase();
    kept->close();
    EXPECT_EQ(22, nod->remove(L"kept"));

    nod->close();
    ASSERT_EQ(Acad::eOk, db->getNamedObjectsDictionary(nod, AcDb::kForRead));
    EXPECT_EQ(Acad::eNotOpenForWrite, nod->remove(L"kept"));
}

TEST_F(DictionaryTest, TheIteratorYieldsKeysInAscendingOrderWithTheirIds)
{
    std::vector<AcDbObjectId> ids;
    for (const ACHAR* key : {L"c", L"a", L"b"})
        ids.push_back(put(key, new AcDbDictionary));

    AcDbDictionaryIterator* it = nod->newIterator();
    const std::vector<std::pair<std::wstring, AcDbObjectId>> expected = {
        {L"a", ids[1]}, {L"b", ids[2]}, {L"c", ids[0]}};
    for (const auto& entry : expected) {
        ASSERT_FALSE(it->done());
        EXPECT_EQ(entry.first, it->name());
        EXPECT_EQ(entry.second, it->objectId());
        AcDbObject* object = nullptr;
        ASSERT_EQ(Acad::eOk, it->getObject(object, AcDb::kForRead));
        EXPECT_EQ(entry.second, object->objectId());
        object->close();
        it->next();
    }
    EXPECT_TRUE(it->done());
    EXPECT_EQ(nullptr, it->name());
    EXPECT_TRUE(it->objectId().isNull());
    EXPECT_FALSE(it->next());
    delete it;
}

TEST_F(DictionaryTest, SetAtNeedsTheDictionaryOpenForWriteAndInTheDrawing)
{
    nod->close();
    ASSERT_EQ(Acad::eOk, db->getNamedObjectsDictionary(nod, AcDb::kForRead));
    auto* entry = new AcDbDictionary;
    AcDbObjectId id;
    EXPECT_EQ(Acad::eNotOpenForWrite, nod->setAt(L"key", entry, id));
    EXPECT_EQ(nullptr, entry->database());

    AcDbDictionary detached;
    EXPECT_EQ(Acad::eNoDatabase, detached.setAt(L"key", entry, id));
    EXPECT_EQ(Acad::eNullObjectPointer, detached.setAt(L"key", nullptr, id));
    delete entry;
}

TEST_F(DictionaryTest, AnObjectOfAnotherDrawingIsRefused)
{
    AcDbDatabase other;
    AcDbDictionary* foreign = nullptr;
    ASSERT_EQ(Acad::eOk, other.getNamedObjectsDictionary(foreign, AcDb::kForRead));
    AcDbObjectId id;
    EXPECT_EQ(Acad::eWrongDatabase, nod->setAt(L"key", foreign, id));
    foreign->close();
}

// An allocation that fails anywhere in setAt leaves the dictionary as it was:
// the entry it would replace still names the old object, and a new key is absent.
TEST_F(DictionaryTest, ASetAtInterruptedByAFailedAllocationChangesNothing)
{
    const AcDbObjectId oldId = put(L"held", new AcDbDictionary);
    for (const ACHAR* key : {L"fresh", L"held"}) {
        const std::vector<std::wstring> before = keys();
        bool completed = false;
        for (std::size_t nth = 1; !completed; ++nth) {
            ASSERT_LT(nth, 100u);
            auto* replacement = new AcDbDictionary;
            AcDbObjectId id;
            Acad::ErrorStatus status = Acad::eOk;
            FailingAllocator::failAt(nth);
            try {
                status = nod->setAt(key, replacement, id);
            } catch (const std::bad_alloc&) {
                status = Acad::eOutOfMemory;
            }
            const bool failed = FailingAllocator::failed();
            FailingAllocator::failAt(0);
            if (!failed) {
                ASSERT_EQ(Acad::eOk, status);
                replacement->close();
                completed = true;
                continue;
            }
            EXPECT_NE(Acad::eOk, status) << nth;
            EXPECT_EQ(nullptr, replacement->database()) << nth;
            delete replacement;
            EXPECT_FALSE(oldId.isErased()) << nth;
            AcDbObjectId found;
            EXPECT_EQ(Acad::eOk, nod->getAt(L"held", found)) << nth;
            EXPECT_EQ(oldId, found) << nth;
            EXPECT_EQ(before, keys()) << nth;
        }
    }
    EXPECT_TRUE(oldId.isErased());
    EXPECT_EQ((std::vector<std::wstring>{L"fresh", L"held"}), keys());
}

TEST_F(DictionaryTest, ARecordWhoseTwoKeysNameOneObjectIsRefused)
{
    const AcDbObjectId first = put(L"First", new AcDbDictionary);
    const AcDbObjectId second = put(L"Second", new AcDbDictionary);
    AcDbMemoryFiler out(db);
    ASSERT_EQ(Acad::eOk, nod->dwgOutFields(&out));
    std::vector<AcDbFilerItem> items = out.items();

    // A damaged record: the second key's handle is the first key's.
    bool damaged = false;
    for (AcDbFilerItem& item : items) {
        if (item.kind == AcDbFilerItem::kHandle && item.handle == second.handle()) {
            item.handle = first.handle();
            damaged = true;
        }
    }
    ASSERT_TRUE(damaged);
    AcDbDictionary read;
    AcDbMemoryFiler in(items, db);
    EXPECT_EQ(Acad::eDwgObjectImproperlyRead, read.dwgInFields(&in));

    AcDbDictionary whole;
    AcDbMemoryFiler again(out.items(), db);
    EXPECT_EQ(Acad::eOk, whole.dwgInFields(&again));
    EXPECT_EQ(2u, whole.numEntries());
}
