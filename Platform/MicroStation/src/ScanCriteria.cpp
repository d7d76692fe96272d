// Scan criteria and the scan: file positions of the matching live elements, in file order.
#include <algorithm>
#include <limits>
#include <new>

#include "ElementHead.h"
#include "HostState.h"
#include "mstnhost.h"
#include "scanner.h"

using mstnhost::hostState;

namespace {

bool checkCriteria(ScanCriteriaP criteria, const char* call)
{
    return criteria && hostState().criteria.checkCallerOwned(criteria, call);
}

// Every setter's first checks: criteria this host gave out, then the setters' switch.
int settable(ScanCriteriaP criteria, const char* call)
{
    if (!checkCriteria(criteria, call))
        return MSTN_ERR_BAD_CRITERIA;
    return mstnHost_fault(MstnHostCall::ScanCriteriaSet).fails() ? MSTN_ERR_NO_MEMORY : MSTN_SUCCESS;
}

template <typename Test>
int addTest(std::vector<Test>& tests, Test test)
{
    try {
        tests.push_back(test);
    } catch (const std::bad_alloc&) {
        return MSTN_ERR_NO_MEMORY;
    }
    return MSTN_SUCCESS;
}

bool matches(const ScanCriteria& criteria, const ElementRef& element)
{
    const std::uint8_t* buf = element.bytes.data();
    const auto& types = criteria.types;
    const auto& levels = criteria.levels;
    return (types.empty() || std::find(types.begin(), types.end(), mstnhost::elementType(buf)) != types.end()) &&
           (levels.empty() || std::find(levels.begin(), levels.end(), mstnhost::elementLevel(buf)) != levels.end());
}

} // namespace

ScanCriteriaP mdlScanCriteria_create()
{
    if (mstnHost_fault(MstnHostCall::ScanCriteriaCreate).fails())
        return nullptr;
    try {
        return hostState().criteria.create();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

int mdlScanCriteria_free(ScanCriteriaP criteria)
{
    if (!criteria)
        return MSTN_ERR_BAD_ARGUMENT;
    return hostState().criteria.release(criteria, "mdlScanCriteria_free") ? MSTN_SUCCESS
                                                                          : MSTN_ERR_BAD_CRITERIA;
}

int mdlScanCriteria_setModel(ScanCriteriaP criteria, DgnModelRefP model)
{
    if (const int status = settable(criteria, "mdlScanCriteria_setModel"); status != MSTN_SUCCESS)
        return status;
    if (!mstnhost::isActiveModel(model))
        return MSTN_ERR_BAD_MODEL;
    criteria->model = model;
    return MSTN_SUCCESS;
}

int mdlScanCriteria_addSingleElementTypeTest(ScanCriteriaP criteria, int type)
{
    if (const int status = settable(criteria, "mdlScanCriteria_addSingleElementTypeTest"); status != MSTN_SUCCESS)
        return status;
    if (type < 0 || type > std::numeric_limits<std::uint16_t>::max())
        return MSTN_ERR_BAD_ARGUMENT;
    return addTest(criteria->types, type);
}

int mdlScanCriteria_addSingleLevelTest(ScanCriteriaP criteria, LevelId level)
{
    if (const int status = settable(criteria, "mdlScanCriteria_addSingleLevelTest"); status != MSTN_SUCCESS)
        return status;
    return addTest(criteria->levels, level);
}

int mdlScanCriteria_setReturnType(ScanCriteriaP criteria, int returnType, bool /*oneElementOnly*/,
                                  bool /*includeComponents*/)
{
    if (const int status = settable(criteria, "mdlScanCriteria_setReturnType"); status != MSTN_SUCCESS)
        return status;
    if (returnType != MSTN_SCAN_RETURN_FILEPOS)
        return MSTN_ERR_BAD_ARGUMENT;
    criteria->returnType = returnType;
    return MSTN_SUCCESS;
}

int mdlScanCriteria_scan(ScanCriteriaP criteria, std::uint32_t buffer[], int* bufferSize,
                         std::uint32_t* filePos)
{
    if (!checkCriteria(criteria, "mdlScanCriteria_scan"))
        return MSTN_ERR_BAD_CRITERIA;
    if (!mstnhost::isActiveModel(criteria->model))
        return MSTN_ERR_BAD_CRITERIA;
    // A buffer without room for one position would answer "full" for ever.
    if (!buffer || !bufferSize || !filePos || *bufferSize < 2)
        return MSTN_ERR_BAD_ARGUMENT;
    if (mstnHost_fault(MstnHostCall::Scan).fails()) {
        *bufferSize = 0;
        return MSTN_ERR_FILE_READ;
    }

    const DgnModelRef& model = hostState().model;
    const auto& elements = model.elements();
    const std::size_t capacity = static_cast<std::size_t>(*bufferSize / 2);
    if (*filePos > model.endPosition()) {
        *bufferSize = 0;
        return MSTN_SCAN_PAST_END;
    }

    std::size_t delivered = 0;
    std::size_t index = model.firstAtOrAfter(*filePos);
    for (; index < elements.size() && delivered < capacity; ++index) {
        const ElementRef& element = *elements[index];
        if (!element.deleted && matches(*criteria, element))
            buffer[delivered++] = element.filePos;
    }
    *bufferSize = static_cast<int>(delivered * 2);
    if (index < elements.size()) {
        *filePos = elements[index]->filePos;
        return MSTN_SCAN_BUFFER_FULL;
    }
    *filePos = model.endPosition();
    return MSTN_SCAN_END_OF_MODEL;
}
