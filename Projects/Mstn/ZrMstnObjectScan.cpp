// Finding records: the scan of the active model, and Load, Delete and
// EnumerateNames on top of it.
#include <algorithm>

#include <mdl.h>

#include "MstnRecordElement.h"
#include "ZrMstnObject.h"

namespace
{
bool CarriesPositions(int status)
{
    return status == MstnRecord::kScanEndOfModel || status == MstnRecord::kScanBufferFull || status == MstnRecord::kScanPastEnd;
}
} // namespace

int CZrMstnObject::FindNext(CString* name, MSElementDescr** descr)
{
    if (name)
        name->Empty();
    if (descr)
        *descr = nullptr;
    int status = MstnRecord::kScanBufferFull;
    while (true)
    {
        if (m_foundCount == 0 || m_scanIndex < 0 || m_scanIndex >= m_foundCount)
        {
            int size = MstnRecord::kScanBufferWords;
            status = mdlScanCriteria_scan(m_criteria, m_foundPositions, &size, &m_scanPosition);
            m_foundCount = CarriesPositions(status) ? std::clamp(size / 2, 0, MstnRecord::kFoundPositions) : 0;
            m_scanIndex = 0;
        }
        if (!CarriesPositions(status))
            return status;
        while (m_scanIndex < m_foundCount)
        {
            std::uint32_t& position = m_foundPositions[m_scanIndex];
            MSElementDescr* read = nullptr;
            const std::uint32_t readBytes = mdlElmdscr_read(&read, position, mdlModelRef_getActive(), 0, &position);
            ++m_scanIndex;
            MstnRecordHeader header;
            if (readBytes != 0 && read && MstnRecord::ReadHeader(read->el, m_kind, header))
            {
                if (name)
                    *name = header.name;
                if (descr)
                    *descr = read;
                else
                    mdlElmdscr_freeAll(&read);
                return status;
            }
            mdlElmdscr_freeAll(&read);
        }
        if (status != MstnRecord::kScanBufferFull)
            return status;
    }
}

void CZrMstnObject::StartScanLoop()
{
    m_scanIndex = -1;
    m_foundCount = 0;
}

bool CZrMstnObject::ScanGoesOn(int status) const
{
    return status == MstnRecord::kScanBufferFull || m_scanIndex < m_foundCount;
}

MSElementDescr* CZrMstnObject::TakeHeader(CString& name)
{
    StartScanLoop();
    int status = MstnRecord::kScanBufferFull;
    while (ScanGoesOn(status))
    {
        MSElementDescr* header = nullptr;
        status = FindNext(&name, &header);
        if (!header)
            continue;
        // Names are compared exactly, case included.
        if (!m_matchByName || name == m_name)
            return header;
        mdlElmdscr_freeAll(&header);
    }
    return nullptr;
}

int CZrMstnObject::EnumerateNames(CStringArray& names)
{
    StartScanLoop();
    int status = MstnRecord::kScanBufferFull;
    while (ScanGoesOn(status))
    {
        CString name;
        MSElementDescr* header = nullptr;
        status = FindNext(&name, &header);
        if (!header)
            continue;
        names.Add(name);
        mdlElmdscr_freeAll(&header);
    }
    return status;
}

int CZrMstnObject::Load()
{
    CString name;
    MSElementDescr* header = TakeHeader(name);
    if (!header)
        return -1;
    m_name = name;
    MstnRecordHeader record;
    MstnRecord::ReadHeader(header->el, m_kind, record);  // taken by the scan: it fits
    mdlElmdscr_freeAll(&header);

    // The data elements fill at most the stream the header announces and the
    // pad byte of an odd last piece; whatever more they hold is not taken.
    m_totalLength = record.totalLength;
    const std::size_t capacity = static_cast<std::size_t>(record.totalLength) + 1;
    m_loaded.clear();
    int result = -1;
    for (const std::uint64_t id : record.dataIds)
    {
        MSElementDescr* data = nullptr;
        std::uint32_t position = 0;
        mdlAssoc_getElementDescr(&data, &position, id, mdlModelRef_getActive(), true);
        if (!data)
            continue;
        const std::size_t bytes = MstnRecord::ElementBytes(data->el);
        const std::size_t piece = bytes > MstnRecord::kPayloadOffset ? bytes - MstnRecord::kPayloadOffset : 0;
        const std::size_t taken = std::min(piece, capacity - m_loaded.size());
        const std::uint8_t* from = MstnRecord::Bytes(data->el) + MstnRecord::kPayloadOffset;
        m_loaded.insert(m_loaded.end(), from, from + taken);
        mdlElmdscr_freeAll(&data);
        result = 0;
    }
    m_loadedEnd = std::min(m_loaded.size(), static_cast<std::size_t>(record.totalLength));
    m_cursor = 0;
    m_chunkPosition = 0;
    m_chunkLength = 0;
    return result;
}

int CZrMstnObject::Delete()
{
    CString name;
    MSElementDescr* header = TakeHeader(name);
    if (!header)
        return -1;
    // The header's position is the found position read last.
    const std::uint32_t headerPosition = m_foundPositions[m_scanIndex - 1];
    MstnRecordHeader record;
    MstnRecord::ReadHeader(header->el, m_kind, record);  // taken by the scan: it fits
    for (const std::uint64_t id : record.dataIds)
    {
        MSElementDescr* data = nullptr;
        std::uint32_t position = 0;
        mdlAssoc_getElementDescr(&data, &position, id, mdlModelRef_getActive(), true);
        if (!data)
            continue;
        mdlElement_undoableDelete(&data->el, position, false);
        mdlElmdscr_freeAll(&data);
    }
    const int result = 0 + mdlElement_undoableDelete(&header->el, headerPosition, false);
    mdlElmdscr_freeAll(&header);
    return result;
}
