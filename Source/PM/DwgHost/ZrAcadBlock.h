// The block of a part in a DWG host: a block reference in model space. It owns
// an in-memory reference until it is added to the drawing, then keeps the handle.
#pragma once

#include <dbhandle.h>

#include "PmTypes.h"
#include "QdBlock.h"

// The format 101 module builds this same class (fields, record and algorithms)
// under the name its records and the format 200 modules know it by. Every DWG
// source shared with that module then makes and recognises its blocks.
#if PM_MODEL_FORMAT == 101
#define CZrAcadBlock CQdAcadBlock
#else
// The format 101 module's block: a CQdBlock of that module, which this one
// knows by that interface only.
class CQdAcadBlock;
#endif

class AcDbBlockReference;

class PM_EXPORT CZrAcadBlock : public CQdBlock
{
public:
    CZrAcadBlock();
    // A new reference on the host heap showing the same block, scale and position.
    explicit CZrAcadBlock(const AcDbBlockReference* source);
    // Copies take the handle, and a reference of their own for one still held in memory.
    CZrAcadBlock(const CZrAcadBlock& source);
#if PM_MODEL_FORMAT != 101
    // Takes over a format 101 block: its handle, and a reference of its own
    // for one the legacy block still holds in memory.
    explicit CZrAcadBlock(const CQdAcadBlock& legacy);
#endif
    CZrAcadBlock& operator=(const CZrAcadBlock& source);
    ~CZrAcadBlock() override;

    void DisplayPrint(PmDumpStream& os) const override;
    using CQdBlock::Load;
    using CQdBlock::Save;
    void Save(AcDbDwgFiler* filer) const override;
    void Load(AcDbDwgFiler* filer) override;
    const AcDbHandle* Handle() const override { return &m_handle; }
    const AcDbBlockReference* BlockRef() const override { return m_pReference; }
    int AddToDrawing(bool visible) override;
    int RemoveFromDrawing() override;

    int SetPos(dpoint3d position);

private:
    AcDbBlockReference* m_pReference = nullptr;
    AcDbHandle m_handle;
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CZrAcadBlock& block);
