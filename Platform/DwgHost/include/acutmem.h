// The host heap: objects of the drawing and the buffers the host hands out live on
// it. The host counts what is live, so tests can see what leaks and where objects live.
#pragma once

#include <cstddef>

#include "acadstrc.h"
#include "adesk.h"

class DWGHOST_API AcHeapOperators
{
public:
    static void* operator new(std::size_t size);
    static void* operator new[](std::size_t size);
    static void operator delete(void* block);
    static void operator delete[](void* block);

    // A block of the host heap, or null when the heap gives no memory.
    static void* allocRawMem(std::size_t size);
    // Gives a block back; a block the host heap did not hand out ends the host.
    static void freeRawMem(void* block);
};

// A copy of the text on the host heap; the caller frees it with acutDelBuffer.
DWGHOST_API Acad::ErrorStatus acutNewString(const ACHAR* input, ACHAR*& output);
// Frees a buffer that the host handed out and sets the pointer to null.
DWGHOST_API void acutDelBuffer(ACHAR*& buffer);

// Number of host heap blocks alive now.
DWGHOST_API std::size_t acdbHostHeapLiveBlocks();
// True when the address is the start of a live host heap block (for objects: their
// complete object, dynamic_cast<const void*>).
DWGHOST_API bool acdbHostHeapContains(const void* address);
