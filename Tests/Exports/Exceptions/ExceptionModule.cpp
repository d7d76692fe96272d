#include "ExceptionModule.h"

#include <afx.h>

void ThrowSharedFromModule()
{
    AfxThrowInvalidArgException();
}

void ThrowOwnedFromModule()
{
    throw new CMemoryException();
}

int CatchInModule(void (*call)())
{
    try
    {
        call();
    }
    catch (CException* error)
    {
        error->Delete();
        return 1;
    }
    return 0;
}
