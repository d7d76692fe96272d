#include "MstnHeaderIndex.h"

#include <algorithm>
#include <utility>

#include "ZrMstnObject.h"

namespace
{
// Of the elements that read whole as headers, the ones that are headers. A
// data element begins with whatever bytes of the stream fall at its piece
// boundary, so its bytes alone cannot tell it from a header; a header can:
// an element that a header names as its data is data. An element no other
// names is a header; one named by a header is data; one whose namers all
// turned out data is a header. Elements that only name each other in a ring,
// with no header to start from, are neither.
std::vector<MstnFoundHeader> KeepHeaders(std::vector<MstnFoundHeader> found)
{
    const std::size_t count = found.size();
    std::unordered_map<std::uint64_t, std::size_t> byId;
    byId.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        byId.emplace(found[i].id, i);
    // named[i]: the elements found that i names as data, each once.
    std::vector<std::vector<std::size_t>> named(count);
    std::vector<std::size_t> namers(count, 0);
    for (std::size_t i = 0; i < count; ++i)
    {
        for (const std::uint64_t id : found[i].record.dataIds)
        {
            const auto at = byId.find(id);
            if (at != byId.end())
                named[i].push_back(at->second);
        }
        std::sort(named[i].begin(), named[i].end());
        named[i].erase(std::unique(named[i].begin(), named[i].end()), named[i].end());
        for (const std::size_t j : named[i])
            ++namers[j];
    }

    enum class Role { Open, Header, Data };
    std::vector<Role> role(count, Role::Open);
    std::vector<std::size_t> decided;
    for (std::size_t i = 0; i < count; ++i)
    {
        if (namers[i] == 0)
        {
            role[i] = Role::Header;
            decided.push_back(i);
        }
    }
    while (!decided.empty())
    {
        const std::size_t i = decided.back();
        decided.pop_back();
        for (const std::size_t j : named[i])
        {
            if (role[j] != Role::Open)
                continue;
            if (role[i] == Role::Header)
            {
                role[j] = Role::Data;
                decided.push_back(j);
            }
            else if (--namers[j] == 0)
            {
                role[j] = Role::Header;
                decided.push_back(j);
            }
        }
    }

    std::vector<MstnFoundHeader> headers;
    headers.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        if (role[i] == Role::Header)
            headers.push_back(std::move(found[i]));
    }
    return headers;
}
} // namespace

int MstnHeaderIndex::Gather()
{
    // Until it is complete the index holds nothing to go by, an exception included.
    m_gathered = false;
    m_searchedWholeModel = false;
    m_headers.clear();
    m_positions.clear();
    m_byName.clear();
    m_namers.clear();
    m_loaded.clear();
    // A store of its own, scanning for any name.
    CZrMstnObject all(m_kind, CString());
    std::vector<MstnFoundHeader> found;
    const int status = all.GatherHeaders(found);
    m_headers = KeepHeaders(std::move(found));
    std::size_t dataIds = 0;
    for (const MstnFoundHeader& header : m_headers)
        dataIds += header.record.dataIds.size();
    m_positions.reserve(m_headers.size());
    m_byName.reserve(m_headers.size());
    m_namers.reserve(dataIds);
    for (std::size_t i = 0; i < m_headers.size(); ++i)
    {
        const MstnFoundHeader& header = m_headers[i];
        m_positions.push_back(header.position);
        m_byName[Key(header.record.name.GetString())].push_back(i);
        for (const std::uint64_t dataId : header.record.dataIds)
        {
            std::vector<std::uint32_t>& namers = m_namers[dataId];
            if (namers.empty() || namers.back() != header.position)
                namers.push_back(header.position);
        }
    }
    std::sort(m_positions.begin(), m_positions.end());
    m_gathered = true;
    m_searchedWholeModel = all.SearchedWholeModel();
    return status;
}

void MstnHeaderIndex::EnsureGathered()
{
    if (!m_gathered)
        Gather();
}

const std::vector<MstnFoundHeader>& MstnHeaderIndex::Headers()
{
    EnsureGathered();
    return m_headers;
}

bool MstnHeaderIndex::SearchedWholeModel()
{
    EnsureGathered();
    return m_searchedWholeModel;
}

const MstnFoundHeader* MstnHeaderIndex::Find(const CString& name, bool matchByName, std::uint64_t skippedId)
{
    EnsureGathered();
    const auto skipped = [skippedId](const MstnFoundHeader& header) {
        return skippedId != 0 && header.id == skippedId;
    };
    if (!matchByName)
    {
        for (const MstnFoundHeader& header : m_headers)
            if (!skipped(header))
                return &header;
        return nullptr;
    }
    // Names are compared exactly, case included.
    const auto named = m_byName.find(Key(name.GetString()));
    if (named == m_byName.end())
        return nullptr;
    for (const std::size_t i : named->second)
        if (!skipped(m_headers[i]))
            return &m_headers[i];
    return nullptr;
}

bool MstnHeaderIndex::NamedByAnother(std::uint64_t dataId, std::uint32_t headerPosition)
{
    EnsureGathered();
    const auto namers = m_namers.find(dataId);
    if (namers == m_namers.end())
        return false;
    return std::any_of(namers->second.begin(), namers->second.end(),
                       [headerPosition](std::uint32_t position) { return position != headerPosition; });
}

bool MstnHeaderIndex::FirstHeaderBehind(std::uint32_t dataPosition, std::uint32_t headerPosition)
{
    EnsureGathered();
    const auto next = std::upper_bound(m_positions.begin(), m_positions.end(), dataPosition);
    return next != m_positions.end() && *next == headerPosition;
}

bool MstnHeaderIndex::NameRepeats(const MstnFoundHeader& header)
{
    EnsureGathered();
    const auto named = m_byName.find(Key(header.record.name.GetString()));
    return named != m_byName.end() && named->second.size() > 1;
}

const MstnHeaderIndex::Loaded* MstnHeaderIndex::LoadedOf(std::uint32_t headerPosition) const
{
    const auto kept = m_loaded.find(headerPosition);
    return kept == m_loaded.end() ? nullptr : &kept->second;
}

void MstnHeaderIndex::KeepLoaded(std::uint32_t headerPosition, Loaded loaded)
{
    m_loaded[headerPosition] = std::move(loaded);
}
