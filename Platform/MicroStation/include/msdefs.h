// Basic types and status values of the MicroStation host's MDL interface.
#pragma once

#include <cstdint>

struct DgnModelRef;                  // a model of the open design file
typedef DgnModelRef* DgnModelRefP;

struct ElementRef;                   // an element of a model, as the model holds it
typedef ElementRef* ElementRefP;

typedef std::uint64_t ElementId;     // 64-bit in every build, 32-bit ones included
typedef std::uint32_t LevelId;

// Status values. 0 is success; the scan answers 10, 11 or 12 when it delivered
// file positions; every failure is one of the MSTN_ERR_ values.
constexpr int MSTN_SUCCESS = 0;

constexpr int MSTN_SCAN_END_OF_MODEL = 10;   // the scan reached the end of the model
constexpr int MSTN_SCAN_BUFFER_FULL = 11;    // the buffer is full and the model goes on: call again
constexpr int MSTN_SCAN_PAST_END = 12;       // the scan position lay past the end of the model

constexpr int MSTN_ERR_BAD_ARGUMENT = 0x8001;      // a null or out-of-range argument
constexpr int MSTN_ERR_BAD_MODEL = 0x8002;         // not the active model
constexpr int MSTN_ERR_BAD_ELEMENT = 0x8003;       // the element's head is not well formed
constexpr int MSTN_ERR_ELEMENT_NOT_FOUND = 0x8004; // no live element of that id or file position
constexpr int MSTN_ERR_ELEMENT_MISMATCH = 0x8005;  // the element given is not the one at that position
constexpr int MSTN_ERR_MODEL_FULL = 0x8006;        // a file position would not fit 32 bits
constexpr int MSTN_ERR_BAD_DESCRIPTOR = 0x8007;    // not a descriptor the caller owns
constexpr int MSTN_ERR_BAD_CRITERIA = 0x8008;      // not live scan criteria, or criteria without a model
constexpr int MSTN_ERR_FILE_OPEN = 0x8009;         // the design file cannot be opened
constexpr int MSTN_ERR_FILE_WRITE = 0x800A;        // the design file cannot be written
constexpr int MSTN_ERR_FILE_CORRUPT = 0x800B;      // the design file is truncated or corrupt
constexpr int MSTN_ERR_READ_ONLY = 0x800C;         // the model cannot be changed (a read-only file)
constexpr int MSTN_ERR_FILE_READ = 0x800D;         // the design file cannot be read
constexpr int MSTN_ERR_NO_MEMORY = 0x800E;         // the host ran out of memory
