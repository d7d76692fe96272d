// What a format 200 module asks of the format 101 module of its SDK. In builds
// without that binding every call answers as if no legacy object existed.
#pragma once

#include <afx.h>
#include <dbhandle.h>

#include "PmTypes.h"

class CPmSim;
class CQdAcadBlock;
class CQdBlock;

namespace PmLegacy
{
// The format 101 module's exports that the builds with the binding bind by
// delayed import, as that module's export table names them.
inline constexpr char kLoadSimExport[] = "_ZN13CPmDbxFactory7LoadSimERK8CStringTIwE";
inline constexpr char kSetPosExport[] = "_ZN12CQdAcadBlock6SetPosE8dpoint3d";

// The host class of the format 101 module's stored simulations.
inline constexpr wchar_t kSimClassName[] = L"CPmAcadSim";

// The format 101 simulation stored under the name, detached and the caller's; null when none.
CPmSim* LoadSim(const CString& name);

// True when the block is a format 101 block, whose handle then goes into handle.
bool IsLegacyBlock(const CQdBlock& block, AcDbHandle& handle);

// The block as a format 101 block; null when it is not one.
const CQdAcadBlock* AsLegacyBlock(const CQdBlock& block);
// A format 101 block through its block interface.
const CQdBlock& AsBlock(const CQdAcadBlock& legacy);

// Moves a format 101 block through the format 101 module; -1 when it cannot.
int SetLegacyBlockPos(CQdBlock& block, dpoint3d position);
} // namespace PmLegacy
