// The DWG host's basic types: fixed-width integers, its boolean and its text character.
#pragma once

#include <cstdint>

// Marks what the host library offers to the process and to every module. Modules
// are built with hidden visibility, so host classes must say they are public.
#define DWGHOST_API __attribute__((visibility("default")))

namespace Adesk
{
typedef std::int8_t Int8;
typedef std::int16_t Int16;
typedef std::int32_t Int32;
typedef std::int64_t Int64;
typedef std::uint8_t UInt8;
typedef std::uint16_t UInt16;
typedef std::uint32_t UInt32;
typedef std::uint64_t UInt64;
typedef std::intptr_t IntPtr;
typedef std::uintptr_t UIntPtr;

typedef bool Boolean;
constexpr Boolean kFalse = false;
constexpr Boolean kTrue = true;
}  // namespace Adesk

// Text is wide in every build of the host.
typedef wchar_t ACHAR;
