// The BRX SDK's hook and implementation objects.
#include "HostInternal.h"

AcRxPseudoConstructor odrxPseudoConstructorHook = nullptr;

OdRxImpObject::OdRxImpObject(const ACHAR* className) : mClassName(className ? className : L"") {}
OdRxImpObject::~OdRxImpObject() = default;

const ACHAR* OdRxImpObject::className() const
{
    return mClassName.c_str();
}

AcRxObject* odrxCreateObjectImp(const ACHAR* className)
{
    return new OdRxImpObject(className);
}

OdRxModuleObject::OdRxModuleObject() = default;
OdRxModuleObject::~OdRxModuleObject() = default;
