// Scanning: file positions of matching live elements, in chunks, with 10, 11 and 12.
#include <algorithm>
#include <memory>
#include <vector>

#include "HostTestSupport.h"

namespace {

struct ScanCall
{
    int status;
    std::vector<std::uint32_t> positions;
};

// Scans from startPos, calling again while the scan answers 11.
std::vector<ScanCall> scanAll(ScanCriteriaP criteria, int bufferWords, std::uint32_t startPos = 0)
{
    std::vector<ScanCall> calls;
    std::uint32_t filePos = startPos;
    for (int guard = 0; guard < 1000; ++guard) {
        std::vector<std::uint32_t> buffer(static_cast<std::size_t>(bufferWords / 2) + 1, 0xDEADBEEF);
        int size = bufferWords;
        const int status = mdlScanCriteria_scan(criteria, buffer.data(), &size, &filePos);
        ScanCall call{status, {}};
        if (status == MSTN_SCAN_END_OF_MODEL || status == MSTN_SCAN_BUFFER_FULL || status == MSTN_SCAN_PAST_END) {
            EXPECT_EQ(size % 2, 0);
            EXPECT_LE(size, bufferWords);
            call.positions.assign(buffer.begin(), buffer.begin() + size / 2);
            EXPECT_EQ(buffer[static_cast<std::size_t>(size / 2)], 0xDEADBEEF) << "wrote past what it delivered";
        }
        calls.push_back(call);
        if (status != MSTN_SCAN_BUFFER_FULL)
            break;
    }
    return calls;
}

std::vector<std::uint32_t> allPositions(const std::vector<ScanCall>& calls)
{
    std::vector<std::uint32_t> all;
    for (const ScanCall& call : calls)
        all.insert(all.end(), call.positions.begin(), call.positions.end());
    return all;
}

// A model of record elements (type 66, level 20) among others, one of them deleted.
class MstnHostScanTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        for (int i = 0; i < 9; ++i) {
            const AddedElement record = appendElement(66, 20, 4 + static_cast<std::size_t>(i));
            if (i == 4)
                deleteElement(record);
            else
                records.push_back(record.filePos);
            if (i % 3 == 0)
                otherLevel.push_back(appendElement(66, 5).filePos);
            if (i % 4 == 1)
                otherType.push_back(appendElement(3, 20).filePos);
        }
        ASSERT_EQ(mdlScanCriteria_setModel(criteria->p, mdlModelRef_getActive()), MSTN_SUCCESS);
        ASSERT_EQ(mdlScanCriteria_setReturnType(criteria->p, MSTN_SCAN_RETURN_FILEPOS, false, true), MSTN_SUCCESS);
    }

    void selectRecords()
    {
        ASSERT_EQ(mdlScanCriteria_addSingleElementTypeTest(criteria->p, 66), MSTN_SUCCESS);
        ASSERT_EQ(mdlScanCriteria_addSingleLevelTest(criteria->p, 20), MSTN_SUCCESS);
    }

    void TearDown() override
    {
        criteria.reset();
        HostTest::TearDown();
    }

    std::unique_ptr<Criteria> criteria = std::make_unique<Criteria>();
    std::vector<std::uint32_t> records;      // live type 66 on level 20, in file order
    std::vector<std::uint32_t> otherLevel;   // type 66 on level 5
    std::vector<std::uint32_t> otherType;    // type 3 on level 20
};

TEST_F(MstnHostScanTest, DeliversMatchesInChunksUntilTheEnd)
{
    selectRecords();
    // Buffer sizes in words: two words a position, an odd word unused.
    for (const int words : {2, 4, 6, 7, 16, 100}) {
        SCOPED_TRACE(words);
        const std::vector<ScanCall> calls = scanAll(criteria->p, words);
        ASSERT_FALSE(calls.empty());
        for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
            EXPECT_EQ(calls[i].status, MSTN_SCAN_BUFFER_FULL);
            EXPECT_EQ(calls[i].positions.size(), static_cast<std::size_t>(words / 2));
        }
        EXPECT_EQ(calls.back().status, MSTN_SCAN_END_OF_MODEL);
        EXPECT_EQ(allPositions(calls), records);
    }
}

TEST_F(MstnHostScanTest, TypeAndLevelTestsSelect)
{
    enum : unsigned { kRecords = 1, kOtherLevel = 2, kOtherType = 4 };
    struct Row
    {
        std::vector<int> types;
        std::vector<LevelId> levels;
        unsigned expected;   // which of the element groups the scan delivers
    };
    const Row rows[] = {
        {{66}, {20}, kRecords},
        {{66}, {5}, kOtherLevel},
        {{3}, {}, kOtherType},
        {{66}, {}, kRecords | kOtherLevel},
        {{}, {20}, kRecords | kOtherType},
        {{}, {}, kRecords | kOtherLevel | kOtherType},
        {{66, 3}, {20}, kRecords | kOtherType},
        {{66}, {20, 5}, kRecords | kOtherLevel},
        {{3}, {5}, 0},
        {{67}, {}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        Criteria c;
        ASSERT_EQ(mdlScanCriteria_setModel(c.p, mdlModelRef_getActive()), MSTN_SUCCESS);
        for (const int type : row.types)
            ASSERT_EQ(mdlScanCriteria_addSingleElementTypeTest(c.p, type), MSTN_SUCCESS);
        for (const LevelId level : row.levels)
            ASSERT_EQ(mdlScanCriteria_addSingleLevelTest(c.p, level), MSTN_SUCCESS);

        std::vector<std::uint32_t> expected;
        if (row.expected & kRecords)
            expected.insert(expected.end(), records.begin(), records.end());
        if (row.expected & kOtherLevel)
            expected.insert(expected.end(), otherLevel.begin(), otherLevel.end());
        if (row.expected & kOtherType)
            expected.insert(expected.end(), otherType.begin(), otherType.end());
        std::sort(expected.begin(), expected.end());

        const std::vector<ScanCall> calls = scanAll(c.p, 100);
        EXPECT_EQ(calls.back().status, MSTN_SCAN_END_OF_MODEL);
        EXPECT_EQ(allPositions(calls), expected);
    }
}

TEST_F(MstnHostScanTest, ContinuesFromTheScanPositionGiven)
{
    selectRecords();
    // From a record's own position, from inside it, at the end and past the end.
    EXPECT_EQ(allPositions(scanAll(criteria->p, 100, records[2])),
              std::vector<std::uint32_t>(records.begin() + 2, records.end()));
    EXPECT_EQ(allPositions(scanAll(criteria->p, 100, records[2] + 1)),
              std::vector<std::uint32_t>(records.begin() + 3, records.end()));

    MstnHostElementInfo last{};
    ASSERT_EQ(mstnHost_elementAt(mstnHost_elementCount() - 1, &last), MSTN_SUCCESS);
    const std::uint32_t end = last.filePos + last.sizeWords * 2;
    const std::vector<ScanCall> atEnd = scanAll(criteria->p, 100, end);
    ASSERT_EQ(atEnd.size(), 1u);
    EXPECT_EQ(atEnd[0].status, MSTN_SCAN_END_OF_MODEL);
    EXPECT_TRUE(atEnd[0].positions.empty());

    const std::vector<ScanCall> pastEnd = scanAll(criteria->p, 100, end + 2);
    ASSERT_EQ(pastEnd.size(), 1u);
    EXPECT_EQ(pastEnd[0].status, MSTN_SCAN_PAST_END);
    EXPECT_TRUE(pastEnd[0].positions.empty());

    // The position handed back after each chunk is where the next one starts.
    std::uint32_t buffer[2];
    int size = 4;
    std::uint32_t filePos = 0;
    ASSERT_EQ(mdlScanCriteria_scan(criteria->p, buffer, &size, &filePos), MSTN_SCAN_BUFFER_FULL);
    EXPECT_EQ(buffer[1], records[1]);
    EXPECT_GT(filePos, records[1]);
    EXPECT_LE(filePos, records[2]);
}

TEST_F(MstnHostScanTest, EmptyModelEndsAtOnce)
{
    selectRecords();
    mstnHost_resetModel();
    const std::vector<ScanCall> calls = scanAll(criteria->p, 100);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].status, MSTN_SCAN_END_OF_MODEL);
    EXPECT_TRUE(calls[0].positions.empty());
}

TEST_F(MstnHostScanTest, RefusesBadArguments)
{
    std::uint32_t buffer[4];
    std::uint32_t filePos = 0;
    for (const int words : {1, 0, -2}) {
        int size = words;
        EXPECT_EQ(mdlScanCriteria_scan(criteria->p, buffer, &size, &filePos), MSTN_ERR_BAD_ARGUMENT);
    }
    int size = 8;
    EXPECT_EQ(mdlScanCriteria_scan(criteria->p, nullptr, &size, &filePos), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mdlScanCriteria_scan(criteria->p, buffer, nullptr, &filePos), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mdlScanCriteria_scan(criteria->p, buffer, &size, nullptr), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mdlScanCriteria_scan(nullptr, buffer, &size, &filePos), MSTN_ERR_BAD_CRITERIA);

    EXPECT_EQ(mdlScanCriteria_setReturnType(criteria->p, 2, false, true), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mdlScanCriteria_addSingleElementTypeTest(criteria->p, -1), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mdlScanCriteria_addSingleElementTypeTest(criteria->p, 0x10000), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mdlScanCriteria_setModel(criteria->p, nullptr), MSTN_ERR_BAD_MODEL);

    Criteria withoutModel;
    EXPECT_EQ(mdlScanCriteria_scan(withoutModel.p, buffer, &size, &filePos), MSTN_ERR_BAD_CRITERIA);
}

TEST_F(MstnHostScanTest, CriteriaFreedTwiceOrUsedAfterFreeAreFaults)
{
    ScanCriteriaP c = mdlScanCriteria_create();
    EXPECT_EQ(mstnHost_liveScanCriteriaCount(), 2u);   // the fixture's and this one
    ASSERT_EQ(mdlScanCriteria_free(c), MSTN_SUCCESS);
    EXPECT_EQ(mstnHost_liveScanCriteriaCount(), 1u);

    EXPECT_EQ(mdlScanCriteria_free(c), MSTN_ERR_BAD_CRITERIA);
    EXPECT_EQ(mstnHost_faultCount(), 1u);
    EXPECT_STREQ(mstnHost_lastFault(), "mdlScanCriteria_free: scan criteria freed twice");

    std::uint32_t buffer[2];
    int size = 4;
    std::uint32_t filePos = 0;
    EXPECT_EQ(mdlScanCriteria_scan(c, buffer, &size, &filePos), MSTN_ERR_BAD_CRITERIA);
    EXPECT_EQ(mstnHost_faultCount(), 2u);
    EXPECT_STREQ(mstnHost_lastFault(), "mdlScanCriteria_scan: scan criteria used after it was freed");
    expectedFaults = 2;
}

} // namespace
