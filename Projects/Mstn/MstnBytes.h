// Little-endian numbers in byte buffers, as records store them. On a
// little-endian machine a whole value is copied at once; elsewhere it is
// assembled byte by byte.
#pragma once

#include <cstdint>
#include <cstring>

namespace MstnBytes
{
#if defined(_MSC_VER)
constexpr bool kLittleEndianHost = true;  // every Windows target is little-endian
#else
constexpr bool kLittleEndianHost = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
#endif

inline void PutU16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutU32(std::uint8_t* p, std::uint32_t v)
{
    if constexpr (kLittleEndianHost)
    {
        std::memcpy(p, &v, sizeof v);
        return;
    }
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void PutU64(std::uint8_t* p, std::uint64_t v)
{
    if constexpr (kLittleEndianHost)
    {
        std::memcpy(p, &v, sizeof v);
        return;
    }
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void PutI32(std::uint8_t* p, std::int32_t v)
{
    PutU32(p, static_cast<std::uint32_t>(v));
}

inline void PutDouble(std::uint8_t* p, double v)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    PutU64(p, bits);
}

inline std::uint16_t GetU16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t GetU32(const std::uint8_t* p)
{
    std::uint32_t v = 0;
    if constexpr (kLittleEndianHost)
    {
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

inline std::uint64_t GetU64(const std::uint8_t* p)
{
    std::uint64_t v = 0;
    if constexpr (kLittleEndianHost)
    {
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

inline std::int32_t GetI32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(GetU32(p));
}

inline double GetDouble(const std::uint8_t* p)
{
    const std::uint64_t bits = GetU64(p);
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
} // namespace MstnBytes
