// The two-level store in the named objects dictionary, through the module's
// CZrAcadObject.
#include <memory>

#include "DwgTestSupport.h"

using namespace DwgTest;

namespace
{
class DictionaryStorageTest : public DwgDrawingTest
{
protected:
    // A detached simulation object, as the factory makes them.
    static CPmAcadSim200* NewObject()
    {
        return PmAcadSimOf(CPmDbxFactory200::MakeSim(0, 1));
    }

    static bool HasSubDictionary()
    {
        AcDbDictionary* named = nullptr;
        acdbHostApplicationServices()->workingDatabase()->getNamedObjectsDictionary(named);
        const bool has = named->has(kPmSimDictionary);
        named->close();
        return has;
    }
};
} // namespace

TEST_F(DictionaryStorageTest, FirstSaveMakesTheSubDictionaryAndStoresTheObject)
{
    int status = -7;
    EXPECT_TRUE(StoredNames(&status).empty());
    EXPECT_EQ(status, Acad::eKeyNotFound);

    CPmAcadSim200* object = NewObject();
    EXPECT_EQ(CZrAcadObject::Save(kPmSimDictionary, _T("Alpha"), object), 0);

    EXPECT_TRUE(HasSubDictionary());
    EXPECT_EQ(StoredNames(&status), std::vector<CString>{_T("Alpha")});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Alpha")), object->objectId());
    // Resident and closed: it opens for write.
    AcDbObject* opened = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(opened, object->objectId(), AcDb::kForWrite), Acad::eOk);
    opened->close();
}

TEST_F(DictionaryStorageTest, SaveUnderAHeldKeyReplacesTheEntry)
{
    CPmAcadSim200* first = NewObject();
    CPmAcadSim200* second = NewObject();
    ASSERT_EQ(CZrAcadObject::Save(kPmSimDictionary, _T("Alpha"), first), 0);
    ASSERT_EQ(CZrAcadObject::Save(kPmSimDictionary, _T("Alpha"), second), 0);

    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Alpha")});
    EXPECT_EQ(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Alpha")), second->objectId());
    EXPECT_TRUE(first->objectId().isErased());
    AcDbObject* opened = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(opened, first->objectId(), AcDb::kForRead, true), Acad::eOk)
        << "the replaced object is left closed";
    opened->close();
}

TEST_F(DictionaryStorageTest, KeysAreKeptWithTheirCaseInDictionaryOrder)
{
    for (const TCHAR* key : {_T("beta"), _T("Alpha"), _T("alpha")})
        ASSERT_EQ(CZrAcadObject::Save(kPmSimDictionary, key, NewObject()), 0);
    EXPECT_EQ(StoredNames(), (std::vector<CString>{_T("Alpha"), _T("alpha"), _T("beta")}));
}

TEST_F(DictionaryStorageTest, MissingEntriesAnswerMinusOneAndTheNullId)
{
    CZrAcadObject* loaded = reinterpret_cast<CZrAcadObject*>(this);
    EXPECT_EQ(CZrAcadObject::Load(kPmSimDictionary, _T("Alpha"), &loaded), -1);
    EXPECT_EQ(loaded, nullptr);
    EXPECT_EQ(CZrAcadObject::Delete(kPmSimDictionary, _T("Alpha")), -1);
    EXPECT_TRUE(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Alpha")).isNull());

    ASSERT_EQ(CZrAcadObject::Save(kPmSimDictionary, _T("Alpha"), NewObject()), 0);
    EXPECT_EQ(CZrAcadObject::Load(kPmSimDictionary, _T("Beta"), &loaded), -1);
    EXPECT_EQ(CZrAcadObject::Delete(kPmSimDictionary, _T("Beta")), -1);
    EXPECT_TRUE(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Beta")).isNull());
    EXPECT_TRUE(CZrAcadObject::GetObjectId(_T("QD_OTHER"), _T("Alpha")).isNull());
    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Alpha")}) << "nothing was touched";
}

TEST_F(DictionaryStorageTest, LoadOpensTheEntryForReadForTheCaller)
{
    CPmAcadSim200* object = NewObject();
    ASSERT_EQ(CZrAcadObject::Save(kPmSimDictionary, _T("Alpha"), object), 0);
    CZrAcadObject* loaded = nullptr;
    ASSERT_EQ(CZrAcadObject::Load(kPmSimDictionary, _T("Alpha"), &loaded), 0);
    EXPECT_EQ(loaded, object);
    EXPECT_TRUE(loaded->isReadEnabled());
    EXPECT_FALSE(loaded->isWriteEnabled());
    EXPECT_EQ(loaded->close(), Acad::eOk);
}

TEST_F(DictionaryStorageTest, DeletingTheLastEntryLeavesAnEmptySubDictionary)
{
    ASSERT_EQ(CZrAcadObject::Save(kPmSimDictionary, _T("Alpha"), NewObject()), 0);
    EXPECT_EQ(CZrAcadObject::Delete(kPmSimDictionary, _T("Alpha")), 0);
    int status = -7;
    EXPECT_TRUE(StoredNames(&status).empty());
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(HasSubDictionary());
}

TEST_F(DictionaryStorageTest, GetObjectNamesEmptiesTheArrayItIsGiven)
{
    CStringArray names;
    names.Add(_T("left over"));
    EXPECT_EQ(CZrAcadObject::GetObjectNames(kPmSimDictionary, &names), Acad::eKeyNotFound);
    EXPECT_EQ(names.GetSize(), 0);
}

TEST_F(DictionaryStorageTest, AnEntryThatIsNoDictionaryIsRefusedNotMisread)
{
    // Another application put a plain object under the storage name.
    AcDbDictionary* named = nullptr;
    Drawing()->getNamedObjectsDictionary(named, AcDb::kForWrite);
    auto* stranger = new AcDbBlockReference;
    AcDbObjectId strangerId;
    ASSERT_EQ(named->setAt(kPmSimDictionary, stranger, strangerId), Acad::eOk);
    stranger->close();
    named->close();

    std::unique_ptr<CPmAcadSim200> object(NewObject());
    EXPECT_NE(CZrAcadObject::Save(kPmSimDictionary, _T("Alpha"), object.get()), 0);
    EXPECT_TRUE(object->objectId().isNull()) << "a refused object stays the caller's";
    int status = -7;
    EXPECT_TRUE(StoredNames(&status).empty());
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Alpha")).isNull());
    // Nothing was left open.
    AcDbObject* opened = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(opened, strangerId, AcDb::kForWrite), Acad::eOk);
    opened->close();
}
