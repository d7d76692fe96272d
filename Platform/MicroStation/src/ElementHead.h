// Reading and checking the head of an element buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "LittleEndian.h"
#include "mselems.h"

namespace mstnhost {

// MSTN_SUCCESS when the head describes an element of at least a head and at
// most the available bytes (and the largest element), with its attribute
// offset inside it; then *sizeBytes is the element's length. Else MSTN_ERR_BAD_ELEMENT.
int checkElementHead(const std::uint8_t* buf, std::size_t available, std::uint32_t* sizeBytes);

inline int elementType(const std::uint8_t* buf) { return readU16(buf + MSTN_ELEMENT_TYPE_OFFSET); }
inline LevelId elementLevel(const std::uint8_t* buf) { return readU32(buf + MSTN_ELEMENT_LEVEL_OFFSET); }
inline ElementId elementId(const std::uint8_t* buf) { return readU64(buf + MSTN_ELEMENT_ID_OFFSET); }
inline std::uint32_t elementSizeWords(const std::uint8_t* buf) { return readU32(buf + MSTN_ELEMENT_SIZE_OFFSET); }

} // namespace mstnhost
