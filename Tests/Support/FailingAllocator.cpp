// Replaces the global operator new of the test program; the host library and
// the modules it loads allocate through it too.
#include "FailingAllocator.h"

#include <cstdlib>
#include <new>

namespace
{
std::size_t countdown = 0;
bool hasFailed = false;

void* allocate(std::size_t size)
{
    if (countdown != 0 && --countdown == 0) {
        hasFailed = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

// The nothrow forms fail the same way, answering null.
void* allocateOrNull(std::size_t size) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
}  // namespace

void FailingAllocator::failAt(std::size_t nth)
{
    countdown = nth;
    hasFailed = false;
}

bool FailingAllocator::failed()
{
    return hasFailed;
}

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
// The nothrow forms too: a caller that asks for them must be seen to handle
// null, and what they hand out is freed by the delete below, not by a
// runtime's own allocator.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
