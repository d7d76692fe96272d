#include "PmLegacyBinding.h"

#include <cstring>
#include <typeinfo>

#include "QdBlock.h"

namespace
{
// The format 101 block class lives in the other module; its run-time type is
// told by name, as type identities are compared across modules.
bool IsLegacyBlockType(const CQdBlock& block)
{
    const char* name = typeid(block).name();
    if (*name == '*')
        ++name;
    return std::strcmp(name, "12CQdAcadBlock") == 0;
}
} // namespace

bool PmLegacy::IsLegacyBlock(const CQdBlock& block, AcDbHandle& handle)
{
    if (!IsLegacyBlockType(block))
        return false;
    const AcDbHandle* held = block.Handle();
    handle = held ? *held : AcDbHandle();
    return true;
}

CPmSim* PmLegacy::LoadSim(const CString&)
{
    return nullptr;  // bound to the format 101 module in the builds that have one
}

int PmLegacy::SetLegacyBlockPos(CQdBlock&, dpoint3d)
{
    return -1;
}
