// The module loader: modules by their Windows paths, their entry points, and the
// state each declares (unlocked, MDI-aware).
//
// A module's code is never unmapped, not even after it was unloaded: objects it
// made may still live in a drawing, and classes it registered keep pointing at
// its pseudo-constructor.
#include <cstdio>

#include <windows.h>

#include "HostInternal.h"

namespace
{
using DwgHostDetail::LoadedModule;

std::wstring fileNameOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

LoadedModule* findByHandle(void* handle)
{
    for (auto& module : DwgHostDetail::host().modules) {
        if (module->handle == handle)
            return module.get();
    }
    return nullptr;
}

// By the path it was loaded with, or by its file name, without regard to case.
LoadedModule* findByName(const ACHAR* name)
{
    if (!name)
        return nullptr;
    const std::wstring wanted = DwgHostDetail::folded(name);
    const bool byPath = wanted.find_first_of(L"\\/") != std::wstring::npos;
    for (auto& module : DwgHostDetail::host().modules) {
        const std::wstring& candidate = byPath ? module->path : fileNameOf(module->path);
        if (DwgHostDetail::folded(candidate) == wanted)
            return module.get();
    }
    return nullptr;
}

LoadedModule* findByPacket(void* appId)
{
    for (auto& module : DwgHostDetail::host().modules) {
        if (module.get() == appId)
            return module.get();
    }
    return nullptr;
}

AcRxEntryPointFunc entryPointOf(HMODULE handle)
{
    FARPROC proc = GetProcAddress(handle, "acrxEntryPoint");
    if (!proc)
        proc = GetProcAddress(handle, "zcrxEntryPoint");
    return reinterpret_cast<AcRxEntryPointFunc>(reinterpret_cast<void (*)()>(proc));
}

bool refuse(bool printit, const ACHAR* moduleName, const char* why)
{
    if (printit)
        std::fprintf(stderr, "Unable to load %s: %s\n", DwgHostDetail::toUtf8(moduleName).c_str(), why);
    return false;
}

void forget(LoadedModule* module)
{
    auto& modules = DwgHostDetail::host().modules;
    for (auto it = modules.begin(); it != modules.end(); ++it) {
        if (it->get() == module) {
            modules.erase(it);
            return;
        }
    }
}
}  // namespace

bool acrxLoadModule(const ACHAR* moduleName, bool printit, bool)
{
    if (!moduleName || !*moduleName)
        return refuse(printit, L"", "no module name");
    HMODULE handle = LoadLibraryW(moduleName);
    if (!handle)
        return refuse(printit, moduleName, "the library does not load");
    if (findByHandle(handle)) {
        FreeLibrary(handle);  // loaded and initialised already
        return true;
    }
    AcRxEntryPointFunc entryPoint = entryPointOf(handle);
    if (!entryPoint)
        return refuse(printit, moduleName, "the library has no entry point");

    auto module = std::make_unique<LoadedModule>();
    module->path = moduleName;
    module->handle = handle;
    module->entryPoint = entryPoint;
    LoadedModule* packet = module.get();
    DwgHostDetail::host().modules.push_back(std::move(module));
    if (entryPoint(AcRx::kInitAppMsg, packet) != AcRx::kRetOK) {
        forget(packet);
        return refuse(printit, moduleName, "its initialisation failed");
    }
    return true;
}

bool acrxUnloadModule(const ACHAR* moduleName, bool)
{
    LoadedModule* module = findByName(moduleName);
    if (!module || module->locked)
        return false;
    if (module->entryPoint(AcRx::kUnloadAppMsg, module) != AcRx::kRetOK)
        return false;
    forget(module);
    return true;
}

bool acrxUnlockApplication(void* appId)
{
    LoadedModule* module = findByPacket(appId);
    if (module)
        module->locked = false;
    return module != nullptr;
}

bool acrxRegisterAppMDIAware(void* appId)
{
    LoadedModule* module = findByPacket(appId);
    if (module)
        module->mdiAware = true;
    return module != nullptr;
}

bool acrxApplicationIsLocked(const ACHAR* moduleName)
{
    const LoadedModule* module = findByName(moduleName);
    return module && module->locked;
}

bool acrxIsAppMDIAware(const ACHAR* moduleName)
{
    const LoadedModule* module = findByName(moduleName);
    return module && module->mdiAware;
}
