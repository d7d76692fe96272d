// What the XM and V8i builds take from the MicroStation format 101 module, by
// the names its export table and its run-time types carry (the mangled C++
// names of this compiler; the tests check them against their demangled forms).
#pragma once

namespace MstnFormat101
{
// CPmDbxFactory::LoadSim(CStringT<char> const&), returning CPmSim*.
constexpr const char* kLoadSimExport = "_ZN13CPmDbxFactory7LoadSimERK8CStringTIcE";
// The run-time type name of the module's simulation class, CPmMstnSim.
constexpr const char* kMstnSimTypeName = "10CPmMstnSim";
} // namespace MstnFormat101
