#include "PmAcadPart.h"

#include <memory>

#include <acutmem.h>
#include <dbfiler.h>

#include "PmFilerCounts.h"
#include "PmPartDepth.h"
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

namespace
{
// Part trees nest through recursive reads; a record nesting deeper than the
// writers store is refused rather than followed down the stack.
int s_loadDepth = 0;

struct DepthGuard
{
    DepthGuard() { ++s_loadDepth; }
    ~DepthGuard() { --s_loadDepth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
};
} // namespace

void CPmAcadPart::Load(AcDbDwgFiler* filer)
{
    const DepthGuard guard;
    if (s_loadDepth > PmPartDepth::kMax)
    {
        filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
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

    const int count = PmFilerCounts::Read(filer);
    for (int i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i)
    {
        std::unique_ptr<CPmAcadPart> sub(new CPmAcadPart());
        m_subParts.push_back(sub.get());
        sub.release()->Load(filer);
    }
}

CPmAcadPart::CPmAcadPart() = default;
CPmAcadPart::CPmAcadPart(const CPmPart& source) : CPmPart(source) {}
CPmAcadPart::CPmAcadPart(const CPmAcadPart& source) : CPmPart(source) {}
