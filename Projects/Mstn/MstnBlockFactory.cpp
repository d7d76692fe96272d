// The block factory of the MicroStation modules: blocks are elements of the active model.
#include "PmBlockFactory.h"
#include "PmMstnAnimationBlock.h"
#include "ZrMstnBlock.h"

CQdBlock* CPmBlockFactory::CreateBlock(MSElementDescr* descr)
{
    return new CZrMstnBlock(descr);
}

CQdBlock* CPmBlockFactory::CopyBlock(const CQdBlock& block)
{
    return new CZrMstnBlock(block);
}

CPmAnimationBlock* CPmBlockFactory::CreateAnimationBlock(const CQdBlock& block)
{
    return new CPmMstnAnimationBlock(block);
}

CPmBlockFactory& CPmBlockFactory::operator=(const CPmBlockFactory&)
{
    return *this;
}
