// The host-side calls of tests and examples: reset, elements and descriptors
// to start from, a look at the model, and the counts.
#include <cstring>

#include "ElementHead.h"
#include "HostState.h"
#include "LittleEndian.h"
#include "mstnhost.h"

using mstnhost::hostState;

namespace {

void describe(const ElementRef& element, MstnHostElementInfo& info)
{
    const std::uint8_t* buf = element.bytes.data();
    info.id = element.id;
    info.filePos = element.filePos;
    info.type = mstnhost::elementType(buf);
    info.level = mstnhost::elementLevel(buf);
    info.sizeWords = mstnhost::elementSizeWords(buf);
    info.deleted = element.deleted;
    info.visible = element.visible;
    info.bytes = buf;
}

} // namespace

void mstnHost_resetModel()
{
    hostState().resetModel();
}

int mstnHost_buildElement(MSElement* element, int type, LevelId level, const void* data, std::size_t dataBytes)
{
    if (!element || type < 0 || type > 0xFFFF || (!data && dataBytes > 0) ||
        dataBytes > MSTN_MAX_ELEMENT_BYTES - MSTN_ELEMENT_HEAD_BYTES)
        return MSTN_ERR_BAD_ARGUMENT;
    std::memset(element->buf, 0, sizeof element->buf);
    const auto words = static_cast<std::uint32_t>((MSTN_ELEMENT_HEAD_BYTES + dataBytes + 1) / 2);
    mstnhost::writeU16(element->buf + MSTN_ELEMENT_TYPE_OFFSET, static_cast<std::uint16_t>(type));
    mstnhost::writeU32(element->buf + MSTN_ELEMENT_SIZE_OFFSET, words);
    mstnhost::writeU32(element->buf + MSTN_ELEMENT_ATTR_OFFSET, words);
    mstnhost::writeU32(element->buf + MSTN_ELEMENT_LEVEL_OFFSET, level);
    if (dataBytes > 0)
        std::memcpy(element->buf + MSTN_ELEMENT_HEAD_BYTES, data, dataBytes);
    return MSTN_SUCCESS;
}

int mstnHost_createDescriptor(MSElementDescr** descr, const MSElement* element)
{
    if (!descr)
        return MSTN_ERR_BAD_ARGUMENT;
    *descr = nullptr;
    if (!element)
        return MSTN_ERR_BAD_ARGUMENT;
    std::uint32_t sizeBytes = 0;
    const int status = mstnhost::checkElementHead(element->buf, sizeof element->buf, &sizeBytes);
    if (status != MSTN_SUCCESS)
        return status;
    MSElementDescr* made = mstnhost::newDescriptorOf(element->buf, sizeBytes);
    made->h.filePos = 0;
    made->h.visible = true;
    *descr = made;
    return MSTN_SUCCESS;
}

std::size_t mstnHost_elementCount()
{
    return hostState().model.elements().size();
}

int mstnHost_elementAt(std::size_t index, MstnHostElementInfo* info)
{
    const auto& elements = hostState().model.elements();
    if (!info || index >= elements.size())
        return MSTN_ERR_BAD_ARGUMENT;
    describe(*elements[index], *info);
    return MSTN_SUCCESS;
}

int mstnHost_findElement(ElementId id, MstnHostElementInfo* info)
{
    if (!info)
        return MSTN_ERR_BAD_ARGUMENT;
    const ElementRef* element = hostState().model.byId(id);
    if (!element)
        return MSTN_ERR_ELEMENT_NOT_FOUND;
    describe(*element, *info);
    return MSTN_SUCCESS;
}

std::size_t mstnHost_liveDescriptorCount()
{
    return hostState().descriptors.callerOwnedCount();
}

std::size_t mstnHost_liveScanCriteriaCount()
{
    return hostState().criteria.callerOwnedCount();
}

std::size_t mstnHost_faultCount()
{
    return hostState().faults.count();
}

const char* mstnHost_lastFault()
{
    return hostState().faults.last().c_str();
}

void mstnHost_clearFaults()
{
    hostState().faults.clear();
}
