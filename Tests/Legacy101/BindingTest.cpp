// The delayed import of the format 101 module in Varnex200_2013x64: legacy
// blocks moved and copied, and the module missing or loaded late.
#include "PmElement.h"
#include "UpgradeTestSupport.h"

using UpgradeTest::IsOfType;
using UpgradeTest::LegacyExport;

namespace
{
using CreateBlockFunction = CQdBlock*(element*);

// A block made by the format 101 module's own factory, not yet in the drawing.
CQdBlock* LegacyBlock(AcDbObjectId definition, double x)
{
    AcDbBlockReference source(AcGePoint3d(x, 0.0, 0.0), definition);
    element drawingObject{0, &source};
    return LegacyExport<CreateBlockFunction>("_ZN15CPmBlockFactory11CreateBlockEP7element")(&drawingObject);
}

CPmPart* PartWith(CQdBlock* block)
{
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(block);
    return part;
}

class BindingTest : public LegacyDrawingInHostTest
{
};

class MissingModuleTest : public testing::Test
{
};

TEST_F(BindingTest, AddSegmentMovesLegacyBlocksThroughTheFormat101Module)
{
    const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Legacy");
    CPmPart* part = PartWith(LegacyBlock(symbol, 1.0));
    CPmPart* child = PartWith(LegacyBlock(symbol, 2.0));
    CPmPart* grandchild = PartWith(LegacyBlock(symbol, 3.0));
    child->AddPart(grandchild);
    part->AddPart(child);
    ASSERT_TRUE(IsOfType(*part->Block(), "12CQdAcadBlock"));
    ASSERT_FALSE(part->Block()->Handle()->isNull()) << "added to the drawing by the format 101 module";

    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    PmPosition200 first;
    first.pt = {7.0, 8.0, 9.0};
    first.tpt = {0.0, 0.0, 0.0};
    segment->AddPath({first});
    std::unique_ptr<CPmSection200> section(CPmDbxFactory200::MakeSection());
    section->AddSegment(segment);

    EXPECT_EQ(HostDrawing::PositionOf(*part->Block()->Handle()), (HostDrawing::Xyz{7.0, 8.0, 9.0}));
    EXPECT_EQ(HostDrawing::PositionOf(*child->Block()->Handle()), (HostDrawing::Xyz{7.0, 8.0, 9.0}));
    EXPECT_EQ(HostDrawing::PositionOf(*grandchild->Block()->Handle()), (HostDrawing::Xyz{3.0, 0.0, 0.0}));
}

TEST_F(BindingTest, CopyBlockTurnsALegacyBlockIntoACurrentOneWithoutSharingItsReference)
{
    const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Legacy");
    std::unique_ptr<CQdBlock> held(LegacyBlock(symbol, 4.0));
    std::unique_ptr<CQdBlock> copy(CPmBlockFactory::CopyBlock(*held));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(IsOfType(*copy, "12CZrAcadBlock"));
    EXPECT_NE(copy->BlockRef(), held->BlockRef()) << "no reference is shared, so none is freed twice";

    held->AddToDrawing(false);
    std::unique_ptr<CQdBlock> added(CPmBlockFactory::CopyBlock(*held));
    EXPECT_TRUE(IsOfType(*added, "12CZrAcadBlock"));
    EXPECT_EQ(*added->Handle(), *held->Handle());
}

TEST_F(MissingModuleTest, WithoutTheFormat101ModuleNothingLegacyIsFoundUntilItIsLoaded)
{
    TestProcesses::RunInFreshHost([] {
        const std::string file = UpgradeTest::LegacyDrawingFile();
        ASSERT_TRUE(UpgradeTest::LoadModule(false));
        ASSERT_EQ(GetModuleHandleA(PM_TEST_LEGACY_FILE), nullptr);
        {
            std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(file));
            ASSERT_NE(drawing, nullptr);
            EXPECT_EQ(HostDrawing::StoredClass(LegacyDrawing::kCart), L"AcDbProxyObject for CPmAcadSim");
            EXPECT_EQ(CPmDbxFactory200::LoadSim(LegacyDrawing::kCart), nullptr);
            CPmDbxFactory200::UpgradeSim(LegacyDrawing::kCart);
            EXPECT_EQ(ListPtr(CPmDbxFactory200::LoadSimList(true, true))->Size(), 0);
            EXPECT_EQ(HostDrawing::StoredClass(LegacyDrawing::kCart), L"AcDbProxyObject for CPmAcadSim");
        }

        // Loaded later, the module is found by its file name on the next call.
        const std::string legacy = std::string(PM_TEST_COMMON_FILES) + "/Quendal Solutions/" + PM_TEST_LEGACY_FILE;
        ASSERT_TRUE(HostDrawing::LoadModule(legacy.c_str()));
        std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(file));
        SimPtr cart(CPmDbxFactory200::LoadSim(LegacyDrawing::kCart));
        ASSERT_NE(cart, nullptr);
        EXPECT_FALSE(cart->IsCurVersion());
    });
}
} // namespace
