// Object ids: what they say about the object they name.
#include "HostInternal.h"

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const
{
    return mStub && mStub->object;
}

bool AcDbObjectId::isErased() const
{
    return mStub && mStub->erased;
}

AcDbHandle AcDbObjectId::handle() const
{
    return mStub ? mStub->handle : AcDbHandle();
}

AcDbDatabase* AcDbObjectId::database() const
{
    return mStub ? mStub->database : nullptr;
}

bool AcDbObjectId::operator<(const AcDbObjectId& other) const
{
    return static_cast<Adesk::UInt64>(handle()) < static_cast<Adesk::UInt64>(other.handle());
}
