// Parts on the chain from a part down through each first sub-part, for tests
// of deep part trees in either format.
#pragma once

template <class Part>
int PartChainDepth(const Part* part)
{
    int depth = 0;
    for (; part; part = part->NumSubParts() > 0 ? part->SubPart(0) : nullptr)
        ++depth;
    return depth;
}
