// The drawing file: this host's own binary layout, as an image in memory.
//
//   "DWGHOST\0", UInt32 layout version (1)
//   UInt64 handseed, UInt64 named objects dictionary handle, UInt64 block table handle
//   UInt32 class count, per class: String name, parent, DXF name, application text,
//          Int32 proxy flags, drawing version, maintenance release
//   UInt32 object count, per object (ascending handles): UInt64 handle, UInt64 owner
//          handle (0: none), UInt32 class index, UInt32 item count, the items as the
//          filer's stream holds them (FilerStream.h)
//   String: UInt32 n, n UInt32 code units
// Every number is little-endian.
#pragma once

#include <iosfwd>
#include <memory>
#include <vector>

#include "HostInternal.h"

namespace DwgHostDetail
{
struct ObjectRecord
{
    Adesk::UInt64 handle = 0;
    Adesk::UInt64 owner = 0;
    Adesk::UInt32 classIndex = 0;
    // The record's items: what the object wrote on a save; on a read, the file's
    // bytes, read in place.
    std::unique_ptr<AcDbMemoryFiler> filer;
};

struct DrawingImage
{
    Adesk::UInt64 handseed = 1;
    Adesk::UInt64 namedObjects = 0;
    Adesk::UInt64 blockTable = 0;
    std::vector<AcDbProxyClassInfo> classes;
    std::vector<ObjectRecord> objects;
};

// Writes the drawing to out, each record's stream as it is; the state of out tells
// whether it was written.
void encodeDrawing(const DrawingImage& image, std::ostream& out);
// eOk, or eBadDwgHeader for what is no drawing of this host, or
// eDwgObjectImproperlyRead for a truncated or inconsistent one. The record filers
// are of the database and read the bytes in place: the bytes must outlive them.
Acad::ErrorStatus decodeDrawing(const unsigned char* bytes, std::size_t size, AcDbDatabase* database,
                                DrawingImage& image);
// True when no dictionary among the objects of a read drawing names itself, one of
// its owners, a root of the drawing or an object another entry names already.
bool dictionariesFormATree(const std::vector<AcDbStub*>& objects, const std::vector<const AcDbStub*>& roots);
}  // namespace DwgHostDetail
