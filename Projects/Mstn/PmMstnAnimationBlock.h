// The animation block of a MicroStation part: the element a block shows, which
// it can duplicate in the model, moving on to each new copy.
#pragma once

#include <cstdint>

#include <mselems.h>

#include "MstnHeld.h"
#include "PmExport.h"
#include "QdBlock.h"

class PM_EXPORT CPmMstnAnimationBlock : public CPmAnimationBlock
{
public:
    // The element of the block, with a descriptor read for it.
    explicit CPmMstnAnimationBlock(const CQdBlock& block);
    // A copy reads a descriptor of its own for the element.
    CPmMstnAnimationBlock(const CPmMstnAnimationBlock& other);
    CPmMstnAnimationBlock& operator=(const CPmMstnAnimationBlock& other);
    ~CPmMstnAnimationBlock() override;

    void DisplayPrint(PmDumpStream& os) const override;
    // Adds the held descriptor's element to the model, always hidden; -1 without one.
    int AddToDrawing(bool visible) override;
    // Adds a hidden copy of the element and moves on to it.
    void DuplicateInDrawing() override;
    // A new descriptor of the element, the caller's; null when it is not found.
    MSElementDescr* ElementDesc() override;
    // Kept for the client; never read or freed here.
    TransElemDescr* PrevElement() override;
    void SetPrevElement(TransElemDescr* previous) override;

private:
    MstnHeldDescriptor m_desc;
    std::uint64_t m_elementId;
    TransElemDescr* m_pPrevElement;
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmMstnAnimationBlock& block);
