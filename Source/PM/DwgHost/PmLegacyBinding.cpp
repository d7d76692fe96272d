#include "PmLegacyBinding.h"

#include <cstring>
#include <typeinfo>

#include "PmSim.h"
#include "QdBlock.h"

#if defined(PM_BINDS_FORMAT101)
#include <delayimp.h>
#endif

namespace
{
// Classes of the format 101 module live in the other module, whose type
// information this one does not link to; their run-time type is told by
// name, as type identities are compared across modules.
bool HasTypeName(const char* name, const char* wanted)
{
    if (*name == '*')
        ++name;
    return std::strcmp(name, wanted) == 0;
}

bool IsLegacyBlockType(const CQdBlock& block)
{
    return HasTypeName(typeid(block).name(), "12CQdAcadBlock");
}

#if defined(PM_BINDS_FORMAT101)
// The two exports of the format 101 module that are reached at run time, by
// the names its export table gives them: the factory's static LoadSim and the
// legacy block's non-virtual SetPos, which takes the block as its first argument.
using LoadSimExport = CPmSim*(const CString& name);
using SetPosExport = int(CQdBlock* block, dpoint3d position);

DelayLoadImport s_loadSim{PM_DELAY_IMPORT_FILE, PmLegacy::kLoadSimExport, nullptr};
DelayLoadImport s_setPos{PM_DELAY_IMPORT_FILE, PmLegacy::kSetPosExport, nullptr};
#endif
} // namespace

bool PmLegacy::IsLegacyBlock(const CQdBlock& block, AcDbHandle& handle)
{
    if (!IsLegacyBlockType(block))
        return false;
    const AcDbHandle* held = block.Handle();
    handle = held ? *held : AcDbHandle();
    return true;
}

// The format 101 block class derives from CQdBlock alone, so the interface
// starts the object: the two views are the same address. This module has no
// definition of that class to convert with.
const CQdAcadBlock* PmLegacy::AsLegacyBlock(const CQdBlock& block)
{
    return IsLegacyBlockType(block) ? reinterpret_cast<const CQdAcadBlock*>(&block) : nullptr;
}

const CQdBlock& PmLegacy::AsBlock(const CQdAcadBlock& legacy)
{
    return reinterpret_cast<const CQdBlock&>(legacy);
}

#if defined(PM_BINDS_FORMAT101)
CPmSim* PmLegacy::LoadSim(const CString& name)
{
    LoadSimExport* load = DelayLoadAs<LoadSimExport>(s_loadSim);
    CPmSim* sim = load ? load(name) : nullptr;
    if (!sim)
        return nullptr;
    // Only the format 101 module's stored simulation class is taken.
    if (!HasTypeName(typeid(*sim).name(), "10CPmAcadSim"))
    {
        delete sim;
        return nullptr;
    }
    return sim;
}

int PmLegacy::SetLegacyBlockPos(CQdBlock& block, dpoint3d position)
{
    if (!IsLegacyBlockType(block))
        return -1;
    SetPosExport* setPos = DelayLoadAs<SetPosExport>(s_setPos);
    return setPos ? setPos(&block, position) : -1;
}
#else
CPmSim* PmLegacy::LoadSim(const CString&)
{
    return nullptr;  // this build binds no format 101 module
}

int PmLegacy::SetLegacyBlockPos(CQdBlock&, dpoint3d)
{
    return -1;
}
#endif
