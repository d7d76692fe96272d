#include "PmBlockReferences.h"

#include <memory>

#include <dbapserv.h>
#include <dbents.h>
#include <dbsymtb.h>

namespace
{
// Ends the open of a drawing object when the scope is left by any path.
struct CloseObject
{
    void operator()(AcDbObject* object) const { object->close(); }
};
using OpenUntilEnd = std::unique_ptr<AcDbObject, CloseObject>;
} // namespace

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
    OpenUntilEnd tableOpen(table);
    if (!reference || tableStatus != Acad::eOk)
        return tableStatus;

    AcDbBlockTableRecord* modelSpace = nullptr;
    table->getAt(L"*Model_Space", modelSpace, AcDb::kForWrite);
    OpenUntilEnd modelSpaceOpen(modelSpace);
    tableOpen.reset();
    if (!modelSpace)
        return Acad::eKeyNotFound;
    AcDbObjectId id;
    const Acad::ErrorStatus appendStatus = modelSpace->appendAcDbEntity(id, reference);
    int result = modelSpaceOpen.release()->close();
    if (appendStatus != Acad::eOk)
        return appendStatus;  // the reference is not the drawing's; the block keeps it

    // Appended, the reference is the drawing's and open for write until closed here.
    handle = id.handle();
    newId = id;
    AcDbBlockReference* appended = reference;
    OpenUntilEnd appendedOpen(appended);
    reference = nullptr;
    if (!visible)
        result = appended->setVisibility(AcDb::kInvisible, true);
    return result;
}
