#include "MstnElements.h"

#include <mdl.h>

MstnHeldDescriptor MstnElements::ReadDescriptor(std::uint64_t elementId)
{
    MstnHeldDescriptor descr;
    std::uint32_t filePos = 0;
    mdlAssoc_getElementDescr(descr.Out(), &filePos, elementId, mdlModelRef_getActive(), true);
    return descr;
}

int MstnElements::AddHidden(MstnHeldDescriptor& held, std::uint64_t& addedId)
{
    if (!held)
        return -1;
    // The model takes the descriptor whatever the add gives.
    MSElementDescr* const descr = held.Release();
    mdlElmdscr_setVisible(descr, false);
    const int status = mdlElmdscr_add(descr);
    addedId = mdlElement_getID(&descr->el);
    return status;
}
