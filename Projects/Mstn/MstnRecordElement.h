// The elements of a record: building them, and reading a header element back.
// Stored headers are not trusted: every field is checked against the element
// that holds it before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <afx.h>
#include <mselems.h>

struct MstnRecordHeader
{
    CString name;
    std::int32_t totalLength = 0;       // bytes of the chunk stream
    std::vector<std::uint64_t> dataIds; // the data elements, in stream order
};

namespace MstnRecord
{
// An element's bytes, addressed from the element's start whatever type the
// host gives its buffer.
inline std::uint8_t* Bytes(MSElement& element)
{
    return reinterpret_cast<std::uint8_t*>(&element);
}
inline const std::uint8_t* Bytes(const MSElement& element)
{
    return reinterpret_cast<const std::uint8_t*>(&element);
}

// The element's length in bytes as its head gives it, at most the buffer's.
std::size_t ElementBytes(const MSElement& element);

// Clears the element's bytes (its size, the pad byte of an odd payload
// included) and writes the record head around the payload (at most
// kMaxPayloadBytes); the buffer past the element's size is left as it was.
void BuildElement(MSElement& element, const std::uint8_t* payload, std::size_t payloadBytes);

// The header of a record of that kind. False when the element is no such
// header, or when its counts do not fit it: a name, total or id list that runs
// past the element, a negative count or total, a total larger than its data
// elements can hold, or an element size other than its counts give. A data
// element may still read whole as a header: which one it is, the headers that
// name it tell (MstnHeaderIndex).
bool ReadHeader(const MSElement& element, int kind, MstnRecordHeader& header);

// True when the element can be a data element of a record: an application
// element of the records' level with their signature. Its payload is a piece
// of the stream and may begin with anything, the record kind included.
bool IsDataElement(const MSElement& element);
} // namespace MstnRecord
