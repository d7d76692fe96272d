// Keyed collections of run-time objects, and the host's system registry.
#pragma once

#include <map>
#include <string>

#include "rxobject.h"

// Owns its entries: they are deleted with the dictionary. An entry taken out by
// atPut or remove belongs to the caller.
class DWGHOST_API AcRxDictionary : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcRxDictionary);
    AcRxDictionary();
    ~AcRxDictionary() override;
    AcRxDictionary(const AcRxDictionary&) = delete;
    AcRxDictionary& operator=(const AcRxDictionary&) = delete;

    AcRxObject* at(const ACHAR* key) const;
    // Puts the object under the key and hands back the entry it displaced, or null.
    AcRxObject* atPut(const ACHAR* key, AcRxObject* object);
    // Takes the entry out and hands it back, or null when there was none.
    AcRxObject* remove(const ACHAR* key);
    bool has(const ACHAR* key) const;
    Adesk::UInt32 numEntries() const;

private:
    friend struct DwgHostClassAccess;
    std::map<std::wstring, AcRxObject*> mEntries;
};

// The host's system registry, holding "ClassDictionary" and "ServiceDictionary".
DWGHOST_API AcRxDictionary* acrxSysRegistry();

#define ACRX_CLASS_DICTIONARY L"ClassDictionary"
#define ACRX_SERVICE_DICTIONARY L"ServiceDictionary"
#define acrxClassDictionary AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY))
#define acrxServiceDictionary AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_SERVICE_DICTIONARY))
