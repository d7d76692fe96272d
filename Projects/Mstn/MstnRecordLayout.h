// How records are laid out in application elements of the active model: the
// element head the store writes, where header and data elements keep what.
#pragma once

#include <cstddef>
#include <cstdint>

namespace MstnRecord
{
// The head of every element, as the host lays it out (little-endian).
constexpr std::size_t kTypeOffset = 0;           // uint16 element type
constexpr std::size_t kSizeOffset = 4;           // uint32 element size in 16-bit words
constexpr std::size_t kAttrOffset = 8;           // uint32 start of the attribute data in words
constexpr std::size_t kLevelOffset = 12;         // uint32 level

constexpr int kElementType = 66;                 // application element
constexpr std::uint32_t kLevel = 20;
constexpr std::size_t kSignatureOffset = 32;
constexpr std::uint16_t kSignature = 0x586F;
constexpr std::size_t kPayloadOffset = 34;       // the payload follows the 34-byte head
constexpr std::size_t kKindOffset = 34;          // header: int32 kind, then the name
constexpr std::size_t kNameOffset = 38;
// The most payload one element carries: (34 + 131030) / 2 words fill an element.
constexpr std::size_t kMaxPayloadBytes = 131030;
// Elements are assembled in a cleared buffer of this size.
constexpr std::size_t kElementBufferBytes = 0x20000;
// File positions fetched per host scan; the scan buffer is sized in 16-bit words.
constexpr int kFoundPositions = 50;
constexpr int kScanBufferWords = 2 * kFoundPositions;

// Statuses of the host scan that deliver file positions; the second asks to
// be called again for more.
constexpr int kScanEndOfModel = 10;
constexpr int kScanBufferFull = 11;
constexpr int kScanPastEnd = 12;
// The status of a search that could not reach the model's end (a store's
// scan without criteria, and a Delete that could not search): a record of the
// name may be there. It is told apart from -1, no record of the name.
constexpr int kSearchFailed = -2;
// The scan return type that delivers file positions.
constexpr int kScanReturnFilePositions = 1;

// The kind of a simulation record.
constexpr int kSimulationKind = 1000;

// An element's size in 16-bit words for its payload; an odd payload is padded.
constexpr std::uint32_t ElementWords(std::size_t payloadBytes)
{
    return static_cast<std::uint32_t>((kPayloadOffset + payloadBytes + 1) / 2);
}
} // namespace MstnRecord
