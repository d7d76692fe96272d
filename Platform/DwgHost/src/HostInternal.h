// What the host's sources share and modules never see: the state of the one host
// of the process, the object stubs, and access to the classes' private parts.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "arxheaders.h"
#include "brxheaders.h"
#include "dbhostfaults.h"

// What an object id points at: one per handle of a database.
class AcDbStub
{
public:
    AcDbDatabase* database = nullptr;
    AcDbHandle handle;
    AcDbObject* object = nullptr;  // null once the object no longer exists
    bool erased = false;
};

namespace DwgHostDetail
{
// The host's own classes, registered when the host starts.
enum BuiltInClass
{
    kRxObject,
    kRxClass,
    kRxDictionary,
    kRxService,
    kDbObject,
    kDbEntity,
    kDbBlockReference,
    kDbDictionary,
    kDbSymbolTableRecord,
    kDbBlockTableRecord,
    kDbSymbolTable,
    kDbBlockTable,
    kDbProxyObject,
    kDbDwgFiler,
    kDbMemoryFiler,
    kDbDatabase,
    kBuiltInClassCount
};

// A text a filer read onto the host heap, freed on every path out of a reader.
class ReadText
{
public:
    ReadText() = default;
    ReadText(const ReadText&) = delete;
    ReadText& operator=(const ReadText&) = delete;
    ~ReadText() { acutDelBuffer(mText); }
    ACHAR** target() { return &mText; }
    const ACHAR* get() const { return mText; }

private:
    ACHAR* mText = nullptr;
};

// One module loaded by acrxLoadModule; its address is the application packet it is given.
struct LoadedModule
{
    std::wstring path;
    void* handle = nullptr;
    AcRxEntryPointFunc entryPoint = nullptr;
    bool locked = true;
    bool mdiAware = false;
};

// The one host of the process. Made on first use and never destroyed: modules and
// objects may reach it until the very end of the process.
struct HostState
{
    AcRxDictionary* sysRegistry = nullptr;
    AcRxClass* builtIn[kBuiltInClassCount] = {};
    std::vector<AcRxObject*> retired;  // classes out of the dictionary, kept readable
    AcDbDatabase* workingDatabase = nullptr;
    AcDbDatabase* defaultDatabase = nullptr;
    std::vector<std::unique_ptr<LoadedModule>> modules;
};

HostState& host();
AcRxClass* builtInClass(BuiltInClass which);
AcRxDictionary* classDictionary();
// The registered class of the name, looked up for the host itself.
AcRxClass* findClass(const ACHAR* className);
AcRxDictionary* serviceDictionary();

std::string toUtf8(const std::wstring& text);
// How many host heap allocations have failed in this process: a read compares it
// before and after, since a reader that met a null block may not say so.
std::size_t heapFailures();
// While one lives, the host heap does not ask its test switch: for the host's own
// steps, such as its default drawing, which a host never fails to have.
class HostOwnStep
{
public:
    HostOwnStep();
    ~HostOwnStep();
    HostOwnStep(const HostOwnStep&) = delete;
    HostOwnStep& operator=(const HostOwnStep&) = delete;
};
// Case folding for comparisons that ignore case.
std::wstring folded(const std::wstring& text);
// An id of an object that exists and is not erased: what lookups find and saves write.
inline bool isLive(const AcDbObjectId& id)
{
    return id.isValid() && !id.isErased();
}
}  // namespace DwgHostDetail

// Defines desc, cast and isA of a host class.
#define DWGHOST_DEFINE_MEMBERS(CLASS_NAME, SLOT)                                                    \
    AcRxClass* CLASS_NAME::desc() { return DwgHostDetail::builtInClass(DwgHostDetail::SLOT); }      \
    CLASS_NAME* CLASS_NAME::cast(const AcRxObject* object)                                          \
    {                                                                                               \
        return object && object->isKindOf(desc()) ? static_cast<CLASS_NAME*>(const_cast<AcRxObject*>(object)) \
                                                  : nullptr;                                        \
    }                                                                                               \
    AcRxClass* CLASS_NAME::isA() const { return desc(); }

struct DwgHostClassAccess
{
    static void setParent(AcRxClass& cls, AcRxClass* parent) { cls.mParent = parent; }
    static void setBuiltIn(AcRxClass& cls) { cls.mBuiltIn = true; }
    static bool isBuiltIn(const AcRxClass& cls) { return cls.mBuiltIn; }
    static std::vector<AcRxObject*> entries(const AcRxDictionary& dictionary);
    static AcRxClass* build(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                            int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor constructor,
                            const ACHAR* dxfName, const ACHAR* appName, AppNameChangeFuncPtr appNameChange);
};

struct DwgHostObjectAccess
{
    static AcDbStub* stub(const AcDbObjectId& id) { return id.mStub; }
    static AcDbStub* stub(const AcDbObject& object) { return object.mStub; }
    static void attach(AcDbObject& object, AcDbStub* stub) { object.mStub = stub; }
    static void setOwner(AcDbObject& object, AcDbObjectId owner) { object.mOwner = owner; }
    static void setWriter(AcDbObject& object, bool writer) { object.mWriter = writer; }
    static void setFiling(const AcDbObject& object, bool filing) { const_cast<AcDbObject&>(object).mFiling = filing; }
    static Acad::ErrorStatus askErase(AcDbObject& object, bool erasing) { return object.subErase(erasing); }
    static Acad::ErrorStatus open(AcDbObject& object, AcDb::OpenMode mode);
};

// Marks an object as being filed by the host for the life of the guard.
class FilingGuard
{
public:
    explicit FilingGuard(const AcDbObject& object) : mObject(object) { DwgHostObjectAccess::setFiling(mObject, true); }
    ~FilingGuard() { DwgHostObjectAccess::setFiling(mObject, false); }
    FilingGuard(const FilingGuard&) = delete;
    FilingGuard& operator=(const FilingGuard&) = delete;

private:
    const AcDbObject& mObject;
};

struct DwgHostDatabaseAccess
{
    static std::map<Adesk::UInt64, AcDbStub*>& stubs(AcDbDatabase& database) { return database.mStubs; }
    static void setHandseed(AcDbDatabase& database, Adesk::UInt64 handseed) { database.mHandseed = handseed; }
    static void setRoots(AcDbDatabase& database, AcDbObjectId namedObjects, AcDbObjectId blockTable)
    {
        database.mNamedObjects = namedObjects;
        database.mBlockTable = blockTable;
    }
    // Deletes every object and stub: the database is empty again.
    static void clear(AcDbDatabase& database);
    // Whether add can take the object: there is one, and it is in no database yet.
    static Acad::ErrorStatus addable(const AcDbObject* object);
    // Makes an object that addable accepts resident under the next handle, open for
    // write: what addAcDbObject, setAt and the tables do once they accept the object.
    static Acad::ErrorStatus add(AcDbDatabase& database, AcDbObjectId& id, AcDbObject* object);
};

// Reading handles inside host records: the id of a handle of the filer's database.
bool dwgHostResolveHandle(AcDbDwgFiler* filer, const AcDbHandle& handle, AcDbObjectId& id);
// A count read from a record, checked against what the filer can still deliver.
bool dwgHostCountFits(AcDbDwgFiler* filer, Adesk::Int32 count, Adesk::UInt32 itemsPerEntry);
