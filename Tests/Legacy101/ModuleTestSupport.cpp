#include "ModuleTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ModuleTest
{
namespace
{
const Build kBuilds[] = {
    {"Varnex101_2007x64", 27, 25, L"Varnex101_2007.dbx", true},
    {"Varnex101_2010x64", 29, 6, L"Varnex101_2010.dbx", true},
    {"Varnex101_2013x64", 31, 8, L"Varnex101_2004.dbx 1.1", false},
    {"Varnex101_2007", 27, 1, L"Varnex101_2007.dbx", true},
    {"Varnex101_2010", 29, 6, L"Varnex101_2010.dbx", true},
    {"Varnex101_2013", 31, 8, L"Varnex101_2004.dbx 1.1", false},
};
} // namespace

const Build& ThisBuild()
{
    for (const Build& build : kBuilds)
    {
        if (std::strcmp(build.deliverable, PM_TEST_DELIVERABLE) == 0)
            return build;
    }
    std::fprintf(stderr, "no expectations for %s\n", PM_TEST_DELIVERABLE);
    std::abort();
}

std::wstring ExpectedRegistrationText()
{
    return HostDrawing::RegistrationText(ThisBuild().registrationFile);
}

bool LoadModule()
{
    return HostDrawing::LoadModule(PM_TEST_MODULE_PATH);
}
} // namespace ModuleTest

void LegacyDrawingTest::SetUpTestSuite()
{
    static const bool loaded = ModuleTest::LoadModule();
    ASSERT_TRUE(loaded) << "the module under test does not load";
}
