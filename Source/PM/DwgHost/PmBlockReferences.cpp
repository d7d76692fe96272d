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

Acad::ErrorStatus PmBlockReferences::Open(const AcDbHandle& handle, AcDb::OpenMode mode,
                                          AcDbBlockReference*& reference)
{
    reference = nullptr;
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    if (!database)
        return Acad::eNoDatabase;
    AcDbObjectId id;
    Acad::ErrorStatus status = database->getAcDbObjectId(id, false, handle);
    if (status != Acad::eOk)
        return status;
    return acdbOpenObject(reference, id, mode);
}

int PmBlockReferences::AddToModelSpace(AcDbBlockReference*& reference, bool visible, AcDbHandle& handle,
                                       AcDbObjectId& newId)
{
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    if (!database)
        return Acad::eNoDatabase;
    AcDbBlockTable* table = nullptr;
    const Acad::ErrorStatus tableStatus = database->getSymbolTable(table, AcDb::kForRead);
    if (!reference || tableStatus != Acad::eOk)
    {
        if (table)
            table->close();
        return tableStatus;
    }

    AcDbBlockTableRecord* modelSpace = nullptr;
    table->getAt(L"*Model_Space", modelSpace, AcDb::kForWrite);
    table->close();
    if (!modelSpace)
        return Acad::eKeyNotFound;
    AcDbObjectId id;
    const Acad::ErrorStatus appendStatus = modelSpace->appendAcDbEntity(id, reference);
    int result = modelSpace->close();
    if (appendStatus != Acad::eOk)
        return appendStatus;  // the reference is not the drawing's; the block keeps it

    handle = id.handle();
    newId = id;
    if (!visible)
        result = reference->setVisibility(AcDb::kInvisible, true);
    reference->close();
    reference = nullptr;
    return result;
}
