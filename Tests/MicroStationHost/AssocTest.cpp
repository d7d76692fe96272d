// Lookups by element id, and the undoable delete by file position.
#include <cstring>

#include "HostTestSupport.h"

namespace {

class MstnHostAssocTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        appendElement(66, 20, 8);
        live = appendElement(5, 3, 12);
        deleted = appendElement(66, 20, 8);
        deleteElement(deleted);
    }

    AddedElement live;
    AddedElement deleted;
};

TEST_F(MstnHostAssocTest, LooksUpLiveElementsOnly)
{
    struct Row
    {
        const char* what;
        ElementId id;
        bool found;
    };
    const Row rows[] = {
        {"live", live.id, true},
        {"deleted", deleted.id, false},
        {"zero", 0, false},
        {"never given", deleted.id + 1, false},
        {"low 32 bits of a live id", live.id & 0xFFFFFFFFull, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        MSElementDescr* descr = nullptr;
        std::uint32_t pos = 12345;
        const int status = mdlAssoc_getElementDescr(&descr, &pos, row.id, mdlModelRef_getActive(), true);

        ElementRefP ref = nullptr;
        std::uint32_t pos2 = 0;
        const int status2 = mdlAssoc_getElement(&ref, &pos2, row.id, mdlModelRef_getActive());
        if (row.found) {
            EXPECT_EQ(status, MSTN_SUCCESS);
            ASSERT_NE(descr, nullptr);
            EXPECT_EQ(mdlElement_getID(&descr->el), row.id);
            EXPECT_EQ(pos, live.filePos);
            EXPECT_EQ(descr->h.filePos, live.filePos);
            const MstnHostElementInfo info = elementInfo(row.id);
            EXPECT_EQ(std::memcmp(descr->el.buf, info.bytes, info.sizeWords * 2u), 0);
            EXPECT_EQ(status2, MSTN_SUCCESS);
            EXPECT_NE(ref, nullptr);
            EXPECT_EQ(pos2, live.filePos);
        } else {
            EXPECT_EQ(status, MSTN_ERR_ELEMENT_NOT_FOUND);
            EXPECT_EQ(descr, nullptr);
            EXPECT_EQ(pos, 12345u);
            EXPECT_EQ(status2, MSTN_ERR_ELEMENT_NOT_FOUND);
            EXPECT_EQ(ref, nullptr);
        }
        mdlElmdscr_freeAll(&descr);
    }
    // Neither out-argument is needed to ask whether an element exists.
    EXPECT_EQ(mdlAssoc_getElement(nullptr, nullptr, live.id, mdlModelRef_getActive()), MSTN_SUCCESS);
}

TEST_F(MstnHostAssocTest, RefusesAnotherModel)
{
    MSElementDescr* descr = nullptr;
    EXPECT_EQ(mdlAssoc_getElementDescr(&descr, nullptr, live.id, nullptr, true), MSTN_ERR_BAD_MODEL);
    EXPECT_EQ(descr, nullptr);
    EXPECT_EQ(mdlAssoc_getElement(nullptr, nullptr, live.id, nullptr), MSTN_ERR_BAD_MODEL);
    EXPECT_EQ(mdlAssoc_getElementDescr(nullptr, nullptr, live.id, mdlModelRef_getActive(), true),
              MSTN_ERR_BAD_ARGUMENT);
}

TEST_F(MstnHostAssocTest, UndoableDeleteOfTheDescriptorsElementAtItsPosition)
{
    MSElementDescr* descr = nullptr;
    std::uint32_t pos = 0;
    ASSERT_EQ(mdlAssoc_getElementDescr(&descr, &pos, live.id, mdlModelRef_getActive(), true), MSTN_SUCCESS);
    EXPECT_EQ(mdlElement_undoableDelete(&descr->el, pos, false), MSTN_SUCCESS);
    EXPECT_TRUE(elementInfo(live.id).deleted);
    EXPECT_EQ(mdlAssoc_getElement(nullptr, nullptr, live.id, mdlModelRef_getActive()), MSTN_ERR_ELEMENT_NOT_FOUND);
    EXPECT_EQ(mdlElement_undoableDelete(&descr->el, pos, false), MSTN_ERR_ELEMENT_NOT_FOUND);
    mdlElmdscr_freeAll(&descr);
}

TEST_F(MstnHostAssocTest, UndoableDeleteRefusesAPositionThatNamesAnotherElement)
{
    const AddedElement other = appendElement(66, 20);
    MSElementDescr* descr = nullptr;
    ASSERT_EQ(mdlAssoc_getElementDescr(&descr, nullptr, live.id, mdlModelRef_getActive(), true), MSTN_SUCCESS);

    EXPECT_EQ(mdlElement_undoableDelete(&descr->el, other.filePos, false), MSTN_ERR_ELEMENT_MISMATCH);
    EXPECT_EQ(mdlElement_undoableDelete(&descr->el, live.filePos + 2, false), MSTN_ERR_ELEMENT_NOT_FOUND);
    EXPECT_FALSE(elementInfo(other.id).deleted);
    EXPECT_FALSE(elementInfo(live.id).deleted);
    mdlElmdscr_freeAll(&descr);

    // An element that carries no id is deleted by its position alone.
    auto fresh = makeElement(66, 20);
    EXPECT_EQ(mdlElement_undoableDelete(fresh.get(), other.filePos, false), MSTN_SUCCESS);
    EXPECT_TRUE(elementInfo(other.id).deleted);
}

} // namespace
