// The design file: the active model written to disk and read back.
//
// Layout (little-endian), writer and reader below side by side:
//   8 bytes  "MSDESIGN"
//   uint32   layout version, 1
//   uint64   next element id
//   uint32   number of elements
//   per element, in file order:
//     uint64   element id
//     uint8    flags: 1 deleted, 2 visible
//     uint32   byte length (the element's size in words times 2)
//     bytes    the element
//   uint64   FNV-1a checksum of every byte before it
// File positions are not stored: each element follows the one before it,
// the first at position 0.
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "ElementHead.h"
#include "HostState.h"
#include "LittleEndian.h"
#include "mstnhost.h"

namespace {

constexpr char kMagic[8] = {'M', 'S', 'D', 'E', 'S', 'I', 'G', 'N'};
constexpr std::uint32_t kLayoutVersion = 1;
constexpr std::uint8_t kDeleted = 1;
constexpr std::uint8_t kVisible = 2;
constexpr std::size_t kChecksumBytes = 8;
constexpr std::size_t kFileHeadBytes = sizeof kMagic + 4 + 8 + 4;
constexpr std::size_t kSmallestElementRecord = 8 + 1 + 4 + MSTN_ELEMENT_HEAD_BYTES;

std::uint64_t checksum(const std::uint8_t* data, std::size_t n)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::size_t i = 0; i < n; ++i) {
        hash ^= data[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

class Writer
{
public:
    void bytes(const void* data, std::size_t n)
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        out_.insert(out_.end(), p, p + n);
    }
    void u8(std::uint8_t v) { number(v); }
    void u32(std::uint32_t v) { number(v); }
    void u64(std::uint64_t v) { number(v); }
    const std::vector<std::uint8_t>& data() const { return out_; }

private:
    // An unsigned number in as many bytes as its type has, lowest first.
    template <typename T>
    void number(T v)
    {
        for (std::size_t i = 0; i < sizeof v; ++i)
            out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }

    std::vector<std::uint8_t> out_;
};

// Reads inside the given bytes only; every read says whether it fitted.
class Reader
{
public:
    Reader(const std::uint8_t* data, std::size_t n) : p_(data), left_(n) {}
    bool bytes(const std::uint8_t*& out, std::size_t n)
    {
        if (n > left_)
            return false;
        out = p_;
        p_ += n;
        left_ -= n;
        return true;
    }
    bool u8(std::uint8_t& v) { return number(v); }
    bool u32(std::uint32_t& v) { return number(v); }
    bool u64(std::uint64_t& v) { return number(v); }
    std::size_t left() const { return left_; }

private:
    // An unsigned number in as many bytes as its type has, lowest first.
    template <typename T>
    bool number(T& v)
    {
        const std::uint8_t* p = nullptr;
        if (!bytes(p, sizeof v))
            return false;
        v = 0;
        for (std::size_t i = sizeof v; i-- > 0;)
            v = static_cast<T>((static_cast<std::uint64_t>(v) << 8) | p[i]);
        return true;
    }

    const std::uint8_t* p_;
    std::size_t left_;
};

std::vector<std::uint8_t> encodeModel(const DgnModelRef& model)
{
    Writer w;
    w.bytes(kMagic, sizeof kMagic);
    w.u32(kLayoutVersion);
    w.u64(model.nextId());
    w.u32(static_cast<std::uint32_t>(model.elements().size()));
    for (const auto& e : model.elements()) {
        w.u64(e->id);
        w.u8(static_cast<std::uint8_t>((e->deleted ? kDeleted : 0) | (e->visible ? kVisible : 0)));
        w.u32(static_cast<std::uint32_t>(e->bytes.size()));
        w.bytes(e->bytes.data(), e->bytes.size());
    }
    std::vector<std::uint8_t> out = w.data();
    std::uint8_t sum[kChecksumBytes];
    mstnhost::writeU64(sum, checksum(out.data(), out.size()));
    out.insert(out.end(), sum, sum + sizeof sum);
    return out;
}

int decodeModel(const std::vector<std::uint8_t>& data, DgnModelRef::Elements& elements, ElementId& nextId)
{
    if (data.size() < kFileHeadBytes + kChecksumBytes)
        return MSTN_ERR_FILE_CORRUPT;
    const std::size_t body = data.size() - kChecksumBytes;
    if (checksum(data.data(), body) != mstnhost::readU64(data.data() + body))
        return MSTN_ERR_FILE_CORRUPT;

    Reader r(data.data(), body);
    const std::uint8_t* magic = nullptr;
    std::uint32_t version = 0;
    std::uint32_t count = 0;
    if (!r.bytes(magic, sizeof kMagic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0 || !r.u32(version) ||
        version != kLayoutVersion || !r.u64(nextId) || nextId == 0 || !r.u32(count) ||
        count > r.left() / kSmallestElementRecord)
        return MSTN_ERR_FILE_CORRUPT;

    std::unordered_set<ElementId> ids;
    std::uint64_t position = 0;
    elements.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        ElementId id = 0;
        std::uint8_t flags = 0;
        std::uint32_t length = 0;
        const std::uint8_t* bytes = nullptr;
        std::uint32_t sizeBytes = 0;
        if (!r.u64(id) || !r.u8(flags) || !r.u32(length) || !r.bytes(bytes, length))
            return MSTN_ERR_FILE_CORRUPT;
        if ((flags & ~(kDeleted | kVisible)) != 0 ||
            mstnhost::checkElementHead(bytes, length, &sizeBytes) != MSTN_SUCCESS || sizeBytes != length)
            return MSTN_ERR_FILE_CORRUPT;
        if (id == 0 || id >= nextId || mstnhost::elementId(bytes) != id || !ids.insert(id).second)
            return MSTN_ERR_FILE_CORRUPT;
        if (position + length > std::numeric_limits<std::uint32_t>::max())
            return MSTN_ERR_FILE_CORRUPT;

        auto element = std::make_unique<ElementRef>();
        element->id = id;
        element->filePos = static_cast<std::uint32_t>(position);
        element->deleted = (flags & kDeleted) != 0;
        element->visible = (flags & kVisible) != 0;
        element->bytes.assign(bytes, bytes + length);
        elements.push_back(std::move(element));
        position += length;
    }
    return r.left() == 0 ? MSTN_SUCCESS : MSTN_ERR_FILE_CORRUPT;
}

bool readWholeFile(const char* path, std::vector<std::uint8_t>& data)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    std::uint8_t chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        data.insert(data.end(), chunk, chunk + got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

// stopPartWay: the write ends after half the data, as a full disk ends it.
bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& data, bool stopPartWay)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const std::size_t bytes = stopPartWay ? data.size() / 2 : data.size();
    const bool written = std::fwrite(data.data(), 1, bytes, file) == data.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace

int mstnHost_saveDesignFile(const char* path)
{
    if (!path || !*path)
        return MSTN_ERR_BAD_ARGUMENT;
    try {
        const std::vector<std::uint8_t> data = encodeModel(mstnhost::hostState().model);
        // Written beside the file and then put in its place, so that a failed
        // write leaves the previous design file as it was.
        const std::string temporary = std::string(path) + ".tmp";
        if (!writeWholeFile(temporary, data, mstnHost_fault(MstnHostCall::SaveDesignFile).fails())) {
            std::remove(temporary.c_str());
            return MSTN_ERR_FILE_WRITE;
        }
        if (std::rename(temporary.c_str(), path) != 0) {
            std::remove(temporary.c_str());
            return MSTN_ERR_FILE_WRITE;
        }
    } catch (const std::bad_alloc&) {
        return MSTN_ERR_FILE_WRITE;
    }
    return MSTN_SUCCESS;
}

int mstnHost_loadDesignFile(const char* path)
{
    if (!path || !*path)
        return MSTN_ERR_BAD_ARGUMENT;
    if (mstnHost_fault(MstnHostCall::LoadDesignFile).fails())
        return MSTN_ERR_FILE_OPEN;
    try {
        std::vector<std::uint8_t> data;
        if (!readWholeFile(path, data))
            return MSTN_ERR_FILE_OPEN;
        DgnModelRef::Elements elements;
        ElementId nextId = 0;
        const int status = decodeModel(data, elements, nextId);
        if (status != MSTN_SUCCESS)
            return status;
        mstnhost::HostState& state = mstnhost::hostState();
        state.model.replace(std::move(elements), nextId);
        state.descriptors.freeHandedOver();
    } catch (const std::bad_alloc&) {
        // The file may be sound: running out of memory says nothing about it.
        return MSTN_ERR_NO_MEMORY;
    }
    return MSTN_SUCCESS;
}
