#include "PmBlockReferences.h"

#include <dbapserv.h>
#include <dbents.h>
#include <dbsymtb.h>

AcDbBlockReference* PmBlockReferences::Copy(const AcDbBlockReference* source)
{
    if (!source)
        return nullptr;
    auto* copy = new AcDbBlockReference();
    copy->setBlockTableRecord(source->blockTableRecord());
    copy->setScaleFactors(source->scaleFactors());
    copy->setPosition(source->position());
    return copy;
}

void PmBlockReferences::Assign(AcDbBlockReference*& held, const AcDbBlockReference* source)
{
    AcDbBlockReference* copy = Copy(source);
    delete held;
    held = copy;
}

int PmBlockReferences::Open(const AcDbHandle& handle, AcDb::OpenMode mode,
                            PmHeld::Open<AcDbBlockReference>& reference)
{
    reference.reset();
    if (handle.isNull())
        return -1;
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    if (!database)
        return Acad::eNoDatabase;
    AcDbObjectId id;
    Acad::ErrorStatus status = database->getAcDbObjectId(id, false, handle);
    if (status != Acad::eOk)
        return status;
    AcDbBlockReference* opened = nullptr;
    status = acdbOpenObject(opened, id, mode);
    reference.reset(opened);
    return status;
}

int PmBlockReferences::AddToModelSpace(AcDbBlockReference*& reference, bool visible, AcDbHandle& handle,
                                       AcDbObjectId& newId)
{
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    if (!database)
        return Acad::eNoDatabase;
    AcDbBlockTable* table = nullptr;
    const Acad::ErrorStatus tableStatus = database->getSymbolTable(table, AcDb::kForRead);
    PmHeld::Open<AcDbBlockTable> tableOpen(table);
    if (!reference || tableStatus != Acad::eOk)
        return tableStatus;

    AcDbBlockTableRecord* modelSpace = nullptr;
    table->getAt(L"*Model_Space", modelSpace, AcDb::kForWrite);
    PmHeld::Open<AcDbBlockTableRecord> modelSpaceOpen(modelSpace);
    tableOpen.reset();
    if (!modelSpace)
        return Acad::eKeyNotFound;
    AcDbObjectId id;
    const Acad::ErrorStatus appendStatus = modelSpace->appendAcDbEntity(id, reference);
    int result = PmHeld::Close(modelSpaceOpen);
    if (appendStatus != Acad::eOk)
        return appendStatus;  // the reference is not the drawing's; the block keeps it

    // Appended, the reference is the drawing's and open for write until closed here.
    handle = id.handle();
    newId = id;
    AcDbBlockReference* appended = reference;
    const PmHeld::Open<AcDbBlockReference> appendedOpen(appended);
    reference = nullptr;
    if (!visible)
        result = appended->setVisibility(AcDb::kInvisible, true);
    return result;
}
