// The framework is linked into every module with hidden symbols, so each has
// its own type information for the exceptions: they are still caught across
// modules, the runtime matching the types by name.
#include <gtest/gtest.h>

#include <afx.h>

#include "ExceptionModule.h"

namespace
{
void ThrowFromHere()
{
    AfxThrowInvalidArgException();
}

void ReturnQuietly() {}

TEST(ExceptionsAcrossModules, TheModulesExceptionIsCaughtByItsOwnClassAndByTheBase)
{
    EXPECT_THROW(ThrowSharedFromModule(), CInvalidArgException*);
    EXPECT_THROW(ThrowSharedFromModule(), CException*);

    bool caught = false;
    try
    {
        ThrowOwnedFromModule();
    }
    catch (CMemoryException* error)
    {
        caught = true;
        error->Delete();  // made with auto-delete: freed, leaving no leak
    }
    EXPECT_TRUE(caught);
}

TEST(ExceptionsAcrossModules, TheModuleCatchesTheCallersException)
{
    EXPECT_EQ(CatchInModule(&ThrowFromHere), 1);
    EXPECT_EQ(CatchInModule(&ReturnQuietly), 0);
}
} // namespace
