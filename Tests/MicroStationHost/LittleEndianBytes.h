// Little-endian fields of element buffers and files, for the tests' own checks.
#pragma once

#include <cstdint>

inline std::uint32_t readU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t readU64(const std::uint8_t* p)
{
    return readU32(p) | (static_cast<std::uint64_t>(readU32(p + 4)) << 32);
}

inline void writeU32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void writeU64(std::uint8_t* p, std::uint64_t v)
{
    writeU32(p, static_cast<std::uint32_t>(v));
    writeU32(p + 4, static_cast<std::uint32_t>(v >> 32));
}
