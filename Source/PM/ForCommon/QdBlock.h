// The host-independent handles on the symbols that show a part in the drawing.
// Each host family derives its own block classes from these interfaces.
#pragma once

#include "PmDump.h"
#include "PmExport.h"
#include "PmHostTypes.h"

class PM_EXPORT CQdBlock
{
public:
    CQdBlock();
    CQdBlock(const CQdBlock& other);
    CQdBlock& operator=(const CQdBlock& other);
    virtual ~CQdBlock();

    virtual void DisplayPrint(PmDumpStream& os) const = 0;
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Save(CZrMstnObject* record) const;
    virtual void Load(AcDbDwgFiler* filer);
    virtual void Load(CZrMstnObject* record);
    virtual const AcDbHandle* Handle() const;
    virtual const AcDbBlockReference* BlockRef() const;
    virtual int AddToDrawing(bool visible) = 0;
    virtual int RemoveFromDrawing() = 0;
    virtual PmSimId ElementId() const;
    virtual PmElementDescr* Desc() const;
};

class PM_EXPORT CPmAnimationBlock
{
public:
    CPmAnimationBlock();
    CPmAnimationBlock(const CPmAnimationBlock& other);
    CPmAnimationBlock& operator=(const CPmAnimationBlock& other);
    virtual ~CPmAnimationBlock();

    virtual void DisplayPrint(PmDumpStream& os) const = 0;
    virtual void SetRefId(AcDbObjectId* id);
    virtual void SetRefIdNull();
    virtual const AcDbHandle* Handle() const;
    virtual AcDbObjectId* RefId();
    virtual int AddToDrawing(bool visible) = 0;
    virtual void DuplicateInDrawing();
    virtual PmElementDescr* ElementDesc();
    virtual PmPrevElement PrevElement();
    virtual void SetPrevElement(PmPrevElement previous);
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CQdBlock& block);
PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmAnimationBlock& block);
