// The drawing file: this host's own binary layout, as an image in memory.
//
//   "DWGHOST\0", UInt32 layout version (1)
//   UInt64 handseed, UInt64 named objects dictionary handle, UInt64 block table handle
//   UInt32 class count, per class: String name, parent, DXF name, application text,
//          Int32 proxy flags, drawing version, maintenance release
//   UInt32 object count, per object (ascending handles): UInt64 handle, UInt64 owner
//          handle (0: none), UInt32 class index, UInt32 item count, items
//   item: UInt8 kind, then Int32 (4) | Bool (1) | Double (8) | Point3d (24) |
//         Handle (UInt32 low, UInt32 high) | Bytes (UInt32 n, n bytes) | String (UInt32 n, n UInt32 code units)
// Every number is little-endian.
#pragma once

#include <vector>

#include "HostInternal.h"

namespace DwgHostDetail
{
struct ObjectRecord
{
    Adesk::UInt64 handle = 0;
    Adesk::UInt64 owner = 0;
    Adesk::UInt32 classIndex = 0;
    std::vector<AcDbFilerItem> items;
};

struct DrawingImage
{
    Adesk::UInt64 handseed = 1;
    Adesk::UInt64 namedObjects = 0;
    Adesk::UInt64 blockTable = 0;
    std::vector<AcDbProxyClassInfo> classes;
    std::vector<ObjectRecord> objects;
};

std::vector<unsigned char> encodeDrawing(const DrawingImage& image);
// eOk, or eBadDwgHeader for what is no drawing of this host, or
// eDwgObjectImproperlyRead for a truncated or inconsistent one.
Acad::ErrorStatus decodeDrawing(const std::vector<unsigned char>& bytes, DrawingImage& image);
}  // namespace DwgHostDetail
