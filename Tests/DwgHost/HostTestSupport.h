// What the host's tests share: a fresh drawing per test, set as working database.
#pragma once

#include <gtest/gtest.h>

#include <arxheaders.h>

class DrawingTest : public testing::Test
{
protected:
    void SetUp() override { acdbHostApplicationServices()->setWorkingDatabase(db); }
    void TearDown() override
    {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
    }

    // Adds a detached object to the named objects dictionary under the key; it ends closed.
    AcDbObjectId store(const ACHAR* key, AcDbObject* object)
    {
        AcDbDictionary* nod = nullptr;
        EXPECT_EQ(Acad::eOk, db->getNamedObjectsDictionary(nod, AcDb::kForWrite));
        AcDbObjectId id;
        EXPECT_EQ(Acad::eOk, nod->setAt(key, object, id));
        object->close();
        nod->close();
        return id;
    }

    // Adds a detached object to the dictionary of that id under the key; it ends closed.
    AcDbObjectId storeIn(AcDbObjectId dictionaryId, const ACHAR* key, AcDbObject* object)
    {
        AcDbDictionary* dictionary = nullptr;
        EXPECT_EQ(Acad::eOk, acdbOpenObject(dictionary, dictionaryId, AcDb::kForWrite));
        AcDbObjectId id;
        EXPECT_EQ(Acad::eOk, dictionary->setAt(key, object, id));
        object->close();
        dictionary->close();
        return id;
    }

    AcDbDatabase* db = new AcDbDatabase;
};
