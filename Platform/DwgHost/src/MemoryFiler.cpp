// The host's filer: tagged items in a byte stream, read defensively.
#include <algorithm>
#include <cstring>
#include <limits>

#include "FilerStream.h"
#include "dbhostfaults.h"

DWGHOST_DEFINE_MEMBERS(AcDbMemoryFiler, kDbMemoryFiler)

namespace
{
// Chunks grow from small (most records are) to a bound, so that a large record
// costs little more than its bytes and is never copied to grow.
constexpr std::size_t kFirstChunkBytes = 256;
constexpr std::size_t kLargestChunkBytes = std::size_t(1) << 20;
// The most value bytes one item holds: its length must fit a UInt32, and in a
// 32-bit build the whole item (tag, length, value) must fit a size_t too.
constexpr std::size_t kMostValueBytes =
    std::min<std::size_t>(std::numeric_limits<Adesk::UInt32>::max(), std::numeric_limits<std::size_t>::max() - 5);

faultswitch::Switch& readFault = dwgHostFault(DwgHostCall::FilerRead);
faultswitch::Switch& writeFault = dwgHostFault(DwgHostCall::FilerWrite);

template <class T>
void store(unsigned char* at, const T& value)
{
    std::memcpy(at, &value, sizeof value);
}

template <class T>
T load(const unsigned char* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}
}  // namespace

AcDbMemoryFiler::AcDbMemoryFiler(AcDbDatabase* database, AcDb::FilerType type) : mDatabase(database), mType(type) {}

AcDbMemoryFiler::AcDbMemoryFiler(const std::vector<AcDbFilerItem>& items, AcDbDatabase* database,
                                 AcDb::FilerType type)
    : mDatabase(database), mType(type)
{
    // Made as the items are, whatever the test switches say.
    for (const AcDbFilerItem& item : items) {
        switch (item.kind) {
        case AcDbFilerItem::kInt32: store(append(item.kind, 4), item.int32); break;
        case AcDbFilerItem::kBool: *append(item.kind, 1) = item.boolean ? 1 : 0; break;
        case AcDbFilerItem::kDouble: store(append(item.kind, 8), item.doubles[0]); break;
        case AcDbFilerItem::kPoint3d: store(append(item.kind, 24), item.doubles); break;
        case AcDbFilerItem::kHandle: {
            unsigned char* at = append(item.kind, 8);
            store(at, item.handle.low());
            store(at + 4, item.handle.high());
            break;
        }
        case AcDbFilerItem::kBytes: {
            unsigned char* at = append(item.kind, 4 + item.bytes.size());
            store(at, static_cast<Adesk::UInt32>(item.bytes.size()));
            std::copy(item.bytes.begin(), item.bytes.end(), at + 4);
            break;
        }
        case AcDbFilerItem::kString: {
            unsigned char* at = append(item.kind, 4 + 4 * item.text.size());
            store(at, static_cast<Adesk::UInt32>(item.text.size()));
            std::memcpy(at + 4, item.text.data(), 4 * item.text.size());
            break;
        }
        }
    }
}

AcDbMemoryFiler::~AcDbMemoryFiler() = default;

std::vector<AcDbFilerItem> AcDbMemoryFiler::items() const
{
    std::vector<AcDbFilerItem> all;
    all.reserve(mItemCount);
    for (const Chunk& chunk : mChunks) {
        for (std::size_t at = 0; at < chunk.size;) {
            all.emplace_back();
            at += DwgHostDetail::decodeItem(chunk.data + at, all.back());
        }
    }
    return all;
}

Acad::ErrorStatus AcDbMemoryFiler::filerStatus() const { return mStatus; }
AcDb::FilerType AcDbMemoryFiler::filerType() const { return mType; }
void AcDbMemoryFiler::setFilerStatus(Acad::ErrorStatus status) { mStatus = status; }
void AcDbMemoryFiler::resetFilerStatus() { mStatus = Acad::eOk; }
AcDbDatabase* AcDbMemoryFiler::database() const { return mDatabase; }

Adesk::UInt32 AcDbMemoryFiler::remainingItems() const
{
    if (mStatus != Acad::eOk)
        return 0;
    const std::size_t left = mItemCount - mItemsRead;
    return left > std::numeric_limits<Adesk::UInt32>::max() ? std::numeric_limits<Adesk::UInt32>::max()
                                                            : static_cast<Adesk::UInt32>(left);
}

void AcDbMemoryFiler::fail(Acad::ErrorStatus status)
{
    if (mStatus == Acad::eOk)
        mStatus = status;
}

unsigned char* AcDbMemoryFiler::append(AcDbFilerItem::Kind kind, std::size_t valueBytes)
{
    const std::size_t itemBytes = 1 + valueBytes;
    if (mChunks.empty() || !mChunks.back().storage || mChunks.back().capacity - mChunks.back().size < itemBytes) {
        const std::size_t last = mChunks.empty() ? 0 : mChunks.back().capacity;
        Chunk chunk;
        chunk.capacity = std::max(itemBytes, std::min(kLargestChunkBytes, std::max(kFirstChunkBytes, 2 * last)));
        chunk.storage.reset(new unsigned char[chunk.capacity]);
        chunk.data = chunk.storage.get();
        mChunks.push_back(std::move(chunk));
    }
    Chunk& chunk = mChunks.back();
    unsigned char* at = chunk.storage.get() + chunk.size;
    chunk.size += itemBytes;
    ++mItemCount;
    *at = kind;
    return at + 1;
}

unsigned char* AcDbMemoryFiler::put(AcDbFilerItem::Kind kind, std::size_t valueBytes)
{
    if (writeFault.fails()) {
        mFault = Acad::eFilerError;
        fail(mFault);
        return nullptr;
    }
    return append(kind, valueBytes);
}

const unsigned char* AcDbMemoryFiler::take(AcDbFilerItem::Kind kind)
{
    if (mStatus != Acad::eOk)
        return nullptr;
    if (readFault.fails()) {
        mFault = Acad::eFilerError;
        fail(mFault);
        return nullptr;
    }
    if (mItemsRead >= mItemCount) {
        mStatus = Acad::eEndOfFile;
        return nullptr;
    }
    while (mReadOffset == mChunks[mReadChunk].size) {
        ++mReadChunk;
        mReadOffset = 0;
    }
    const unsigned char* at = mChunks[mReadChunk].data + mReadOffset;
    if (*at != kind) {
        mStatus = Acad::eFilerItemMismatch;
        return nullptr;
    }
    return at + 1;
}

void AcDbMemoryFiler::consume(std::size_t valueBytes)
{
    mReadOffset += 1 + valueBytes;
    ++mItemsRead;
}

Acad::ErrorStatus AcDbMemoryFiler::readInt32(Adesk::Int32* value)
{
    const unsigned char* at = take(AcDbFilerItem::kInt32);
    if (at)
        consume(4);
    if (value)
        *value = at ? load<Adesk::Int32>(at) : 0;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeInt32(Adesk::Int32 value)
{
    if (unsigned char* at = put(AcDbFilerItem::kInt32, 4))
        store(at, value);
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readBool(Adesk::Boolean* value)
{
    const unsigned char* at = take(AcDbFilerItem::kBool);
    if (at)
        consume(1);
    if (value)
        *value = at ? *at == 1 : false;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeBool(Adesk::Boolean value)
{
    if (unsigned char* at = put(AcDbFilerItem::kBool, 1))
        *at = value ? 1 : 0;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readDouble(double* value)
{
    const unsigned char* at = take(AcDbFilerItem::kDouble);
    if (at)
        consume(8);
    if (value)
        *value = at ? load<double>(at) : 0.0;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeDouble(double value)
{
    if (unsigned char* at = put(AcDbFilerItem::kDouble, 8))
        store(at, value);
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readPoint3d(AcGePoint3d* value)
{
    const unsigned char* at = take(AcDbFilerItem::kPoint3d);
    if (at)
        consume(24);
    if (value) {
        *value = at ? AcGePoint3d(load<double>(at), load<double>(at + 8), load<double>(at + 16))
                    : AcGePoint3d(0.0, 0.0, 0.0);
    }
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writePoint3d(const AcGePoint3d& value)
{
    if (unsigned char* at = put(AcDbFilerItem::kPoint3d, 24)) {
        store(at, value.x);
        store(at + 8, value.y);
        store(at + 16, value.z);
    }
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readAcDbHandle(AcDbHandle* value)
{
    const unsigned char* at = take(AcDbFilerItem::kHandle);
    if (at)
        consume(8);
    if (value)
        *value = at ? AcDbHandle(load<Adesk::UInt32>(at), load<Adesk::UInt32>(at + 4)) : AcDbHandle();
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeAcDbHandle(const AcDbHandle& value)
{
    if (unsigned char* at = put(AcDbFilerItem::kHandle, 8)) {
        store(at, value.low());
        store(at + 4, value.high());
    }
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readBytes(void* buffer, Adesk::UIntPtr length)
{
    if (!buffer && length > 0) {
        fail(Acad::eInvalidInput);
        return mStatus;
    }
    const unsigned char* at = take(AcDbFilerItem::kBytes);
    if (at && load<Adesk::UInt32>(at) != length) {
        mStatus = Acad::eFilerItemMismatch;
        at = nullptr;
    }
    if (at)
        consume(4 + length);
    if (length > 0) {
        if (at)
            std::memcpy(buffer, at + 4, length);
        else
            std::memset(buffer, 0, length);
    }
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeBytes(const void* buffer, Adesk::UIntPtr length)
{
    // A record holds at most 4 GiB of bytes in one item; a refused one is kept empty.
    const bool refused = (!buffer && length > 0) || length > kMostValueBytes;
    const std::size_t kept = refused ? 0 : static_cast<std::size_t>(length);
    unsigned char* at = put(AcDbFilerItem::kBytes, 4 + kept);
    if (!at)
        return mStatus;
    store(at, static_cast<Adesk::UInt32>(kept));
    if (kept > 0)
        std::memcpy(at + 4, buffer, kept);
    if (refused)
        fail(Acad::eInvalidInput);
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readString(ACHAR** value)
{
    if (!value) {
        fail(Acad::eInvalidInput);
        return mStatus;
    }
    *value = nullptr;
    const unsigned char* at = take(AcDbFilerItem::kString);
    if (!at)
        return mStatus;
    const Adesk::UInt32 length = load<Adesk::UInt32>(at);
    consume(4 + 4 * static_cast<std::size_t>(length));
    auto* text = static_cast<ACHAR*>(AcHeapOperators::allocRawMem((std::size_t(length) + 1) * sizeof(ACHAR)));
    if (!text) {
        mFault = Acad::eOutOfMemory;
        fail(mFault);
        return mStatus;
    }
    std::memcpy(text, at + 4, length * sizeof(ACHAR));
    text[length] = 0;
    *value = text;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeString(const ACHAR* value)
{
    const std::size_t length = value ? std::wcslen(value) : 0;
    if (length > kMostValueBytes / 4) {
        if (unsigned char* at = put(AcDbFilerItem::kString, 4))
            store(at, Adesk::UInt32(0));
        fail(Acad::eInvalidInput);
        return mStatus;
    }
    if (unsigned char* at = put(AcDbFilerItem::kString, 4 + 4 * length)) {
        store(at, static_cast<Adesk::UInt32>(length));
        if (length > 0)
            std::memcpy(at + 4, value, length * sizeof(ACHAR));
    }
    return mStatus;
}
