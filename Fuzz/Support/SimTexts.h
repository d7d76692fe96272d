// The text dump of a simulation, and a name as plain text for messages.
#pragma once

#include <string>

#include <afx.h>

#include "PmDump.h"

using DumpText = std::basic_string<TCHAR>;

template <typename Sim>
DumpText DumpOf(const Sim& sim)
{
    PmDumpStream os;
    os << sim;
    return os.str();
}

// Printable ASCII as it is, every other character as '?'.
inline std::string MessageText(const CString& text)
{
    std::string out = "\"";
    for (const TCHAR* c = text.GetString(); *c; ++c)
        out += (*c >= 0x20 && *c < 0x7F) ? static_cast<char>(*c) : '?';
    return out + "\"";
}
