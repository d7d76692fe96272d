// The legacy drawing the tests and the drawing tool share: what a host with
// only a format 101 module stores, as plain values, so that a program linking
// a format 200 module can check what it reads.
#pragma once

#include <cstdint>

namespace LegacyDrawing
{
// Three simulations, listed by the dictionary in this (ascending) key order.
constexpr const wchar_t* kCart = L"Cart";
constexpr const wchar_t* kCrane = L"Crane";
constexpr const wchar_t* kGhost = L"Ghost";

// Cart: type 3, not in use, its id the handle of its part's block reference.
// One section (speed 50 in units 1, stored converted) with one segment of three
// positions; the part (offset 0, 0, 0.5) has one sub-part (offset 1, 0, 0).
constexpr int kCartType = 3;
constexpr double kCartSpeed = 50.0 * 0.621371192;
constexpr int kCartUnits = 1;
constexpr int kCartPositions = 3;

// Crane: type 7, in use, an id with a high word; two sections: (10, units 2)
// with a segment of two positions, then the default section with segments of
// four and one positions.
constexpr int kCraneType = 7;
constexpr std::uint64_t kCraneId = 0x0000000500000042ULL;
constexpr double kCraneSpeed = 10.0 * 1.15077945;
constexpr int kCraneUnits = 2;
constexpr int kCraneLength = 2 + 1;

// Ghost: type 1, not in use; its id names a block reference that is erased.
constexpr int kGhostType = 1;

// Position i (from 0) of a path starting at x = first.
struct Position
{
    double pt[3];
    double ang;
    double tpt[3];
};

inline Position PathPosition(int i, double first)
{
    const double x = first + i;
    return Position{{x, 2.0 * x, 0.5 * x}, 0.25 * (i + 1), {x, 0.0, 1.0}};
}

// The cart's path starts at x = 1, the crane's first segment at x = 10.
constexpr double kCartFirst = 1.0;
constexpr double kCraneFirst = 10.0;
} // namespace LegacyDrawing
