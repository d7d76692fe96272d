// A library with its own copy of the Windows layer, as every module has: it loads
// another library by path and calls it, through its own LoadLibraryA and GetProcAddress.
#include <windows.h>

extern "C" __attribute__((visibility("default"))) int WindowsTestLoaderCall(const char* path, const char* exportName)
{
    HMODULE module = LoadLibraryA(path);
    if (!module)
        return -1;
    auto* function = reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(GetProcAddress(module, exportName)));
    const int answer = function ? function() : -2;
    FreeLibrary(module);
    return answer;
}
