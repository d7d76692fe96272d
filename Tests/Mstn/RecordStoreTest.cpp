// The element record store: how chunks become elements and come back, names,
// deletion, short reads, and headers and data that cannot be trusted.
#include <functional>
#include <numeric>
#include <set>

#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
constexpr int kDataWords = (34 + 131030) / 2;  // a full data element

class RecordStoreTest : public Fixture
{
};

// A record holding one chunk whose stream has exactly that many bytes.
void WriteStreamOfLength(const CString& name, int streamBytes)
{
    std::vector<std::uint8_t> payload(static_cast<std::size_t>(streamBytes - 4));
    std::iota(payload.begin(), payload.end(), std::uint8_t{1});
    WriteRecord(name, {payload});
}

// The chunk payload the store reads back, or what a failed read leaves.
std::vector<std::uint8_t> ReadSingleChunk(CZrMstnObject& store)
{
    store.NextChunk();
    std::vector<std::uint8_t> payload(static_cast<std::size_t>(std::max(0, store.ChunkLength() - 4)));
    EXPECT_EQ(store.ReadBytes(payload.data(), static_cast<int>(payload.size())), static_cast<int>(payload.size()));
    return payload;
}

// A record element made by hand: the head of the record layout, then the payload.
ElementId AppendRecordElement(const std::vector<std::uint8_t>& payloadAfterSignature)
{
    std::vector<std::uint8_t> data = {0x6F, 0x58};
    data.insert(data.end(), payloadAfterSignature.begin(), payloadAfterSignature.end());
    MSElement element{};
    EXPECT_EQ(mstnHost_buildElement(&element, 66, 20, data.data(), data.size()), MSTN_SUCCESS);
    EXPECT_EQ(mdlElement_append(&element, mdlModelRef_getActive()), MSTN_SUCCESS);
    return mdlElement_getID(&element);
}

std::vector<std::uint8_t> StoredName(const CString& name)
{
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i <= name.GetLength(); ++i)
    {
        const auto c = static_cast<std::uint32_t>(name.GetString()[i]);
        bytes.push_back(static_cast<std::uint8_t>(c));
        if (kCharBytes == 2)
            bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

// A hand-made header of kind 1000: name, total, count, ids.
ElementId AppendHeader(const CString& name, std::int32_t total, std::int32_t count, std::vector<std::uint64_t> ids)
{
    std::vector<std::uint8_t> payload;
    PutI32(payload, kSimKind);
    const std::vector<std::uint8_t> stored = StoredName(name);
    payload.insert(payload.end(), stored.begin(), stored.end());
    PutI32(payload, total);
    PutI32(payload, count);
    for (const std::uint64_t id : ids)
        PutU64(payload, id);
    return AppendRecordElement(payload);
}

// A hand-made data element carrying these stream bytes.
ElementId AppendData(const std::vector<std::uint8_t>& stream)
{
    MSElement element{};
    std::vector<std::uint8_t> data = {0x6F, 0x58};
    data.insert(data.end(), stream.begin(), stream.end());
    EXPECT_EQ(mstnHost_buildElement(&element, 66, 20, data.data(), data.size()), MSTN_SUCCESS);
    EXPECT_EQ(mdlElement_append(&element, mdlModelRef_getActive()), MSTN_SUCCESS);
    return mdlElement_getID(&element);
}
} // namespace

TEST_F(RecordStoreTest, StoreWithNothingWrittenCommitsAHeaderAloneThatDoesNotLoad)
{
    {
        CZrMstnObject store(kSimKind, _T("Ab"));
        EXPECT_EQ(store.Commit(), 0);
    }
    const std::vector<MstnHostElementInfo> elements = RecordElements();
    ASSERT_EQ(elements.size(), 1u);
    const std::size_t countsAt = 38 + NameBytes(2);
    EXPECT_EQ(GetI32(elements[0].bytes + countsAt), 0) << "total length";
    EXPECT_EQ(GetI32(elements[0].bytes + countsAt + 4), 0) << "data element count";
    EXPECT_EQ(elements[0].sizeWords, (NameBytes(2) + 12 + 35) / 2);

    CZrMstnObject reader(kSimKind, _T("Ab"));
    EXPECT_EQ(reader.Load(), -1);
}

TEST_F(RecordStoreTest, StreamsAreCutIntoElementsOfAtMost131030Bytes)
{
    struct Case
    {
        int streamBytes;
        std::vector<std::uint32_t> dataWords;
    };
    const Case cases[] = {
        {131030, {kDataWords}},
        {131031, {kDataWords, 18}},  // the second holds 1 byte, padded
        {2 * 131030 + 7, {kDataWords, kDataWords, (34 + 7 + 1) / 2}},
    };
    for (const Case& c : cases)
    {
        mstnHost_resetModel();
        WriteStreamOfLength(_T("Long"), c.streamBytes);
        std::vector<std::uint32_t> words;
        for (const MstnHostElementInfo& info : RecordElements())
            words.push_back(info.sizeWords);
        ASSERT_EQ(words.size(), c.dataWords.size() + 1) << c.streamBytes;
        words.pop_back();  // the header comes last
        EXPECT_EQ(words, c.dataWords) << c.streamBytes;

        CZrMstnObject reader(kSimKind, _T("Long"));
        ASSERT_EQ(reader.Load(), 0);
        const std::vector<std::uint8_t> payload = ReadSingleChunk(reader);
        ASSERT_EQ(payload.size(), static_cast<std::size_t>(c.streamBytes - 4));
        for (std::size_t i = 0; i < payload.size(); ++i)
            ASSERT_EQ(payload[i], static_cast<std::uint8_t>(i + 1)) << "byte " << i << " of " << c.streamBytes;
    }
}

TEST_F(RecordStoreTest, HeaderOfATwoCharacterNameWithOneDataElement)
{
    WriteRecord(_T("Ab"), {{1, 2, 3, 4}});
    const std::vector<MstnHostElementInfo> elements = RecordElements();
    ASSERT_EQ(elements.size(), 2u);
    const MstnHostElementInfo& data = elements[0];
    const MstnHostElementInfo& header = elements[1];

    // 4 + name + 4 + 4 + 8: 26 bytes and 30 words with UTF-16 names.
    const std::size_t payload = 4 + NameBytes(2) + 4 + 4 + 8;
    EXPECT_EQ(header.sizeWords, (34 + payload + 1) / 2);
    if (kCharBytes == 2)
    {
        EXPECT_EQ(header.sizeWords, 30u);
    }
    const std::uint8_t* b = header.bytes;
    EXPECT_EQ(GetI32(b + 34), kSimKind);
    EXPECT_EQ(std::vector<std::uint8_t>(b + 38, b + 38 + NameBytes(2)), StoredName(_T("Ab")));
    EXPECT_EQ(GetI32(b + 38 + NameBytes(2)), 8) << "total length";
    EXPECT_EQ(GetI32(b + 42 + NameBytes(2)), 1) << "count";
    EXPECT_EQ(GetU64(b + 46 + NameBytes(2)), data.id);
}

TEST_F(RecordStoreTest, ElementsCarryTheRecordHeadAndNothingElse)
{
    WriteRecord(_T("Head"), {{9, 9, 9}});  // a 7-byte stream: odd, padded
    for (const MstnHostElementInfo& info : RecordElements())
    {
        const std::uint8_t* b = info.bytes;
        EXPECT_EQ(b[0] | (b[1] << 8), 66);
        EXPECT_EQ(GetI32(b + 4), static_cast<std::int32_t>(info.sizeWords));
        EXPECT_EQ(GetI32(b + 8), static_cast<std::int32_t>(info.sizeWords)) << "no attribute data";
        EXPECT_EQ(GetI32(b + 12), 20);
        EXPECT_EQ(b[32] | (b[33] << 8), 0x586F);
        for (const std::size_t zero : {2u, 3u, 24u, 25u, 26u, 27u, 28u, 29u, 30u, 31u})
            EXPECT_EQ(b[zero], 0) << "byte " << zero;
        EXPECT_EQ(GetU64(b + 16), info.id) << "where the host keeps the id";
    }
    const MstnHostElementInfo data = RecordElements().front();
    EXPECT_EQ(data.sizeWords, (34u + 7u + 1u) / 2u);
    EXPECT_EQ(data.bytes[34 + 7], 0) << "the pad byte";

    CZrMstnObject reader(kSimKind, _T("Head"));
    ASSERT_EQ(reader.Load(), 0);
    EXPECT_EQ(ReadSingleChunk(reader), (std::vector<std::uint8_t>{9, 9, 9}));
}

TEST_F(RecordStoreTest, NamesAreMatchedExactlyAndAStoreWithoutNameTakesTheFirst)
{
    WriteRecord(_T("route"), {{1}});
    WriteRecord(_T("Route"), {{2}});

    CZrMstnObject other(kSimKind, _T("ROUTE"));
    EXPECT_EQ(other.Load(), -1);

    CZrMstnObject exact(kSimKind, _T("Route"));
    ASSERT_EQ(exact.Load(), 0);
    EXPECT_EQ(ReadSingleChunk(exact), std::vector<std::uint8_t>{2});

    CZrMstnObject first(kSimKind, CString());
    ASSERT_EQ(first.Load(), 0);
    EXPECT_EQ(first.Name(), CString(_T("route")));
    EXPECT_EQ(ReadSingleChunk(first), std::vector<std::uint8_t>{1});

    CZrMstnObject ofAnotherKind(kSimKind + 1, CString());
    EXPECT_EQ(ofAnotherKind.Load(), -1);
}

TEST_F(RecordStoreTest, DeleteRemovesTheRecordsElementsOnly)
{
    WriteRecord(_T("Keep"), {{1}});
    WriteStreamOfLength(_T("Drop"), 131031);
    const ElementId drawing = AddDrawingElement();
    {
        CZrMstnObject missing(kSimKind, _T("None"));
        EXPECT_EQ(missing.Delete().Status(), -1);
    }
    {
        CZrMstnObject store(kSimKind, _T("Drop"));
        EXPECT_EQ(store.Delete().Status(), 0);
    }
    EXPECT_EQ(RecordElements().size(), 2u) << "the other record's data element and header";
    EXPECT_EQ(HeaderCount(_T("Keep")), 1);
    EXPECT_EQ(HeaderCount(_T("Drop")), 0);
    EXPECT_TRUE(ElementLive(drawing));
    CZrMstnObject again(kSimKind, _T("Drop"));
    EXPECT_EQ(again.Delete().Status(), -1);
}

TEST_F(RecordStoreTest, EnumerateNamesListsEveryHeaderOfTheKindInScanOrder)
{
    // More records than one scan delivers positions, with other elements between them.
    CStringArray expected;
    for (int i = 0; i < 60; ++i)
    {
        CString name;
        name.Format(_T("Sim %02d"), i);
        WriteRecord(name, {{static_cast<std::uint8_t>(i)}});
        AddDrawingElement();
        expected.Add(name);
    }
    WriteRecord(_T("Other kind"), {{1}}, kSimKind + 1);

    CStringArray names;
    names.Add(_T("kept"));
    CZrMstnObject store(kSimKind, _T("ignored"));
    EXPECT_EQ(store.EnumerateNames(names), MSTN_SCAN_END_OF_MODEL);
    ASSERT_EQ(names.GetSize(), expected.GetSize() + 1);
    EXPECT_EQ(names[0], CString(_T("kept"))) << "names are appended";
    for (INT_PTR i = 0; i < expected.GetSize(); ++i)
        EXPECT_EQ(names[i + 1], expected[i]);
}

TEST_F(RecordStoreTest, ReadsThatDoNotFitTheChunkReturnZeroAndMoveNothing)
{
    // A chunk with 2 bytes left after a first int.
    WriteRecord(_T("Short"), {{1, 0, 0, 0, 0xAA, 0xBB}});
    CZrMstnObject store(kSimKind, _T("Short"));
    ASSERT_EQ(store.Load(), 0);
    store.NextChunk();
    EXPECT_EQ(store.ChunkLength(), 10);
    int first = 0;
    EXPECT_EQ(store.ReadInt(first), 4);
    EXPECT_EQ(first, 1);

    int value = 77;
    double d = 1.5;
    std::uint64_t u = 5;
    DPoint3d p{1, 2, 3};
    EXPECT_EQ(store.ReadInt(value), 0);
    EXPECT_EQ(store.ReadDouble(d), 0);
    EXPECT_EQ(store.ReadUInt64(u), 0);
    EXPECT_EQ(store.ReadPoint(p), 0);
    std::uint8_t three[3] = {};
    EXPECT_EQ(store.ReadBytes(three, 3), 0);
    EXPECT_EQ(value, 77);
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(u, 5u);
    EXPECT_EQ(p.z, 3.0);

    std::uint8_t two[2] = {};
    EXPECT_EQ(store.ReadBytes(two, 2), 2) << "the cursor stayed where it was";
    EXPECT_EQ(two[0], 0xAA);
    EXPECT_EQ(two[1], 0xBB);
    std::uint8_t byte = 0;
    EXPECT_EQ(store.ReadByte(byte), 0);
}

TEST_F(RecordStoreTest, StringsRoundTripAndOneWithoutItsNulInTheChunkReadsEmpty)
{
    {
        CZrMstnObject writer(kSimKind, _T("Text"));
        writer.BeginChunk(static_cast<int>(NameBytes(5)));
        writer.WriteString(_T("Wagon"));
        writer.BeginChunk(static_cast<int>(2 * kCharBytes));  // two characters, no room for the NUL
        writer.WriteBytes(kCharBytes == 2 ? "a\0b\0" : "ab", static_cast<int>(2 * kCharBytes));
        ASSERT_EQ(writer.Commit(), 0);
    }
    CZrMstnObject reader(kSimKind, _T("Text"));
    ASSERT_EQ(reader.Load(), 0);
    reader.NextChunk();
    CString text;
    EXPECT_EQ(reader.ReadString(text), 6) << "the characters and the NUL";
    EXPECT_EQ(text, CString(_T("Wagon")));
    reader.NextChunk();
    text = _T("before");
    EXPECT_EQ(reader.ReadString(text), 0);
    EXPECT_TRUE(text.IsEmpty());
}

#ifdef UNICODE
TEST_F(RecordStoreTest, WideTextIsStoredAsUtf16)
{
    const CString text(L"A\u00e9\U0001F600");
    {
        CZrMstnObject writer(kSimKind, _T("Utf16"));
        writer.BeginChunk(10);  // A, e-acute, a surrogate pair, NUL
        writer.WriteString(text);
        ASSERT_EQ(writer.Commit(), 0);
    }
    EXPECT_EQ(Chunks(RecordStream(_T("Utf16"))).at(0),
              (std::vector<std::uint8_t>{'A', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0}));
    CZrMstnObject reader(kSimKind, _T("Utf16"));
    ASSERT_EQ(reader.Load(), 0);
    reader.NextChunk();
    CString read;
    EXPECT_EQ(reader.ReadString(read), 5);
    EXPECT_EQ(read, text);
}
#endif

TEST_F(RecordStoreTest, WritesBeyondTheChunkAreRefusedAndSuchARecordIsNotCommitted)
{
    CZrMstnObject writer(kSimKind, _T("Overfull"));
    writer.WriteInt(1);  // before any chunk
    writer.BeginChunk(4);
    writer.WriteInt(1);
    EXPECT_FALSE(writer.CanCommit());
    EXPECT_EQ(writer.Commit(), -1);

    CZrMstnObject overflow(kSimKind, _T("Overfull"));
    overflow.BeginChunk(2);
    overflow.WriteInt(1);
    EXPECT_EQ(overflow.Commit(), -1);
    EXPECT_TRUE(RecordElements().empty()) << "nothing is written";
}

TEST_F(RecordStoreTest, ANameTooLongForTheHeaderElementIsNotCommitted)
{
    CString name;
    for (int i = 0; i < 131030; ++i)
        name += _T('n');
    CZrMstnObject writer(kSimKind, name);
    writer.BeginChunk(4);
    writer.WriteInt(5);
    EXPECT_EQ(writer.Commit(), -1);
    EXPECT_TRUE(RecordElements().empty());
}

// Stored headers are not trusted: one whose counts do not fit its element is
// no header. It is neither loaded, listed nor deleted, and a record written
// under its name afterwards is the one found.
TEST_F(RecordStoreTest, HeadersWhoseCountsDoNotFitTheirElementAreRefused)
{
    struct Case
    {
        const char* what;
        std::int32_t total;
        std::int32_t count;
    };
    const Case cases[] = {
        {"more ids counted than held", 8, 3},
        {"a negative count", 8, -1},
        {"a negative total", -8, 1},
        {"a total its data elements cannot hold", 131031, 1},
        {"a count of billions", 8, 0x7FFFFFFF},
    };
    for (const Case& c : cases)
    {
        mstnHost_resetModel();
        const ElementId dataId = AppendData({8, 0, 0, 0, 1, 2, 3, 4});
        AppendHeader(_T("Bad"), c.total, c.count, {dataId});
        CZrMstnObject store(kSimKind, _T("Bad"));
        EXPECT_EQ(store.Load(), -1) << c.what;
        CZrMstnObject remover(kSimKind, _T("Bad"));
        EXPECT_EQ(remover.Delete().Status(), -1) << c.what;
        EXPECT_TRUE(ElementLive(dataId)) << c.what;
        CStringArray names;
        CZrMstnObject lister(kSimKind, CString());
        lister.EnumerateNames(names);
        EXPECT_EQ(names.GetSize(), 0) << c.what;

        WriteRecord(_T("Bad"), {{7}});
        CZrMstnObject replaced(kSimKind, _T("Bad"));
        ASSERT_EQ(replaced.Load(), 0) << c.what;
        EXPECT_EQ(ReadSingleChunk(replaced), std::vector<std::uint8_t>{7}) << c.what;
    }
}

// A data element begins with whatever bytes of the stream fall at its piece
// boundary, the record kind (1000) among them, and its bytes may even read whole
// as a header. The header that names it makes it data: the record is listed
// once, loads whole and is deleted with exactly its elements, and the other
// record stays as it was.
TEST_F(RecordStoreTest, AnElementAHeaderNamesIsDataWhateverItBeginsWith)
{
    // The stream's last piece read as a header: the kind, an empty name, then
    // the total, the count and the ids.
    const auto headerLikeTail = [](std::int32_t total, std::vector<std::uint64_t> ids) {
        std::vector<std::uint8_t> tail;
        PutI32(tail, kSimKind);
        tail.resize(tail.size() + NameBytes(0), 0);
        PutI32(tail, total);
        PutI32(tail, static_cast<std::int32_t>(ids.size()));
        for (const std::uint64_t id : ids)
            PutU64(tail, id);
        return tail;
    };
    using Payloads = std::vector<std::vector<std::uint8_t>>;
    using Bytes = std::vector<std::uint8_t>;
    // One chunk that runs over the first boundary and ends with the tail.
    const auto endingWith = [](const Bytes& tail) {
        Bytes payload(131030 - 4, 0xAB);
        payload.insert(payload.end(), tail.begin(), tail.end());
        return Payloads{payload};
    };
    struct Case
    {
        const char* what;
        std::function<Payloads(ElementId keepHeader)> payloads;
        std::size_t piece;  // the data element that begins with the kind
    };
    const std::vector<Case> cases = {
        {"a first chunk of 1000 bytes", [](ElementId) { return Payloads{Bytes(996, 0x5A)}; }, 0},
        {"the second piece begins with a chunk of 1000 bytes",
         [](ElementId) { return Payloads{Bytes(131030 - 4, 0xAB), Bytes(996, 0)}; }, 1},
        {"the third piece begins with a chunk of 1000 bytes",
         [](ElementId) { return Payloads{Bytes(2 * 131030 - 4, 0xAB), Bytes(996, 0x11)}; }, 2},
        {"the last piece reads whole as a header without data",
         [&](ElementId) { return endingWith(headerLikeTail(0, {})); }, 1},
        {"the last piece reads whole as a header naming the other record's header",
         [&](ElementId keepHeader) { return endingWith(headerLikeTail(8, {keepHeader})); }, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        mstnHost_resetModel();
        WriteRecord(_T("Keep"), {{7}});
        const Payloads payloads = c.payloads(RecordIds(_T("Keep")).at(0));
        WriteRecord(_T("Whole"), payloads);
        const std::vector<ElementId> ids = RecordIds(_T("Whole"));
        ASSERT_GT(ids.size(), c.piece + 1);
        MstnHostElementInfo piece{};
        ASSERT_EQ(mstnHost_findElement(ids[1 + c.piece], &piece), MSTN_SUCCESS);
        ASSERT_EQ(GetI32(piece.bytes + 34), kSimKind) << "the piece begins with the kind";

        CStringArray names;
        CZrMstnObject lister(kSimKind, CString());
        lister.EnumerateNames(names);
        ASSERT_EQ(names.GetSize(), 2);
        EXPECT_EQ(names[0], CString(_T("Keep")));
        EXPECT_EQ(names[1], CString(_T("Whole")));

        CZrMstnObject reader(kSimKind, _T("Whole"));
        ASSERT_EQ(reader.Load(), 0);
        for (const Bytes& payload : payloads)
            EXPECT_EQ(ReadSingleChunk(reader), payload);

        std::set<ElementId> left = LiveIds();
        for (const ElementId id : ids)
            left.erase(id);
        CZrMstnObject remover(kSimKind, _T("Whole"));
        EXPECT_EQ(remover.Delete().Status(), 0);
        EXPECT_EQ(LiveIds(), left) << "its elements, and only they, are gone";
        CZrMstnObject keep(kSimKind, _T("Keep"));
        ASSERT_EQ(keep.Load(), 0);
        EXPECT_EQ(ReadSingleChunk(keep), Bytes{7});
    }
}

TEST_F(RecordStoreTest, AHeaderNameWithoutItsNulIsNoHeader)
{
    std::vector<std::uint8_t> payload;
    PutI32(payload, kSimKind);
    payload.insert(payload.end(), {'A', 'B', 'C', 1, 'D', 2});  // no NUL before the element ends
    AppendRecordElement(payload);
    CStringArray names;
    CZrMstnObject store(kSimKind, CString());
    store.EnumerateNames(names);
    EXPECT_EQ(names.GetSize(), 0);
    CZrMstnObject loader(kSimKind, CString());
    EXPECT_EQ(loader.Load(), -1);
}

TEST_F(RecordStoreTest, DataBeyondTheTotalLengthIsNotTakenAndReadsStayInsideIt)
{
    // The data element holds a chunk that claims 40 bytes and carries 36 more;
    // the header announces a stream of 10 bytes.
    std::vector<std::uint8_t> stream;
    PutI32(stream, 40);
    stream.resize(40, 0x55);
    const ElementId data = AppendData(stream);
    AppendHeader(_T("Lying"), 10, 1, {data});

    CZrMstnObject store(kSimKind, _T("Lying"));
    ASSERT_EQ(store.Load(), 0);
    store.NextChunk();
    EXPECT_EQ(store.ChunkLength(), 10) << "the chunk ends with the loaded data";
    std::uint8_t bytes[8] = {};
    EXPECT_EQ(store.ReadBytes(bytes, 8), 0);
    EXPECT_EQ(store.ReadBytes(bytes, 6), 6);
    EXPECT_EQ(store.HasError(), 0);
    store.NextChunk();
    EXPECT_EQ(store.ChunkLength(), 0);
    EXPECT_EQ(store.HasError(), 1) << "the stream ended";
    int value = 3;
    EXPECT_EQ(store.ReadInt(value), 0);
    EXPECT_EQ(value, 3);
}

TEST_F(RecordStoreTest, DataElementsHoldingMoreThanTheTotalDoNotOverrunTheBuffer)
{
    const ElementId first = AppendData(std::vector<std::uint8_t>(1000, 0x11));
    const ElementId second = AppendData(std::vector<std::uint8_t>(1000, 0x22));
    AppendHeader(_T("Overlong"), 12, 2, {first, second});
    CZrMstnObject store(kSimKind, _T("Overlong"));
    ASSERT_EQ(store.Load(), 0);
    store.NextChunk();
    EXPECT_EQ(store.ChunkLength(), 12);
}

TEST_F(RecordStoreTest, MissingDataElementsAddNothing)
{
    WriteRecord(_T("Gone"), {{1, 2}});
    const MstnHostElementInfo data = RecordElements().front();
    ASSERT_EQ(mdlElement_undoableDelete(nullptr, data.filePos, false), MSTN_SUCCESS);
    CZrMstnObject store(kSimKind, _T("Gone"));
    EXPECT_EQ(store.Load(), -1) << "no data element was read";
}

// A header is refused when one of its ids leads to no data element of its own:
// a drawing element, one named twice, one missing, or one that another header,
// the one written right behind it, names.
TEST_F(RecordStoreTest, AHeaderWhoseIdsAreNotAllItsOwnDataDoesNotLoad)
{
    struct Case
    {
        const char* what;
        std::function<std::vector<std::uint64_t>(ElementId own)> ids;
    };
    const std::vector<Case> cases = {
        {"a drawing element", [](ElementId own) { return std::vector<std::uint64_t>{own, AddDrawingElement()}; }},
        {"named twice", [](ElementId own) { return std::vector<std::uint64_t>{own, own}; }},
        {"named by another header", [](ElementId own) {
             AppendHeader(_T("Other"), 12, 1, {own});
             return std::vector<std::uint64_t>{own};
         }},
        {"missing", [](ElementId own) { return std::vector<std::uint64_t>{own, own + 1000}; }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        mstnHost_resetModel();
        std::vector<std::uint8_t> stream;
        PutI32(stream, 12);
        PutU64(stream, 0x0102030405060708ull);
        const ElementId own = AppendData(stream);
        const std::vector<std::uint64_t> ids = c.ids(own);
        AppendHeader(_T("Damaged"), 12, static_cast<std::int32_t>(ids.size()), ids);
        CZrMstnObject store(kSimKind, _T("Damaged"));
        EXPECT_EQ(store.Load(), -1);
    }
    mstnHost_resetModel();
    std::vector<std::uint8_t> stream;
    PutI32(stream, 12);
    PutU64(stream, 0x0102030405060708ull);
    const ElementId own = AppendData(stream);
    AppendHeader(_T("Sound"), 12, 1, {own});
    CZrMstnObject store(kSimKind, _T("Sound"));
    EXPECT_EQ(store.Load(), 0) << "the same record with its own data loads";
}
