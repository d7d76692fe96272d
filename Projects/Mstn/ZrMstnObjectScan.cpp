// The scan of the active model: the elements of a kind that read whole as
// headers, in scan order, and the names of the headers the index keeps.
#include <algorithm>

#include <mdl.h>

#include "MstnHeaderIndex.h"
#include "MstnRecordElement.h"
#include "ZrMstnObject.h"

namespace
{
bool CarriesPositions(int status)
{
    return status == MstnRecord::kScanEndOfModel || status == MstnRecord::kScanBufferFull || status == MstnRecord::kScanPastEnd;
}
} // namespace

int CZrMstnObject::NextHeader(MstnRecordHeader& header, MSElementDescr** descr)
{
    *descr = nullptr;
    if (!m_criteria)
    {
        m_foundCount = 0;
        m_scanIndex = 0;
        m_scanFailed = true;
        return MstnRecord::kSearchFailed;
    }
    int status = MstnRecord::kScanBufferFull;
    while (true)
    {
        if (m_foundCount == 0 || m_scanIndex < 0 || m_scanIndex >= m_foundCount)
        {
            int size = MstnRecord::kScanBufferWords;
            status = mdlScanCriteria_scan(m_criteria.Get(), m_foundPositions, &size, &m_scanPosition);
            m_foundCount = CarriesPositions(status) ? std::clamp(size / 2, 0, MstnRecord::kFoundPositions) : 0;
            m_scanIndex = 0;
        }
        if (!CarriesPositions(status))
        {
            m_scanFailed = true;
            return status;
        }
        while (m_scanIndex < m_foundCount)
        {
            std::uint32_t& position = m_foundPositions[m_scanIndex];
            MstnHeldDescriptor read;
            const std::uint32_t readBytes = mdlElmdscr_read(read.Out(), position, mdlModelRef_getActive(), 0, &position);
            ++m_scanIndex;
            // The scan delivers live elements only: one that cannot be read may be a header.
            if (readBytes == 0 || !read)
                m_scanFailed = true;
            if (readBytes != 0 && read && MstnRecord::ReadHeader(read->el, m_kind, header))
            {
                *descr = read.Release();
                return status;
            }
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

int CZrMstnObject::EnumerateNames(CStringArray& names)
{
    // The names of the headers the index keeps: an element a header names as
    // its data is none, whatever its bytes begin with.
    MstnHeaderIndex index(m_kind);
    const int status = index.Gather();
    if (!index.SearchedWholeModel())
        m_scanFailed = true;
    for (const MstnFoundHeader& header : index.Headers())
        names.Add(header.record.name);
    return status;
}

int CZrMstnObject::GatherHeaders(std::vector<MstnFoundHeader>& found)
{
    StartScanLoop();
    int status = MstnRecord::kScanBufferFull;
    while (ScanGoesOn(status))
    {
        MstnFoundHeader next;
        MstnHeldDescriptor header;
        status = NextHeader(next.record, header.Out());
        if (!header)
            continue;
        next.position = m_foundPositions[m_scanIndex - 1];
        next.id = mdlElement_getID(&header->el);
        header.Reset(nullptr);
        found.push_back(std::move(next));
    }
    return status;
}
