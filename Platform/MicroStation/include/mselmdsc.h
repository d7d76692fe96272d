// Element descriptors: reading, adding, hiding, removing and freeing.
//
// A descriptor belongs to the caller who got it until it is freed with
// mdlElmdscr_freeAll or handed to the model with mdlElmdscr_add. A descriptor
// that is not the caller's (freed already, handed over, or never the host's)
// is refused and reported as a fault (see mstnhost.h).
#pragma once

#include <cstdint>

#include "msdefs.h"
#include "mselems.h"

// Reads the live element at filePos into a new descriptor. Returns the element's
// size in bytes (non-zero) and sets *readFilePos (when given) to its position;
// returns 0 with *descr null when no live element starts there. options: none in this host.
std::uint32_t mdlElmdscr_read(MSElementDescr** descr, std::uint32_t filePos, DgnModelRefP model,
                              int options, std::uint32_t* readFilePos);

// Adds a copy of the descriptor's element to the active model under a new id,
// shown or hidden as the descriptor says. The element held in the descriptor
// then carries the new id. The model takes the descriptor over whatever the
// result: the caller no longer frees it, and may still read its element.
int mdlElmdscr_add(MSElementDescr* descr);

int mdlElmdscr_setVisible(MSElementDescr* descr, bool visible);

// Deletes from the active model the element whose id the descriptor's element carries.
int mdlElmdscr_removeElement(MSElementDescr* descr);

// Frees *descr and sets it to null. A null *descr is left alone.
void mdlElmdscr_freeAll(MSElementDescr** descr);
