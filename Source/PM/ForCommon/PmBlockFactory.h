// Makes the host's block objects. One interface for every module; each host
// family (and the format 101 module) supplies its own bodies.
#pragma once

#include "PmExport.h"
#include "PmHostTypes.h"

class CQdBlock;
class CPmAnimationBlock;

class PM_EXPORT CPmBlockFactory
{
public:
    // Copies nothing: the factory has no data.
    CPmBlockFactory& operator=(const CPmBlockFactory& other);

    // A new block of the host's class wrapping the given drawing object, not yet added.
    static CQdBlock* CreateBlock(PmBlockSource* source);
    // A new block of the host's class for the same symbol, or null for a kind the host cannot copy.
    static CQdBlock* CopyBlock(const CQdBlock& block);
    static CPmAnimationBlock* CreateAnimationBlock(const CQdBlock& block);
};
