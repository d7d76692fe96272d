// Keyed collections of run-time objects.
#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcRxDictionary, kRxDictionary)

AcRxDictionary::AcRxDictionary() = default;

AcRxDictionary::~AcRxDictionary()
{
    for (auto& entry : mEntries)
        delete entry.second;
}

AcRxObject* AcRxDictionary::at(const ACHAR* key) const
{
    if (!key)
        return nullptr;
    auto found = mEntries.find(key);
    return found == mEntries.end() ? nullptr : found->second;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* object)
{
    if (!key || !object)
        return nullptr;
    AcRxObject*& slot = mEntries[key];
    AcRxObject* displaced = slot == object ? nullptr : slot;
    slot = object;
    return displaced;
}

AcRxObject* AcRxDictionary::remove(const ACHAR* key)
{
    if (!key)
        return nullptr;
    auto found = mEntries.find(key);
    if (found == mEntries.end())
        return nullptr;
    AcRxObject* removed = found->second;
    mEntries.erase(found);
    return removed;
}

bool AcRxDictionary::has(const ACHAR* key) const
{
    return at(key) != nullptr;
}

Adesk::UInt32 AcRxDictionary::numEntries() const
{
    return static_cast<Adesk::UInt32>(mEntries.size());
}
