// The legacy drawing reopened by the 2015 SDK's build, which has no format
// 101 binding: the format 101 objects stay as proxies, nothing reads them, and
// saving the drawing again loses nothing of them.
#include <memory>

#include <gtest/gtest.h>

#include <windows.h>

#include "HostDrawing.h"
#include "LegacyDrawing.h"
#include "PmAcadPart.h"
#include "PmAcadSection200.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmElement.h"
#include "PmSegment200.h"
#include "PmSimList200.h"
#include "QdBlock.h"
#include "TestProcesses.h"

namespace
{
// The 2013 SDK's format 101 module of this bitness, which wrote the drawing.
const char kLegacyModule[] = PM_TEST_LEGACY_FILE;

std::string SharedFile(const char* name)
{
    return TestProcesses::SharedTempDir("drawings") + "/" + name;
}

std::string LegacyDrawingFile()
{
    const std::string file = SharedFile("legacy.dwg");
    EXPECT_EQ(TestProcesses::RunDrawingTool(PM_TEST_TOOL_PATH, "write '" + file + "'"), "");
    return file;
}

bool LoadModule()
{
    // The company folder is there; this build loads nothing from it.
    setenv("CommonProgramFiles", PM_TEST_COMMON_FILES, 1);
    return HostDrawing::LoadModule(PM_TEST_MODULE_PATH);
}

class UnboundTest : public testing::Test
{
};

TEST_F(UnboundTest, LegacyObjectsStayProxiesAndSavingAgainLosesNothing)
{
    TestProcesses::RunInFreshHost([] {
        const std::string original = LegacyDrawingFile();
        ASSERT_TRUE(LoadModule());
        EXPECT_EQ(GetModuleHandleA(kLegacyModule), nullptr);
        std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(original));
        ASSERT_NE(drawing, nullptr);

        const std::vector<CString> keys = HostDrawing::StoredNames();
        ASSERT_EQ(keys.size(), 3u);
        for (const CString& key : keys)
        {
            EXPECT_EQ(HostDrawing::StoredClass(key), L"AcDbProxyObject for CPmAcadSim");
            EXPECT_EQ(CPmDbxFactory200::LoadSim(key), nullptr);
            CPmDbxFactory200::UpgradeSim(key);
            EXPECT_EQ(CPmDbxFactory200::DeleteSim(key), 0);
        }
        std::vector<CString> names{L"stale"};
        CPmDbxFactory200::LoadSimNames(names);
        EXPECT_TRUE(names.empty());
        EXPECT_EQ(std::unique_ptr<CPmSimList200>(CPmDbxFactory200::LoadSimList(true, true))->Size(), 0);
        CleanSims();
        EXPECT_EQ(HostDrawing::StoredNames().size(), 3u);

        const std::string resaved = SharedFile("resaved.dwg");
        ASSERT_EQ(drawing->saveAs(CStringW(resaved.c_str()).GetString()), Acad::eOk);
        const std::string dump = TestProcesses::RunDrawingTool(PM_TEST_TOOL_PATH, "dump '" + original + "'");
        EXPECT_NE(dump.find("key: Crane class: CPmAcadSim\n  type: 7 id: 21474836546 in use: 1"), std::string::npos)
            << dump;
        EXPECT_EQ(TestProcesses::RunDrawingTool(PM_TEST_TOOL_PATH, "dump '" + resaved + "'"), dump);
    });
}

TEST_F(UnboundTest, EvenWithTheFormat101ModuleLoadedNothingIsBound)
{
    TestProcesses::RunInFreshHost([] {
        const std::string original = LegacyDrawingFile();
        ASSERT_TRUE(LoadModule());
        const std::string legacy = std::string(PM_TEST_COMMON_FILES) + "/Quendal Solutions/" + kLegacyModule;
        ASSERT_TRUE(HostDrawing::LoadModule(legacy.c_str()));
        std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(original));
        ASSERT_NE(drawing, nullptr);
        EXPECT_EQ(HostDrawing::StoredClass(LegacyDrawing::kCart), L"CPmAcadSim");
        EXPECT_EQ(CPmDbxFactory200::LoadSim(LegacyDrawing::kCart), nullptr);

        // A legacy block, made by the format 101 module, is neither moved nor copied here.
        using CreateBlockFunction = CQdBlock*(element*);
        auto* create = reinterpret_cast<CreateBlockFunction*>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA(kLegacyModule), "_ZN15CPmBlockFactory11CreateBlockEP7element")));
        ASSERT_NE(create, nullptr);
        const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Legacy");
        AcDbBlockReference source(AcGePoint3d(1.0, 0.0, 0.0), symbol);
        element drawingObject{0, &source};
        CPmPart* part = CPmDbxFactory200::MakePart();
        part->AddBlock(create(&drawingObject));
        EXPECT_EQ(CPmBlockFactory::CopyBlock(*part->Block()), nullptr);

        CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
        segment->AddPart(part);
        PmPosition200 first;
        first.pt = {7.0, 8.0, 9.0};
        first.tpt = {0.0, 0.0, 0.0};
        segment->AddPath({first});
        std::unique_ptr<CPmSection200> section(CPmDbxFactory200::MakeSection());
        section->AddSegment(segment);
        EXPECT_EQ(HostDrawing::PositionOf(*part->Block()->Handle()), (HostDrawing::Xyz{1.0, 0.0, 0.0}));
    });
}
} // namespace
