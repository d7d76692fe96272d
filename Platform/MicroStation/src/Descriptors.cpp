// Element descriptors: read, add, hide, remove, free.
#include <new>

#include "ElementHead.h"
#include "HostState.h"
#include "mdl.h"
#include "mstnhost.h"

using mstnhost::hostState;

std::uint32_t mdlElmdscr_read(MSElementDescr** descr, std::uint32_t filePos, DgnModelRefP model,
                              int /*options*/, std::uint32_t* readFilePos)
{
    if (!descr)
        return 0;
    *descr = nullptr;
    if (!mstnhost::isActiveModel(model))
        return 0;
    if (mstnHost_fault(MstnHostCall::ElementRead).fails())
        return 0;
    const ElementRef* element = hostState().model.atPosition(filePos);
    if (!element || element->deleted)
        return 0;
    // Out of memory the host answers as for any read that gives nothing.
    try {
        *descr = mstnhost::newDescriptorOf(*element);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (readFilePos)
        *readFilePos = element->filePos;
    return static_cast<std::uint32_t>(element->bytes.size());
}

int mdlElmdscr_add(MSElementDescr* descr)
{
    if (!descr)
        return MSTN_ERR_BAD_ARGUMENT;
    mstnhost::HostState& state = hostState();
    if (!state.descriptors.checkCallerOwned(descr, "mdlElmdscr_add"))
        return MSTN_ERR_BAD_DESCRIPTOR;
    // The model takes the descriptor whatever the append gives, so the caller
    // has one rule: after the add the descriptor is no longer its to free.
    state.descriptors.handOver(descr);
    if (mstnHost_fault(MstnHostCall::DescriptorAdd).fails())
        return MSTN_ERR_MODEL_FULL;
    ElementRef* added = nullptr;
    int status = MSTN_ERR_NO_MEMORY;
    // The descriptor holds its element and no more: a head that claims more is refused.
    try {
        status = state.model.append(descr->el, mstnhost::descriptorCapacity(descr), descr->h.visible, &added);
    } catch (const std::bad_alloc&) {
    }
    if (status == MSTN_SUCCESS)
        descr->h.filePos = added->filePos;
    return status;
}

int mdlElmdscr_setVisible(MSElementDescr* descr, bool visible)
{
    if (!descr)
        return MSTN_ERR_BAD_ARGUMENT;
    if (!hostState().descriptors.checkCallerOwned(descr, "mdlElmdscr_setVisible"))
        return MSTN_ERR_BAD_DESCRIPTOR;
    descr->h.visible = visible;
    return MSTN_SUCCESS;
}

int mdlElmdscr_removeElement(MSElementDescr* descr)
{
    if (!descr)
        return MSTN_ERR_BAD_ARGUMENT;
    mstnhost::HostState& state = hostState();
    if (!state.descriptors.checkCallerOwned(descr, "mdlElmdscr_removeElement"))
        return MSTN_ERR_BAD_DESCRIPTOR;
    if (mstnHost_fault(MstnHostCall::DescriptorRemove).fails())
        return MSTN_ERR_READ_ONLY;
    ElementRef* element = state.model.byId(mstnhost::elementId(descr->el.buf));
    if (!element || element->deleted)
        return MSTN_ERR_ELEMENT_NOT_FOUND;
    element->deleted = true;
    return MSTN_SUCCESS;
}

void mdlElmdscr_freeAll(MSElementDescr** descr)
{
    if (!descr || !*descr)
        return;
    hostState().descriptors.release(*descr, "mdlElmdscr_freeAll");
    *descr = nullptr;
}
