// Finding records: the scan of the active model, and Load, Delete and
// EnumerateNames on top of it.
#include <algorithm>
#include <new>

#include <mdl.h>

#include "MstnHeaderIndex.h"
#include "MstnHeldDescriptor.h"
#include "MstnRecordElement.h"
#include "ZrMstnObject.h"

namespace
{
bool CarriesPositions(int status)
{
    return status == MstnRecord::kScanEndOfModel || status == MstnRecord::kScanBufferFull || status == MstnRecord::kScanPastEnd;
}

bool Contains(const std::vector<std::uint64_t>& sorted, std::uint64_t id)
{
    return std::binary_search(sorted.begin(), sorted.end(), id);
}

bool HasRepeats(std::vector<std::uint64_t> ids)
{
    std::sort(ids.begin(), ids.end());
    return std::adjacent_find(ids.begin(), ids.end()) != ids.end();
}

// The element of that id when it is an element of the record layout (the
// caller's); else null. Whatever its payload begins with: a header names it.
MSElementDescr* ReadDataElement(std::uint64_t id, std::uint32_t& position)
{
    MSElementDescr* data = nullptr;
    position = 0;
    const int read = mdlAssoc_getElementDescr(&data, &position, id, mdlModelRef_getActive(), true);
    if (data && (read != 0 || !MstnRecord::IsDataElement(data->el)))
        mdlElmdscr_freeAll(&data);
    return data;
}
} // namespace

int CZrMstnObject::FindNext(CString* name, MSElementDescr** descr)
{
    if (name)
        name->Empty();
    if (descr)
        *descr = nullptr;
    MstnRecordHeader header;
    MstnHeldDescriptor read;
    const int status = NextHeader(header, read.Out());
    if (read)
    {
        if (name)
            *name = header.name;
        if (descr)
            *descr = read.Release();
    }
    return status;
}

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
            status = mdlScanCriteria_scan(m_criteria, m_foundPositions, &size, &m_scanPosition);
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

int CZrMstnObject::Load()
{
    MstnHeaderIndex index(m_kind);
    return Load(index);
}

int CZrMstnObject::Load(MstnHeaderIndex& index)
{
    m_loaded.clear();
    m_loadedEnd = 0;
    m_cursor = 0;
    m_chunkPosition = 0;
    m_chunkLength = 0;
    const MstnFoundHeader* header = index.Find(m_name, m_matchByName, m_skippedHeaderId);
    // A model not searched to its end may hold, where it could not be read, an
    // earlier header of the name or one that names the same data.
    if (!header || !index.SearchedWholeModel())
        return -1;
    m_name = header->record.name;
    const MstnRecordHeader& record = header->record;
    if (record.dataIds.empty() || HasRepeats(record.dataIds))
        return -1;

    m_totalLength = record.totalLength;
    const bool keep = index.NameRepeats(*header);
    if (const MstnHeaderIndex::Loaded* loaded = keep ? index.LoadedOf(header->position) : nullptr)
    {
        if (loaded->refused)
            return -1;
        m_loaded = loaded->bytes;
        m_loadedEnd = std::min(m_loaded.size(), static_cast<std::size_t>(record.totalLength));
        return 0;
    }
    const auto refuse = [&]() {
        m_loaded.clear();
        if (keep)
            index.KeepLoaded(header->position, {true, {}});
        return -1;
    };

    // A damaged header may name elements of another record: their bytes are
    // not this record's, so the record is refused whole. A record's data
    // elements are written just before its header, so of two headers that
    // name one data element the one that follows it first is its own.
    // Every data element is read (once) before any is copied, so that the
    // loaded data is allocated once, at the size the elements hold.
    std::vector<MSElementDescr*> pieces;
    const auto freePieces = [&pieces]() {
        for (MSElementDescr*& piece : pieces)
            mdlElmdscr_freeAll(&piece);
    };
    try
    {
        pieces.reserve(record.dataIds.size());  // bounded by the header element's size
        for (const std::uint64_t id : record.dataIds)
        {
            std::uint32_t position = 0;
            MSElementDescr* data = ReadDataElement(id, position);
            if (data && index.NamedByAnother(id, header->position) &&
                !index.FirstHeaderBehind(position, header->position))
                mdlElmdscr_freeAll(&data);
            if (!data)
            {
                freePieces();
                return refuse();
            }
            pieces.push_back(data);
        }
        // The data elements fill at most the stream the header announces and
        // the pad byte of an odd last piece; whatever more they hold is not taken.
        const std::size_t capacity = static_cast<std::size_t>(record.totalLength) + 1;
        std::size_t held = 0;
        for (const MSElementDescr* piece : pieces)
            held += MstnRecord::ElementBytes(piece->el) - MstnRecord::kPayloadOffset;
        m_loaded.reserve(std::min(held, capacity));
        for (MSElementDescr*& piece : pieces)
        {
            const std::size_t bytes = MstnRecord::ElementBytes(piece->el) - MstnRecord::kPayloadOffset;
            const std::size_t taken = std::min(bytes, capacity - m_loaded.size());
            const std::uint8_t* from = MstnRecord::Bytes(piece->el) + MstnRecord::kPayloadOffset;
            m_loaded.insert(m_loaded.end(), from, from + taken);
            mdlElmdscr_freeAll(&piece);
        }
    }
    catch (const std::bad_alloc&)
    {
        freePieces();
        m_loaded.clear();
        throw;
    }
    m_loadedEnd = std::min(m_loaded.size(), static_cast<std::size_t>(record.totalLength));
    if (keep)
        index.KeepLoaded(header->position, {false, m_loaded});
    return 0;
}

int CZrMstnObject::Delete()
{
    // One scan finds the header and the others: a damaged header may name
    // elements that are not its own, so only data elements that no other
    // header names are deleted.
    MstnHeaderIndex index(m_kind);
    index.Gather();
    if (!index.SearchedWholeModel())
    {
        m_scanFailed = true;
        return MstnRecord::kSearchFailed;
    }
    const MstnFoundHeader* header = index.Find(m_name, m_matchByName, m_skippedHeaderId);
    if (!header)
        return -1;
    std::vector<std::uint64_t> spared;
    for (const std::uint64_t id : header->record.dataIds)
    {
        if (index.NamedByAnother(id, header->position))
            spared.push_back(id);
    }
    std::sort(spared.begin(), spared.end());
    std::uint32_t position = header->position;
    MstnHeldDescriptor element;
    const std::uint32_t readBytes = mdlElmdscr_read(element.Out(), position, mdlModelRef_getActive(), 0, &position);
    if (readBytes == 0 || !element || mdlElement_getID(&element->el) != header->id)
        return MstnRecord::kSearchFailed;
    // The header goes first: when the host refuses that, the record stays whole.
    const int result = mdlElement_undoableDelete(&element->el, header->position, false);
    if (result != 0)
        return result;
    DeleteElements(header->record.dataIds.data(), header->record.dataIds.size(), true, spared);
    return 0;
}

int CZrMstnObject::DeleteElements(const std::uint64_t* ids, std::size_t count, bool dataOnly,
                                  const std::vector<std::uint64_t>& spared)
{
    int result = 0;
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::uint64_t id = ids[i];
        if (Contains(spared, id))
            continue;
        std::uint32_t position = 0;
        MstnHeldDescriptor element;
        int status = 0;
        if (dataOnly)
            element.Reset(ReadDataElement(id, position));
        else
            status = mdlAssoc_getElementDescr(element.Out(), &position, id, mdlModelRef_getActive(), true);
        if (!element)
        {
            // A damaged header may name anything; an element this store appended must be found.
            if (!dataOnly && result == 0)
                result = status != 0 ? status : -1;
            continue;
        }
        status = mdlElement_undoableDelete(&element->el, position, false);
        if (status != 0 && result == 0)
            result = status;
    }
    return result;
}
