// A node of the moving assembly: a block, an optional animation block, an
// offset, a name and the sub-parts it owns. Only host part classes create parts.
#pragma once

#include <vector>

#include <afx.h>

#include "PmDump.h"
#include "PmExport.h"
#include "PmHostTypes.h"

class CQdBlock;
class CPmAnimationBlock;

class PM_EXPORT CPmPart
{
public:
    virtual ~CPmPart();
    CPmPart& operator=(const CPmPart&) = delete;

    virtual void Save(CZrMstnObject* record) const;
    virtual void Save(AcDbDwgFiler* filer) const;
    virtual void Load(CZrMstnObject* record);
    virtual void Load(AcDbDwgFiler* filer);

    // Takes the block and adds its symbol to the drawing, hidden. A block the
    // part held before is freed (its symbol stays where it is).
    void AddBlock(CQdBlock* block);
    void AddBlock(CPmAnimationBlock* block);

    // Removes the symbols of this part and its whole subtree from the drawing
    // and returns the sum of the statuses; every removal is attempted.
    int RemoveBlock();

    CQdBlock* Block() const;
    CPmAnimationBlock* AnimationBlock() const;
    PmPartOffset Offset() const;
    void SetOffset(PmPartOffset offset);

    void AddPart(CPmPart* part);
    CPmPart* SubPart(int index) const;
    int NumSubParts() const;

    void DisplayPrint(PmDumpStream& os) const;

protected:
    CPmPart();
    // Copies offset and name, the block through the module's block factory and
    // the sub-parts through the module's part factory; the animation block is
    // not copied.
    CPmPart(const CPmPart& source);

    CQdBlock* m_pBlock;
    CPmAnimationBlock* m_pAnimationBlock;
    PmPartOffset m_offset;
    CString m_name;
    std::vector<CPmPart*> m_subParts;

private:
    // Frees the block, the animation block and the sub-parts held.
    PM_NO_EXPORT void Free();
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmPart& part);
