#include "ElementHead.h"

#include "msdefs.h"

namespace mstnhost {

int checkElementHead(const std::uint8_t* buf, std::size_t available, std::uint32_t* sizeBytes)
{
    if (available < MSTN_ELEMENT_HEAD_BYTES)
        return MSTN_ERR_BAD_ELEMENT;
    const std::uint32_t headWords = MSTN_ELEMENT_HEAD_BYTES / 2;
    const std::uint32_t words = elementSizeWords(buf);
    const std::uint32_t attrWords = readU32(buf + MSTN_ELEMENT_ATTR_OFFSET);
    // Compared in words first, so that no product overflows.
    if (words < headWords || words > MSTN_MAX_ELEMENT_BYTES / 2 || words > available / 2)
        return MSTN_ERR_BAD_ELEMENT;
    if (attrWords < headWords || attrWords > words)
        return MSTN_ERR_BAD_ELEMENT;
    *sizeBytes = words * 2;
    return MSTN_SUCCESS;
}

} // namespace mstnhost
