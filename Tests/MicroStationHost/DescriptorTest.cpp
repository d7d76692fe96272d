// Element descriptors: read, add, visibility, removal, freeing and the faults.
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "HostTestSupport.h"
#include "LittleEndianBytes.h"

namespace {

using MstnHostDescriptorTest = HostTest;

TEST_F(MstnHostDescriptorTest, ReadCopiesTheElementAtAFilePosition)
{
    appendElement(66, 20, 10);
    const AddedElement second = appendElement(3, 7, 5);
    const MstnHostElementInfo info = elementInfo(second.id);

    MSElementDescr* descr = nullptr;
    std::uint32_t readPos = 0;
    EXPECT_EQ(mdlElmdscr_read(&descr, second.filePos, mdlModelRef_getActive(), 0, &readPos),
              info.sizeWords * 2);
    ASSERT_NE(descr, nullptr);
    EXPECT_EQ(readPos, second.filePos);
    EXPECT_EQ(descr->h.filePos, second.filePos);
    EXPECT_TRUE(descr->h.visible);
    EXPECT_EQ(std::memcmp(descr->el.buf, info.bytes, info.sizeWords * 2u), 0);
    EXPECT_EQ(mdlElement_getID(&descr->el), second.id);
    EXPECT_EQ(mstnHost_liveDescriptorCount(), 1u);

    mdlElmdscr_freeAll(&descr);
    EXPECT_EQ(descr, nullptr);
    EXPECT_EQ(mstnHost_liveDescriptorCount(), 0u);
}

TEST_F(MstnHostDescriptorTest, ReadFindsNothingWhereNoLiveElementStarts)
{
    const AddedElement first = appendElement(66, 20, 10);
    const AddedElement deleted = appendElement(66, 20, 10);
    deleteElement(deleted);
    const std::uint32_t end = deleted.filePos + elementInfo(deleted.id).sizeWords * 2;

    auto sentinel = std::make_unique<MSElementDescr>();
    for (const std::uint32_t pos : {first.filePos + 2, deleted.filePos, end, 0xFFFFFFF0u}) {
        SCOPED_TRACE(pos);
        MSElementDescr* descr = sentinel.get();   // must be cleared
        std::uint32_t readPos = 77;
        EXPECT_EQ(mdlElmdscr_read(&descr, pos, mdlModelRef_getActive(), 0, &readPos), 0u);
        EXPECT_EQ(descr, nullptr);
        EXPECT_EQ(readPos, 77u);
    }
    MSElementDescr* descr = nullptr;
    EXPECT_EQ(mdlElmdscr_read(&descr, first.filePos, nullptr, 0, nullptr), 0u);
    EXPECT_EQ(descr, nullptr);
}

TEST_F(MstnHostDescriptorTest, AddAppendsACopyUnderANewIdAndTakesTheDescriptor)
{
    auto element = makeElement(66, 20, 9, 0x3C);
    const AddedElement existing = appendElement(2, 1);

    struct Row
    {
        const char* what;
        bool fromModel;   // a descriptor read for an existing element, or one made from a buffer
        int visibility;   // -1 left as it is, else the flag set before adding
        bool expectVisible;
    };
    const Row rows[] = {
        {"new, hidden", false, 0, false},
        {"new, shown", false, 1, true},
        {"new, untouched", false, -1, true},
        {"copy of an existing element, hidden", true, 0, false},
    };
    ElementId expectedId = existing.id + 1;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        MSElementDescr* descr = nullptr;
        if (row.fromModel) {
            ASSERT_NE(mdlElmdscr_read(&descr, existing.filePos, mdlModelRef_getActive(), 0, nullptr), 0u);
        } else {
            ASSERT_EQ(mstnHost_createDescriptor(&descr, element.get()), MSTN_SUCCESS);
        }
        ASSERT_EQ(mstnHost_liveDescriptorCount(), 1u);
        if (row.visibility >= 0) {
            ASSERT_EQ(mdlElmdscr_setVisible(descr, row.visibility != 0), MSTN_SUCCESS);
        }

        ASSERT_EQ(mdlElmdscr_add(descr), MSTN_SUCCESS);
        EXPECT_EQ(mstnHost_liveDescriptorCount(), 0u) << "the model took the descriptor";
        // The descriptor stays readable and its element carries the new id.
        EXPECT_EQ(mdlElement_getID(&descr->el), expectedId);
        const MstnHostElementInfo added = elementInfo(expectedId);
        EXPECT_EQ(added.visible, row.expectVisible);
        EXPECT_EQ(descr->h.filePos, added.filePos);
        EXPECT_EQ(std::memcmp(added.bytes, descr->el.buf, added.sizeWords * 2u), 0);
        ++expectedId;
    }
    // The element copied from keeps its id and place.
    EXPECT_EQ(elementInfo(existing.id).filePos, existing.filePos);
    EXPECT_FALSE(elementInfo(existing.id).deleted);
    EXPECT_EQ(mstnHost_elementCount(), 1u + std::size(rows));
}

TEST_F(MstnHostDescriptorTest, AddOfAMalformedElementFailsAndStillTakesTheDescriptor)
{
    auto element = makeElement(66, 20);
    const std::uint32_t words = readU32(element->buf + MSTN_ELEMENT_SIZE_OFFSET);
    // Below the smallest element, and one word more than the descriptor holds
    // (a descriptor is as large as the element it was made of).
    for (const std::uint32_t claimed : {3u, words + 1})
    {
        MSElementDescr* descr = nullptr;
        ASSERT_EQ(mstnHost_createDescriptor(&descr, element.get()), MSTN_SUCCESS);
        writeU32(descr->el.buf + MSTN_ELEMENT_SIZE_OFFSET, claimed);
        writeU32(descr->el.buf + MSTN_ELEMENT_ATTR_OFFSET, claimed);
        EXPECT_EQ(mdlElmdscr_add(descr), MSTN_ERR_BAD_ELEMENT) << claimed;
        EXPECT_EQ(mstnHost_liveDescriptorCount(), 0u);
        EXPECT_EQ(mstnHost_elementCount(), 0u);
    }

    MSElementDescr* descr = nullptr;

    writeU32(element->buf + MSTN_ELEMENT_SIZE_OFFSET, 3);
    EXPECT_EQ(mstnHost_createDescriptor(&descr, element.get()), MSTN_ERR_BAD_ELEMENT);
    EXPECT_EQ(descr, nullptr);
}

TEST_F(MstnHostDescriptorTest, RemoveElementDeletesTheElementItWasReadFor)
{
    const AddedElement kept = appendElement(66, 20);
    const AddedElement removed = appendElement(66, 20);
    MSElementDescr* descr = nullptr;
    ASSERT_EQ(mdlAssoc_getElementDescr(&descr, nullptr, removed.id, mdlModelRef_getActive(), true), MSTN_SUCCESS);

    EXPECT_EQ(mdlElmdscr_removeElement(descr), MSTN_SUCCESS);
    EXPECT_TRUE(elementInfo(removed.id).deleted);
    EXPECT_FALSE(elementInfo(kept.id).deleted);
    EXPECT_NE(mdlAssoc_getElement(nullptr, nullptr, removed.id, mdlModelRef_getActive()), MSTN_SUCCESS);
    EXPECT_EQ(mdlElmdscr_removeElement(descr), MSTN_ERR_ELEMENT_NOT_FOUND);
    mdlElmdscr_freeAll(&descr);

    // A descriptor never added names no element.
    auto element = makeElement(66, 20);
    ASSERT_EQ(mstnHost_createDescriptor(&descr, element.get()), MSTN_SUCCESS);
    EXPECT_EQ(mdlElmdscr_removeElement(descr), MSTN_ERR_ELEMENT_NOT_FOUND);
    mdlElmdscr_freeAll(&descr);
}

TEST_F(MstnHostDescriptorTest, FreeingNothingIsNoFault)
{
    mdlElmdscr_freeAll(nullptr);
    MSElementDescr* none = nullptr;
    mdlElmdscr_freeAll(&none);
    EXPECT_EQ(mdlElmdscr_add(nullptr), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mdlElmdscr_setVisible(nullptr, false), MSTN_ERR_BAD_ARGUMENT);
    EXPECT_EQ(mdlElmdscr_removeElement(nullptr), MSTN_ERR_BAD_ARGUMENT);
}

// Each misuse is refused without touching the descriptor, counted once and named.
TEST_F(MstnHostDescriptorTest, DoubleFreesAndUsesAfterFreeAreFaults)
{
    auto element = makeElement(66, 20);
    const auto make = [&] {
        MSElementDescr* d = nullptr;
        EXPECT_EQ(mstnHost_createDescriptor(&d, element.get()), MSTN_SUCCESS);
        return d;
    };
    const auto freed = [&] {
        MSElementDescr* d = make();
        MSElementDescr* copy = d;
        mdlElmdscr_freeAll(&copy);
        return d;
    };
    const auto added = [&] {
        MSElementDescr* d = make();
        EXPECT_EQ(mdlElmdscr_add(d), MSTN_SUCCESS);
        return d;
    };
    auto foreign = std::make_unique<MSElementDescr>();

    struct Row
    {
        std::function<MSElementDescr*()> prepare;
        std::function<int(MSElementDescr*)> misuse;
        const char* fault;
    };
    const auto freeAll = [](MSElementDescr* d) {
        mdlElmdscr_freeAll(&d);
        EXPECT_EQ(d, nullptr);
        return MSTN_ERR_BAD_DESCRIPTOR;
    };
    const Row rows[] = {
        {freed, freeAll, "mdlElmdscr_freeAll: descriptor freed twice"},
        {added, freeAll, "mdlElmdscr_freeAll: descriptor freed after it was handed to the model"},
        {[&] { return foreign.get(); }, freeAll, "mdlElmdscr_freeAll: descriptor freed but not given out by this host"},
        {freed, mdlElmdscr_add, "mdlElmdscr_add: descriptor used after it was freed"},
        {added, mdlElmdscr_add, "mdlElmdscr_add: descriptor used after it was handed to the model"},
        {freed, [](MSElementDescr* d) { return mdlElmdscr_setVisible(d, false); },
         "mdlElmdscr_setVisible: descriptor used after it was freed"},
        {freed, mdlElmdscr_removeElement, "mdlElmdscr_removeElement: descriptor used after it was freed"},
        {[&] { return foreign.get(); }, mdlElmdscr_add, "mdlElmdscr_add: descriptor not given out by this host"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        mstnHost_clearFaults();
        MSElementDescr* d = row.prepare();
        const std::size_t elements = mstnHost_elementCount();
        EXPECT_EQ(row.misuse(d), MSTN_ERR_BAD_DESCRIPTOR);
        EXPECT_EQ(mstnHost_faultCount(), 1u);
        EXPECT_EQ(std::string(mstnHost_lastFault()), row.fault);
        EXPECT_EQ(mstnHost_elementCount(), elements);
    }
    expectedFaults = 1;
}

TEST_F(MstnHostDescriptorTest, ADoubleFreeIsSeenAfterOtherDescriptorsCameAndWent)
{
    auto element = makeElement(66, 20);
    MSElementDescr* first = nullptr;
    ASSERT_EQ(mstnHost_createDescriptor(&first, element.get()), MSTN_SUCCESS);
    MSElementDescr* stale = first;
    mdlElmdscr_freeAll(&first);
    for (int i = 0; i < 20; ++i) {
        MSElementDescr* other = nullptr;
        ASSERT_EQ(mstnHost_createDescriptor(&other, element.get()), MSTN_SUCCESS);
        ASSERT_NE(other, stale) << "a freed descriptor's memory came back too soon";
        mdlElmdscr_freeAll(&other);
    }
    mdlElmdscr_freeAll(&stale);
    EXPECT_STREQ(mstnHost_lastFault(), "mdlElmdscr_freeAll: descriptor freed twice");
    expectedFaults = 1;
}

TEST_F(MstnHostDescriptorTest, ResetFreesWhatTheModelWasHandedAndKeepsTheCallersOwn)
{
    auto element = makeElement(66, 20, 6, 0x11);
    MSElementDescr* handed = nullptr;
    MSElementDescr* kept = nullptr;
    ASSERT_EQ(mstnHost_createDescriptor(&handed, element.get()), MSTN_SUCCESS);
    ASSERT_EQ(mstnHost_createDescriptor(&kept, element.get()), MSTN_SUCCESS);
    ASSERT_EQ(mdlElmdscr_add(handed), MSTN_SUCCESS);
    mstnHost_resetModel();
    EXPECT_EQ(mstnHost_liveDescriptorCount(), 1u);
    EXPECT_EQ(kept->el.buf[MSTN_ELEMENT_HEAD_BYTES], 0x11);
    ASSERT_EQ(mdlElmdscr_add(kept), MSTN_SUCCESS);
    EXPECT_EQ(mdlElement_getID(&kept->el), MSTN_FIRST_ELEMENT_ID);
}

} // namespace
