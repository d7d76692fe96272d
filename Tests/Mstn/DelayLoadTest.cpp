// The delayed import: a function of another module bound by the module's file
// name on first call, and the export names the XM and V8i builds bind.
#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include <delayimp.h>

#include "MstnFormat101Names.h"
#include "MstnTestSupport.h"

using namespace MstnTest;

namespace
{
std::string Demangled(const char* name)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> text(abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    return status == 0 ? text.get() : std::string();
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

TEST(DelayLoadTest, TheBoundNamesAreTheMangledFormsOfTheFormat101Interface)
{
    EXPECT_EQ(Demangled(MstnFormat101::kLoadSimExport), "CPmDbxFactory::LoadSim(CStringT<char> const&)");
    EXPECT_EQ(Demangled(MstnFormat101::kMstnSimTypeName), "CPmMstnSim");
}

TEST(DelayLoadTest, AnImportBindsByTheModulesNameWithoutRegardToCaseAndStaysBound)
{
    const std::string name = Upper(PM_LEGACY_MODULE_FILE);
    DelayLoadImport import = {name.c_str(), MstnFormat101::kLoadSimExport, nullptr};
    const FARPROC bound = DelayLoadResolve(import);
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(bound, GetProcAddress(GetModuleHandleA(PM_LEGACY_MODULE_FILE), MstnFormat101::kLoadSimExport));
    EXPECT_EQ(import.function, bound);
    import.moduleName = "NotThere.dll";
    EXPECT_EQ(DelayLoadResolve(import), bound) << "bound once, for good";
}

TEST(DelayLoadTest, AModuleOrExportThatCannotBeHadGivesNullAndIsTriedAgain)
{
    DelayLoadImport missingModule = {"Varnex101_Missing.dll", MstnFormat101::kLoadSimExport, nullptr};
    EXPECT_EQ(DelayLoadResolve(missingModule), nullptr);
    EXPECT_EQ(missingModule.function, nullptr);
    DelayLoadImport missingExport = {PM_LEGACY_MODULE_FILE, "_ZN13CPmDbxFactory7NoSuchEv", nullptr};
    EXPECT_EQ(DelayLoadResolve(missingExport), nullptr);
    missingExport.exportName = MstnFormat101::kLoadSimExport;
    EXPECT_NE(DelayLoadResolve(missingExport), nullptr) << "a later call tries again";
}

TEST(DelayLoadTest, AModuleNotYetLoadedIsLoaded)
{
    ASSERT_EQ(GetModuleHandleA(PM_TEST_DELAY_PROBE_PATH), nullptr);
    DelayLoadImport import = {PM_TEST_DELAY_PROBE_PATH, "DelayProbe_Answer", nullptr};
    using Answer = int();
    Answer* answer = DelayLoadAs<Answer>(import);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_NE(GetModuleHandleA(PM_TEST_DELAY_PROBE_PATH), nullptr);
}
