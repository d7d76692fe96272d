// Functions of another module bound on their first call, as the linker's
// delayed import binds them. The module is looked for among the loaded ones by
// its file name (without regard to case, as Windows compares module names) and
// loaded when it is not there; then the export is looked up and kept.
//
// Exports are named as the module's export table names them: a C++ function by
// its mangled name. Each importer keeps the names it binds as constants beside
// the import, and checks them in its tests.
#pragma once

#include <windows.h>

// One delayed import.
struct DelayLoadImport
{
    const char* moduleName;  // the module's file name, e.g. "Varnex101_8i.dll"
    const char* exportName;  // the symbol the module exports
    FARPROC function;        // null until bound; once bound it stays bound
};

// The bound function, binding it on the first call. Null when the module
// cannot be found or loaded or does not export the name; the caller then goes
// on as if the other module had nothing to give, and the next call tries again.
FARPROC DelayLoadResolve(DelayLoadImport& import);

// The same, as a pointer to the function type the importer declares.
template <typename Function>
Function* DelayLoadAs(DelayLoadImport& import)
{
    // Through the generic function pointer type, which converts to every other.
    using Generic = void (*)();
    return reinterpret_cast<Function*>(reinterpret_cast<Generic>(DelayLoadResolve(import)));
}
