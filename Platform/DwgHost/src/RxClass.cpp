// Class descriptors and their registration in "ClassDictionary".
#include <algorithm>

#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcRxClass, kRxClass)

AcRxClass::AcRxClass() = default;
AcRxClass::~AcRxClass() = default;

const ACHAR* AcRxClass::name() const { return mName.c_str(); }
AcRxClass* AcRxClass::myParent() const { return mParent; }
const ACHAR* AcRxClass::parentName() const { return mParentName.c_str(); }
AcRxObject* AcRxClass::create() const { return mConstructor ? mConstructor() : nullptr; }
const ACHAR* AcRxClass::dxfName() const { return mDxfName.c_str(); }
const ACHAR* AcRxClass::appName() const { return mAppName.c_str(); }
int AcRxClass::proxyFlags() const { return mProxyFlags; }
AppNameChangeFuncPtr AcRxClass::appNameCallbackPtr() const { return mAppNameChange; }
AcRxPseudoConstructor AcRxClass::impObjectConstructor() const { return mImpConstructor; }

Acad::ErrorStatus AcRxClass::getClassVersion(int& dwgVersion, int& maintenanceVersion) const
{
    dwgVersion = mDwgVersion;
    maintenanceVersion = mMaintenanceVersion;
    return Acad::eOk;
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
    if (!other)
        return false;
    // Bounded walk: a parent chain made circular by re-registration must not hang.
    const AcRxClass* cls = this;
    for (int depth = 0; cls && depth < 1000; ++depth, cls = cls->mParent) {
        if (cls == other)
            return true;
    }
    return false;
}

std::vector<AcRxObject*> DwgHostClassAccess::entries(const AcRxDictionary& dictionary)
{
    std::vector<AcRxObject*> result;
    for (const auto& entry : dictionary.mEntries)
        result.push_back(entry.second);
    return result;
}

AcRxClass* DwgHostClassAccess::build(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                                     int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor constructor,
                                     const ACHAR* dxfName, const ACHAR* appName, AppNameChangeFuncPtr appNameChange)
{
    AcRxClass* cls = new AcRxClass;
    cls->mName = className;
    cls->mParentName = parentClassName ? parentClassName : L"";
    cls->mDwgVersion = dwgVersion;
    cls->mMaintenanceVersion = maintenanceVersion;
    cls->mProxyFlags = proxyFlags;
    cls->mConstructor = constructor;
    cls->mDxfName = dxfName ? dxfName : L"";
    cls->mAppName = appName ? appName : L"";
    cls->mAppNameChange = appNameChange;
    cls->mImpConstructor = odrxPseudoConstructorHook;
    return cls;
}

namespace
{
// Keeps a class that left the dictionary readable for the rest of the process.
void retire(AcRxObject* cls)
{
    auto& retired = DwgHostDetail::host().retired;
    if (cls && std::find(retired.begin(), retired.end(), cls) == retired.end())
        retired.push_back(cls);
}
}  // namespace

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor pseudoConstructor,
                        const ACHAR* dxfName, const ACHAR* appName, AppNameChangeFuncPtr appNameChange)
{
    if (!className || !*className)
        return nullptr;
    AcRxClass* cls = DwgHostClassAccess::build(className, parentClassName, dwgVersion, maintenanceVersion,
                                               proxyFlags, pseudoConstructor, dxfName, appName, appNameChange);
    if (parentClassName && *parentClassName)
        DwgHostClassAccess::setParent(*cls, DwgHostDetail::findClass(parentClassName));
    AcRxDictionary* dictionary = DwgHostDetail::classDictionary();
    if (!dictionary)
        retire(cls);
    else
        retire(dictionary->atPut(className, cls));
    return cls;
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName, const ACHAR* appName)
{
    return newAcRxClass(className, parentClassName, 0, 0, proxyFlags, pseudoConstructor, dxfName, appName, nullptr);
}

void deleteAcRxClass(AcRxClass* classObj)
{
    if (!classObj)
        return;
    AcRxDictionary* dictionary = DwgHostDetail::classDictionary();
    if (dictionary && dictionary->at(classObj->name()) == classObj)
        dictionary->remove(classObj->name());
    retire(classObj);
}

void acrxBuildClassHierarchy()
{
    AcRxDictionary* dictionary = DwgHostDetail::classDictionary();
    if (!dictionary)
        return;
    for (AcRxObject* entry : DwgHostClassAccess::entries(*dictionary)) {
        AcRxClass* cls = dynamic_cast<AcRxClass*>(entry);
        if (!cls || !*cls->parentName())
            continue;
        if (AcRxClass* parent = DwgHostDetail::findClass(cls->parentName()))
            DwgHostClassAccess::setParent(*cls, parent);
    }
}

namespace
{
std::size_t s_clientClassFinds = 0;
}

AcRxClass* DwgHostDetail::findClass(const ACHAR* className)
{
    AcRxDictionary* dictionary = classDictionary();
    if (!dictionary || !className)
        return nullptr;
    AcRxObject* entry = dictionary->at(className);
    return entry ? dynamic_cast<AcRxClass*>(entry) : nullptr;
}

AcRxClass* acrxFindAcRxClass(const ACHAR* className)
{
    ++s_clientClassFinds;
    return DwgHostDetail::findClass(className);
}

std::size_t acrxHostClassFinds()
{
    return s_clientClassFinds;
}
