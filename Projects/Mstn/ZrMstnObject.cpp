// The store's life and its chunk writers and readers.
#include "ZrMstnObject.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <mdl.h>

#include "MstnBytes.h"
#include "MstnRecordText.h"

CZrMstnObject::CZrMstnObject() : CZrMstnObject(0, CString()) {}

CZrMstnObject::CZrMstnObject(int kind, const CString& name)
    : m_scanPosition(0), m_cursor(0), m_loadedEnd(0), m_chunkPosition(0), m_chunkLength(0),
      m_totalLength(0), m_kind(kind), m_name(name), m_matchByName(!name.IsEmpty()), m_foundPositions{},
      m_foundCount(0), m_scanIndex(0), m_error(0), m_writeRefused(false)
{
    InitScan();
}

void CZrMstnObject::InitScan()
{
    // Criteria the host does not take whole are dropped: a store without
    // criteria scans nothing, and its search counts as failed, not as a model
    // without records.
    m_criteria.Reset(mdlScanCriteria_create());
    ScanCriteriaP criteria = m_criteria.Get();
    if (criteria &&
        (mdlScanCriteria_setModel(criteria, mdlModelRef_getActive()) != 0 ||
         mdlScanCriteria_addSingleElementTypeTest(criteria, MstnRecord::kElementType) != 0 ||
         mdlScanCriteria_setReturnType(criteria, MstnRecord::kScanReturnFilePositions, false, true) != 0 ||
         mdlScanCriteria_addSingleLevelTest(criteria, MstnRecord::kLevel) != 0))
        m_criteria.Reset(nullptr);
    std::fill(std::begin(m_foundPositions), std::end(m_foundPositions), 0u);
    m_foundCount = 0;
    m_scanIndex = 0;
}

// ---- writing ----

void CZrMstnObject::BeginChunk(int payloadBytes)
{
    const std::int64_t length = static_cast<std::int64_t>(payloadBytes) + 4;
    if (payloadBytes < 0 || length > std::numeric_limits<std::int32_t>::max())
    {
        // Nothing fits a chunk that cannot be: the writes that follow are refused.
        m_writeRefused = true;
        m_chunkLength = m_chunkPosition;
        return;
    }
    m_chunks.emplace_back(static_cast<std::size_t>(length), std::uint8_t{0});
    MstnBytes::PutI32(m_chunks.back().data(), static_cast<std::int32_t>(length));
    m_chunkLength = static_cast<std::int32_t>(length);
    m_chunkPosition = 4;
    m_totalLength += length;
}

bool CZrMstnObject::WriteRoom(std::size_t bytes)
{
    const bool fits = !m_chunks.empty() && m_chunkPosition >= 0 &&
                      static_cast<std::uint64_t>(m_chunkPosition) + bytes <= static_cast<std::uint64_t>(m_chunkLength);
    if (!fits)
        m_writeRefused = true;
    return fits;
}

void CZrMstnObject::WriteRaw(const void* bytes, std::size_t count)
{
    if (!WriteRoom(count))
        return;
    if (count > 0)
        std::memcpy(m_chunks.back().data() + m_chunkPosition, bytes, count);
    m_chunkPosition += static_cast<std::int32_t>(count);
}

void CZrMstnObject::WriteInt(int value)
{
    std::uint8_t bytes[4];
    MstnBytes::PutI32(bytes, value);
    WriteRaw(bytes, sizeof bytes);
}

void CZrMstnObject::WriteInt(unsigned int value)
{
    WriteInt(static_cast<int>(value));
}

void CZrMstnObject::WriteDouble(double value)
{
    std::uint8_t bytes[8];
    MstnBytes::PutDouble(bytes, value);
    WriteRaw(bytes, sizeof bytes);
}

void CZrMstnObject::WriteUInt64(std::uint64_t value)
{
    std::uint8_t bytes[8];
    MstnBytes::PutU64(bytes, value);
    WriteRaw(bytes, sizeof bytes);
}

void CZrMstnObject::WritePoint(const DPoint3d& point)
{
    std::uint8_t bytes[24];
    MstnBytes::PutDouble(bytes, point.x);
    MstnBytes::PutDouble(bytes + 8, point.y);
    MstnBytes::PutDouble(bytes + 16, point.z);
    WriteRaw(bytes, sizeof bytes);
}

void CZrMstnObject::WriteBytes(const void* bytes, int count)
{
    if (count < 0 || (!bytes && count > 0))
    {
        m_writeRefused = true;
        return;
    }
    WriteRaw(bytes, static_cast<std::size_t>(count));
}

void CZrMstnObject::WriteByte(std::uint8_t value)
{
    WriteRaw(&value, 1);
}

void CZrMstnObject::WriteString(const CString& text)
{
    const std::vector<std::uint8_t> stored = MstnRecordText::Encode(text);
    WriteRaw(stored.data(), stored.size());
}

// ---- reading ----

void CZrMstnObject::NextChunk()
{
    m_chunkPosition = 4;
    const std::size_t left = m_loadedEnd - std::min(m_cursor, m_loadedEnd);
    if (left < 4)
    {
        // The stream ended before its counts were met: nothing more can be read.
        m_chunkLength = 0;
        m_error = 1;
        return;
    }
    const std::int32_t stored = MstnBytes::GetI32(m_loaded.data() + m_cursor);
    m_cursor += 4;
    // A chunk never reaches past the loaded data (its length counts its own 4 bytes).
    m_chunkLength = static_cast<std::int32_t>(std::min<std::int64_t>(stored, static_cast<std::int64_t>(left)));
}

bool CZrMstnObject::ReadFits(std::int64_t bytes) const
{
    return bytes >= 0 && static_cast<std::int64_t>(m_chunkLength) >= static_cast<std::int64_t>(m_chunkPosition) + bytes &&
           m_cursor <= m_loadedEnd && static_cast<std::uint64_t>(bytes) <= m_loadedEnd - m_cursor;
}

void CZrMstnObject::ReadRaw(void* bytes, std::size_t count)
{
    if (count > 0)
        std::memcpy(bytes, m_loaded.data() + m_cursor, count);
    m_cursor += count;
    m_chunkPosition += static_cast<std::int32_t>(count);
}

template <std::size_t N, class Decode>
int CZrMstnObject::ReadFixed(Decode decode)
{
    if (!ReadFits(N))
        return 0;
    std::uint8_t bytes[N];
    ReadRaw(bytes, N);
    decode(bytes);
    return static_cast<int>(N);
}

int CZrMstnObject::ReadByte(std::uint8_t& value)
{
    return ReadFixed<1>([&value](const std::uint8_t* bytes) { value = bytes[0]; });
}

int CZrMstnObject::ReadBytes(void* bytes, int count)
{
    if (!ReadFits(count) || (!bytes && count > 0))
        return 0;
    ReadRaw(bytes, static_cast<std::size_t>(count));
    return count;
}

int CZrMstnObject::ReadInt(int& value)
{
    return ReadFixed<4>([&value](const std::uint8_t* bytes) { value = MstnBytes::GetI32(bytes); });
}

int CZrMstnObject::ReadInt(unsigned int& value)
{
    return ReadFixed<4>([&value](const std::uint8_t* bytes) { value = MstnBytes::GetU32(bytes); });
}

int CZrMstnObject::ReadDouble(double& value)
{
    return ReadFixed<8>([&value](const std::uint8_t* bytes) { value = MstnBytes::GetDouble(bytes); });
}

int CZrMstnObject::ReadUInt64(std::uint64_t& value)
{
    return ReadFixed<8>([&value](const std::uint8_t* bytes) { value = MstnBytes::GetU64(bytes); });
}

int CZrMstnObject::ReadPoint(DPoint3d& point)
{
    return ReadFixed<24>([&point](const std::uint8_t* bytes) {
        point.x = MstnBytes::GetDouble(bytes);
        point.y = MstnBytes::GetDouble(bytes + 8);
        point.z = MstnBytes::GetDouble(bytes + 16);
    });
}

int CZrMstnObject::ReadString(CString& text)
{
    // The text must end inside what is left of the chunk.
    const std::int64_t chunkLeft = static_cast<std::int64_t>(m_chunkLength) - m_chunkPosition;
    const std::size_t dataLeft = m_cursor <= m_loadedEnd ? m_loadedEnd - m_cursor : 0;
    const std::size_t available =
        chunkLeft > 0 ? std::min(static_cast<std::size_t>(chunkLeft), dataLeft) : std::size_t{0};
    CString read;
    std::size_t consumed = 0;
    if (!MstnRecordText::Decode(m_loaded.data() + std::min(m_cursor, m_loaded.size()), available, read, consumed))
    {
        text.Empty();
        return 0;
    }
    m_cursor += consumed;
    m_chunkPosition += static_cast<std::int32_t>(consumed);
    text = read;
#ifdef UNICODE
    return static_cast<int>(consumed / 2);
#else
    return static_cast<int>(consumed);
#endif
}
