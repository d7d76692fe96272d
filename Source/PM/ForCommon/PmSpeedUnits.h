// Speed units of a section and their conversion to statute miles.
#pragma once

namespace PmSpeedUnits
{
constexpr double kMilesPerKilometre = 0.621371192;
constexpr double kMilesPerNauticalMile = 1.15077945;

// The stored speed for a value in the given units; false for an unknown code.
inline bool Convert(double value, int units, double& speed)
{
    switch (units)
    {
    case 0: speed = value; return true;
    case 1: speed = value * kMilesPerKilometre; return true;
    case 2: speed = value * kMilesPerNauticalMile; return true;
    default: return false;
    }
}
} // namespace PmSpeedUnits
