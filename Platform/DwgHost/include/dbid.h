// The id of a drawing object: valid for the life of its database.
#pragma once

#include "adesk.h"
#include "dbhandle.h"

class AcDbDatabase;
class AcDbStub;

class DWGHOST_API AcDbObjectId
{
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(AcDbStub* stub) : mStub(stub) {}

    bool isNull() const { return mStub == nullptr; }
    void setNull() { mStub = nullptr; }
    // True while the id names an object that exists (erased or not).
    bool isValid() const;
    bool isErased() const;
    AcDbHandle handle() const;
    AcDbDatabase* database() const;

    bool operator==(const AcDbObjectId& other) const { return mStub == other.mStub; }
    bool operator!=(const AcDbObjectId& other) const { return mStub != other.mStub; }
    bool operator<(const AcDbObjectId& other) const;

    static const AcDbObjectId kNull;

private:
    friend struct DwgHostObjectAccess;
    AcDbStub* mStub = nullptr;
};
