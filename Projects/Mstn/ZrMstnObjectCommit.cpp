// Writing a record: the chunk stream cut into data elements, then the header.
#include <algorithm>
#include <limits>
#include <memory>

#include <mdl.h>

#include "MstnBytes.h"
#include "MstnRecordElement.h"
#include "MstnRecordText.h"
#include "ZrMstnObject.h"

namespace
{
int AppendElement(MSElement& element)
{
#if defined(PM_SDK_CONNECT)
    return mdlElement_append(&element, mdlModelRef_getActive());
#else
    return mdlElement_append(&element);
#endif
}
} // namespace

std::size_t CZrMstnObject::PieceCount() const
{
    const auto total = static_cast<std::size_t>(m_totalLength);
    return (total + MstnRecord::kMaxPayloadBytes - 1) / MstnRecord::kMaxPayloadBytes;
}

std::vector<std::uint8_t> CZrMstnObject::HeaderPayload(const std::vector<std::uint64_t>& dataIds) const
{
    const std::vector<std::uint8_t> name = MstnRecordText::Encode(m_name);
    std::vector<std::uint8_t> payload(4 + name.size() + 8 + 8 * dataIds.size());
    std::uint8_t* p = payload.data();
    MstnBytes::PutI32(p, m_kind);
    p += 4;
    std::copy(name.begin(), name.end(), p);
    p += name.size();
    MstnBytes::PutI32(p, static_cast<std::int32_t>(m_totalLength));
    MstnBytes::PutI32(p + 4, static_cast<std::int32_t>(dataIds.size()));
    p += 8;
    for (const std::uint64_t id : dataIds)
    {
        MstnBytes::PutU64(p, id);
        p += 8;
    }
    return payload;
}

bool CZrMstnObject::CanCommit() const
{
    if (m_writeRefused || m_totalLength > std::numeric_limits<std::int32_t>::max())
        return false;
    // The header must fit one element: its kind, name, counts and one id a piece.
    const std::size_t nameBytes = MstnRecordText::Encode(m_name).size();
    return 12 + nameBytes + 8 * PieceCount() <= MstnRecord::kMaxPayloadBytes;
}

int CZrMstnObject::Commit()
{
    if (!CanCommit())
        return -1;
    std::vector<std::uint8_t> joined;
    joined.reserve(static_cast<std::size_t>(m_totalLength));
    for (const std::vector<std::uint8_t>& chunk : m_chunks)
        joined.insert(joined.end(), chunk.begin(), chunk.end());

    // The appends' statuses are not examined; an element the host refused
    // leaves the id it did not give, 0, in the header.
    auto element = std::make_unique<MSElement>();
    std::vector<std::uint64_t> dataIds;
    dataIds.reserve(PieceCount());
    for (std::size_t offset = 0; offset < joined.size(); offset += MstnRecord::kMaxPayloadBytes)
    {
        const std::size_t piece = std::min(MstnRecord::kMaxPayloadBytes, joined.size() - offset);
        MstnRecord::BuildElement(*element, joined.data() + offset, piece);
        AppendElement(*element);
        dataIds.push_back(mdlElement_getID(element.get()));
    }

    const std::vector<std::uint8_t> header = HeaderPayload(dataIds);
    MstnRecord::BuildElement(*element, header.data(), header.size());
    AppendElement(*element);
    return 0;
}
