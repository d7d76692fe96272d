// Little-endian numbers in byte buffers, as records store them. On a
// little-endian machine a whole value is copied at once; elsewhere it is
// assembled byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace MstnBytes
{
#if defined(_MSC_VER)
constexpr bool kLittleEndianHost = true;  // every Windows target is little-endian
#else
constexpr bool kLittleEndianHost = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
#endif

// An unsigned integer of sizeof(T) bytes.
template <class T>
inline void Put(std::uint8_t* p, T v)
{
    if constexpr (kLittleEndianHost)
        std::memcpy(p, &v, sizeof v);
    else
        for (std::size_t i = 0; i < sizeof v; ++i)
            p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

template <class T>
inline T Get(const std::uint8_t* p)
{
    T v = 0;
    if constexpr (kLittleEndianHost)
        std::memcpy(&v, p, sizeof v);
    else
        for (std::size_t i = sizeof v; i-- > 0;)
            v = static_cast<T>((v << 8) | p[i]);
    return v;
}

inline void PutU16(std::uint8_t* p, std::uint16_t v) { Put(p, v); }
inline void PutU32(std::uint8_t* p, std::uint32_t v) { Put(p, v); }
inline void PutU64(std::uint8_t* p, std::uint64_t v) { Put(p, v); }
inline void PutI32(std::uint8_t* p, std::int32_t v) { Put(p, static_cast<std::uint32_t>(v)); }

inline void PutDouble(std::uint8_t* p, double v)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    Put(p, bits);
}

inline std::uint16_t GetU16(const std::uint8_t* p) { return Get<std::uint16_t>(p); }
inline std::uint32_t GetU32(const std::uint8_t* p) { return Get<std::uint32_t>(p); }
inline std::uint64_t GetU64(const std::uint8_t* p) { return Get<std::uint64_t>(p); }
inline std::int32_t GetI32(const std::uint8_t* p) { return static_cast<std::int32_t>(Get<std::uint32_t>(p)); }

inline double GetDouble(const std::uint8_t* p)
{
    const std::uint64_t bits = Get<std::uint64_t>(p);
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
} // namespace MstnBytes
