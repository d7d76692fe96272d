// The DWG hosts' block factory: block references in model space.
#include "PmBlockFactory.h"

#include "PmAcadAnimationBlock.h"
#include "PmElement.h"
#include "PmLegacyBinding.h"
#include "ZrAcadBlock.h"

CQdBlock* CPmBlockFactory::CreateBlock(PmBlockSource* source)
{
    return new CZrAcadBlock(source ? source->reference : nullptr);
}

CQdBlock* CPmBlockFactory::CopyBlock(const CQdBlock& block)
{
    if (const auto* block200 = dynamic_cast<const CZrAcadBlock*>(&block))
        return new CZrAcadBlock(*block200);
#if defined(PM_COPIES_FORMAT101_BLOCKS)
    // A format 101 block becomes a current block for the same drawing reference.
    if (const CQdAcadBlock* legacy = PmLegacy::AsLegacyBlock(block))
        return new CZrAcadBlock(*legacy);
#endif
    return nullptr;
}

CPmAnimationBlock* CPmBlockFactory::CreateAnimationBlock(const CQdBlock& block)
{
    return new CPmAcadAnimationBlock(block);
}

CPmBlockFactory& CPmBlockFactory::operator=(const CPmBlockFactory&)
{
    return *this;
}
