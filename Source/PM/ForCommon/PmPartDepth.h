// The deepest part tree a stored record may hold. Part trees are read back
// recursively, so the readers refuse deeper ones; the writers refuse to store
// them, so that every record saved can be read again. Both ask Allows.
#pragma once

#include <utility>
#include <vector>

#include "PmPart.h"

namespace PmPartDepth
{
// Parts on the longest chain from a segment's part down to a leaf, that part
// counting as one.
constexpr int kMax = 256;

// Whether a part that many levels down (the segment's part is level 1) may be stored and read.
constexpr bool Allows(int depth) { return depth <= kMax; }

// Walks without recursion, so a tree of any depth held in memory is measured
// safely. A null part is an absent one.
inline bool Fits(const CPmPart* root)
{
    if (!root)
        return true;
    std::vector<std::pair<const CPmPart*, int>> pending{{root, 1}};
    while (!pending.empty())
    {
        const auto [part, depth] = pending.back();
        pending.pop_back();
        if (!Allows(depth))
            return false;
        for (int i = 0; i < part->NumSubParts(); ++i)
        {
            if (const CPmPart* sub = part->SubPart(i))
                pending.emplace_back(sub, depth + 1);
        }
    }
    return true;
}

// Whether every segment's part tree of a simulation (either generation) fits.
template <class Sim>
bool SimFits(const Sim& sim)
{
    for (const auto* section : *sim.Sections())
    {
        if (!section)
            continue;
        for (const auto* segment : *section->Segments())
        {
            if (segment && !Fits(segment->Part()))
                return false;
        }
    }
    return true;
}
} // namespace PmPartDepth
