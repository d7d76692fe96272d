// The drawing file's bytes: written plainly, read with every length and count
// checked against what the file still holds. The records' streams are written
// and read as they are, never item by item.
#include <cstring>
#include <ostream>
#include <set>

#include "DrawingFile.h"
#include "FilerStream.h"

namespace DwgHostDetail
{
namespace
{
const unsigned char kMagic[8] = {'D', 'W', 'G', 'H', 'O', 'S', 'T', 0};
constexpr Adesk::UInt32 kLayoutVersion = 1;
constexpr std::size_t kMinClassBytes = 4 * 4 + 3 * 4;
constexpr std::size_t kMinObjectBytes = 8 + 8 + 4 + 4;
constexpr std::size_t kMinItemBytes = 2;

class ByteWriter
{
public:
    std::vector<unsigned char> bytes;

    void u32(Adesk::UInt32 value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>(value >> shift));
    }
    void u64(Adesk::UInt64 value)
    {
        u32(static_cast<Adesk::UInt32>(value));
        u32(static_cast<Adesk::UInt32>(value >> 32));
    }
    void i32(Adesk::Int32 value) { u32(static_cast<Adesk::UInt32>(value)); }
    void text(const std::wstring& value)
    {
        u32(static_cast<Adesk::UInt32>(value.size()));
        for (wchar_t c : value)
            u32(static_cast<Adesk::UInt32>(c));
    }
};

class ByteReader
{
public:
    ByteReader(const unsigned char* bytes, std::size_t size) : mData(bytes), mLeft(size) {}

    bool ok() const { return mOk; }
    std::size_t left() const { return mLeft; }
    const unsigned char* here() const { return mData; }
    void skip(std::size_t n)
    {
        if (need(n)) {
            mData += n;
            mLeft -= n;
        }
    }
    // False, for good, when fewer than n bytes are left.
    bool need(std::size_t n)
    {
        if (mOk && n > mLeft)
            mOk = false;
        return mOk;
    }

    Adesk::UInt32 u32()
    {
        if (!need(4))
            return 0;
        Adesk::UInt32 value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<Adesk::UInt32>(mData[i]) << (8 * i);
        mData += 4;
        mLeft -= 4;
        return value;
    }
    Adesk::UInt64 u64()
    {
        const Adesk::UInt64 low = u32();
        const Adesk::UInt64 high = u32();
        return low | (high << 32);
    }
    Adesk::Int32 i32() { return static_cast<Adesk::Int32>(u32()); }
    // Text of 32-bit code units; a NUL inside is refused, since texts travel as C strings.
    void text(std::wstring& value)
    {
        value.clear();
        const Adesk::UInt32 length = u32();
        // Compared in 64 bits: in a 32-bit build the byte count of a corrupt length wraps.
        if (mOk && static_cast<Adesk::UInt64>(length) * 4 > mLeft)
            mOk = false;
        if (!mOk)
            return;
        value.reserve(length);
        for (Adesk::UInt32 i = 0; i < length && mOk; ++i) {
            const Adesk::UInt32 code = u32();
            if (code == 0 || code > 0x10FFFF)
                mOk = false;
            value += static_cast<wchar_t>(code);
        }
    }
    // A count of entries of at least minBytes each that the rest of the file can hold.
    Adesk::UInt32 count(std::size_t minBytes)
    {
        const Adesk::UInt32 n = u32();
        if (mOk && static_cast<Adesk::UInt64>(n) * minBytes > mLeft)
            mOk = false;
        return mOk ? n : 0;
    }

private:
    const unsigned char* mData;
    std::size_t mLeft;
    bool mOk = true;
};

// Handles unique and below the handseed, owners and roots known, roots of the right class.
bool consistent(const DrawingImage& image)
{
    std::set<Adesk::UInt64> handles;
    for (const ObjectRecord& record : image.objects) {
        if (record.handle == 0 || record.handle >= image.handseed || !handles.insert(record.handle).second)
            return false;
        if (record.classIndex >= image.classes.size())
            return false;
    }
    auto rootIs = [&](Adesk::UInt64 handle, const wchar_t* className) {
        if (handle == 0)
            return true;
        for (const ObjectRecord& record : image.objects) {
            if (record.handle == handle)
                return image.classes[record.classIndex].name == className;
        }
        return false;
    };
    for (const ObjectRecord& record : image.objects) {
        if (record.owner != 0 && handles.count(record.owner) == 0)
            return false;
    }
    return rootIs(image.namedObjects, L"AcDbDictionary") && rootIs(image.blockTable, L"AcDbBlockTable");
}
}  // namespace

void encodeDrawing(const DrawingImage& image, std::ostream& out)
{
    ByteWriter header;
    header.bytes.assign(kMagic, kMagic + sizeof kMagic);
    header.u32(kLayoutVersion);
    header.u64(image.handseed);
    header.u64(image.namedObjects);
    header.u64(image.blockTable);
    header.u32(static_cast<Adesk::UInt32>(image.classes.size()));
    for (const AcDbProxyClassInfo& cls : image.classes) {
        header.text(cls.name);
        header.text(cls.parentName);
        header.text(cls.dxfName);
        header.text(cls.appName);
        header.i32(cls.proxyFlags);
        header.i32(cls.dwgVersion);
        header.i32(cls.maintenanceVersion);
    }
    header.u32(static_cast<Adesk::UInt32>(image.objects.size()));
    auto write = [&out](const unsigned char* data, std::size_t size) {
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    };
    write(header.bytes.data(), header.bytes.size());
    for (const ObjectRecord& record : image.objects) {
        ByteWriter start;
        start.u64(record.handle);
        start.u64(record.owner);
        start.u32(record.classIndex);
        start.u32(static_cast<Adesk::UInt32>(DwgHostFilerAccess::itemCount(*record.filer)));
        write(start.bytes.data(), start.bytes.size());
        DwgHostFilerAccess::forEachRun(*record.filer, write);
    }
}

Acad::ErrorStatus decodeDrawing(const unsigned char* bytes, std::size_t size, AcDbDatabase* database,
                                DrawingImage& image)
{
    image = DrawingImage();
    ByteReader in(bytes, size);
    if (!in.need(sizeof kMagic) || std::memcmp(in.here(), kMagic, sizeof kMagic) != 0)
        return Acad::eBadDwgHeader;
    in.skip(sizeof kMagic);
    if (in.u32() != kLayoutVersion || !in.ok())
        return Acad::eBadDwgHeader;

    image.handseed = in.u64();
    image.namedObjects = in.u64();
    image.blockTable = in.u64();
    const Adesk::UInt32 classCount = in.count(kMinClassBytes);
    image.classes.resize(classCount);
    for (AcDbProxyClassInfo& cls : image.classes) {
        in.text(cls.name);
        in.text(cls.parentName);
        in.text(cls.dxfName);
        in.text(cls.appName);
        cls.proxyFlags = in.i32();
        cls.dwgVersion = in.i32();
        cls.maintenanceVersion = in.i32();
        if (!in.ok())
            return Acad::eDwgObjectImproperlyRead;
    }
    const Adesk::UInt32 objectCount = in.count(kMinObjectBytes);
    image.objects.resize(objectCount);
    for (ObjectRecord& record : image.objects) {
        record.handle = in.u64();
        record.owner = in.u64();
        record.classIndex = in.u32();
        const Adesk::UInt32 itemCount = in.count(kMinItemBytes);
        std::size_t used = 0;
        if (!in.ok() || !scanItems(in.here(), in.left(), itemCount, used))
            return Acad::eDwgObjectImproperlyRead;
        record.filer.reset(new AcDbMemoryFiler(database, AcDb::kFileFiler));
        DwgHostFilerAccess::readBorrowed(*record.filer, in.here(), used, itemCount);
        in.skip(used);
    }
    if (!in.ok() || in.left() != 0 || !consistent(image))
        return Acad::eDwgObjectImproperlyRead;
    return Acad::eOk;
}
}  // namespace DwgHostDetail
