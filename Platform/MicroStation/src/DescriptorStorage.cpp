#include "DescriptorStorage.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace mstnhost {

namespace {

// The room an allocation keeps in front of the descriptor for its capacity,
// so that the descriptor keeps the alignment of the allocation.
constexpr std::size_t kPrefixBytes = std::max(alignof(std::max_align_t), sizeof(std::size_t));

unsigned char* allocationOf(const MSElementDescr* descr)
{
    return const_cast<unsigned char*>(reinterpret_cast<const unsigned char*>(descr)) - kPrefixBytes;
}

} // namespace

MSElementDescr* HandleStorage<MSElementDescr>::make(std::size_t elementBytes)
{
    elementBytes = std::clamp(elementBytes, MSTN_ELEMENT_HEAD_BYTES, MSTN_MAX_ELEMENT_BYTES);
    auto* allocation = static_cast<unsigned char*>(
        ::operator new(kPrefixBytes + offsetof(MSElementDescr, el) + elementBytes));
    std::memcpy(allocation, &elementBytes, sizeof elementBytes);
    auto* descr = reinterpret_cast<MSElementDescr*>(allocation + kPrefixBytes);
    descr->h = MSElementDescrHeader{};
    std::memset(descr->el.buf, 0, MSTN_ELEMENT_HEAD_BYTES);
    return descr;
}

void HandleStorage<MSElementDescr>::destroy(MSElementDescr* descr)
{
    ::operator delete(allocationOf(descr));
}

std::size_t HandleStorage<MSElementDescr>::elementCapacity(const MSElementDescr* descr)
{
    std::size_t bytes = 0;
    std::memcpy(&bytes, allocationOf(descr), sizeof bytes);
    return bytes;
}

} // namespace mstnhost
