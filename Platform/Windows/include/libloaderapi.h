// Loading modules by their Windows names, on this machine's dynamic loader.
#pragma once

struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef INT_PTR (*FARPROC)();

// Loads a module by its Windows path (backslashes are separators) as a local
// library whose symbols are all bound at once. Null when it cannot be loaded.
HMODULE LoadLibraryW(LPCWSTR fileName);
HMODULE LoadLibraryA(LPCSTR fileName);

// A module that is loaded already, named by its file name or by its path, without
// regard to case; null when none is. No reference is added. A null name gives the
// main program.
HMODULE GetModuleHandleW(LPCWSTR moduleName);
HMODULE GetModuleHandleA(LPCSTR moduleName);

FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
BOOL FreeLibrary(HMODULE module);

#ifdef UNICODE
#define LoadLibrary LoadLibraryW
#define GetModuleHandle GetModuleHandleW
#else
#define LoadLibrary LoadLibraryA
#define GetModuleHandle GetModuleHandleA
#endif
