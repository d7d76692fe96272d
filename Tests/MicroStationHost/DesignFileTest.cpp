// The design file: a model written and read back into a fresh model; damaged files refused.
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "LittleEndianBytes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Where the fields of the file's head and first element record lie.
constexpr std::size_t kVersionAt = 8;
constexpr std::size_t kNextIdAt = 12;
constexpr std::size_t kCountAt = 20;
constexpr std::size_t kFirstRecordAt = 24;
constexpr std::size_t kRecordHead = 13;   // id, flags, length

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The file's closing checksum (FNV-1a, 64 bits) made right again after a change.
void fixChecksum(Bytes& bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ull;
    }
    writeU64(bytes.data() + bytes.size() - 8, hash);
}

std::vector<MstnHostElementInfo> snapshot()
{
    std::vector<MstnHostElementInfo> all(mstnHost_elementCount());
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(mstnHost_elementAt(i, &all[i]), MSTN_SUCCESS);
    return all;
}

class MstnHostDesignFileTest : public HostFileTest
{
protected:
    // Three elements: a record element, a hidden one of another type, and a deleted one.
    void fillModel()
    {
        first = appendElement(66, 20, 10);
        auto element = makeElement(3, 7, 5, 0x42);
        MSElementDescr* descr = nullptr;
        ASSERT_EQ(mstnHost_createDescriptor(&descr, element.get()), MSTN_SUCCESS);
        ASSERT_EQ(mdlElmdscr_setVisible(descr, false), MSTN_SUCCESS);
        ASSERT_EQ(mdlElmdscr_add(descr), MSTN_SUCCESS);
        hidden = mdlElement_getID(&descr->el);
        deleted = appendElement(66, 20, 1);
        deleteElement(deleted);
    }

    // A model of one element, to see that a refused load leaves the model alone.
    ElementId markModel()
    {
        mstnHost_resetModel();
        return appendElement(9, 9, 2).id;
    }

    void expectMarkedModel(ElementId marker)
    {
        ASSERT_EQ(mstnHost_elementCount(), 1u);
        EXPECT_FALSE(elementInfo(marker).deleted);
    }

    AddedElement first;
    ElementId hidden = 0;
    AddedElement deleted;
};

TEST_F(MstnHostDesignFileTest, RecordsSurviveInAFreshModel)
{
    fillModel();
    const std::vector<MstnHostElementInfo> before = snapshot();
    std::vector<Bytes> beforeBytes;
    for (const MstnHostElementInfo& info : before)
        beforeBytes.emplace_back(info.bytes, info.bytes + info.sizeWords * 2);

    ASSERT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    EXPECT_FALSE(std::ifstream(path + ".tmp").good()) << "no temporary file stays behind";
    mstnHost_resetModel();
    ASSERT_EQ(mstnHost_elementCount(), 0u);
    ASSERT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_SUCCESS);

    const std::vector<MstnHostElementInfo> after = snapshot();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(after[i].id, before[i].id);
        EXPECT_EQ(after[i].filePos, before[i].filePos);
        EXPECT_EQ(after[i].type, before[i].type);
        EXPECT_EQ(after[i].level, before[i].level);
        EXPECT_EQ(after[i].sizeWords, before[i].sizeWords);
        EXPECT_EQ(after[i].deleted, before[i].deleted);
        EXPECT_EQ(after[i].visible, before[i].visible);
        EXPECT_EQ(Bytes(after[i].bytes, after[i].bytes + after[i].sizeWords * 2), beforeBytes[i]);
    }
    EXPECT_FALSE(elementInfo(hidden).visible);
    EXPECT_TRUE(elementInfo(deleted.id).deleted);

    // Lookups and ids go on as in the model that was saved.
    EXPECT_EQ(mdlAssoc_getElement(nullptr, nullptr, first.id, mdlModelRef_getActive()), MSTN_SUCCESS);
    EXPECT_NE(mdlAssoc_getElement(nullptr, nullptr, deleted.id, mdlModelRef_getActive()), MSTN_SUCCESS);
    const AddedElement next = appendElement(66, 20);
    EXPECT_EQ(next.id, deleted.id + 1);
    EXPECT_EQ(next.filePos, before.back().filePos + before.back().sizeWords * 2);
}

TEST_F(MstnHostDesignFileTest, EmptyModelRoundTrip)
{
    ASSERT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    markModel();
    ASSERT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_SUCCESS);
    EXPECT_EQ(mstnHost_elementCount(), 0u);
    EXPECT_EQ(appendElement(66, 20).id, MSTN_FIRST_ELEMENT_ID);
}

TEST_F(MstnHostDesignFileTest, RefusesFilesThatCannotBeOpenedOrWritten)
{
    EXPECT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_ERR_FILE_OPEN);
    EXPECT_EQ(mstnHost_loadDesignFile(nullptr), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mstnHost_saveDesignFile(nullptr), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mstnHost_saveDesignFile((::testing::TempDir() + "no such folder/x.dgn").c_str()),
              MSTN_ERR_FILE_WRITE);
}

TEST_F(MstnHostDesignFileTest, RefusesEveryTruncationAndEveryDamagedByte)
{
    fillModel();
    ASSERT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    const Bytes good = fileBytes(path);
    const ElementId marker = markModel();

    for (std::size_t length = 0; length < good.size(); ++length) {
        writeFile(path, Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)));
        ASSERT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_ERR_FILE_CORRUPT) << "length " << length;
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        Bytes damaged = good;
        damaged[at] ^= 0x20;
        writeFile(path, damaged);
        ASSERT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_ERR_FILE_CORRUPT) << "byte " << at;
    }
    Bytes longer = good;
    longer.push_back(0);
    writeFile(path, longer);
    EXPECT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_ERR_FILE_CORRUPT);
    expectMarkedModel(marker);
}

// Damage that a checksum made right again does not hide: the content itself is checked.
TEST_F(MstnHostDesignFileTest, RefusesInconsistentContentBehindAValidChecksum)
{
    fillModel();
    ASSERT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    const Bytes good = fileBytes(path);
    const std::size_t firstLength = readU32(good.data() + kFirstRecordAt + 9);
    const std::size_t firstBytes = kFirstRecordAt + kRecordHead;
    const std::size_t secondRecord = firstBytes + firstLength;
    const std::uint64_t firstId = readU64(good.data() + kFirstRecordAt);
    const ElementId marker = markModel();

    struct Row
    {
        const char* what;
        std::function<void(Bytes&)> damage;
    };
    const Row rows[] = {
        {"magic", [](Bytes& b) { b[0] ^= 1; }},
        {"layout version", [](Bytes& b) { writeU32(b.data() + kVersionAt, 2); }},
        {"next id zero", [](Bytes& b) { writeU64(b.data() + kNextIdAt, 0); }},
        {"next id not above every id", [&](Bytes& b) { writeU64(b.data() + kNextIdAt, firstId + 2); }},
        {"one element more than held", [](Bytes& b) { writeU32(b.data() + kCountAt, readU32(b.data() + kCountAt) + 1); }},
        {"one element less than held", [](Bytes& b) { writeU32(b.data() + kCountAt, readU32(b.data() + kCountAt) - 1); }},
        {"huge element count", [](Bytes& b) { writeU32(b.data() + kCountAt, 0xFFFFFFFFu); }},
        {"unknown flag", [](Bytes& b) { b[kFirstRecordAt + 8] |= 4; }},
        {"length beyond the file", [](Bytes& b) { writeU32(b.data() + kFirstRecordAt + 9, 0x7FFFFFF0u); }},
        {"length other than the head's size",
         [&](Bytes& b) { writeU32(b.data() + kFirstRecordAt + 9, static_cast<std::uint32_t>(firstLength + 2)); }},
        {"head size longer than the length",
         [&](Bytes& b) { writeU32(b.data() + firstBytes + 4, readU32(b.data() + firstBytes + 4) + 1); }},
        {"head size shorter than the length",
         [&](Bytes& b) { writeU32(b.data() + firstBytes + 4, readU32(b.data() + firstBytes + 4) - 1); }},
        {"attribute offset behind the end",
         [&](Bytes& b) { writeU32(b.data() + firstBytes + 8, readU32(b.data() + firstBytes + 4) + 1); }},
        {"id other than the element's own", [&](Bytes& b) { writeU64(b.data() + kFirstRecordAt, firstId + 100); }},
        {"id zero",
         [&](Bytes& b) {
             writeU64(b.data() + kFirstRecordAt, 0);
             writeU64(b.data() + firstBytes + 16, 0);
         }},
        {"id given twice",
         [&](Bytes& b) {
             writeU64(b.data() + secondRecord, firstId);
             writeU64(b.data() + secondRecord + kRecordHead + 16, firstId);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Bytes damaged = good;
        row.damage(damaged);
        fixChecksum(damaged);
        writeFile(path, damaged);
        EXPECT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_ERR_FILE_CORRUPT);
        expectMarkedModel(marker);
    }
    // The same file undamaged still loads.
    Bytes same = good;
    fixChecksum(same);
    writeFile(path, same);
    EXPECT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_SUCCESS);
}

// Any byte set to any of a few values, checksum made right: loaded or refused, and
// what loads is a model that scans, reads and appends like any other.
TEST_F(MstnHostDesignFileTest, DamagedFilesLoadSoundlyOrNotAtAll)
{
    fillModel();
    ASSERT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    const Bytes good = fileBytes(path);
    for (std::size_t at = 0; at + 8 < good.size(); ++at) {
        for (const std::uint8_t value : {std::uint8_t{0}, std::uint8_t{0xFF}, std::uint8_t(good[at] ^ 1)}) {
            Bytes damaged = good;
            damaged[at] = value;
            fixChecksum(damaged);
            writeFile(path, damaged);
            const int status = mstnHost_loadDesignFile(path.c_str());
            ASSERT_TRUE(status == MSTN_SUCCESS || status == MSTN_ERR_FILE_CORRUPT) << status;
            if (status != MSTN_SUCCESS)
                continue;
            std::uint32_t expectedPos = 0;
            for (const MstnHostElementInfo& info : snapshot()) {
                EXPECT_EQ(info.filePos, expectedPos);
                expectedPos += info.sizeWords * 2;
                MSElementDescr* descr = nullptr;
                const std::uint32_t read = mdlElmdscr_read(&descr, info.filePos, mdlModelRef_getActive(), 0, nullptr);
                EXPECT_EQ(read, info.deleted ? 0u : info.sizeWords * 2u);
                mdlElmdscr_freeAll(&descr);
            }
            auto element = makeElement(66, 20);
            EXPECT_EQ(mdlElement_append(element.get()), MSTN_SUCCESS);
        }
    }
}

} // namespace
