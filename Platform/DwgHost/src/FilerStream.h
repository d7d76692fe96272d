// The byte stream of the host's filer, as the drawing file holds it too: item after
// item, each a kind tag (UInt8) and its value:
//   Int32 (4) | Bool (1: 0 or 1) | Double (8) | Point3d (24) | Handle (UInt32 low, UInt32 high) |
//   Bytes (UInt32 n, n bytes) | String (UInt32 n, n UInt32 code units, none 0 or above 0x10FFFF)
// Every number is little-endian, as the host's own numbers are: values are copied whole.
#pragma once

#include <cstddef>
#include <vector>

#include "HostInternal.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the filer copies its numbers as they are in memory");
static_assert(sizeof(ACHAR) == 4, "the filer keeps a text's code units as UInt32");

namespace DwgHostDetail
{
// Checks that data begins with count whole, well-formed items, each within size;
// false for anything else. used gets the bytes they take.
bool scanItems(const unsigned char* data, std::size_t size, std::size_t count, std::size_t& used);
// Decodes the well-formed item at data; the bytes it takes.
std::size_t decodeItem(const unsigned char* data, AcDbFilerItem& item);
// Writes the item through the filer's own calls.
void writeItem(AcDbDwgFiler& filer, const AcDbFilerItem& item);
// Decodes count well-formed items.
std::vector<AcDbFilerItem> decodeItems(const unsigned char* data, std::size_t count);
}  // namespace DwgHostDetail

// The host's own access to its filer's stream.
struct DwgHostFilerAccess
{
    // Makes an empty filer read count well-formed items that it does not own;
    // they must outlive the reading.
    static void readBorrowed(AcDbMemoryFiler& filer, const unsigned char* data, std::size_t size, std::size_t count)
    {
        AcDbMemoryFiler::Chunk chunk;
        chunk.data = data;
        chunk.size = size;
        chunk.capacity = size;
        filer.mChunks.push_back(std::move(chunk));
        filer.mItemCount = count;
    }
    static std::size_t itemCount(const AcDbMemoryFiler& filer) { return filer.mItemCount; }
    // How the filer itself failed a read or write, whatever its status says since; eOk when it did not.
    static Acad::ErrorStatus fault(const AcDbMemoryFiler& filer) { return filer.mFault; }
    // Calls run(data, size) for each run of whole items, in order.
    template <class Run>
    static void forEachRun(const AcDbMemoryFiler& filer, Run&& run)
    {
        for (const AcDbMemoryFiler::Chunk& chunk : filer.mChunks) {
            if (chunk.size > 0)
                run(chunk.data, chunk.size);
        }
    }
    // The stream in one piece.
    static std::vector<unsigned char> bytes(const AcDbMemoryFiler& filer)
    {
        std::size_t size = 0;
        forEachRun(filer, [&](const unsigned char*, std::size_t n) { size += n; });
        std::vector<unsigned char> all;
        all.reserve(size);
        forEachRun(filer, [&](const unsigned char* data, std::size_t n) { all.insert(all.end(), data, data + n); });
        return all;
    }
};
