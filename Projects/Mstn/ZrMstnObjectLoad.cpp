// Loading a record: its header found in the index, its data elements read
// and joined into the stream the chunk readers walk.
#include <algorithm>
#include <utility>

#include <mdl.h>

#include "MstnHeaderIndex.h"
#include "MstnRecordElement.h"
#include "ZrMstnObject.h"

namespace
{
bool HasRepeats(std::vector<std::uint64_t> ids)
{
    std::sort(ids.begin(), ids.end());
    return std::adjacent_find(ids.begin(), ids.end()) != ids.end();
}
} // namespace

MstnHeldDescriptor CZrMstnObject::ReadDataElement(std::uint64_t id, std::uint32_t& position)
{
    MstnHeldDescriptor data;
    position = 0;
    const int read = mdlAssoc_getElementDescr(data.Out(), &position, id, mdlModelRef_getActive(), true);
    if (data && (read != 0 || !MstnRecord::IsDataElement(data->el)))
        data.Reset(nullptr);
    return data;
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
    std::vector<MstnHeldDescriptor> pieces;
    pieces.reserve(record.dataIds.size());  // bounded by the header element's size
    for (const std::uint64_t id : record.dataIds)
    {
        std::uint32_t position = 0;
        MstnHeldDescriptor data = ReadDataElement(id, position);
        if (data && index.NamedByAnother(id, header->position) && !index.FirstHeaderBehind(position, header->position))
            data.Reset(nullptr);
        if (!data)
            return refuse();
        pieces.push_back(std::move(data));
    }
    // The data elements fill at most the stream the header announces and
    // the pad byte of an odd last piece; whatever more they hold is not taken.
    const std::size_t capacity = static_cast<std::size_t>(record.totalLength) + 1;
    std::size_t held = 0;
    for (const MstnHeldDescriptor& piece : pieces)
        held += MstnRecord::ElementBytes(piece->el) - MstnRecord::kPayloadOffset;
    m_loaded.reserve(std::min(held, capacity));
    for (MstnHeldDescriptor& piece : pieces)
    {
        const std::size_t bytes = MstnRecord::ElementBytes(piece->el) - MstnRecord::kPayloadOffset;
        const std::size_t taken = std::min(bytes, capacity - m_loaded.size());
        const std::uint8_t* from = MstnRecord::Bytes(piece->el) + MstnRecord::kPayloadOffset;
        m_loaded.insert(m_loaded.end(), from, from + taken);
        piece.Reset(nullptr);
    }
    m_loadedEnd = std::min(m_loaded.size(), static_cast<std::size_t>(record.totalLength));
    if (keep)
        index.KeepLoaded(header->position, {false, m_loaded});
    return 0;
}
