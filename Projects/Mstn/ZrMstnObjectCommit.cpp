// Writing a record: the chunk stream cut into data elements, then the header.
#include <algorithm>
#include <limits>
#include <memory>
#include <new>

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

bool CZrMstnObject::AppendPiece(MSElement& element, const std::uint8_t* payload, std::size_t bytes)
{
    MstnRecord::BuildElement(element, payload, bytes);
    if (AppendElement(element) != 0)
        return false;
    const std::uint64_t id = mdlElement_getID(&element);
    if (id == 0)
        return false;
    m_committedIds.push_back(id);
    return true;
}

int CZrMstnObject::Commit()
{
    if (!CanCommit())
        return -1;
    // Everything is allocated before the first append, so that a refused
    // append or a failed allocation can take back all that was appended.
    std::vector<std::uint8_t> joined;
    std::unique_ptr<MSElement> element;
    std::vector<std::uint8_t> header;
    try
    {
        joined.reserve(static_cast<std::size_t>(m_totalLength));
        for (const std::vector<std::uint8_t>& chunk : m_chunks)
            joined.insert(joined.end(), chunk.begin(), chunk.end());
        element = std::make_unique<MSElement>();
        m_committedIds.clear();
        m_committedIds.reserve(PieceCount() + 1);
        // The header lists the ids the appends give; its size is known now.
        header = HeaderPayload(std::vector<std::uint64_t>(PieceCount(), 0));
    }
    catch (const std::bad_alloc&)
    {
        return -1;
    }

    for (std::size_t offset = 0; offset < joined.size(); offset += MstnRecord::kMaxPayloadBytes)
    {
        const std::size_t piece = std::min(MstnRecord::kMaxPayloadBytes, joined.size() - offset);
        if (!AppendPiece(*element, joined.data() + offset, piece))
        {
            TakeBackAppended();
            return -1;
        }
    }
    std::uint8_t* ids = header.data() + header.size() - 8 * m_committedIds.size();
    for (const std::uint64_t id : m_committedIds)
    {
        MstnBytes::PutU64(ids, id);
        ids += 8;
    }
    if (!AppendPiece(*element, header.data(), header.size()))
    {
        TakeBackAppended();
        return -1;
    }
    return 0;
}

void CZrMstnObject::TakeBackAppended()
{
    // No header names these data elements: one the host keeps is read by no record.
    DeleteElements(m_committedIds.data(), m_committedIds.size(), false, {});
    m_committedIds.clear();
}

int CZrMstnObject::Withdraw()
{
    int result = 0;
    if (!m_committedIds.empty())
    {
        // The header goes first: while it stays, its data must stay with it.
        result = DeleteElements(&m_committedIds.back(), 1, false, {});
        if (result == 0)
            DeleteElements(m_committedIds.data(), m_committedIds.size() - 1, false, {});
    }
    m_committedIds.clear();
    return result;
}
