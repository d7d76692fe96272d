// Binding a delayed import on first use.
#include <delayimp.h>

FARPROC DelayLoadResolve(DelayLoadImport& import)
{
    if (import.function)
        return import.function;
    if (!import.moduleName || !import.exportName)
        return nullptr;
    HMODULE module = GetModuleHandleA(import.moduleName);
    if (!module)
        module = LoadLibraryA(import.moduleName);
    if (!module)
        return nullptr;
    // A module loaded here stays loaded, as one bound by the delayed import does.
    import.function = GetProcAddress(module, import.exportName);
    return import.function;
}
