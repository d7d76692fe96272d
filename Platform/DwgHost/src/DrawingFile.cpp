// Saving a drawing to a file and reading one back.
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <new>

#include "DrawingFile.h"
#include "FilerStream.h"

namespace
{
using DwgHostDetail::DrawingImage;
using DwgHostDetail::isLive;
using DwgHostDetail::ObjectRecord;

AcDbProxyClassInfo classOf(const AcDbObject& object)
{
    if (const AcDbProxyObject* proxy = AcDbProxyObject::cast(&object))
        return proxy->originalClass();
    AcDbProxyClassInfo info;
    if (const AcRxClass* cls = object.isA()) {
        info.name = cls->name();
        info.parentName = cls->parentName();
        info.dxfName = cls->dxfName();
        info.appName = cls->appName();
        info.proxyFlags = cls->proxyFlags();
        cls->getClassVersion(info.dwgVersion, info.maintenanceVersion);
    }
    return info;
}

Adesk::UInt64 liveHandle(const AcDbObjectId& id)
{
    return isLive(id) ? static_cast<Adesk::UInt64>(id.handle()) : 0;
}

// The objects that are not erased, in ascending handles, with the classes they use.
// A record its object or the filer could not write whole fails the save.
Acad::ErrorStatus capture(AcDbDatabase& database, DrawingImage& image)
{
    image.handseed = database.handseed();
    image.namedObjects = liveHandle(database.namedObjectsDictionaryId());
    image.blockTable = liveHandle(database.blockTableId());
    std::map<std::wstring, Adesk::UInt32> classIndex;
    for (const auto& entry : DwgHostDatabaseAccess::stubs(database)) {
        const AcDbStub* stub = entry.second;
        if (!stub->object || stub->erased)
            continue;
        const AcDbObject& object = *stub->object;
        ObjectRecord record;
        record.handle = entry.first;
        record.owner = liveHandle(object.ownerId());
        AcDbProxyClassInfo cls = classOf(object);
        auto known = classIndex.emplace(cls.name, static_cast<Adesk::UInt32>(image.classes.size()));
        if (known.second)
            image.classes.push_back(std::move(cls));
        record.classIndex = known.first->second;
        record.filer.reset(new AcDbMemoryFiler(&database, AcDb::kFileFiler));
        Acad::ErrorStatus written = Acad::eOk;
        {
            FilingGuard filing(object);
            written = object.dwgOutFields(record.filer.get());
        }
        if (written == Acad::eOk)
            written = record.filer->filerStatus();
        if (written != Acad::eOk)
            return written;
        image.objects.push_back(std::move(record));
    }
    return Acad::eOk;
}

// Files in one object; anything but a clean read is a failure. A read the filer
// itself failed, or one that ran out of memory, fails the whole drawing
// (hostFailure), not the object.
Acad::ErrorStatus fileIn(AcDbObject& object, const ObjectRecord& record, Acad::ErrorStatus& hostFailure)
{
    AcDbMemoryFiler& filer = *record.filer;
    Acad::ErrorStatus status = Acad::eOk;
    FilingGuard filing(object);
    try {
        status = object.dwgInFields(&filer);
    } catch (const std::bad_alloc&) {
        throw;  // the host ran out of memory: the whole read fails, not this object
    } catch (...) {
        status = Acad::eDwgObjectImproperlyRead;
    }
    hostFailure = DwgHostFilerAccess::fault(filer);
    if (hostFailure == Acad::eOk && (status == Acad::eOutOfMemory || filer.filerStatus() == Acad::eOutOfMemory))
        hostFailure = Acad::eOutOfMemory;
    return status != Acad::eOk ? status : filer.filerStatus();
}

// Makes the drawing of the image in an empty database. A host class whose record
// does not read refuses the file; any other object that cannot be made or read
// becomes a proxy of its record.
Acad::ErrorStatus build(AcDbDatabase& database, const DrawingImage& image)
{
    auto& stubs = DwgHostDatabaseAccess::stubs(database);
    std::vector<AcDbStub*> placed;
    placed.reserve(image.objects.size());
    std::vector<bool> asProxy;
    for (const ObjectRecord& record : image.objects) {
        const AcDbProxyClassInfo& info = image.classes[record.classIndex];
        AcDbObject* object = nullptr;
        if (AcRxClass* cls = DwgHostDetail::findClass(info.name.c_str())) {
            AcRxObject* made = cls->create();
            object = AcDbObject::cast(made);
            if (made && !object)
                delete made;
            if (object && object->database())
                object = nullptr;  // a pseudo-constructor must make a new object
        }
        // Owned here until the database holds it, so that a failed allocation
        // on the way leaks nothing; the database's clear frees what it holds.
        std::unique_ptr<AcDbObject> owned(object);
        asProxy.push_back(object == nullptr);
        if (!owned)
            owned.reset(new AcDbProxyObject(info, *record.filer));
        auto stub = std::make_unique<AcDbStub>();
        stub->database = &database;
        stub->handle = AcDbHandle(record.handle);
        stub->object = owned.get();
        stubs.emplace(record.handle, stub.get());
        DwgHostObjectAccess::attach(*owned, stub.get());
        owned.release();
        placed.push_back(stub.release());
    }
    for (std::size_t i = 0; i < image.objects.size(); ++i) {
        if (asProxy[i])
            continue;
        const ObjectRecord& record = image.objects[i];
        AcDbObject* object = placed[i]->object;
        Acad::ErrorStatus hostFailure = Acad::eOk;
        const Acad::ErrorStatus read = fileIn(*object, record, hostFailure);
        if (hostFailure != Acad::eOk)
            return hostFailure;
        if (read == Acad::eOk)
            continue;
        const AcRxClass* cls = object->isA();
        if (!cls || DwgHostClassAccess::isBuiltIn(*cls))
            return Acad::eDwgObjectImproperlyRead;
        auto* proxy = new AcDbProxyObject(image.classes[record.classIndex], *record.filer);
        DwgHostObjectAccess::attach(*object, nullptr);
        delete object;
        placed[i]->object = proxy;
        DwgHostObjectAccess::attach(*proxy, placed[i]);
    }
    auto root = [&](Adesk::UInt64 handle) { return handle ? AcDbObjectId(stubs.at(handle)) : AcDbObjectId(); };
    std::vector<const AcDbStub*> roots;
    for (Adesk::UInt64 handle : {image.namedObjects, image.blockTable}) {
        if (handle)
            roots.push_back(stubs.at(handle));
    }
    // What a host's file cannot hold: an object of two owners, or a dictionary
    // that owns itself through its entries.
    if (!DwgHostDetail::dictionariesFormATree(placed, roots))
        return Acad::eDwgObjectImproperlyRead;
    for (std::size_t i = 0; i < image.objects.size(); ++i) {
        const Adesk::UInt64 owner = image.objects[i].owner;
        DwgHostObjectAccess::setOwner(*placed[i]->object, owner ? AcDbObjectId(stubs.at(owner)) : AcDbObjectId());
    }
    DwgHostDatabaseAccess::setRoots(database, root(image.namedObjects), root(image.blockTable));
    DwgHostDatabaseAccess::setHandseed(database, image.handseed);
    return Acad::eOk;
}
}  // namespace

namespace
{
// Writes the whole file beside the old one and renames it over it only once it
// is complete, so a write that fails part way leaves the previous drawing whole.
Acad::ErrorStatus replaceFile(const std::string& path, const DrawingImage& image)
{
    const std::string temporary = path + ".saving";
    try {
        // A write the test switch fails stops before the drawing is complete, as a full disk would.
        const bool refused = dwgHostFault(DwgHostCall::SaveDrawing).fails();
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out && !refused)
            DwgHostDetail::encodeDrawing(image, out);
        out.close();
        if (!out || refused) {
            std::remove(temporary.c_str());
            return Acad::eFileAccessErr;
        }
    } catch (...) {
        // The stream could not be set up or flushed: no half-written file is left behind.
        std::remove(temporary.c_str());
        throw;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return Acad::eFileAccessErr;
    }
    return Acad::eOk;
}

// The whole file in one read. It is read, not mapped: a file that another process
// cuts short while it is read is then refused, not a crash.
Acad::ErrorStatus readFile(const std::string& path, std::unique_ptr<unsigned char[]>& bytes, std::size_t& size)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return Acad::eFileAccessErr;
    const std::streamoff length = in.tellg();
    // The length must fit both the buffer's size and the read's count: in a 32-bit
    // build a std::streamsize holds only half of what a size_t does.
    if (length < 0 || static_cast<Adesk::UInt64>(length) > std::numeric_limits<std::size_t>::max() ||
        length > std::numeric_limits<std::streamsize>::max())
        return Acad::eFileAccessErr;
    size = static_cast<std::size_t>(length);
    bytes.reset(new unsigned char[size > 0 ? size : 1]);  // not zeroed: the read fills it
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.get()), static_cast<std::streamsize>(size));
    return in && in.gcount() == static_cast<std::streamsize>(size) ? Acad::eOk : Acad::eFileAccessErr;
}
}  // namespace

Acad::ErrorStatus AcDbDatabase::saveAs(const ACHAR* fileName)
{
    if (!fileName || !*fileName)
        return Acad::eInvalidInput;
    // As in a read, a writer that met a null block of the host heap may have
    // written short: the save fails and the previous file stays.
    const std::size_t heapFailuresBefore = DwgHostDetail::heapFailures();
    try {
        DrawingImage image;
        const Acad::ErrorStatus captured = capture(*this, image);
        if (DwgHostDetail::heapFailures() != heapFailuresBefore)
            return Acad::eOutOfMemory;
        if (captured != Acad::eOk)
            return captured;
        return replaceFile(DwgHostDetail::toUtf8(fileName), image);
    } catch (const std::bad_alloc&) {
        return Acad::eOutOfMemory;
    }
}

Acad::ErrorStatus AcDbDatabase::readDwgFile(const ACHAR* fileName)
{
    if (!fileName || !*fileName)
        return Acad::eInvalidInput;
    if (!mStubs.empty())
        return Acad::eNotApplicable;
    if (dwgHostFault(DwgHostCall::ReadDrawing).fails())
        return Acad::eFileAccessErr;
    // The records are read in place from the file's bytes, which outlive them.
    std::unique_ptr<unsigned char[]> bytes;
    DrawingImage image;
    try {
        std::size_t size = 0;
        const Acad::ErrorStatus read = readFile(DwgHostDetail::toUtf8(fileName), bytes, size);
        if (read != Acad::eOk)
            return read;
        const Acad::ErrorStatus status = DwgHostDetail::decodeDrawing(bytes.get(), size, this, image);
        if (status != Acad::eOk)
            return status;
    } catch (const std::bad_alloc&) {
        return Acad::eOutOfMemory;
    }
    // A reader that met a null block of the host heap may take it for an empty
    // item and fail or read on: any heap failure during the read fails it whole,
    // rather than leave an object read short or turned into a proxy.
    const std::size_t heapFailuresBefore = DwgHostDetail::heapFailures();
    Acad::ErrorStatus built = Acad::eDwgObjectImproperlyRead;
    try {
        built = build(*this, image);
    } catch (const std::bad_alloc&) {
        built = Acad::eOutOfMemory;
    } catch (...) {
    }
    if (DwgHostDetail::heapFailures() != heapFailuresBefore)
        built = Acad::eOutOfMemory;
    if (built != Acad::eOk)
        DwgHostDatabaseAccess::clear(*this);
    return built;
}
