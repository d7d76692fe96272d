#include "ZrAcadBlock.h"

#include <dbents.h>
#include <dbfiler.h>
#include <dbsymtb.h>

#include "PmBlockReferences.h"
#if PM_MODEL_FORMAT != 101
#include "PmLegacyBinding.h"
#endif

CZrAcadBlock::CZrAcadBlock() = default;

CZrAcadBlock::CZrAcadBlock(const AcDbBlockReference* source) : m_pReference(PmBlockReferences::Copy(source)) {}

CZrAcadBlock::CZrAcadBlock(const CZrAcadBlock& source)
    : CQdBlock(source), m_pReference(PmBlockReferences::Copy(source.m_pReference)), m_handle(source.m_handle)
{
}

CZrAcadBlock& CZrAcadBlock::operator=(const CZrAcadBlock& source)
{
    if (this != &source)
    {
        PmBlockReferences::Assign(m_pReference, source.m_pReference);
        m_handle = source.m_handle;
    }
    return *this;
}

CZrAcadBlock::~CZrAcadBlock()
{
    delete m_pReference;
}

#if PM_MODEL_FORMAT != 101
CZrAcadBlock::CZrAcadBlock(const CQdAcadBlock& legacy)
{
    const CQdBlock& block = PmLegacy::AsBlock(legacy);
    if (const AcDbHandle* handle = block.Handle())
        m_handle = *handle;
    m_pReference = PmBlockReferences::Copy(block.BlockRef());
}
#endif

void CZrAcadBlock::DisplayPrint(PmDumpStream& os) const
{
    os << _T("\nCQdAcadBlock handle: ");
    PmBlockReferences::DumpHandle(os, m_handle);
}

void CZrAcadBlock::Save(AcDbDwgFiler* filer) const
{
    filer->writeAcDbHandle(m_handle);
}

void CZrAcadBlock::Load(AcDbDwgFiler* filer)
{
    filer->readAcDbHandle(&m_handle);
}

int CZrAcadBlock::AddToDrawing(bool visible)
{
    AcDbObjectId id;
    return PmBlockReferences::AddToModelSpace(m_pReference, visible, m_handle, id);
}

int CZrAcadBlock::RemoveFromDrawing()
{
    PmHeld::Open<AcDbBlockReference> reference;
    const int openStatus = PmBlockReferences::Open(m_handle, AcDb::kForWrite, reference);
    if (openStatus != Acad::eOk)
        return openStatus;
    if (!reference)
        return 0;

    // The block definition goes first, then the reference that shows it.
    int recordPart = 0;
    const AcDbObjectId recordId = reference->blockTableRecord();
    if (!recordId.isNull())
    {
        AcDbBlockTableRecord* opened = nullptr;
        const Acad::ErrorStatus recordOpen = acdbOpenObject(opened, recordId, AcDb::kForWrite);
        PmHeld::Open<AcDbBlockTableRecord> record(opened);
        if (recordOpen == Acad::eOk)
        {
            const int erased = record->erase(true);
            recordPart = erased + PmHeld::Close(record);
        }
        else
        {
            recordPart = recordOpen;
        }
    }
    const int eraseStatus = reference->erase(true);
    return recordPart + eraseStatus + PmHeld::Close(reference);
}

int CZrAcadBlock::SetPos(dpoint3d position)
{
    const AcGePoint3d point(position.x, position.y, position.z);
    if (m_pReference)
        return m_pReference->setPosition(point);
    PmHeld::Open<AcDbBlockReference> reference;
    const int openStatus = PmBlockReferences::Open(m_handle, AcDb::kForWrite, reference);
    if (openStatus != Acad::eOk)
        return openStatus;
    const int setStatus = reference->setPosition(point);
    return setStatus + PmHeld::Close(reference);
}

PmDumpStream& operator<<(PmDumpStream& os, const CZrAcadBlock& block)
{
    block.DisplayPrint(os);
    return os;
}
