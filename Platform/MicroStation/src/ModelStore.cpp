#include "ModelStore.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "ElementHead.h"
#include "LittleEndian.h"

int DgnModelRef::append(MSElement& element, std::size_t available, bool visible, ElementRef** added)
{
    std::uint32_t sizeBytes = 0;
    const int status = mstnhost::checkElementHead(element.buf, available, &sizeBytes);
    if (status != MSTN_SUCCESS)
        return status;
    // The position behind the element must still fit the 32-bit file positions.
    if (sizeBytes > std::numeric_limits<std::uint32_t>::max() - endPosition_ ||
        nextId_ == std::numeric_limits<ElementId>::max())
        return MSTN_ERR_MODEL_FULL;

    // Everything that allocates comes first, so that running out of memory
    // leaves the model and the caller's element as they were.
    auto record = std::make_unique<ElementRef>();
    record->id = nextId_;
    record->filePos = endPosition_;
    record->visible = visible;
    record->bytes.assign(element.buf, element.buf + sizeBytes);
    mstnhost::writeU64(record->bytes.data() + MSTN_ELEMENT_ID_OFFSET, record->id);
    if (elements_.size() == elements_.capacity())
        elements_.reserve(std::max<std::size_t>(16, 2 * elements_.size()));
    byId_.emplace(record->id, record.get());

    ++nextId_;
    endPosition_ += sizeBytes;
    mstnhost::writeU64(element.buf + MSTN_ELEMENT_ID_OFFSET, record->id);
    if (added)
        *added = record.get();
    elements_.push_back(std::move(record));
    return MSTN_SUCCESS;
}

std::size_t DgnModelRef::firstAtOrAfter(std::uint32_t filePos) const
{
    const auto it = std::lower_bound(elements_.begin(), elements_.end(), filePos,
                                     [](const std::unique_ptr<ElementRef>& e, std::uint32_t pos) {
                                         return e->filePos < pos;
                                     });
    return static_cast<std::size_t>(it - elements_.begin());
}

ElementRef* DgnModelRef::atPosition(std::uint32_t filePos) const
{
    const std::size_t index = firstAtOrAfter(filePos);
    if (index < elements_.size() && elements_[index]->filePos == filePos)
        return elements_[index].get();
    return nullptr;
}

ElementRef* DgnModelRef::byId(ElementId id) const
{
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

void DgnModelRef::reset()
{
    elements_.clear();
    byId_.clear();
    endPosition_ = 0;
    nextId_ = MSTN_FIRST_ELEMENT_ID;
}

void DgnModelRef::replace(Elements elements, ElementId nextId)
{
    // The index is made before anything changes, so that running out of memory
    // leaves the model as it was.
    std::unordered_map<ElementId, ElementRef*> byId;
    byId.reserve(elements.size());
    std::uint32_t endPosition = 0;
    for (const auto& e : elements) {
        byId.emplace(e->id, e.get());
        endPosition = e->filePos + static_cast<std::uint32_t>(e->bytes.size());
    }
    elements_ = std::move(elements);
    byId_ = std::move(byId);
    endPosition_ = endPosition;
    nextId_ = nextId;
}
