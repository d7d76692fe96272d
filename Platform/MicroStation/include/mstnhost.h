// What tests and examples ask of the stand-in host itself, beside the MDL:
// a fresh model, the design file on disk, elements and descriptors to start
// from, a look at the model, and the counts that show leaks and double frees.
#pragma once

#include <cstddef>
#include <cstdint>

#include "faultswitch.h"
#include "msdefs.h"
#include "mselems.h"

// Ids are handed out from here upwards, so that every id needs more than 32 bits.
constexpr ElementId MSTN_FIRST_ELEMENT_ID = 0x100000001ull;

// Empties the active model: no elements, ids and file positions start again.
// Descriptors handed to the model are freed; the caller's own stay valid.
void mstnHost_resetModel();

// Writes the active model to a design file, or replaces the active model with
// the one a design file holds. A file that is missing, truncated or corrupt is
// refused and the active model stays as it was, as it does when a load runs out
// of memory (MSTN_ERR_NO_MEMORY).
int mstnHost_saveDesignFile(const char* path);
int mstnHost_loadDesignFile(const char* path);

// Clears the element buffer and writes a head of that type and level with the
// data behind it at MSTN_ELEMENT_HEAD_BYTES (an odd length is padded with a zero byte).
int mstnHost_buildElement(MSElement* element, int type, LevelId level, const void* data,
                          std::size_t dataBytes);

// A new descriptor holding a copy of the element (visible, not read from the model).
int mstnHost_createDescriptor(MSElementDescr** descr, const MSElement* element);

// One element of the active model as the model holds it. bytes stays valid
// until the model is reset or loaded.
struct MstnHostElementInfo
{
    ElementId id;
    std::uint32_t filePos;
    int type;
    LevelId level;
    std::uint32_t sizeWords;
    bool deleted;
    bool visible;
    const std::uint8_t* bytes;
};

// Elements in file order, deleted ones included.
std::size_t mstnHost_elementCount();
int mstnHost_elementAt(std::size_t index, MstnHostElementInfo* info);
int mstnHost_findElement(ElementId id, MstnHostElementInfo* info);

// Descriptors and scan criteria that callers hold and have not freed (nor
// handed to the model).
std::size_t mstnHost_liveDescriptorCount();
std::size_t mstnHost_liveScanCriteriaCount();

// Faults: a descriptor or scan criteria freed twice, freed after being handed
// to the model, used after either, or never given out by this host. Each is
// refused, counted and written to the standard error stream.
std::size_t mstnHost_faultCount();
const char* mstnHost_lastFault();   // "" when there was none
void mstnHost_clearFaults();

// For tests only: the kinds of host calls that can be made to fail on demand,
// each with its own switch (see faultswitch.h). Every switch is off by default
// and stays as set across resets of the model. A failed call changes nothing
// in the model and answers what a real host answers:
enum class MstnHostCall
{
    ElementAppend,      // mdlElement_append: MSTN_ERR_MODEL_FULL, no id given
    ElementRead,        // mdlElmdscr_read: 0, no descriptor
    DescriptorAdd,      // mdlElmdscr_add: MSTN_ERR_MODEL_FULL (the model takes the descriptor all the same)
    AssocRead,          // mdlAssoc_getElementDescr, mdlAssoc_getElement: MSTN_ERR_ELEMENT_NOT_FOUND
    UndoableDelete,     // mdlElement_undoableDelete: MSTN_ERR_READ_ONLY
    ScanCriteriaCreate, // mdlScanCriteria_create: null
    ScanCriteriaSet,    // mdlScanCriteria_setModel, _addSingleElementTypeTest, _addSingleLevelTest,
                        // _setReturnType: MSTN_ERR_NO_MEMORY, the criteria unchanged
    Scan,               // mdlScanCriteria_scan: MSTN_ERR_FILE_READ, nothing delivered
    SaveDesignFile,     // mstnHost_saveDesignFile: the write stops part way, MSTN_ERR_FILE_WRITE
    LoadDesignFile,     // mstnHost_loadDesignFile: MSTN_ERR_FILE_OPEN
    DescriptorRemove,   // mdlElmdscr_removeElement: MSTN_ERR_READ_ONLY
    Kinds               // the number of kinds, not a kind
};

faultswitch::Switch& mstnHost_fault(MstnHostCall call);
// Turns every switch off.
void mstnHost_faultsOff();
