// What the host's tests share: a fresh drawing per test, set as working database.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <arxheaders.h>

// Test files have plain ASCII paths: the host takes them wide, the streams narrow.
inline std::wstring wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

inline std::vector<unsigned char> bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::vector<unsigned char> bytesOf(const std::wstring& path)
{
    return bytesOf(std::string(path.begin(), path.end()));
}

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
