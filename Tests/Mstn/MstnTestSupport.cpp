#include "MstnTestSupport.h"

#include <link.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "PmMstnPart.h"
#include "QdVector.h"

namespace
{
constexpr int kRecordType = 66;
constexpr LevelId kRecordLevel = 20;
constexpr std::size_t kPayloadOffset = 34;

bool IsRecordElement(const MstnHostElementInfo& info)
{
    return !info.deleted && info.type == kRecordType && info.level == kRecordLevel;
}

// A part of the module's class with a name: the name has no setter, it comes
// with a part's record, so the test sets it as a host part class does.
class NamedPart : public CPmMstnPart
{
public:
    explicit NamedPart(const CString& name) { m_name = name; }
};

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The name stored in a header element of kind 1000, or false for any other element.
bool HeaderName(const MstnHostElementInfo& info, CString& name)
{
    const std::uint8_t* b = info.bytes;
    if (!IsRecordElement(info) || info.sizeWords * 2 < 40 || b[32] != 0x6F || b[33] != 0x58 ||
        MstnTest::GetI32(b + 34) != MstnTest::kSimKind)
        return false;
    std::size_t units = 0;
    const std::size_t end = info.sizeWords * 2;
#ifdef UNICODE
    std::wstring text;
    while (38 + 2 * units + 2 <= end && (b[38 + 2 * units] | b[39 + 2 * units]) != 0)
    {
        text += static_cast<wchar_t>(b[38 + 2 * units] | (b[39 + 2 * units] << 8));
        ++units;
    }
    name = text.c_str();
#else
    std::string text;
    while (38 + units < end && b[38 + units] != 0)
        text += static_cast<char>(b[38 + units++]);
    name = text.c_str();
#endif
    return true;
}
} // namespace

namespace MstnTest
{
void Fixture::SetUp()
{
    mstnHost_faultsOff();
    mstnHost_resetModel();
    mstnHost_clearFaults();
}

void Fixture::TearDown()
{
    mstnHost_faultsOff();
    EXPECT_EQ(mstnHost_liveDescriptorCount(), 0u) << "a descriptor was leaked";
    EXPECT_EQ(mstnHost_liveScanCriteriaCount(), 0u) << "scan criteria were leaked";
    EXPECT_EQ(mstnHost_faultCount(), 0u) << mstnHost_lastFault();
}

std::vector<MstnHostElementInfo> RecordElements()
{
    std::vector<MstnHostElementInfo> found;
    for (std::size_t i = 0; i < mstnHost_elementCount(); ++i)
    {
        MstnHostElementInfo info{};
        if (mstnHost_elementAt(i, &info) == MSTN_SUCCESS && IsRecordElement(info))
            found.push_back(info);
    }
    return found;
}

std::size_t LiveElementCount()
{
    std::size_t live = 0;
    for (std::size_t i = 0; i < mstnHost_elementCount(); ++i)
    {
        MstnHostElementInfo info{};
        if (mstnHost_elementAt(i, &info) == MSTN_SUCCESS && !info.deleted)
            ++live;
    }
    return live;
}

int HeaderCount(const CString& name)
{
    int count = 0;
    for (const MstnHostElementInfo& info : RecordElements())
    {
        CString stored;
        if (HeaderName(info, stored) && stored == name)
            ++count;
    }
    return count;
}

MstnHostElementInfo Header(const CString& name)
{
    for (const MstnHostElementInfo& info : RecordElements())
    {
        CString stored;
        if (HeaderName(info, stored) && stored == name)
            return info;
    }
    ADD_FAILURE() << "no header named " << Narrow(name);
    return MstnHostElementInfo{};
}

std::vector<ElementId> RecordIds(const CString& name)
{
    const MstnHostElementInfo header = Header(name);
    if (!header.bytes)
        return {};
    std::vector<ElementId> ids{header.id};
    const std::size_t countsAt = 38 + NameBytes(static_cast<std::size_t>(name.GetLength()));
    const std::int32_t count = GetI32(header.bytes + countsAt + 4);
    for (std::int32_t i = 0; i < count && countsAt + 16 + 8 * static_cast<std::size_t>(i) <= header.sizeWords * 2; ++i)
        ids.push_back(GetU64(header.bytes + countsAt + 8 + 8 * static_cast<std::size_t>(i)));
    return ids;
}

std::set<ElementId> LiveIds()
{
    std::set<ElementId> live;
    for (std::size_t i = 0; i < mstnHost_elementCount(); ++i)
    {
        MstnHostElementInfo info{};
        if (mstnHost_elementAt(i, &info) == MSTN_SUCCESS && !info.deleted)
            live.insert(info.id);
    }
    return live;
}

std::vector<std::uint8_t> RecordStream(const CString& name)
{
    const MstnHostElementInfo header = Header(name);
    std::vector<std::uint8_t> stream;
    if (!header.bytes)
        return stream;
    const std::size_t countsAt = 38 + NameBytes(static_cast<std::size_t>(name.GetLength()));
    const std::int32_t total = GetI32(header.bytes + countsAt);
    const std::int32_t count = GetI32(header.bytes + countsAt + 4);
    for (std::int32_t i = 0; i < count; ++i)
    {
        MstnHostElementInfo data{};
        if (mstnHost_findElement(GetU64(header.bytes + countsAt + 8 + 8 * i), &data) != MSTN_SUCCESS)
            continue;
        stream.insert(stream.end(), data.bytes + kPayloadOffset, data.bytes + data.sizeWords * 2);
    }
    stream.resize(std::min(stream.size(), static_cast<std::size_t>(total)));
    return stream;
}

std::vector<int> ChunkLengths(const std::vector<std::uint8_t>& stream)
{
    std::vector<int> lengths;
    for (std::size_t at = 0; at + 4 <= stream.size();)
    {
        const int length = GetI32(stream.data() + at);
        lengths.push_back(length);
        if (length < 4)
            break;
        at += static_cast<std::size_t>(length);
    }
    return lengths;
}

std::vector<std::vector<std::uint8_t>> Chunks(const std::vector<std::uint8_t>& stream)
{
    std::vector<std::vector<std::uint8_t>> chunks;
    std::size_t at = 0;
    for (const int length : ChunkLengths(stream))
    {
        if (length < 4 || at + static_cast<std::size_t>(length) > stream.size())
            break;
        chunks.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(at + 4),
                            stream.begin() + static_cast<std::ptrdiff_t>(at + static_cast<std::size_t>(length)));
        at += static_cast<std::size_t>(length);
    }
    return chunks;
}

ElementId AddDrawingElement()
{
    MSElement element{};
    const std::uint8_t data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(mstnHost_buildElement(&element, 4, 1, data, sizeof data), MSTN_SUCCESS);
    EXPECT_EQ(mdlElement_append(&element, mdlModelRef_getActive()), MSTN_SUCCESS);
    return mdlElement_getID(&element);
}

MSElementDescr* NewDescriptor()
{
    MSElement element{};
    const std::uint8_t data[6] = {9, 8, 7, 6, 5, 4};
    EXPECT_EQ(mstnHost_buildElement(&element, 4, 1, data, sizeof data), MSTN_SUCCESS);
    MSElementDescr* descr = nullptr;
    EXPECT_EQ(mstnHost_createDescriptor(&descr, &element), MSTN_SUCCESS);
    return descr;
}

bool ElementLive(ElementId id)
{
    MstnHostElementInfo info{};
    return mstnHost_findElement(id, &info) == MSTN_SUCCESS && !info.deleted;
}

bool ElementVisible(ElementId id)
{
    MstnHostElementInfo info{};
    return mstnHost_findElement(id, &info) == MSTN_SUCCESS && info.visible;
}

CPmPart* MakePart(const CString& name)
{
    auto* part = new NamedPart(name);
    part->AddBlock(CPmBlockFactory::CreateBlock(NewDescriptor()));
    return part;
}

std::vector<PmPosition200> MakePath(int count)
{
    std::vector<PmPosition200> path;
    for (int i = 0; i < count; ++i)
    {
        PmPosition200 position;
        position.pt = dpoint3d{1.0 * i, 2.0 * i, 0.5};
        position.tpt = dpoint3d{1.0 * i, 0.0, 1.0};
        position.transform.SetTranslation(CQdVector(position.pt.x, position.pt.y, position.pt.z));
        position.transform.SetRotation(CQdVector(0.0, 0.0, 1.0), i / 10.0);
        path.push_back(position);
    }
    return path;
}

CPmSegment200* MakeSegment(CPmPart* part, int positions)
{
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    segment->AddPath(MakePath(positions));
    return segment;
}

CPmSim200* MakeSimulation(const CString& name, int positions)
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(0, 3);
    sim->SetName(name);
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(50.0, 0);
    section->AddSegment(MakeSegment(MakePart(_T("Cart")), positions));
    sim->AddSection(section);
    return sim;
}

void WriteRecord(const CString& name, const std::vector<std::vector<std::uint8_t>>& payloads, int kind)
{
    CZrMstnObject store(kind, name);
    for (const std::vector<std::uint8_t>& payload : payloads)
    {
        store.BeginChunk(static_cast<int>(payload.size()));
        store.WriteBytes(payload.data(), static_cast<int>(payload.size()));
    }
    ASSERT_EQ(store.Commit(), 0);
}

void PutI32(std::vector<std::uint8_t>& bytes, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}

void PutU64(std::vector<std::uint8_t>& bytes, std::uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutF64(std::vector<std::uint8_t>& bytes, double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU64(bytes, bits);
}

std::int32_t GetI32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

std::uint64_t GetU64(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(GetI32(p)) | (static_cast<std::uint64_t>(static_cast<std::uint32_t>(GetI32(p + 4))) << 32);
}

std::vector<std::uint8_t> SimChunk(int version, int type, std::uint64_t id, bool inUse)
{
    std::vector<std::uint8_t> bytes;
    if (version != 101)
        PutI32(bytes, version);
    PutI32(bytes, type);
    PutU64(bytes, id);
    PutI32(bytes, inUse ? 1 : 0);
    bytes.resize(bytes.size() + 32, 0);  // both times: all zero bytes
    return bytes;
}

std::string Narrow(const CString& text)
{
    return CStringA(text).GetString();
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : m_name(name), m_had(false)
{
    if (const char* old = std::getenv(name))
    {
        m_had = true;
        m_old = old;
    }
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

ScopedEnv::~ScopedEnv()
{
    if (m_had)
        setenv(m_name.c_str(), m_old.c_str(), 1);
    else
        unsetenv(m_name.c_str());
}

namespace
{
struct ModuleSearch
{
    std::string wanted;
    std::string found;
};

int VisitModule(dl_phdr_info* info, std::size_t, void* data)
{
    auto* search = static_cast<ModuleSearch*>(data);
    const std::string path = info->dlpi_name ? info->dlpi_name : "";
    const std::size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    if (path.empty() || !SameIgnoringCase(file, search->wanted))
        return 0;
    search->found = path;
    return 1;
}
} // namespace

std::string LoadedModulePath(const std::string& fileName)
{
    ModuleSearch search{fileName, std::string()};
    dl_iterate_phdr(&VisitModule, &search);
    return search.found;
}
} // namespace MstnTest
