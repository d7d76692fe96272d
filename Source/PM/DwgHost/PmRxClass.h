// The run-time class of a module's persistent simulation, as the module's SDK
// finds, registers and checks it. Both simulation classes of the DWG modules
// (format 200 and format 101) define their class members with
// PM_RX_DEFINE_MEMBERS, from a definition of their own.
#pragma once

#include <rxclass.h>

namespace PmRxClass
{
struct Definition
{
    const ACHAR* name;
    const ACHAR* dxfName;
    AcRxPseudoConstructor create;  // the host's pseudo-constructor of the class
    const ACHAR* appName;          // the registration text
    AcRxPseudoConstructor implementation;  // BricsCAD: the host's implementation object; else null
};

// The class registered under the name, looked up as this build's SDK does it;
// null when there is none (or, with BricsCAD, when a step of the lookup fails).
AcRxClass* Registered(const ACHAR* name);

// Registers the class once: nothing when known is the class registered under the
// name; another class registered under it ends the host ("Class mismatch").
void Init(AcRxClass*& known, const Definition& definition, AppNameChangeFuncPtr appNameChange);

// True when the object is of the class or of a class derived from it.
bool IsOf(const AcRxObject* object, const AcRxClass* cls);
} // namespace PmRxClass

// The run-time class members of CLASS (declared as gpDesc, desc, cast, isA and
// both rxInit), with DEFINITION an expression giving its PmRxClass::Definition.
#define PM_RX_DEFINE_MEMBERS(CLASS, DEFINITION)                                                   \
    AcRxClass* CLASS::gpDesc = nullptr;                                                           \
    AcRxClass* CLASS::desc()                                                                      \
    {                                                                                             \
        if (!gpDesc)                                                                              \
            gpDesc = PmRxClass::Registered((DEFINITION).name);                                    \
        return gpDesc;                                                                            \
    }                                                                                             \
    CLASS* CLASS::cast(const AcRxObject* object)                                                  \
    {                                                                                             \
        return PmRxClass::IsOf(object, desc()) ? static_cast<CLASS*>(const_cast<AcRxObject*>(object)) \
                                               : nullptr;                                         \
    }                                                                                             \
    AcRxClass* CLASS::isA() const { return desc(); }                                              \
    void CLASS::rxInit() { rxInit(nullptr); }                                                     \
    void CLASS::rxInit(AppNameChangeFuncPtr appNameChange) { PmRxClass::Init(gpDesc, DEFINITION, appNameChange); }
