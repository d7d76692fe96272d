// The abstract DWG filer.
#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbDwgFiler, kDbDwgFiler)

AcDbDwgFiler::~AcDbDwgFiler() = default;

AcDbDatabase* AcDbDwgFiler::database() const
{
    return nullptr;
}
