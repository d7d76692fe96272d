// The host heap, which knows every block it handed out.
#include <atomic>
#include <cstdlib>
#include <cwchar>
#include <mutex>
#include <new>
#include <unordered_map>

#include "HostInternal.h"

namespace
{
struct HeapTable
{
    std::mutex lock;
    std::unordered_map<const void*, std::size_t> live;
};

// Never destroyed: blocks may be given back during the end of the process.
HeapTable& table()
{
    static HeapTable* heap = new HeapTable;
    return *heap;
}

std::atomic<std::size_t> failedAllocations{0};
thread_local int ownSteps = 0;

void* noMemory()
{
    ++failedAllocations;
    return nullptr;
}
}  // namespace

std::size_t DwgHostDetail::heapFailures()
{
    return failedAllocations;
}

DwgHostDetail::HostOwnStep::HostOwnStep()
{
    ++ownSteps;
}

DwgHostDetail::HostOwnStep::~HostOwnStep()
{
    --ownSteps;
}

void* AcHeapOperators::allocRawMem(std::size_t size)
{
    if (ownSteps == 0 && dwgHostFault(DwgHostCall::HeapAllocation).fails())
        return noMemory();
    void* block = std::malloc(size ? size : 1);
    if (!block)
        return noMemory();
    try {
        std::lock_guard<std::mutex> guard(table().lock);
        table().live.emplace(block, size);
    } catch (const std::bad_alloc&) {
        // The table could not record it: the block is given back, not lost.
        std::free(block);
        return noMemory();
    }
    return block;
}

void AcHeapOperators::freeRawMem(void* block)
{
    if (!block)
        return;
    bool known = false;
    {
        std::lock_guard<std::mutex> guard(table().lock);
        known = table().live.erase(block) == 1;
    }
    if (!known)
        acrx_abort(L"Host heap: a block that it did not hand out was given back");
    std::free(block);
}

void* AcHeapOperators::operator new(std::size_t size)
{
    if (void* block = allocRawMem(size))
        return block;
    throw std::bad_alloc();
}

void* AcHeapOperators::operator new[](std::size_t size)
{
    return operator new(size);
}

void AcHeapOperators::operator delete(void* block)
{
    freeRawMem(block);
}

void AcHeapOperators::operator delete[](void* block)
{
    freeRawMem(block);
}

Acad::ErrorStatus acutNewString(const ACHAR* input, ACHAR*& output)
{
    output = nullptr;
    if (!input)
        return Acad::eInvalidInput;
    const std::size_t length = std::wcslen(input);
    auto* copy = static_cast<ACHAR*>(AcHeapOperators::allocRawMem((length + 1) * sizeof(ACHAR)));
    if (!copy)
        return Acad::eOutOfMemory;
    std::wmemcpy(copy, input, length + 1);
    output = copy;
    return Acad::eOk;
}

void acutDelBuffer(ACHAR*& buffer)
{
    AcHeapOperators::freeRawMem(buffer);
    buffer = nullptr;
}

std::size_t acdbHostHeapLiveBlocks()
{
    std::lock_guard<std::mutex> guard(table().lock);
    return table().live.size();
}

bool acdbHostHeapContains(const void* address)
{
    std::lock_guard<std::mutex> guard(table().lock);
    return table().live.count(address) == 1;
}
