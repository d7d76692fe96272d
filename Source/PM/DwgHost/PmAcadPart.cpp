#include "PmAcadPart.h"

#include <acutmem.h>
#include <dbfiler.h>

#include "PmFilerCounts.h"
#include "PmPartDepth.h"
#include "PmRecordChildren.h"
#include "ZrAcadBlock.h"

void CPmAcadPart::Save(AcDbDwgFiler* filer) const
{
    filer->writeString(m_name.GetString());
    filer->writePoint3d(AcGePoint3d(m_offset.x, m_offset.y, m_offset.z));
    if (m_pBlock)
        m_pBlock->Save(filer);
    else
        filer->writeAcDbHandle(AcDbHandle());  // read back as an empty block
    filer->writeInt32(static_cast<Adesk::Int32>(m_subParts.size()));
    for (const CPmPart* sub : m_subParts)
        sub->Save(filer);
}

void CPmAcadPart::Load(AcDbDwgFiler* filer)
{
    LoadTree(filer, 1);
}

void CPmAcadPart::LoadTree(AcDbDwgFiler* filer, int depth)
{
    const PmFilerCounts::Face face{filer};
    // Trees deeper than the writers store are refused, not followed down the stack.
    if (!PmPartDepth::Allows(depth))
    {
        face.Refuse();
        return;
    }
    ACHAR* name = nullptr;
    filer->readString(&name);
    if (name)
    {
        // The host's buffer goes back also when taking the name fails.
        try
        {
            m_name = name;
        }
        catch (...)
        {
            acutDelBuffer(name);
            throw;
        }
        acutDelBuffer(name);
    }
    AcGePoint3d offset(0.0, 0.0, 0.0);
    filer->readPoint3d(&offset);
    m_offset = {offset.x, offset.y, offset.z};

    auto* block = new CZrAcadBlock();
    delete m_pBlock;
    m_pBlock = block;
    block->Load(filer);

    PmRecordChildren::Read<CPmAcadPart>(
        face, [filer, depth](CPmAcadPart& sub) { sub.LoadTree(filer, depth + 1); },
        [this](CPmAcadPart* sub) { m_subParts.push_back(sub); });
}

CPmAcadPart::CPmAcadPart() = default;
CPmAcadPart::CPmAcadPart(const CPmPart& source) : CPmPart(source) {}
CPmAcadPart::CPmAcadPart(const CPmAcadPart& source) : CPmPart(source) {}
