#include "MstnRecordElement.h"

#include <algorithm>
#include <cstring>

#include "MstnBytes.h"
#include "MstnRecordLayout.h"
#include "MstnRecordText.h"

// An element buffer holds the largest data element the store builds.
static_assert(sizeof(MSElement) >= 2 * MstnRecord::ElementWords(MstnRecord::kMaxPayloadBytes));

namespace
{
bool IsRecordOfKind(const MSElement& element, std::size_t bytes, int kind)
{
    return bytes >= MstnRecord::kNameOffset &&
           MstnBytes::GetU16(MstnRecord::Bytes(element) + MstnRecord::kSignatureOffset) == MstnRecord::kSignature &&
           MstnBytes::GetI32(MstnRecord::Bytes(element) + MstnRecord::kKindOffset) == kind;
}

bool ReadName(const MSElement& element, std::size_t bytes, int kind, CString& name, std::size_t& nameBytes)
{
    if (!IsRecordOfKind(element, bytes, kind))
        return false;
    return MstnRecordText::Decode(MstnRecord::Bytes(element) + MstnRecord::kNameOffset, bytes - MstnRecord::kNameOffset, name,
                                  nameBytes);
}
} // namespace

std::size_t MstnRecord::ElementBytes(const MSElement& element)
{
    const std::uint64_t bytes = 2ull * MstnBytes::GetU32(Bytes(element) + kSizeOffset);
    return static_cast<std::size_t>(std::min<std::uint64_t>(bytes, sizeof element));
}

void MstnRecord::BuildElement(MSElement& element, const std::uint8_t* payload, std::size_t payloadBytes)
{
    payloadBytes = std::min(payloadBytes, kMaxPayloadBytes);
    const std::uint32_t words = ElementWords(payloadBytes);
    // Only the element's own bytes are cleared: the host takes no more than its size.
    std::memset(&element, 0, 2 * static_cast<std::size_t>(words));
    MstnBytes::PutU16(Bytes(element) + kTypeOffset, static_cast<std::uint16_t>(kElementType));
    MstnBytes::PutU32(Bytes(element) + kSizeOffset, words);
    MstnBytes::PutU32(Bytes(element) + kAttrOffset, words);  // no attribute data
    MstnBytes::PutU32(Bytes(element) + kLevelOffset, kLevel);
    MstnBytes::PutU16(Bytes(element) + kSignatureOffset, kSignature);
    if (payloadBytes > 0)
        std::memcpy(Bytes(element) + kPayloadOffset, payload, payloadBytes);
}

bool MstnRecord::ReadHeader(const MSElement& element, int kind, MstnRecordHeader& header)
{
    const std::size_t bytes = ElementBytes(element);
    std::size_t nameBytes = 0;
    CString name;
    if (!ReadName(element, bytes, kind, name, nameBytes))
        return false;
    const std::size_t countsAt = kNameOffset + nameBytes;
    if (countsAt + 8 > bytes)
        return false;
    const std::int32_t total = MstnBytes::GetI32(Bytes(element) + countsAt);
    const std::int32_t count = MstnBytes::GetI32(Bytes(element) + countsAt + 4);
    const std::size_t idsAt = countsAt + 8;
    if (total < 0 || count < 0 || idsAt + 8 * static_cast<std::uint64_t>(count) > bytes)
        return false;
    if (static_cast<std::uint64_t>(total) > static_cast<std::uint64_t>(count) * kMaxPayloadBytes)
        return false;
    const std::size_t payload = idsAt + 8 * static_cast<std::size_t>(count) - kPayloadOffset;
    if (bytes != 2 * static_cast<std::size_t>(ElementWords(payload)))
        return false;

    header.name = name;
    header.totalLength = total;
    header.dataIds.clear();
    header.dataIds.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        header.dataIds.push_back(MstnBytes::GetU64(Bytes(element) + idsAt + 8 * static_cast<std::size_t>(i)));
    return true;
}

bool MstnRecord::IsDataElement(const MSElement& element)
{
    return ElementBytes(element) >= kPayloadOffset && MstnBytes::GetU16(Bytes(element) + kTypeOffset) == kElementType &&
           MstnBytes::GetU32(Bytes(element) + kLevelOffset) == kLevel &&
           MstnBytes::GetU16(Bytes(element) + kSignatureOffset) == kSignature;
}
