// The module loader: Windows paths, entry points and what modules declare.
#include <string>

#include <gtest/gtest.h>

#include <arxheaders.h>
#include <windows.h>

// Defined by the test program as well as by every test module: a module must call its own.
extern "C" __attribute__((visibility("default"))) const char* DwgHostTestModuleTag()
{
    return "host program";
}

namespace
{
// The Windows path a module builds: "<folder>\Quendal Solutions\<name>.dbx".
std::wstring modulePath(const char* name)
{
    const std::string dir = DWGHOST_TEST_MODULE_DIR;
    return std::wstring(dir.begin(), dir.end()) + L"\\Quendal Solutions\\" +
           std::wstring(name, name + std::char_traits<char>::length(name)) + L".dbx";
}

template <class F>
F exported(const wchar_t* moduleFile, const char* name)
{
    HMODULE module = GetModuleHandleW(moduleFile);
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

int messages(const wchar_t* moduleFile, AcRx::AppMsgCode code)
{
    auto count = exported<int (*)(int)>(moduleFile, "DwgHostTestModuleMessages");
    return count ? count(code) : -1;
}

std::string ownTag(const wchar_t* moduleFile)
{
    auto tag = exported<const char* (*)()>(moduleFile, "DwgHostTestModuleOwnTag");
    return tag ? tag() : "";
}
}  // namespace

TEST(ModuleLoaderTest, AModuleIsLoadedByItsWindowsPathAndInitialisedOnce)
{
    const std::wstring path = modulePath("DwgHostTestModuleAc");
    const wchar_t* file = L"DwgHostTestModuleAc.dbx";
    ASSERT_TRUE(acrxLoadModule(path.c_str(), true));
    EXPECT_EQ(1, messages(file, AcRx::kInitAppMsg));
    EXPECT_FALSE(acrxApplicationIsLocked(file));
    EXPECT_TRUE(acrxIsAppMDIAware(L"dwghosttestmoduleac.DBX"));

    // A module loaded already is not initialised again.
    EXPECT_TRUE(acrxLoadModule(path.c_str(), false));
    EXPECT_EQ(1, messages(file, AcRx::kInitAppMsg));

    ASSERT_TRUE(acrxUnloadModule(file));
    EXPECT_EQ(1, messages(file, AcRx::kUnloadAppMsg));
    EXPECT_FALSE(acrxIsAppMDIAware(file));
    EXPECT_FALSE(acrxUnloadModule(file));

    // Loaded anew after its unload, it is initialised anew.
    ASSERT_TRUE(acrxLoadModule(path.c_str(), false));
    EXPECT_EQ(2, messages(file, AcRx::kInitAppMsg));
    EXPECT_TRUE(acrxUnloadModule(path.c_str()));
}

TEST(ModuleLoaderTest, TheZwcadEntryPointIsCalledWhenThereIsNoOther)
{
    ASSERT_TRUE(acrxLoadModule(modulePath("DwgHostTestModuleZw").c_str(), true));
    EXPECT_EQ(1, messages(L"DwgHostTestModuleZw.dbx", AcRx::kInitAppMsg));
    EXPECT_TRUE(acrxIsAppMDIAware(L"DwgHostTestModuleZw.dbx"));
    EXPECT_TRUE(acrxUnloadModule(L"DwgHostTestModuleZw.dbx"));
    EXPECT_EQ(1, messages(L"DwgHostTestModuleZw.dbx", AcRx::kUnloadAppMsg));
}

TEST(ModuleLoaderTest, AModuleThatStaysLockedIsNotUnloaded)
{
    const wchar_t* file = L"DwgHostTestModuleLocked.dbx";
    ASSERT_TRUE(acrxLoadModule(modulePath("DwgHostTestModuleLocked").c_str(), true));
    EXPECT_TRUE(acrxApplicationIsLocked(file));
    EXPECT_FALSE(acrxIsAppMDIAware(file));
    EXPECT_FALSE(acrxUnloadModule(file));
    EXPECT_EQ(0, messages(file, AcRx::kUnloadAppMsg));
}

TEST(ModuleLoaderTest, WhatCannotBeLoadedIsReportedAsFailure)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(acrxLoadModule(modulePath("NoSuchModule").c_str(), true));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, report.find("Unable to load")) << report;

    testing::internal::CaptureStderr();
    EXPECT_FALSE(acrxLoadModule(L"", false));
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
    EXPECT_FALSE(acrxUnloadModule(L"NoSuchModule.dbx"));
    EXPECT_FALSE(acrxApplicationIsLocked(L"NoSuchModule.dbx"));
}

TEST(ModuleLoaderTest, AnEntryPointAnswersAnyOtherMessageWithSuccess)
{
    ASSERT_TRUE(acrxLoadModule(modulePath("DwgHostTestModuleAc").c_str(), true));
    auto entry = exported<AcRxEntryPointFunc>(L"DwgHostTestModuleAc.dbx", "acrxEntryPoint");
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(AcRx::kRetOK, entry(static_cast<AcRx::AppMsgCode>(5), nullptr));
    EXPECT_EQ(1, messages(L"DwgHostTestModuleAc.dbx", static_cast<AcRx::AppMsgCode>(5)));
    EXPECT_TRUE(acrxUnloadModule(L"DwgHostTestModuleAc.dbx"));
}

TEST(ModuleLoaderTest, ModulesLinkedWithTheModuleOptionsBindTheirOwnDefinitions)
{
    for (const char* name : {"DwgHostTestModuleAc", "DwgHostTestModuleZw", "DwgHostTestModuleInterposable"})
        ASSERT_TRUE(acrxLoadModule(modulePath(name).c_str(), true)) << name;
    EXPECT_EQ("DwgHostTestModuleAc", ownTag(L"DwgHostTestModuleAc.dbx"));
    EXPECT_EQ("DwgHostTestModuleZw", ownTag(L"DwgHostTestModuleZw.dbx"));
    // The control: linked plainly, a module binds the host program's definition.
    EXPECT_EQ("host program", ownTag(L"DwgHostTestModuleInterposable.dbx"));
    for (const wchar_t* file :
         {L"DwgHostTestModuleAc.dbx", L"DwgHostTestModuleZw.dbx", L"DwgHostTestModuleInterposable.dbx"})
        EXPECT_TRUE(acrxUnloadModule(file));
}

TEST(ModuleLoaderTest, AModuleCannotUnlockAnotherByAForeignPacket)
{
    int notAPacket = 0;
    EXPECT_FALSE(acrxUnlockApplication(&notAPacket));
    EXPECT_FALSE(acrxRegisterAppMDIAware(&notAPacket));
}
