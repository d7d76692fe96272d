// The host application's services: the working database.
#pragma once

#include "adesk.h"

class AcDbDatabase;

class DWGHOST_API AcDbHostApplicationServices
{
public:
    // The drawing every module works on. Until the host process sets one, the host
    // gives a default drawing of its own.
    AcDbDatabase* workingDatabase() const;
    // Null returns to the host's default drawing. A database that is deleted while
    // working stops being the working database.
    void setWorkingDatabase(AcDbDatabase* database);
};

DWGHOST_API AcDbHostApplicationServices* acdbHostApplicationServices();
