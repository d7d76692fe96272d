// The MicroStation host's MDL interface: the active model, elements and their ids.
// Includes the scan and descriptor interfaces.
#pragma once

#include <cstdint>

#include "msdefs.h"
#include "mselems.h"
#include "mselmdsc.h"
#include "scanner.h"

// The one model of this process.
DgnModelRefP mdlModelRef_getActive();

// Adds a copy of the element to the model (the XM and V8i form takes the
// element alone and adds to the active model). Writes the new element's id
// into the element at MSTN_ELEMENT_ID_OFFSET.
int mdlElement_append(MSElement* element);
int mdlElement_append(MSElement* element, DgnModelRefP model);

// The id the append gave the element; 0 for a null element.
ElementId mdlElement_getID(const MSElement* element);

// Deletes the live element at filePos as an undoable step. When element
// carries an id, it must be the id of the element at filePos. updateDisplay:
// no display in this host.
int mdlElement_undoableDelete(MSElement* element, std::uint32_t filePos, bool updateDisplay);

// A new descriptor of the live element with that id and its file position;
// *descr is null and the result non-zero when no live element has that id.
// includeComponents: this host has no complex elements.
int mdlAssoc_getElementDescr(MSElementDescr** descr, std::uint32_t* filePos, ElementId id,
                             DgnModelRefP model, bool includeComponents);

// 0 when a live element with that id is in the model; then *filePos (when
// given) is its position and *ref (when given) names it until the model is
// reset or loaded.
int mdlAssoc_getElement(ElementRefP* ref, std::uint32_t* filePos, ElementId id, DgnModelRefP model);
