// LoadLibrary and its companions on dlopen. Modules are loaded as local libraries,
// so that modules defining the same names do not bind each other's definitions.
#include <dlfcn.h>
#include <link.h>

#include <cctype>
#include <string>

#include <windows.h>
#include <winfaults.h>

#include "PathText.h"

namespace
{
bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct ModuleSearch
{
    std::string wanted;
    bool byPath = false;
    std::string found;
};

int visitModule(dl_phdr_info* info, std::size_t, void* data)
{
    auto* search = static_cast<ModuleSearch*>(data);
    const std::string name = info->dlpi_name ? info->dlpi_name : "";
    if (name.empty())
        return 0;
    const std::string compared = search->byPath ? name : fileNameOf(name);
    if (!sameIgnoringCase(compared, search->wanted))
        return 0;
    search->found = name;
    return 1;
}

HMODULE loadMapped(const std::string& path)
{
    if (path.empty())
        return nullptr;
    if (windowsFault(WindowsCall::LibraryLoad).fails())
        return nullptr;
    return static_cast<HMODULE>(dlopen(WindowsApiDetail::mappedPath(path).c_str(), RTLD_NOW | RTLD_LOCAL));
}

HMODULE findLoaded(const std::string& name)
{
    ModuleSearch search;
    search.wanted = WindowsApiDetail::mappedPath(name);
    search.byPath = search.wanted.find('/') != std::string::npos;
    if (search.wanted.empty() || dl_iterate_phdr(&visitModule, &search) == 0)
        return nullptr;
    // The handle of a library that is loaded already; the extra reference is given back.
    void* handle = dlopen(search.found.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return static_cast<HMODULE>(handle);
}

HMODULE mainProgram()
{
    void* handle = dlopen(nullptr, RTLD_NOW);
    if (handle)
        dlclose(handle);
    return static_cast<HMODULE>(handle);
}
}  // namespace

HMODULE LoadLibraryW(LPCWSTR fileName)
{
    return loadMapped(WindowsApiDetail::toUtf8(fileName));
}

HMODULE LoadLibraryA(LPCSTR fileName)
{
    return loadMapped(fileName ? fileName : "");
}

HMODULE GetModuleHandleW(LPCWSTR moduleName)
{
    return moduleName ? findLoaded(WindowsApiDetail::toUtf8(moduleName)) : mainProgram();
}

HMODULE GetModuleHandleA(LPCSTR moduleName)
{
    return moduleName ? findLoaded(moduleName) : mainProgram();
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName)
{
    if (!module || !procName)
        return nullptr;
    if (windowsFault(WindowsCall::ProcAddress).fails())
        return nullptr;
    void* symbol = dlsym(module, procName);
    FARPROC proc = nullptr;
    static_assert(sizeof proc == sizeof symbol, "function and data pointers differ in size");
    __builtin_memcpy(&proc, &symbol, sizeof proc);
    return proc;
}

BOOL FreeLibrary(HMODULE module)
{
    if (!module)
        return FALSE;
    // A failed free keeps the reference: the library stays loaded.
    if (windowsFault(WindowsCall::LibraryFree).fails())
        return FALSE;
    return dlclose(module) == 0 ? TRUE : FALSE;
}
