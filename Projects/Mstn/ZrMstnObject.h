// One named record of a kind in the active model: a header element that names
// it and lists its data elements, and data elements that carry its bytes, a
// stream of chunks (an int32 length counting its own 4 bytes, then the payload;
// little-endian). A store serves one operation: either a writing life (chunks
// begun and written, then Commit) or one scan (Load and the chunk readers, or
// Delete, or EnumerateNames).
//
// Stored records are not trusted: a header whose counts do not fit its element
// is refused, the data never fills more than the stream the header announces,
// and every chunk and read stays inside the loaded data.
#pragma once

#include <cstdint>
#include <vector>

#include <afx.h>
#include <mselems.h>
#include <msgeom.h>
#include <scanner.h>

#include "MstnHeld.h"
#include "MstnRecordLayout.h"

class MstnHeaderIndex;
struct MstnFoundHeader;
struct MstnRecordHeader;

// What a store's Delete met; which of these fail it, each operation that
// deletes a record says.
struct MstnDeleteResult
{
    enum class Outcome
    {
        Deleted,       // the header is gone, so the record is
        NoRecord,      // the model holds no header of it
        SearchFailed,  // the model not searched to its end, or its header not read again: nothing deleted
        Refused,       // the host refused to delete the header: the record stays whole
    };
    Outcome outcome;
    int hostStatus = 0;  // Refused: the host's status

    // As a status of the simulation's operations, which sum them: 0, -1 for
    // no record, kSearchFailed, or the host's status.
    int Status() const
    {
        switch (outcome)
        {
        case Outcome::Deleted:
            return 0;
        case Outcome::NoRecord:
            return -1;
        case Outcome::SearchFailed:
            return MstnRecord::kSearchFailed;
        case Outcome::Refused:
            break;
        }
        return hostStatus;
    }
};

class CZrMstnObject
{
public:
    CZrMstnObject();
    // A store of that kind; with an empty name it takes the first record of the kind.
    CZrMstnObject(int kind, const CString& name);
    CZrMstnObject(const CZrMstnObject&) = delete;
    CZrMstnObject& operator=(const CZrMstnObject&) = delete;

    // Appends the name of every header of this kind, in scan order; the last
    // scan status. An element that a header names as its data is no header,
    // whatever its bytes begin with (see MstnHeaderIndex).
    int EnumerateNames(CStringArray& names);
    // Appends every element of this kind that reads whole as a header, in
    // scan order, read once each; the last scan status. Which of them are
    // headers the index decides.
    int GatherHeaders(std::vector<MstnFoundHeader>& found);
    // Reads the record into the store: 0 when at least one data element was
    // read, else -1. A record is refused (-1) when one of its ids does not lead
    // to an element of the record layout, or is named twice or by another
    // header, and when the model could not be searched to its end.
    int Load();
    // The same, finding the header and the others in the index rather than
    // scanning the model.
    int Load(MstnHeaderIndex& index);
    // Deletes the record, its header first (the data stays when that is
    // refused). Of its data it deletes only elements of the record layout that
    // no other header names; once the header is gone the record is, and a data
    // element the host does not delete is left behind unnamed, where no record
    // reads it.
    MstnDeleteResult Delete();
    // False when a scan of this store, or the read of a position it
    // delivered, failed: what it found may not be all the model holds.
    bool SearchedWholeModel() const { return !m_scanFailed; }
    // Load and Delete pass over the header with that element id.
    void SkipHeader(std::uint64_t headerId) { m_skippedHeaderId = headerId; }
    // The element id of the header the last successful Commit appended (0: none).
    std::uint64_t CommittedHeaderId() const { return m_committedIds.empty() ? 0 : m_committedIds.back(); }
    // Writes the chunks as elements, the header last: 0, or -1 with nothing
    // left written when the record cannot be stored (see CanCommit), the host
    // refuses an element or memory runs out.
    int Commit();
    // Removes the elements the last successful Commit appended, the header
    // first: 0, or the host's status when the header stays (the record then
    // stays whole).
    int Withdraw();
    // False when a write was refused, or when the stream or its header would
    // not fit the record's layout.
    bool CanCommit() const;

    // Writers: each appends to the current chunk and refuses (writing nothing)
    // what does not fit the room the chunk has left.
    void BeginChunk(int payloadBytes);
    void WriteInt(int value);
    void WriteInt(unsigned int value);
    void WriteDouble(double value);
    void WriteUInt64(std::uint64_t value);
    void WritePoint(const DPoint3d& point);
    void WriteBytes(const void* bytes, int count);
    void WriteByte(std::uint8_t value);
    void WriteString(const CString& text);

    // Readers: NextChunk starts the chunk at the cursor; each read returns the
    // bytes it took (ReadString: the characters with the NUL), or 0 with its
    // target untouched when it does not fit what is left of the chunk.
    void NextChunk();
    int ChunkLength() const { return m_chunkLength; }
    int ReadByte(std::uint8_t& value);
    int ReadBytes(void* bytes, int count);
    int ReadInt(int& value);
    int ReadInt(unsigned int& value);
    int ReadDouble(double& value);
    int ReadUInt64(std::uint64_t& value);
    int ReadPoint(DPoint3d& point);
    int ReadString(CString& text);

    void SetError(int error) { m_error = error; }
    int HasError() const { return m_error; }

    int Kind() const { return m_kind; }
    const CString& Name() const { return m_name; }

private:
    void InitScan();
    // The next element of this kind in the scan that reads whole as a header,
    // and its descriptor, which then belongs to the caller (null when none).
    // Returns the last scan status.
    int NextHeader(MstnRecordHeader& header, MSElementDescr** descr);
    void StartScanLoop();
    bool ScanGoesOn(int status) const;

    bool WriteRoom(std::size_t bytes);
    void WriteRaw(const void* bytes, std::size_t count);
    bool ReadFits(std::int64_t bytes) const;
    void ReadRaw(void* bytes, std::size_t count);
    // Reads N bytes when they fit what is left and hands them to decode: N,
    // else 0 with nothing read.
    template <std::size_t N, class Decode>
    int ReadFixed(Decode decode);
    std::vector<std::uint8_t> HeaderPayload(const std::vector<std::uint64_t>& dataIds) const;
    std::size_t PieceCount() const;
    // Builds an element of the payload and appends it; false when the host refuses it.
    bool AppendPiece(MSElement& element, const std::uint8_t* payload, std::size_t bytes);
    // Deletes the data elements an unfinished Commit appended.
    void TakeBackAppended();
    // The element of that id when it is an element of the record layout,
    // whatever its payload begins with; else none.
    static MstnHeldDescriptor ReadDataElement(std::uint64_t id, std::uint32_t& position);
    // Deletes the live elements of those ids, in the order given, each as an
    // undoable step; with dataOnly, only elements of the record layout that the
    // sorted spared ids do not hold. The status of the first element not found
    // (-1 when the look-up gives none) or not deleted, or 0. Allocates nothing,
    // so that it can take back what an interrupted write left.
    int DeleteElements(const std::uint64_t* ids, std::size_t count, bool dataOnly,
                       const std::vector<std::uint64_t>& spared);

    std::uint32_t m_scanPosition;
    MstnHeldCriteria m_criteria;
    std::vector<std::vector<std::uint8_t>> m_chunks;
    std::size_t m_cursor;            // read side: next byte of the loaded data
    std::vector<std::uint8_t> m_loaded;
    std::size_t m_loadedEnd;         // bytes of the loaded data that belong to the stream
    std::int32_t m_chunkPosition;
    std::int32_t m_chunkLength;
    std::int64_t m_totalLength;
    int m_kind;
    CString m_name;
    bool m_matchByName;
    std::uint32_t m_foundPositions[MstnRecord::kFoundPositions];
    int m_foundCount;
    int m_scanIndex;
    int m_error;
    bool m_writeRefused;
    bool m_scanFailed = false;       // a scan, or the read of a position it delivered, failed
    std::uint64_t m_skippedHeaderId = 0;
    std::vector<std::uint64_t> m_committedIds;  // the elements Commit appended, the header last
};
