// The framework's application object: the start-up of a module calls its
// global application object's InitInstance once, when the object is complete.
#include <windows.h>

#include <gtest/gtest.h>

namespace
{
template <typename Function>
Function* Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
} // namespace

TEST(AppObjectTest, InitInstanceRunsOnceWhenTheModuleIsLoaded)
{
    HMODULE module = LoadLibraryA(PM_TEST_APP_PROBE_PATH);
    ASSERT_NE(module, nullptr);
    auto* initCount = Export<int()>(module, "AppProbe_InitCount");
    auto* sawWholeObject = Export<int()>(module, "AppProbe_SawWholeObject");
    ASSERT_NE(initCount, nullptr);
    ASSERT_NE(sawWholeObject, nullptr);
    EXPECT_EQ(initCount(), 1);
    EXPECT_EQ(sawWholeObject(), 1) << "the object was constructed before its InitInstance ran";
    EXPECT_EQ(LoadLibraryA(PM_TEST_APP_PROBE_PATH), module);
    EXPECT_EQ(initCount(), 1) << "a module already loaded starts no more";
}
