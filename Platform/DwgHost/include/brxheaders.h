// What the BRX SDK adds for BricsCAD modules: the pseudo-constructor hook and
// the module-object entry.
#pragma once

#include <string>

#include "arxheaders.h"

// While set, newAcRxClass gives the hook to the class it registers
// (AcRxClass::impObjectConstructor): the function through which the host obtains
// its own implementation object for an object of that class. Modules set it around
// newAcRxClass and reset it to null afterwards.
DWGHOST_API extern AcRxPseudoConstructor odrxPseudoConstructorHook;

// The host's implementation object for an object of a class.
class DWGHOST_API OdRxImpObject : public AcRxObject
{
public:
    explicit OdRxImpObject(const ACHAR* className);
    ~OdRxImpObject() override;
    const ACHAR* className() const;

private:
    std::wstring mClassName;
};

// Makes the implementation object for an object of the named class; the caller owns it.
DWGHOST_API AcRxObject* odrxCreateObjectImp(const ACHAR* className);

// The module object a BRX module hands out through its exported odrxCreateModuleObject.
class DWGHOST_API OdRxModuleObject : public AcRxObject
{
public:
    OdRxModuleObject();
    ~OdRxModuleObject() override;
};

// The SDK's support code: defines the module-object entry that every BRX module exports.
#define ODRX_DEFINE_MODULE_OBJECT()                                                      \
    extern "C" __attribute__((visibility("default"))) AcRxObject* odrxCreateModuleObject() \
    {                                                                                    \
        static OdRxModuleObject moduleObject;                                            \
        return &moduleObject;                                                            \
    }
