// The animation block of a part in a DWG host: a copy of the part's block reference.
#pragma once

#include <dbhandle.h>
#include <dbid.h>

#include "QdBlock.h"

class AcDbBlockReference;

class PM_EXPORT CPmAcadAnimationBlock : public CPmAnimationBlock
{
public:
    // Copies the reference the block holds, or the one its handle names in the drawing.
    explicit CPmAcadAnimationBlock(const CQdBlock& block);
    // Copies take the handle and reference id, and a reference of their own for one still held.
    CPmAcadAnimationBlock(const CPmAcadAnimationBlock& source);
    CPmAcadAnimationBlock& operator=(const CPmAcadAnimationBlock& source);
    ~CPmAcadAnimationBlock() override;

    void DisplayPrint(PmDumpStream& os) const override;
    void SetRefId(AcDbObjectId* id) override;
    void SetRefIdNull() override;
    const AcDbHandle* Handle() const override { return &m_handle; }
    AcDbObjectId* RefId() override { return &m_refId; }
    int AddToDrawing(bool visible) override;

private:
    AcDbBlockReference* m_pReference = nullptr;
    AcDbHandle m_handle;
    AcDbObjectId m_refId;
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmAcadAnimationBlock& block);
