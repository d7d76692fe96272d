// Host calls failed on demand: each kind fails its call with the status a real
// host gives and changes nothing in the model; the switches count the calls.
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "FailingAllocator.h"
#include "HostTestSupport.h"

namespace {

// What a model holds, compared whole: ids, positions, states and bytes.
struct ElementState
{
    ElementId id;
    std::uint32_t filePos;
    bool deleted;
    bool visible;
    std::vector<std::uint8_t> bytes;
    bool operator==(const ElementState& o) const
    {
        return id == o.id && filePos == o.filePos && deleted == o.deleted && visible == o.visible && bytes == o.bytes;
    }
};

std::vector<ElementState> modelState()
{
    std::vector<ElementState> all;
    for (std::size_t i = 0; i < mstnHost_elementCount(); ++i) {
        MstnHostElementInfo info{};
        EXPECT_EQ(mstnHost_elementAt(i, &info), MSTN_SUCCESS);
        all.push_back({info.id, info.filePos, info.deleted, info.visible,
                       std::vector<std::uint8_t>(info.bytes, info.bytes + 2 * info.sizeWords)});
    }
    return all;
}

class MstnHostFaultTest : public HostFileTest
{
protected:
    void SetUp() override
    {
        HostFileTest::SetUp();
        live = appendElement(66, 20, 6);
        other = appendElement(3, 7, 2);
    }

    AddedElement live;
    AddedElement other;
};

// One failing call of each kind: its answer, and that the model and the
// caller's descriptors and criteria are as they were.
struct FaultRow
{
    MstnHostCall kind;
    const char* what;
    int expected;
    // Makes the call, given a live element of the model; returns its answer.
    std::function<int(const AddedElement& target)> call;
};

TEST_F(MstnHostFaultTest, EachKindFailsItsCallWithTheHostsStatusAndChangesNothing)
{
    const std::vector<FaultRow> rows = {
        {MstnHostCall::ElementAppend, "mdlElement_append", MSTN_ERR_MODEL_FULL,
         [](const AddedElement&) {
             auto element = makeElement(66, 20);
             const int status = mdlElement_append(element.get());
             EXPECT_EQ(mdlElement_getID(element.get()), 0u) << "no id given";
             return status;
         }},
        {MstnHostCall::ElementRead, "mdlElmdscr_read", 0,
         [](const AddedElement& target) {
             MSElementDescr* descr = nullptr;
             const auto bytes = static_cast<int>(mdlElmdscr_read(&descr, target.filePos, mdlModelRef_getActive(), 0, nullptr));
             EXPECT_EQ(descr, nullptr);
             mdlElmdscr_freeAll(&descr);
             return bytes;
         }},
        {MstnHostCall::DescriptorAdd, "mdlElmdscr_add", MSTN_ERR_MODEL_FULL,
         [](const AddedElement&) {
             auto element = makeElement(4, 1);
             MSElementDescr* descr = nullptr;
             EXPECT_EQ(mstnHost_createDescriptor(&descr, element.get()), MSTN_SUCCESS);
             const int status = mdlElmdscr_add(descr);
             EXPECT_EQ(mdlElement_getID(&descr->el), 0u) << "the descriptor is the model's, still readable";
             return status;
         }},
        {MstnHostCall::AssocRead, "mdlAssoc_getElementDescr", MSTN_ERR_ELEMENT_NOT_FOUND,
         [](const AddedElement& target) {
             MSElementDescr* descr = nullptr;
             std::uint32_t pos = 7;
             const int status = mdlAssoc_getElementDescr(&descr, &pos, target.id, mdlModelRef_getActive(), true);
             EXPECT_EQ(descr, nullptr);
             mdlElmdscr_freeAll(&descr);
             return status;
         }},
        {MstnHostCall::AssocRead, "mdlAssoc_getElement", MSTN_ERR_ELEMENT_NOT_FOUND,
         [](const AddedElement& target) {
             return mdlAssoc_getElement(nullptr, nullptr, target.id, mdlModelRef_getActive());
         }},
        {MstnHostCall::UndoableDelete, "mdlElement_undoableDelete", MSTN_ERR_READ_ONLY,
         [](const AddedElement& target) { return mdlElement_undoableDelete(nullptr, target.filePos, false); }},
        {MstnHostCall::DescriptorRemove, "mdlElmdscr_removeElement", MSTN_ERR_READ_ONLY,
         [](const AddedElement& target) {
             MSElementDescr* descr = nullptr;
             EXPECT_EQ(mdlAssoc_getElementDescr(&descr, nullptr, target.id, mdlModelRef_getActive(), true),
                       MSTN_SUCCESS);
             const int status = mdlElmdscr_removeElement(descr);
             mdlElmdscr_freeAll(&descr);
             return status;
         }},
        {MstnHostCall::ScanCriteriaCreate, "mdlScanCriteria_create", 0,
         [](const AddedElement&) {
             ScanCriteriaP criteria = mdlScanCriteria_create();
             const bool made = criteria != nullptr;
             if (criteria)
                 mdlScanCriteria_free(criteria);
             return made ? 1 : 0;
         }},
        {MstnHostCall::ScanCriteriaSet, "mdlScanCriteria_setModel", MSTN_ERR_NO_MEMORY,
         [](const AddedElement&) {
             Criteria criteria;
             const int status = mdlScanCriteria_setModel(criteria.p, mdlModelRef_getActive());
             std::uint32_t buffer[2] = {};
             int size = 4;
             std::uint32_t pos = 0;
             EXPECT_EQ(mdlScanCriteria_scan(criteria.p, buffer, &size, &pos), MSTN_ERR_BAD_CRITERIA)
                 << "the criteria still have no model";
             return status;
         }},
        {MstnHostCall::ScanCriteriaSet, "mdlScanCriteria_addSingleLevelTest", MSTN_ERR_NO_MEMORY,
         [](const AddedElement&) {
             Criteria criteria;
             mstnHost_fault(MstnHostCall::ScanCriteriaSet).off();
             EXPECT_EQ(mdlScanCriteria_setModel(criteria.p, mdlModelRef_getActive()), MSTN_SUCCESS);
             mstnHost_fault(MstnHostCall::ScanCriteriaSet).failAt(1);
             const int status = mdlScanCriteria_addSingleLevelTest(criteria.p, 99);
             std::uint32_t buffer[4] = {};
             int size = 8;
             std::uint32_t pos = 0;
             mdlScanCriteria_scan(criteria.p, buffer, &size, &pos);
             EXPECT_EQ(size, 4) << "no level test was added: both elements match";
             return status;
         }},
        {MstnHostCall::Scan, "mdlScanCriteria_scan", MSTN_ERR_FILE_READ,
         [](const AddedElement&) {
             Criteria criteria;
             EXPECT_EQ(mdlScanCriteria_setModel(criteria.p, mdlModelRef_getActive()), MSTN_SUCCESS);
             std::uint32_t buffer[4] = {};
             int size = 8;
             std::uint32_t pos = 0;
             const int status = mdlScanCriteria_scan(criteria.p, buffer, &size, &pos);
             EXPECT_EQ(size, 0) << "nothing delivered";
             return status;
         }},
    };
    for (const FaultRow& row : rows) {
        SCOPED_TRACE(row.what);
        mstnHost_resetModel();
        live = appendElement(66, 20, 6);
        other = appendElement(3, 7, 2);
        faultswitch::Switch& fault = mstnHost_fault(row.kind);
        fault.failAt(1);
        const std::vector<ElementState> before = modelState();
        const std::size_t descriptors = mstnHost_liveDescriptorCount();
        const std::size_t criteria = mstnHost_liveScanCriteriaCount();
        const int status = row.call(live);
        EXPECT_EQ(status, row.expected);
        EXPECT_EQ(fault.failures(), 1u);
        fault.off();
        EXPECT_TRUE(modelState() == before) << "the model is as it was";
        EXPECT_EQ(mstnHost_liveDescriptorCount(), descriptors);
        EXPECT_EQ(mstnHost_liveScanCriteriaCount(), criteria);
    }
}

TEST_F(MstnHostFaultTest, AFailedDesignFileSaveKeepsThePreviousFile)
{
    ASSERT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    const std::vector<std::uint8_t> previous = fileBytes(path);
    appendElement(66, 20, 40);
    const std::vector<ElementState> model = modelState();

    mstnHost_fault(MstnHostCall::SaveDesignFile).failAt(1);
    EXPECT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_ERR_FILE_WRITE);
    EXPECT_EQ(fileBytes(path), previous) << "the previous design file stays";
    EXPECT_FALSE(std::ifstream(path + ".tmp").good()) << "the partial write is removed";
    EXPECT_TRUE(modelState() == model);

    // The next save goes through, and reads back as the model.
    EXPECT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    mstnHost_resetModel();
    ASSERT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_SUCCESS);
    EXPECT_TRUE(modelState() == model);
}

TEST_F(MstnHostFaultTest, AFailedDesignFileLoadKeepsTheActiveModel)
{
    ASSERT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    appendElement(66, 20, 40);
    const std::vector<ElementState> model = modelState();
    mstnHost_fault(MstnHostCall::LoadDesignFile).failAt(1);
    EXPECT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_ERR_FILE_OPEN);
    EXPECT_TRUE(modelState() == model);
    EXPECT_EQ(mstnHost_loadDesignFile(path.c_str()), MSTN_SUCCESS) << "the next load reads the file";
    EXPECT_EQ(mstnHost_elementCount(), 2u);
}

// Each allocation of a load failed in turn: the load answers that memory ran out,
// and the active model is as it was, every element found by its id.
TEST_F(MstnHostFaultTest, ADesignFileLoadOutOfMemoryKeepsTheActiveModel)
{
    ASSERT_EQ(mstnHost_saveDesignFile(path.c_str()), MSTN_SUCCESS);
    const AddedElement later = appendElement(66, 20, 40);
    const std::vector<ElementState> model = modelState();
    for (std::size_t nth = 1;; ++nth) {
        FailingAllocator::failAt(nth);
        const int status = mstnHost_loadDesignFile(path.c_str());
        const bool failed = FailingAllocator::failed();
        FailingAllocator::failAt(0);
        if (!failed) {
            EXPECT_EQ(status, MSTN_SUCCESS);
            EXPECT_EQ(mstnHost_elementCount(), 2u) << "the file's model once the load completes";
            break;
        }
        ASSERT_EQ(status, MSTN_ERR_NO_MEMORY) << "allocation " << nth;
        ASSERT_TRUE(modelState() == model) << "allocation " << nth;
        for (const AddedElement& element : {live, other, later}) {
            ElementRefP ref = nullptr;
            std::uint32_t filePos = 0;
            ASSERT_EQ(mdlAssoc_getElement(&ref, &filePos, element.id, mdlModelRef_getActive()), MSTN_SUCCESS)
                << "allocation " << nth << ": id " << element.id;
            EXPECT_EQ(filePos, element.filePos);
        }
    }
}

TEST_F(MstnHostFaultTest, SwitchesCountFailOnceOrFromTheNthOnAndAreOffByDefault)
{
    faultswitch::Switch& appends = mstnHost_fault(MstnHostCall::ElementAppend);
    auto tryAppend = [] {
        auto element = makeElement(66, 20);
        return mdlElement_append(element.get());
    };
    EXPECT_EQ(appends.calls(), 0u) << "off: not even counted";
    EXPECT_EQ(tryAppend(), MSTN_SUCCESS);
    EXPECT_EQ(appends.calls(), 0u);

    appends.count();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tryAppend(), MSTN_SUCCESS);
    EXPECT_EQ(appends.calls(), 3u);
    EXPECT_EQ(appends.failures(), 0u);
    EXPECT_EQ(mstnHost_fault(MstnHostCall::Scan).calls(), 0u) << "each kind counts its own calls";

    appends.failAt(2);
    const int once[] = {tryAppend(), tryAppend(), tryAppend()};
    EXPECT_EQ(once[0], MSTN_SUCCESS);
    EXPECT_EQ(once[1], MSTN_ERR_MODEL_FULL);
    EXPECT_EQ(once[2], MSTN_SUCCESS);
    EXPECT_EQ(appends.calls(), 3u);
    EXPECT_EQ(appends.failures(), 1u);

    appends.failFrom(2);
    const int from[] = {tryAppend(), tryAppend(), tryAppend()};
    EXPECT_EQ(from[0], MSTN_SUCCESS);
    EXPECT_EQ(from[1], MSTN_ERR_MODEL_FULL);
    EXPECT_EQ(from[2], MSTN_ERR_MODEL_FULL);
    EXPECT_EQ(appends.failures(), 2u);

    // The form that names the model is one call of the kind, not two.
    appends.count();
    auto element = makeElement(66, 20);
    EXPECT_EQ(mdlElement_append(element.get(), mdlModelRef_getActive()), MSTN_SUCCESS);
    EXPECT_EQ(appends.calls(), 1u);

    mstnHost_fault(MstnHostCall::Scan).failFrom(1);
    mstnHost_faultsOff();
    EXPECT_EQ(tryAppend(), MSTN_SUCCESS);
    Criteria criteria;
    ASSERT_EQ(mdlScanCriteria_setModel(criteria.p, mdlModelRef_getActive()), MSTN_SUCCESS);
    std::uint32_t buffer[2] = {};
    int size = 4;
    std::uint32_t pos = 0;
    EXPECT_NE(mdlScanCriteria_scan(criteria.p, buffer, &size, &pos), MSTN_ERR_FILE_READ) << "every switch off";
}

} // namespace
