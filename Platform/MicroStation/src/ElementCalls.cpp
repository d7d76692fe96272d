// The active model, element append, ids, undoable delete and the lookups by id.
#include <new>

#include "ElementHead.h"
#include "HostState.h"
#include "mdl.h"
#include "mstnhost.h"

using mstnhost::hostState;
using mstnhost::isActiveModel;

namespace {

ElementRef* liveElementWithId(ElementId id)
{
    ElementRef* element = hostState().model.byId(id);
    return element && !element->deleted ? element : nullptr;
}

} // namespace

DgnModelRefP mdlModelRef_getActive()
{
    return &hostState().model;
}

int mdlElement_append(MSElement* element)
{
    if (!element)
        return MSTN_ERR_BAD_ARGUMENT;
    if (mstnHost_fault(MstnHostCall::ElementAppend).fails())
        return MSTN_ERR_MODEL_FULL;
    try {
        return hostState().model.append(*element, sizeof element->buf, true, nullptr);
    } catch (const std::bad_alloc&) {
        return MSTN_ERR_NO_MEMORY;
    }
}

int mdlElement_append(MSElement* element, DgnModelRefP model)
{
    if (!isActiveModel(model))
        return MSTN_ERR_BAD_MODEL;
    return mdlElement_append(element);
}

ElementId mdlElement_getID(const MSElement* element)
{
    return element ? mstnhost::elementId(element->buf) : 0;
}

int mdlElement_undoableDelete(MSElement* element, std::uint32_t filePos, bool /*updateDisplay*/)
{
    if (mstnHost_fault(MstnHostCall::UndoableDelete).fails())
        return MSTN_ERR_READ_ONLY;
    ElementRef* target = hostState().model.atPosition(filePos);
    if (!target || target->deleted)
        return MSTN_ERR_ELEMENT_NOT_FOUND;
    // An element that carries an id names the element meant; a position that
    // names another one is refused rather than deleting the wrong element.
    if (element) {
        const ElementId id = mstnhost::elementId(element->buf);
        if (id != 0 && id != target->id)
            return MSTN_ERR_ELEMENT_MISMATCH;
    }
    target->deleted = true;
    return MSTN_SUCCESS;
}

int mdlAssoc_getElementDescr(MSElementDescr** descr, std::uint32_t* filePos, ElementId id,
                             DgnModelRefP model, bool /*includeComponents*/)
{
    if (!descr)
        return MSTN_ERR_BAD_ARGUMENT;
    *descr = nullptr;
    if (!isActiveModel(model))
        return MSTN_ERR_BAD_MODEL;
    if (mstnHost_fault(MstnHostCall::AssocRead).fails())
        return MSTN_ERR_ELEMENT_NOT_FOUND;
    const ElementRef* element = liveElementWithId(id);
    if (!element)
        return MSTN_ERR_ELEMENT_NOT_FOUND;
    try {
        *descr = mstnhost::newDescriptorOf(*element);
    } catch (const std::bad_alloc&) {
        return MSTN_ERR_NO_MEMORY;
    }
    if (filePos)
        *filePos = element->filePos;
    return MSTN_SUCCESS;
}

int mdlAssoc_getElement(ElementRefP* ref, std::uint32_t* filePos, ElementId id, DgnModelRefP model)
{
    if (!isActiveModel(model))
        return MSTN_ERR_BAD_MODEL;
    if (mstnHost_fault(MstnHostCall::AssocRead).fails())
        return MSTN_ERR_ELEMENT_NOT_FOUND;
    ElementRef* element = liveElementWithId(id);
    if (!element)
        return MSTN_ERR_ELEMENT_NOT_FOUND;
    if (ref)
        *ref = element;
    if (filePos)
        *filePos = element->filePos;
    return MSTN_SUCCESS;
}
