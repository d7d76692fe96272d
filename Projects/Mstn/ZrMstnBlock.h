// A block of a MicroStation part: one element of the active model, named by
// its element id, and while the block has one, the element's descriptor.
//
// The block owns the descriptor it holds until adding it to the model hands it
// over. Every copy reads a descriptor of its own for the element, so that no
// descriptor has two owners.
#pragma once

#include <cstdint>

#include <mselems.h>

#include "MstnHeld.h"
#include "PmExport.h"
#include "QdBlock.h"

class PM_EXPORT CZrMstnBlock : public CQdBlock
{
public:
    // Takes the descriptor; the element id is the one its element carries.
    explicit CZrMstnBlock(MSElementDescr* descr);
    // The same element as the other block, with a descriptor read for it.
    explicit CZrMstnBlock(const CQdBlock& other);
    // Reads the block chunk at the store's next chunk.
    explicit CZrMstnBlock(CZrMstnObject* record);
    CZrMstnBlock(const CZrMstnBlock& other);
    CZrMstnBlock& operator=(const CZrMstnBlock& other);
    ~CZrMstnBlock() override;

    // Writes nothing: a MicroStation block has no text of its own in the dump.
    void DisplayPrint(PmDumpStream& os) const override;
    using CQdBlock::Load;
    using CQdBlock::Save;
    // One chunk of 8 payload bytes: the element id.
    void Save(CZrMstnObject* record) const override;
    // As the store constructor, on this block.
    void Load(CZrMstnObject* record) override;
    // Adds the held descriptor's element to the model, always hidden; -1
    // without a descriptor. The block then names the new element.
    int AddToDrawing(bool visible) override;
    // Removes the element from the model: the lookup's status; -1 for id 0.
    int RemoveFromDrawing() override;
    PmSimId ElementId() const override;
    MSElementDescr* Desc() const override;

private:
    MstnHeldDescriptor m_desc;
    std::uint64_t m_elementId;
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CZrMstnBlock& block);
