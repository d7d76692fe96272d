// A test-only global allocator that can be told to fail: the Nth allocation
// from now on throws std::bad_alloc. Off by default; it then only counts.
#pragma once

#include <cstddef>

namespace FailingAllocator
{
// Fails the nth allocation from now (1 is the next one); 0 turns failing off.
void failAt(std::size_t nth);
// Whether the allocation chosen by failAt has been failed since.
bool failed();
}  // namespace FailingAllocator
