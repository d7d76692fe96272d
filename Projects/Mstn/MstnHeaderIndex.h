// The headers of one kind in the active model, gathered by one scan: their
// positions, ids and parsed contents in scan order, and which data ids each
// names. A header is an element that reads whole as one and that no header
// names as its data: a data element that happens to begin like a header is
// data. Loading many records from one index reads every header once instead
// of scanning the model again for each record. An index describes the model
// as it was when gathered: whoever changes the records gathers it again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <afx.h>

#include "MstnRecordElement.h"

struct MstnFoundHeader
{
    std::uint32_t position = 0;
    std::uint64_t id = 0;
    MstnRecordHeader record;
};

class MstnHeaderIndex
{
public:
    explicit MstnHeaderIndex(int kind) : m_kind(kind) {}

    // Scans the model (again): the last scan status.
    int Gather();
    // The headers in scan order; gathered on first use.
    const std::vector<MstnFoundHeader>& Headers();
    // False when a scan, or the read of a position it delivered, failed while
    // gathering: the model may hold headers the index does not.
    bool SearchedWholeModel();

    // The first header in scan order of exactly that name (any name when
    // matchByName is false) other than the one with skippedId (0: none); null when none.
    const MstnFoundHeader* Find(const CString& name, bool matchByName, std::uint64_t skippedId);
    // True when a header other than the one at that position names the data id.
    bool NamedByAnother(std::uint64_t dataId, std::uint32_t headerPosition);
    // True when the first header behind the data position is the one at headerPosition.
    bool FirstHeaderBehind(std::uint32_t dataPosition, std::uint32_t headerPosition);
    // True when more than one header carries the header's name: a listing
    // then loads that header once for each of them.
    bool NameRepeats(const MstnFoundHeader& header);

    // What loading a header gave (the data it read, or refused), kept for a
    // header whose name repeats so that its elements are read once.
    struct Loaded
    {
        bool refused = false;
        std::vector<std::uint8_t> bytes;
    };
    const Loaded* LoadedOf(std::uint32_t headerPosition) const;
    void KeepLoaded(std::uint32_t headerPosition, Loaded loaded);

private:
    using Key = std::basic_string<TCHAR>;
    void EnsureGathered();

    int m_kind;
    bool m_gathered = false;
    bool m_searchedWholeModel = false;
    std::vector<MstnFoundHeader> m_headers;
    std::vector<std::uint32_t> m_positions;                         // sorted
    std::unordered_map<Key, std::vector<std::size_t>> m_byName;     // header indexes, scan order
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> m_namers;  // data id: header positions
    std::unordered_map<std::uint32_t, Loaded> m_loaded;
};
