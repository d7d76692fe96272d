// The record through which the client hands a block reference to
// CPmBlockFactory::CreateBlock: a leading member the module does not read,
// then the reference, at byte 8 in both 32-bit and 64-bit builds.
#pragma once

#include <cstddef>
#include <cstdint>

class AcDbBlockReference;

struct element
{
    std::uint64_t unused;
    AcDbBlockReference* reference;
};

static_assert(offsetof(element, reference) == 8, "the reference sits at byte 8");
