// Appending elements: ids, file positions, the id in the buffer, refused heads.
#include <cstring>
#include <iterator>
#include <vector>

#include "HostTestSupport.h"
#include "LittleEndianBytes.h"

namespace {

using MstnHostAppendTest = HostTest;

TEST_F(MstnHostAppendTest, GivesIdsAndFilePositionsInFileOrder)
{
    struct Row
    {
        std::size_t dataBytes;
        std::uint32_t sizeWords;
        bool withModel;   // the form that names the model, or the one that takes the element alone
    };
    const Row rows[] = {
        {0, 16, false},
        {1, 17, true},    // odd data is padded to a whole word
        {2, 17, false},
        {7, 20, true},
        {MSTN_MAX_ELEMENT_BYTES - MSTN_ELEMENT_HEAD_BYTES, 65536, false},   // the largest element
        {3, 18, true},
    };
    std::uint32_t expectedPos = 0;
    ElementId expectedId = MSTN_FIRST_ELEMENT_ID;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dataBytes);
        auto element = makeElement(66, 20, row.dataBytes);
        ASSERT_EQ(readU32(element->buf + MSTN_ELEMENT_SIZE_OFFSET), row.sizeWords);
        const int status = row.withModel ? mdlElement_append(element.get(), mdlModelRef_getActive())
                                         : mdlElement_append(element.get());
        ASSERT_EQ(status, MSTN_SUCCESS);

        // The id is written into the caller's buffer, where the head was zero.
        EXPECT_EQ(mdlElement_getID(element.get()), expectedId);
        EXPECT_EQ(readU64(element->buf + MSTN_ELEMENT_ID_OFFSET), expectedId);
        const MstnHostElementInfo info = elementInfo(expectedId);
        EXPECT_EQ(info.filePos, expectedPos);
        EXPECT_EQ(info.sizeWords, row.sizeWords);
        EXPECT_EQ(info.type, 66);
        EXPECT_EQ(info.level, 20u);
        EXPECT_FALSE(info.deleted);
        EXPECT_TRUE(info.visible);
        EXPECT_EQ(std::memcmp(info.bytes, element->buf, row.sizeWords * 2u), 0);

        expectedPos += row.sizeWords * 2;
        ++expectedId;
    }
    EXPECT_EQ(mstnHost_elementCount(), std::size(rows));
}

TEST_F(MstnHostAppendTest, IdsNeedSixtyFourBits)
{
    const AddedElement first = appendElement(66, 20);
    EXPECT_EQ(first.id, MSTN_FIRST_ELEMENT_ID);
    EXPECT_GT(first.id, 0xFFFFFFFFull);
    // The low 32 bits alone name no element.
    EXPECT_NE(mdlAssoc_getElement(nullptr, nullptr, first.id & 0xFFFFFFFFull, mdlModelRef_getActive()),
              MSTN_SUCCESS);
}

TEST_F(MstnHostAppendTest, RefusesMalformedHeadsAndUsesNoId)
{
    struct Row
    {
        const char* what;
        std::uint32_t sizeWords;
        std::uint32_t attrWords;
    };
    const Row rows[] = {
        {"no words", 0, 0},
        {"shorter than a head", 15, 15},
        {"longer than the largest element", 65537, 65537},
        {"size that overflows when doubled", 0x80000010u, 0x80000010u},
        {"attribute offset inside the head", 20, 15},
        {"attribute offset behind the end", 20, 21},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto element = makeElement(66, 20);
        writeU32(element->buf + MSTN_ELEMENT_SIZE_OFFSET, row.sizeWords);
        writeU32(element->buf + MSTN_ELEMENT_ATTR_OFFSET, row.attrWords);
        EXPECT_EQ(mdlElement_append(element.get()), MSTN_ERR_BAD_ELEMENT);
        EXPECT_EQ(mdlElement_getID(element.get()), 0u);
    }
    EXPECT_EQ(mdlElement_append(nullptr), MSTN_ERR_BAD_ARGUMENT);
    auto element = makeElement(66, 20);
    EXPECT_EQ(mdlElement_append(element.get(), nullptr), MSTN_ERR_BAD_MODEL);

    EXPECT_EQ(mstnHost_elementCount(), 0u);
    EXPECT_EQ(appendElement(66, 20).id, MSTN_FIRST_ELEMENT_ID);
}

TEST_F(MstnHostAppendTest, ResetStartsIdsAndPositionsAgain)
{
    appendElement(66, 20);
    appendElement(66, 20);
    mstnHost_resetModel();
    EXPECT_EQ(mstnHost_elementCount(), 0u);
    const AddedElement again = appendElement(66, 20);
    EXPECT_EQ(again.id, MSTN_FIRST_ELEMENT_ID);
    EXPECT_EQ(again.filePos, 0u);
}

TEST_F(MstnHostAppendTest, TheAppendSwitchRefusesTheNthAppendAsAFullModelAndKeepsAcrossAReset)
{
    faultswitch::Switch& appends = mstnHost_fault(MstnHostCall::ElementAppend);
    appendElement(66, 20);
    appends.failAt(2);
    appendElement(66, 20);
    auto refused = makeElement(66, 20);
    EXPECT_EQ(mdlElement_append(refused.get()), MSTN_ERR_MODEL_FULL);
    EXPECT_EQ(mdlElement_getID(refused.get()), 0u) << "a refused element gets no id";
    EXPECT_EQ(mstnHost_elementCount(), 2u);
    EXPECT_EQ(appendElement(66, 20).id, MSTN_FIRST_ELEMENT_ID + 2) << "the refusal held no id";

    appends.failAt(1);
    mstnHost_resetModel();
    auto afterReset = makeElement(66, 20);
    EXPECT_EQ(mdlElement_append(afterReset.get(), mdlModelRef_getActive()), MSTN_ERR_MODEL_FULL);
    appends.off();
    EXPECT_EQ(appendElement(66, 20).id, MSTN_FIRST_ELEMENT_ID);
}

} // namespace
