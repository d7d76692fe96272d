// The export table of a format 101 module: what the format 200 modules bind,
// and the geometry classes only some builds offer.
#include <windows.h>

#include "ModuleTestSupport.h"
#include "PmLegacyBinding.h"

namespace
{
FARPROC Export(const char* name)
{
    return GetProcAddress(GetModuleHandleW(CStringW(PM_TEST_MODULE_PATH).GetString()), name);
}

TEST(ExportTest, ExportsWhatTheFormat200ModulesBindUnderTheNamesTheyUse)
{
    EXPECT_NE(Export(PmLegacy::kLoadSimExport), nullptr);
    EXPECT_NE(Export(PmLegacy::kSetPosExport), nullptr);
    EXPECT_NE(Export("acrxEntryPoint"), nullptr);
    EXPECT_NE(Export("_Z16PurgeDeletedSimsv"), nullptr);
    EXPECT_NE(Export("_Z9CleanSimsv"), nullptr);
}

TEST(ExportTest, PointsAndVectorsOnlyWhereTheBuildOffersThem)
{
    const char* measures[] = {"_ZNK8CQdPoint8DistanceERKS_", "_ZNK8CQdPoint5AngleERKS_",
                              "_ZNK9CQdVector12CrossProductERKS_", "_ZNK9CQdVector6LengthEv"};
    for (const char* name : measures)
        EXPECT_EQ(Export(name) != nullptr, ModuleTest::ThisBuild().pointsExported) << name;
}

TEST(ExportTest, TheTransformIsCompiledButNotExported)
{
    const char* operations[] = {"_ZN12CQdTransform14SetEulerAnglesEPd", "_ZN12CQdTransform14GetEulerAnglesEPd",
                                "_ZN12CQdTransformclEii", "_ZN12CQdTransformC1Ev"};
    for (const char* name : operations)
        EXPECT_EQ(Export(name), nullptr) << name;
}
} // namespace
