// A module that links the framework as the system's modules do (hidden, bound
// to its own definitions) and lets its exceptions out, or catches the caller's.
#pragma once

#define EXCEPTION_MODULE_API __attribute__((visibility("default")))

// Throws the framework's shared CInvalidArgException*.
EXCEPTION_MODULE_API void ThrowSharedFromModule();
// Throws a CMemoryException* made with auto-delete, for the catcher to Delete().
EXCEPTION_MODULE_API void ThrowOwnedFromModule();
// Runs the call and answers 1 when it ended with a CException* (caught here and
// deleted), 0 when it returned.
EXCEPTION_MODULE_API int CatchInModule(void (*call)());
