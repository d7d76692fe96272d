// The drawing file's bytes: written plainly, read with every length and count
// checked against what the file still holds.
#include <cstring>
#include <set>

#include "DrawingFile.h"

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

    void u8(Adesk::UInt8 value) { bytes.push_back(value); }
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
    void f64(double value)
    {
        Adesk::UInt64 bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        u64(bits);
    }
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
    explicit ByteReader(const std::vector<unsigned char>& bytes) : mData(bytes.data()), mLeft(bytes.size()) {}

    bool ok() const { return mOk; }
    std::size_t left() const { return mLeft; }
    // False, for good, when fewer than n bytes are left.
    bool need(std::size_t n)
    {
        if (mOk && n > mLeft)
            mOk = false;
        return mOk;
    }

    Adesk::UInt8 u8()
    {
        if (!need(1))
            return 0;
        --mLeft;
        return *mData++;
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
    double f64()
    {
        const Adesk::UInt64 bits = u64();
        double value = 0.0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
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
    void raw(std::vector<unsigned char>& value, std::size_t length)
    {
        value.clear();
        if (!need(length))
            return;
        value.assign(mData, mData + length);
        mData += length;
        mLeft -= length;
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

void writeItem(ByteWriter& out, const AcDbFilerItem& item)
{
    out.u8(item.kind);
    switch (item.kind) {
    case AcDbFilerItem::kInt32: out.i32(item.int32); break;
    case AcDbFilerItem::kBool: out.u8(item.boolean ? 1 : 0); break;
    case AcDbFilerItem::kDouble: out.f64(item.doubles[0]); break;
    case AcDbFilerItem::kPoint3d:
        for (double value : item.doubles)
            out.f64(value);
        break;
    case AcDbFilerItem::kHandle:
        out.u32(item.handle.low());
        out.u32(item.handle.high());
        break;
    case AcDbFilerItem::kBytes:
        out.u32(static_cast<Adesk::UInt32>(item.bytes.size()));
        out.bytes.insert(out.bytes.end(), item.bytes.begin(), item.bytes.end());
        break;
    case AcDbFilerItem::kString: out.text(item.text); break;
    }
}

bool readItem(ByteReader& in, AcDbFilerItem& item)
{
    const Adesk::UInt8 kind = in.u8();
    switch (kind) {
    case AcDbFilerItem::kInt32: item.int32 = in.i32(); break;
    case AcDbFilerItem::kBool: {
        const Adesk::UInt8 value = in.u8();
        if (value > 1)
            return false;
        item.boolean = value == 1;
        break;
    }
    case AcDbFilerItem::kDouble: item.doubles[0] = in.f64(); break;
    case AcDbFilerItem::kPoint3d:
        for (double& value : item.doubles)
            value = in.f64();
        break;
    case AcDbFilerItem::kHandle: {
        const Adesk::UInt32 low = in.u32();
        item.handle = AcDbHandle(low, in.u32());
        break;
    }
    case AcDbFilerItem::kBytes: in.raw(item.bytes, in.u32()); break;
    case AcDbFilerItem::kString: in.text(item.text); break;
    default: return false;
    }
    item.kind = static_cast<AcDbFilerItem::Kind>(kind);
    return in.ok();
}

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

std::vector<unsigned char> encodeDrawing(const DrawingImage& image)
{
    ByteWriter out;
    out.bytes.assign(kMagic, kMagic + sizeof kMagic);
    out.u32(kLayoutVersion);
    out.u64(image.handseed);
    out.u64(image.namedObjects);
    out.u64(image.blockTable);
    out.u32(static_cast<Adesk::UInt32>(image.classes.size()));
    for (const AcDbProxyClassInfo& cls : image.classes) {
        out.text(cls.name);
        out.text(cls.parentName);
        out.text(cls.dxfName);
        out.text(cls.appName);
        out.i32(cls.proxyFlags);
        out.i32(cls.dwgVersion);
        out.i32(cls.maintenanceVersion);
    }
    out.u32(static_cast<Adesk::UInt32>(image.objects.size()));
    for (const ObjectRecord& record : image.objects) {
        out.u64(record.handle);
        out.u64(record.owner);
        out.u32(record.classIndex);
        out.u32(static_cast<Adesk::UInt32>(record.items.size()));
        for (const AcDbFilerItem& item : record.items)
            writeItem(out, item);
    }
    return std::move(out.bytes);
}

Acad::ErrorStatus decodeDrawing(const std::vector<unsigned char>& bytes, DrawingImage& image)
{
    image = DrawingImage();
    ByteReader in(bytes);
    std::vector<unsigned char> magic;
    in.raw(magic, sizeof kMagic);
    if (!in.ok() || std::memcmp(magic.data(), kMagic, sizeof kMagic) != 0 || in.u32() != kLayoutVersion || !in.ok())
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
        record.items.resize(in.count(kMinItemBytes));
        for (AcDbFilerItem& item : record.items) {
            if (!readItem(in, item))
                return Acad::eDwgObjectImproperlyRead;
        }
        if (!in.ok())
            return Acad::eDwgObjectImproperlyRead;
    }
    if (!in.ok() || in.left() != 0 || !consistent(image))
        return Acad::eDwgObjectImproperlyRead;
    return Acad::eOk;
}
}  // namespace DwgHostDetail
