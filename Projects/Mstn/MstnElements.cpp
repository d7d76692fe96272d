#include "MstnElements.h"

#include <mdl.h>

MSElementDescr* MstnElements::ReadDescriptor(std::uint64_t elementId)
{
    MSElementDescr* descr = nullptr;
    std::uint32_t filePos = 0;
    mdlAssoc_getElementDescr(&descr, &filePos, elementId, mdlModelRef_getActive(), true);
    return descr;
}

void MstnElements::Replace(MSElementDescr*& held, MSElementDescr* fresh)
{
    if (held != fresh)
        mdlElmdscr_freeAll(&held);
    held = fresh;
}

int MstnElements::AddHidden(MSElementDescr* descr, std::uint64_t& addedId)
{
    mdlElmdscr_setVisible(descr, false);
    const int status = mdlElmdscr_add(descr);
    addedId = mdlElement_getID(&descr->el);
    return status;
}
