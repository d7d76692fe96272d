// The DWG filer: how an object writes its record and reads it back.
#pragma once

#include "acadstrc.h"
#include "acdb.h"
#include "dbhandle.h"
#include "gepnt3d.h"
#include "rxobject.h"

class AcDbDatabase;

class DWGHOST_API AcDbDwgFiler : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbDwgFiler);
    ~AcDbDwgFiler() override;

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;

    // The database whose handles the record's handles are; null when there is none.
    virtual AcDbDatabase* database() const;

    virtual Acad::ErrorStatus readInt32(Adesk::Int32* value) = 0;
    virtual Acad::ErrorStatus writeInt32(Adesk::Int32 value) = 0;
    virtual Acad::ErrorStatus readBool(Adesk::Boolean* value) = 0;
    virtual Acad::ErrorStatus writeBool(Adesk::Boolean value) = 0;
    virtual Acad::ErrorStatus readDouble(double* value) = 0;
    virtual Acad::ErrorStatus writeDouble(double value) = 0;
    virtual Acad::ErrorStatus readPoint3d(AcGePoint3d* value) = 0;
    virtual Acad::ErrorStatus writePoint3d(const AcGePoint3d& value) = 0;
    virtual Acad::ErrorStatus readAcDbHandle(AcDbHandle* value) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& value) = 0;
    // Raw bytes of a given count.
    virtual Acad::ErrorStatus readBytes(void* buffer, Adesk::UIntPtr length) = 0;
    virtual Acad::ErrorStatus writeBytes(const void* buffer, Adesk::UIntPtr length) = 0;
    // The read hands over a buffer of the host heap; the reader frees it with acutDelBuffer.
    virtual Acad::ErrorStatus readString(ACHAR** value) = 0;
    virtual Acad::ErrorStatus writeString(const ACHAR* value) = 0;
};
