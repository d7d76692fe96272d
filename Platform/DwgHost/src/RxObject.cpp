// The root class of the run-time class system.
#include "HostInternal.h"

AcRxObject::~AcRxObject() = default;

AcRxClass* AcRxObject::desc()
{
    return DwgHostDetail::builtInClass(DwgHostDetail::kRxObject);
}

AcRxClass* AcRxObject::isA() const
{
    return desc();
}

bool AcRxObject::isKindOf(const AcRxClass* aClass) const
{
    const AcRxClass* mine = isA();
    return mine && mine->isDerivedFrom(aClass);
}
