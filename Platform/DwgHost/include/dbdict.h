// Dictionaries of drawing objects, such as the named objects dictionary.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dbmain.h"

class AcDbDictionaryIterator;

// Keys are compared with their case; the iterator yields them in ascending order.
// An entry whose object is erased is gone from every lookup.
class DWGHOST_API AcDbDictionary : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary);
    AcDbDictionary();
    ~AcDbDictionary() override;

    // Opens the entry under the key; eKeyNotFound (22) when there is none.
    Acad::ErrorStatus getAt(const ACHAR* key, AcDbObject*& object, AcDb::OpenMode mode) const;
    Acad::ErrorStatus getAt(const ACHAR* key, AcDbObjectId& id) const;
    bool has(const ACHAR* key) const;
    Adesk::UInt32 numEntries() const;

    // Puts the object under the key. A detached object is added to the dictionary's
    // database and stays open for write; an object it replaces is erased. Needs the
    // dictionary open for write.
    Acad::ErrorStatus setAt(const ACHAR* key, AcDbObject* object, AcDbObjectId& id);
    // Takes the entry out; its object stays in the drawing, without an owner, for
    // the caller to erase. Needs the dictionary open for write.
    Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& id);
    Acad::ErrorStatus remove(const ACHAR* key);

    // An iterator over the entries as they are now; the caller deletes it.
    AcDbDictionaryIterator* newIterator() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

private:
    std::vector<std::pair<std::wstring, AcDbObjectId>> liveEntries() const;
    std::map<std::wstring, AcDbObjectId> mEntries;
};

class DWGHOST_API AcDbDictionaryIterator
{
public:
    virtual ~AcDbDictionaryIterator();
    AcDbDictionaryIterator(const AcDbDictionaryIterator&) = delete;
    AcDbDictionaryIterator& operator=(const AcDbDictionaryIterator&) = delete;

    bool done() const;
    // Steps to the next entry; false when there is none.
    bool next();
    // The key of the current entry; null when done.
    const ACHAR* name() const;
    AcDbObjectId objectId() const;
    Acad::ErrorStatus getObject(AcDbObject*& object, AcDb::OpenMode mode);

private:
    friend class AcDbDictionary;
    explicit AcDbDictionaryIterator(std::vector<std::pair<std::wstring, AcDbObjectId>> entries);
    std::vector<std::pair<std::wstring, AcDbObjectId>> mEntries;
    std::size_t mIndex = 0;
};
