// Elements and element descriptors of the MicroStation host.
//
// An element is a run of 16-bit words that starts with this head (all numbers
// little-endian); the bytes of the head not listed are 0:
//
//   offset  width   field
//   0       uint16  element type
//   4       uint32  element size in 16-bit words, head included
//   8       uint32  offset of the attribute data in words (the size when there is none)
//   12      uint32  level
//   16      uint64  element id, written by the append that adds the element to a model
//   32      ...     the element's data (an application element has its signature word here)
#pragma once

#include <cstddef>
#include <cstdint>

#include "msdefs.h"
#include "msgeom.h"

constexpr std::size_t MSTN_ELEMENT_TYPE_OFFSET = 0;
constexpr std::size_t MSTN_ELEMENT_SIZE_OFFSET = 4;
constexpr std::size_t MSTN_ELEMENT_ATTR_OFFSET = 8;
constexpr std::size_t MSTN_ELEMENT_LEVEL_OFFSET = 12;
constexpr std::size_t MSTN_ELEMENT_ID_OFFSET = 16;
constexpr std::size_t MSTN_ELEMENT_HEAD_BYTES = 32;

// The largest element: 0x20000 bytes, 65536 words.
constexpr std::size_t MSTN_MAX_ELEMENT_BYTES = 0x20000;

// An element buffer of the largest size. Bytes past the element's size are not part of it.
struct MSElement
{
    std::uint8_t buf[MSTN_MAX_ELEMENT_BYTES];
};

struct MSElementDescrHeader
{
    std::uint32_t filePos;   // file position the element was read from; 0 when not read from the model
    bool visible;            // whether the element is displayed once it is added
};

// The host's in-memory copy of one element. The host allocates and frees every
// descriptor, as large as the element it holds: el has the element's size (at
// least a head), and nothing past that size may be read or written.
struct MSElementDescr
{
    MSElementDescrHeader h;
    MSElement el;
};
