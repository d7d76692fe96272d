// LoadLibrary, GetModuleHandle, GetProcAddress and FreeLibrary on Windows paths,
// and _wgetenv.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include <windows.h>

namespace
{
const std::string kFolder = WINDOWS_TEST_LIBRARY_DIR;

// The library's path as a Windows program builds it, with backslashes.
std::wstring windowsPath()
{
    return std::wstring(kFolder.begin(), kFolder.end()) + L"\\WinTestLib.dll";
}

int answerOf(HMODULE module)
{
    FARPROC proc = GetProcAddress(module, "WindowsTestLibraryAnswer");
    auto answer = reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(proc));
    return answer ? answer() : -1;
}
}  // namespace

TEST(WindowsLoaderTest, ALibraryLoadsByItsWindowsPathAndIsFoundByNameWithoutRegardToCase)
{
    EXPECT_EQ(nullptr, GetModuleHandleW(L"WinTestLib.dll"));
    HMODULE module = LoadLibraryW(windowsPath().c_str());
    ASSERT_NE(nullptr, module);
    EXPECT_EQ(42, answerOf(module));
    EXPECT_EQ(nullptr, GetProcAddress(module, "NoSuchExport"));

    for (const wchar_t* name : {L"WinTestLib.dll", L"wintestlib.DLL", L"WINTESTLIB.dll"})
        EXPECT_EQ(module, GetModuleHandleW(name)) << name;
    EXPECT_EQ(module, GetModuleHandleW(windowsPath().c_str()));
    EXPECT_EQ(module, GetModuleHandleA("wintestlib.dll"));
    EXPECT_EQ(nullptr, GetModuleHandleW(L"OtherLib.dll"));
    EXPECT_NE(nullptr, GetModuleHandleW(nullptr));

    // A second load adds a reference; the library goes with the last one.
    HMODULE again = LoadLibraryA((kFolder + "\\WinTestLib.dll").c_str());
    EXPECT_EQ(module, again);
    EXPECT_EQ(TRUE, FreeLibrary(again));
    EXPECT_EQ(module, GetModuleHandleW(L"WinTestLib.dll"));
    EXPECT_EQ(TRUE, FreeLibrary(module));
    EXPECT_EQ(nullptr, GetModuleHandleW(L"WinTestLib.dll"));
}

TEST(WindowsLoaderTest, WhatCannotBeLoadedGivesNull)
{
    EXPECT_EQ(nullptr, LoadLibraryW(L"C:\\No\\Such\\Library.dll"));
    EXPECT_EQ(nullptr, LoadLibraryW(L""));
    EXPECT_EQ(nullptr, LoadLibraryA(nullptr));
    EXPECT_EQ(nullptr, GetProcAddress(nullptr, "WindowsTestLibraryAnswer"));
    EXPECT_EQ(FALSE, FreeLibrary(nullptr));
}

TEST(WindowsEnvironmentTest, WideGetenvGivesTheValueAsWideTextOrNull)
{
    setenv("VARNEX_WINDOWS_TEST", "C:\\Program Files\\Common Files \xC3\xBC", 1);
    const wchar_t* value = _wgetenv(L"VARNEX_WINDOWS_TEST");
    ASSERT_NE(nullptr, value);
    EXPECT_STREQ(L"C:\\Program Files\\Common Files \u00FC", value);
    unsetenv("VARNEX_WINDOWS_TEST");
    EXPECT_EQ(nullptr, _wgetenv(L"VARNEX_WINDOWS_TEST"));
    EXPECT_EQ(nullptr, _wgetenv(nullptr));
}
