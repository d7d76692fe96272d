// Run-time class descriptors and their registration in the class dictionary.
#pragma once

#include <cstddef>

#include <string>

#include "acadstrc.h"
#include "rxobject.h"

// Called by a host that saves to an older drawing version, to let the module name itself differently.
typedef void (*AppNameChangeFuncPtr)(AcRxClass* classObj, wchar_t* newAppName, int saveVersion);
typedef AcRxObject* (*AcRxPseudoConstructor)();

class DWGHOST_API AcRxClass : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcRxClass);
    ~AcRxClass() override;
    AcRxClass(const AcRxClass&) = delete;
    AcRxClass& operator=(const AcRxClass&) = delete;

    const ACHAR* name() const;
    // The registered parent, once it is known (at registration or by acrxBuildClassHierarchy).
    AcRxClass* myParent() const;
    const ACHAR* parentName() const;
    // A new object made by the pseudo-constructor, or null when the class has none.
    AcRxObject* create() const;
    const ACHAR* dxfName() const;
    const ACHAR* appName() const;
    int proxyFlags() const;
    Acad::ErrorStatus getClassVersion(int& dwgVersion, int& maintenanceVersion) const;
    AppNameChangeFuncPtr appNameCallbackPtr() const;
    // The BRX pseudo-constructor hook that was set while the class was registered, if any.
    AcRxPseudoConstructor impObjectConstructor() const;

    // True for this class and every class below it.
    bool isDerivedFrom(const AcRxClass* other) const;

private:
    friend struct DwgHostClassAccess;
    AcRxClass();

    std::wstring mName;
    std::wstring mParentName;
    AcRxClass* mParent = nullptr;
    AcRxPseudoConstructor mConstructor = nullptr;
    std::wstring mDxfName;
    std::wstring mAppName;
    int mProxyFlags = 0;
    int mDwgVersion = 0;
    int mMaintenanceVersion = 0;
    AppNameChangeFuncPtr mAppNameChange = nullptr;
    AcRxPseudoConstructor mImpConstructor = nullptr;
    bool mBuiltIn = false;
};

// Registers a class in the class dictionary under its name. A class registered
// earlier under the same name leaves the dictionary but stays valid.
DWGHOST_API AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                                    int maintenanceVersion, int proxyFlags = 0,
                                    AcRxPseudoConstructor pseudoConstructor = nullptr,
                                    const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr,
                                    AppNameChangeFuncPtr appNameChange = nullptr);
DWGHOST_API AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags = 0,
                                    AcRxPseudoConstructor pseudoConstructor = nullptr,
                                    const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);

// Takes the class out of the class dictionary. Its descriptor stays readable, since
// objects of the class and the module that made it may still point at it.
DWGHOST_API void deleteAcRxClass(AcRxClass* classObj);

// Links every registered class to its registered parent.
DWGHOST_API void acrxBuildClassHierarchy();

DWGHOST_API AcRxClass* acrxFindAcRxClass(const ACHAR* className);

// The host's own count of acrxFindAcRxClass calls made by its clients (the host's
// own lookups are not counted), for tests of which lookup a module makes.
DWGHOST_API std::size_t acrxHostClassFinds();
