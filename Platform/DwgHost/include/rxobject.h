// The root of the host's run-time class system.
#pragma once

#include "adesk.h"

class AcRxClass;

// Declares the run-time class members of a class derived from AcRxObject.
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                  \
    static AcRxClass* desc();                             \
    static CLASS_NAME* cast(const AcRxObject* object);    \
    AcRxClass* isA() const override

class DWGHOST_API AcRxObject
{
public:
    AcRxObject() = default;
    AcRxObject(const AcRxObject&) = default;
    AcRxObject& operator=(const AcRxObject&) = default;
    virtual ~AcRxObject();

    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* object) { return const_cast<AcRxObject*>(object); }
    virtual AcRxClass* isA() const;

    // True when the object's class is the given class or derives from it.
    bool isKindOf(const AcRxClass* aClass) const;
};
