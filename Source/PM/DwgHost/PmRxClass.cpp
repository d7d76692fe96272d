#include "PmRxClass.h"

#include <rxdict.h>
#include <rxregsvc.h>
#if defined(PM_HOST_BRX)
#include <brxheaders.h>
#endif

namespace
{
[[noreturn]] void AbortClassMismatch()
{
#if defined(PM_HOST_ZRX)
    zcrx_abort(L"");
#else
    acrx_abort(L"Class mismatch");
#endif
}

AcRxClass* Register(const PmRxClass::Definition& definition, AppNameChangeFuncPtr appNameChange)
{
#if defined(PM_HOST_BRX)
    // The host makes its implementation object of the class through the hook
    // that is set while the class is registered.
    odrxPseudoConstructorHook = definition.implementation;
#endif
    AcRxClass* registered = newAcRxClass(definition.name, L"AcDbObject", PM_DWG_VERSION, PM_DWG_MAINT, 1,
                                         definition.create, definition.dxfName, definition.appName, appNameChange);
#if defined(PM_HOST_BRX)
    odrxPseudoConstructorHook = nullptr;
#endif
    return registered;
}
} // namespace

AcRxClass* PmRxClass::Registered(const ACHAR* name)
{
#if defined(PM_CLASS_LOOKUP_FIND)
    return acrxFindAcRxClass(name);
#else
    AcRxDictionary* registry = acrxSysRegistry();
    if (!registry)
        return nullptr;
    AcRxDictionary* classes = AcRxDictionary::cast(registry->at(ACRX_CLASS_DICTIONARY));
    if (!classes)
        return nullptr;
    return AcRxClass::cast(classes->at(name));
#endif
}

void PmRxClass::Init(AcRxClass*& known, const Definition& definition, AppNameChangeFuncPtr appNameChange)
{
    if (known)
    {
        if (AcRxClass* registered = Registered(definition.name))
        {
            if (registered == known)
                return;
            AbortClassMismatch();
        }
    }
    known = Register(definition, appNameChange);
}

bool PmRxClass::IsOf(const AcRxObject* object, const AcRxClass* cls)
{
    return object && object->isA() && object->isA()->isDerivedFrom(cls);
}
