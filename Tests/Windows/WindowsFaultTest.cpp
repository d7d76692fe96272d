// The test switches of the library calls: each fails as Windows fails it and
// changes nothing, the delayed import goes on without the other module, and
// every module of the process obeys the same switches.
#include <string>

#include <gtest/gtest.h>

#include <delayimp.h>
#include <windows.h>
#include <winfaults.h>

namespace
{
const std::string kFolder = WINDOWS_TEST_LIBRARY_DIR;
const std::string kLibrary = kFolder + "\\WinTestLib.dll";
const std::string kLoader = kFolder + "\\WinTestLoader.dll";

bool loaded(const char* fileName)
{
    return GetModuleHandleA(fileName) != nullptr;
}

class WindowsFaultTest : public testing::Test
{
protected:
    void TearDown() override
    {
        windowsFaultsOff();
        while (HMODULE module = GetModuleHandleA("WinTestLib.dll"))
            FreeLibrary(module);
    }
};
}  // namespace

TEST_F(WindowsFaultTest, AFailedLoadGivesNullAndLoadsNothing)
{
    const std::wstring widePath(kLibrary.begin(), kLibrary.end());
    windowsFault(WindowsCall::LibraryLoad).failFrom(1);
    EXPECT_EQ(nullptr, LoadLibraryW(widePath.c_str()));
    EXPECT_EQ(nullptr, LoadLibraryA(kLibrary.c_str()));
    EXPECT_EQ(2u, windowsFault(WindowsCall::LibraryLoad).failures());
    EXPECT_FALSE(loaded("WinTestLib.dll"));
    windowsFault(WindowsCall::LibraryLoad).off();
    HMODULE module = LoadLibraryW(widePath.c_str());
    EXPECT_NE(nullptr, module);
    EXPECT_EQ(TRUE, FreeLibrary(module));
}

TEST_F(WindowsFaultTest, AFailedLookupGivesNullAndTheNextFinds)
{
    HMODULE module = LoadLibraryA(kLibrary.c_str());
    ASSERT_NE(nullptr, module);
    windowsFault(WindowsCall::ProcAddress).failAt(1);
    EXPECT_EQ(nullptr, GetProcAddress(module, "WindowsTestLibraryAnswer"));
    EXPECT_NE(nullptr, GetProcAddress(module, "WindowsTestLibraryAnswer"));
    EXPECT_EQ(2u, windowsFault(WindowsCall::ProcAddress).calls());
    EXPECT_EQ(TRUE, FreeLibrary(module));
}

TEST_F(WindowsFaultTest, AFailedFreeGivesFalseAndKeepsTheLibraryLoaded)
{
    HMODULE module = LoadLibraryA(kLibrary.c_str());
    ASSERT_NE(nullptr, module);
    windowsFault(WindowsCall::LibraryFree).failAt(1);
    EXPECT_EQ(FALSE, FreeLibrary(module));
    EXPECT_EQ(module, GetModuleHandleA("WinTestLib.dll"));
    EXPECT_EQ(TRUE, FreeLibrary(module));
    EXPECT_FALSE(loaded("WinTestLib.dll"));
}

// The delayed import binds through the loader calls: when one fails it gives null,
// binds nothing, and the next call tries again.
TEST_F(WindowsFaultTest, ADelayedImportThatCannotBindGivesNullAndIsTriedAgain)
{
    for (WindowsCall kind : {WindowsCall::LibraryLoad, WindowsCall::ProcAddress}) {
        DelayLoadImport import = {kLibrary.c_str(), "WindowsTestLibraryAnswer", nullptr};
        windowsFault(kind).failAt(1);
        EXPECT_EQ(nullptr, DelayLoadResolve(import));
        EXPECT_EQ(nullptr, import.function);
        EXPECT_EQ(1u, windowsFault(kind).failures());
        windowsFault(kind).off();
        using Answer = int();
        Answer* answer = DelayLoadAs<Answer>(import);
        ASSERT_NE(nullptr, answer);
        EXPECT_EQ(42, answer());
        while (HMODULE module = GetModuleHandleA("WinTestLib.dll"))
            FreeLibrary(module);
    }
}

// Another library, with its own copy of the layer, obeys the switches this program sets.
TEST_F(WindowsFaultTest, EveryModuleOfTheProcessSeesTheSameSwitches)
{
    HMODULE loader = LoadLibraryA(kLoader.c_str());
    ASSERT_NE(nullptr, loader);
    using Call = int(const char*, const char*);
    auto* call = reinterpret_cast<Call*>(reinterpret_cast<void (*)()>(GetProcAddress(loader, "WindowsTestLoaderCall")));
    ASSERT_NE(nullptr, call);
    EXPECT_EQ(42, call(kLibrary.c_str(), "WindowsTestLibraryAnswer"));

    windowsFault(WindowsCall::LibraryLoad).failAt(1);
    EXPECT_EQ(-1, call(kLibrary.c_str(), "WindowsTestLibraryAnswer"));
    EXPECT_EQ(1u, windowsFault(WindowsCall::LibraryLoad).calls());
    windowsFault(WindowsCall::ProcAddress).failAt(1);
    EXPECT_EQ(-2, call(kLibrary.c_str(), "WindowsTestLibraryAnswer"));
    EXPECT_FALSE(loaded("WinTestLib.dll")) << "the library freed what it loaded";
    windowsFaultsOff();
    EXPECT_EQ(42, call(kLibrary.c_str(), "WindowsTestLibraryAnswer"));
    EXPECT_EQ(TRUE, FreeLibrary(loader));
}

TEST_F(WindowsFaultTest, TheSwitchesAreOffUntilSet)
{
    for (WindowsCall kind : {WindowsCall::LibraryLoad, WindowsCall::ProcAddress, WindowsCall::LibraryFree})
        EXPECT_EQ(0u, windowsFault(kind).calls());
    HMODULE module = LoadLibraryA(kLibrary.c_str());
    ASSERT_NE(nullptr, module);
    EXPECT_NE(nullptr, GetProcAddress(module, "WindowsTestLibraryAnswer"));
    EXPECT_EQ(TRUE, FreeLibrary(module));
    for (WindowsCall kind : {WindowsCall::LibraryLoad, WindowsCall::ProcAddress, WindowsCall::LibraryFree})
        EXPECT_EQ(0u, windowsFault(kind).calls());
}
