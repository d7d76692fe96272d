// Entities of the drawing: the block reference.
#pragma once

#include "dbmain.h"
#include "gepnt3d.h"
#include "gescl3d.h"

// An insertion of a block definition. Setters need the reference open for write.
class DWGHOST_API AcDbBlockReference : public AcDbEntity
{
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord);
    ~AcDbBlockReference() override;

    AcDbObjectId blockTableRecord() const;
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId blockTableRecord);
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGeScale3d scaleFactors() const;
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

private:
    AcDbObjectId mBlockTableRecord;
    AcGePoint3d mPosition;
    AcGeScale3d mScale;
};
