#include "HostState.h"

#include <cstring>

namespace mstnhost {

void HostState::resetModel()
{
    model.reset();
    descriptors.freeHandedOver();
}

HostState& hostState()
{
    static HostState* const state = new HostState();
    return *state;
}

MSElementDescr* newDescriptorOf(const std::uint8_t* bytes, std::size_t count)
{
    MSElementDescr* descr = hostState().descriptors.adopt(HandleStorage<MSElementDescr>::make(count));
    std::memcpy(descr->el.buf, bytes, count);
    return descr;
}

MSElementDescr* newDescriptorOf(const ElementRef& element)
{
    MSElementDescr* descr = newDescriptorOf(element.bytes.data(), element.bytes.size());
    descr->h.filePos = element.filePos;
    descr->h.visible = element.visible;
    return descr;
}

namespace {

// Constructed when the library is loaded, so destroyed after the objects of
// the programs and modules that use it.
struct ReleaseAtExit
{
    ReleaseAtExit() = default;
    ReleaseAtExit(const ReleaseAtExit&) = delete;
    ReleaseAtExit& operator=(const ReleaseAtExit&) = delete;
    ~ReleaseAtExit()
    {
        HostState& state = hostState();
        state.resetModel();
        state.descriptors.releaseAtExit();
        state.criteria.releaseAtExit();
    }
};

ReleaseAtExit releaseAtExit;

} // namespace

} // namespace mstnhost
