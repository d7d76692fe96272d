#include "UpgradeTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <typeinfo>

namespace UpgradeTest
{
std::string LegacyDrawingFile()
{
    const std::string file = SharedFile("legacy.dwg");
    if (!std::filesystem::exists(file))
    {
        const std::string written = TestProcesses::RunDrawingTool(PM_TEST_TOOL_PATH, "write '" + file + "'");
        EXPECT_EQ(written, "") << "the drawing tool did not write the legacy drawing";
    }
    return file;
}

std::string SharedFile(const char* name)
{
    return TestProcesses::SharedTempDir("drawings") + "/" + name;
}

std::string ToolDump(const std::string& file)
{
    return TestProcesses::RunDrawingTool(PM_TEST_TOOL_PATH, "dump '" + file + "'");
}

bool LoadModule(bool withCompanyFolder)
{
    if (withCompanyFolder)
        setenv("CommonProgramFiles", PM_TEST_COMMON_FILES, 1);
    else
        unsetenv("CommonProgramFiles");
    return HostDrawing::LoadModule(PM_TEST_MODULE_PATH);
}

FARPROC LegacyProc(const char* name)
{
    return GetProcAddress(GetModuleHandleA(PM_TEST_LEGACY_FILE), name);
}

FARPROC CurrentProc(const char* name)
{
    return GetProcAddress(GetModuleHandleA(PM_TEST_MODULE_PATH), name);
}

bool IsOfType(const CQdBlock& block, const char* name)
{
    const char* actual = typeid(block).name();
    if (*actual == '*')
        ++actual;
    return std::strcmp(actual, name) == 0;
}
} // namespace UpgradeTest

void LegacyDrawingInHostTest::SetUpTestSuite()
{
    static const bool loaded = UpgradeTest::LoadModule(true);
    ASSERT_TRUE(loaded) << "the module under test does not load";
    ASSERT_NE(GetModuleHandleA(PM_TEST_LEGACY_FILE), nullptr) << "start-up loads the format 101 module";
}

void LegacyDrawingInHostTest::SetUp()
{
    const std::string file = UpgradeTest::LegacyDrawingFile();
    m_heapBefore = acdbHostHeapLiveBlocks();
    m_drawing = HostDrawing::OpenDrawing(file);
    ASSERT_NE(m_drawing, nullptr) << file;
}

void LegacyDrawingInHostTest::TearDown()
{
    DrawingCloser()(m_drawing);
    m_drawing = nullptr;
    EXPECT_EQ(acdbHostHeapLiveBlocks(), m_heapBefore) << "a host heap block outlived the drawing";
}

std::string LegacyDrawingInHostTest::DumpOfSavedDrawing(const char* name)
{
    const std::string file = UpgradeTest::SharedFile(name);
    EXPECT_EQ(m_drawing->saveAs(CStringW(file.c_str()).GetString()), Acad::eOk);
    return UpgradeTest::ToolDump(file);
}
