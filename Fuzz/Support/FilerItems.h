// Filer items as bytes, so that a fuzzer can vary a record item by item.
//
// Each item: one byte of kind (taken modulo the number of kinds, so every byte
// is a kind), then its value, little-endian:
//   int32    4 bytes          bool    1 byte (0 false)    double  8 bytes
//   point3d  3 x 8 bytes      handle  8 bytes
//   bytes    1 byte count n, n bytes
//   string   1 byte count n, n characters of 2 bytes each
// An item whose value is cut short ends the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <dbmemfiler.h>

std::vector<AcDbFilerItem> DecodeFilerItems(const std::uint8_t* data, std::size_t size);
// Items whose bytes or string are longer than a count byte takes are cut to 255.
std::vector<std::uint8_t> EncodeFilerItems(const std::vector<AcDbFilerItem>& items);

// Same kinds and values, points by their bits, and the double items too when
// compareDoubles (angles rebuilt from a transform may differ in their last bits).
bool SameFilerItems(const std::vector<AcDbFilerItem>& a, const std::vector<AcDbFilerItem>& b, bool compareDoubles);
