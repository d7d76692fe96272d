// The filer's items in bytes: checked when they come from outside, decoded for the
// host's own checks, written again through a filer.
#include "FilerStream.h"

#include <cstring>

namespace DwgHostDetail
{
namespace
{
Adesk::UInt32 loadU32(const unsigned char* at)
{
    Adesk::UInt32 value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The bytes of the value after the tag, when the kind has a fixed size; 0 else.
std::size_t fixedValueBytes(unsigned char kind)
{
    switch (kind) {
    case AcDbFilerItem::kInt32: return 4;
    case AcDbFilerItem::kBool: return 1;
    case AcDbFilerItem::kDouble: return 8;
    case AcDbFilerItem::kPoint3d: return 24;
    case AcDbFilerItem::kHandle: return 8;
    default: return 0;
    }
}
}  // namespace

bool scanItems(const unsigned char* data, std::size_t size, std::size_t count, std::size_t& used)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (size - at < 1)
            return false;
        const unsigned char kind = data[at++];
        const std::size_t left = size - at;
        if (const std::size_t fixed = fixedValueBytes(kind)) {
            if (left < fixed || (kind == AcDbFilerItem::kBool && data[at] > 1))
                return false;
            at += fixed;
            continue;
        }
        if ((kind != AcDbFilerItem::kBytes && kind != AcDbFilerItem::kString) || left < 4)
            return false;
        const Adesk::UInt64 length = loadU32(data + at);
        const Adesk::UInt64 valueBytes = kind == AcDbFilerItem::kBytes ? length : 4 * length;
        // Compared in 64 bits: in a 32-bit build the byte count of a corrupt length wraps.
        if (valueBytes > left - 4)
            return false;
        at += 4;
        if (kind == AcDbFilerItem::kString) {
            // Texts travel as C strings: a NUL inside is refused, as is what is no code point.
            for (std::size_t unit = 0; unit < length; ++unit) {
                const Adesk::UInt32 code = loadU32(data + at + 4 * unit);
                if (code == 0 || code > 0x10FFFF)
                    return false;
            }
        }
        at += static_cast<std::size_t>(valueBytes);
    }
    used = at;
    return true;
}

std::size_t decodeItem(const unsigned char* data, AcDbFilerItem& item)
{
    item = AcDbFilerItem();
    item.kind = static_cast<AcDbFilerItem::Kind>(data[0]);
    const unsigned char* value = data + 1;
    switch (item.kind) {
    case AcDbFilerItem::kInt32: std::memcpy(&item.int32, value, 4); return 5;
    case AcDbFilerItem::kBool: item.boolean = value[0] == 1; return 2;
    case AcDbFilerItem::kDouble: std::memcpy(&item.doubles[0], value, 8); return 9;
    case AcDbFilerItem::kPoint3d: std::memcpy(item.doubles, value, 24); return 25;
    case AcDbFilerItem::kHandle: item.handle = AcDbHandle(loadU32(value), loadU32(value + 4)); return 9;
    case AcDbFilerItem::kBytes: {
        const std::size_t length = loadU32(value);
        item.bytes.assign(value + 4, value + 4 + length);
        return 5 + length;
    }
    case AcDbFilerItem::kString: {
        const std::size_t length = loadU32(value);
        item.text.resize(length);
        std::memcpy(&item.text[0], value + 4, 4 * length);
        return 5 + 4 * length;
    }
    }
    return 1;
}

void writeItem(AcDbDwgFiler& filer, const AcDbFilerItem& item)
{
    switch (item.kind) {
    case AcDbFilerItem::kInt32: filer.writeInt32(item.int32); break;
    case AcDbFilerItem::kBool: filer.writeBool(item.boolean); break;
    case AcDbFilerItem::kDouble: filer.writeDouble(item.doubles[0]); break;
    case AcDbFilerItem::kPoint3d: filer.writePoint3d(AcGePoint3d(item.doubles[0], item.doubles[1], item.doubles[2])); break;
    case AcDbFilerItem::kHandle: filer.writeAcDbHandle(item.handle); break;
    case AcDbFilerItem::kBytes: filer.writeBytes(item.bytes.data(), item.bytes.size()); break;
    case AcDbFilerItem::kString: filer.writeString(item.text.c_str()); break;
    }
}

std::vector<AcDbFilerItem> decodeItems(const unsigned char* data, std::size_t count)
{
    std::vector<AcDbFilerItem> items(count);
    std::size_t at = 0;
    for (AcDbFilerItem& item : items)
        at += decodeItem(data + at, item);
    return items;
}
}  // namespace DwgHostDetail
