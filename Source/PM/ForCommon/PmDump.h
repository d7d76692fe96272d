// The text dump's stream and the point format every dump shares.
#pragma once

#include <sstream>

#include <tchar.h>

// Wide in the builds with wide strings, narrow in the others.
using PmDumpStream = std::basic_ostringstream<TCHAR>;

// Writes a point as "(x, y, z)" with the stream's own number formatting.
template <typename Point>
void PmDumpPoint(PmDumpStream& os, const Point& p)
{
    os << _T("(") << p.x << _T(", ") << p.y << _T(", ") << p.z << _T(")");
}
