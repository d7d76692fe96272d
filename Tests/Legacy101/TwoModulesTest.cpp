// A format 200 and a format 101 module in one process: each binds its own
// factories and classes of the same names, and the run-time type tests work
// on objects the other module made.
#include <memory>
#include <typeinfo>

#include "PmElement.h"
#include "PmLegacyBinding.h"
#include "PmSection.h"
#include "PmSegment.h"
#include "PmSim.h"
#include "UpgradeTestSupport.h"

using UpgradeTest::IsOfType;
using UpgradeTest::LegacyExport;

namespace
{
using CopyBlockFunction = CQdBlock*(const CQdBlock&);
using CreateBlockFunction = CQdBlock*(element*);
using MakePartFunction = CPmPart*();
using CastFunction = AcRxObject*(const AcRxObject*);
using LoadSimFunction = CPmSim*(const CString&);
using CleanSimsFunction = void();

const char kCopyBlock[] = "_ZN15CPmBlockFactory9CopyBlockERK8CQdBlock";
const char kCreateBlock[] = "_ZN15CPmBlockFactory11CreateBlockEP7element";

class TwoModulesTest : public LegacyDrawingInHostTest
{
protected:
    std::unique_ptr<CQdBlock> BlockMadeBy(CreateBlockFunction* create)
    {
        if (m_symbol.isNull())
            m_symbol = HostDrawing::AddBlockDefinition(L"Symbol");
        AcDbBlockReference source(AcGePoint3d(0.0, 0.0, 0.0), m_symbol);
        element drawingObject{0, &source};
        std::unique_ptr<CQdBlock> block(create(&drawingObject));
        block->AddToDrawing(false);
        return block;
    }

    // The stored object under the key, opened for read whatever its class.
    static AcDbObject* OpenStored(const CString& key)
    {
        AcDbObject* object = nullptr;
        acdbOpenAcDbObject(object, CZrAcadObject::GetObjectId(L"QD_SIM", key), AcDb::kForRead);
        return object;
    }

private:
    AcDbObjectId m_symbol;
};

TEST_F(TwoModulesTest, EachModuleExportsItsOwnDefinitionsOfTheSameNames)
{
    const char* names[] = {kCopyBlock, kCreateBlock, "_ZN15CPmBlockFactory20CreateAnimationBlockERK8CQdBlock",
                           "_Z9CleanSimsv", "_ZN13CZrAcadObject4SaveERK8CStringTIwES3_PS_", "_ZTI11CPmAcadPart",
                           "_ZTI21CPmAcadAnimationBlock", "_ZN7CPmPartC2ERKS_"};
    for (const char* name : names)
    {
        const FARPROC legacy = UpgradeTest::LegacyProc(name);
        const FARPROC current = UpgradeTest::CurrentProc(name);
        EXPECT_NE(legacy, nullptr) << name;
        EXPECT_NE(current, nullptr) << name;
        EXPECT_NE(legacy, current) << name;
    }
}

TEST_F(TwoModulesTest, EachModuleCopiesBlocksWithItsOwnFactory)
{
    std::unique_ptr<CQdBlock> legacy = BlockMadeBy(LegacyExport<CreateBlockFunction>(kCreateBlock));
    std::unique_ptr<CQdBlock> current = BlockMadeBy(&CPmBlockFactory::CreateBlock);
    ASSERT_TRUE(IsOfType(*legacy, "12CQdAcadBlock"));
    ASSERT_TRUE(IsOfType(*current, "12CZrAcadBlock"));

    CopyBlockFunction* legacyCopy = LegacyExport<CopyBlockFunction>(kCopyBlock);
    std::unique_ptr<CQdBlock> legacyOfLegacy(legacyCopy(*legacy));
    ASSERT_NE(legacyOfLegacy, nullptr);
    EXPECT_TRUE(IsOfType(*legacyOfLegacy, "12CQdAcadBlock"));
    EXPECT_EQ(legacyCopy(*current), nullptr) << "the format 101 factory does not know current blocks";

    std::unique_ptr<CQdBlock> currentOfLegacy(CPmBlockFactory::CopyBlock(*legacy));
    ASSERT_NE(currentOfLegacy, nullptr);
    EXPECT_TRUE(IsOfType(*currentOfLegacy, "12CZrAcadBlock"));
    EXPECT_EQ(*currentOfLegacy->Handle(), *legacy->Handle());
}

TEST_F(TwoModulesTest, EachFactoryMakesItsOwnModulesClassOfTheSameName)
{
    std::unique_ptr<CPmPart> legacy(LegacyExport<MakePartFunction>("_ZN13CPmDbxFactory8MakePartEv")());
    std::unique_ptr<CPmPart> current(CPmDbxFactory200::MakePart());
    EXPECT_STREQ(typeid(*legacy).name(), typeid(*current).name());
    EXPECT_NE(&typeid(*legacy), &typeid(*current)) << "two classes CPmAcadPart, one per module";
    EXPECT_EQ(&typeid(*current), &typeid(CPmAcadPart));
}

TEST_F(TwoModulesTest, RunTimeTypeTestsTellObjectsOfTheOtherModule)
{
    CastFunction* legacyCast = LegacyExport<CastFunction>("_ZN10CPmAcadSim4castEPK10AcRxObject");
    AcDbObject* stored = OpenStored(LegacyDrawing::kCart);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(CPmAcadSim200::cast(stored), nullptr);
    EXPECT_EQ(legacyCast(stored), stored);
    stored->close();

    SimPtr current(CPmDbxFactory200::MakeSim(0, 0));
    EXPECT_EQ(legacyCast(PmAcadSimOf(current.get())), nullptr);

    // The format 101 factory finds nothing under a key that holds a format 200 object.
    CPmDbxFactory200::UpgradeSim(LegacyDrawing::kCart);
    EXPECT_EQ(LegacyExport<LoadSimFunction>(PmLegacy::kLoadSimExport)(LegacyDrawing::kCart), nullptr);
}

TEST_F(TwoModulesTest, EachModulesCleanSimsFollowsItsOwnRule)
{
    // The format 101 one erases what still has its block reference: the cart.
    LegacyExport<CleanSimsFunction>("_Z9CleanSimsv")();
    EXPECT_EQ(HostDrawing::StoredNames(), (std::vector<CString>{LegacyDrawing::kCrane, LegacyDrawing::kGhost}));
    // The format 200 one erases everything it lists.
    CleanSims();
    EXPECT_TRUE(HostDrawing::StoredNames().empty());
}
} // namespace

// The format 200 module's copy assignment of format 101 objects copies every
// plain field and leaves each object the children it owns, so that both
// objects can be deleted by the module that made them.
TEST_F(TwoModulesTest, AssigningFormat101ObjectsInTheFormat200ModuleSharesNoChild)
{
    auto* loadSim = LegacyExport<LoadSimFunction>(PmLegacy::kLoadSimExport);
    std::unique_ptr<CPmSim> cart(loadSim(LegacyDrawing::kCart));
    std::unique_ptr<CPmSim> crane(loadSim(LegacyDrawing::kCrane));
    ASSERT_NE(cart, nullptr);
    ASSERT_NE(crane, nullptr);
    const std::vector<CPmSection*> cartSections = *cart->Sections();
    const std::vector<CPmSection*> craneSections = *crane->Sections();
    ASSERT_EQ(cartSections.size(), 1u);
    ASSERT_EQ(craneSections.size(), 2u);

    *cart = *crane;
    EXPECT_EQ(*cart->Name(), CString(LegacyDrawing::kCrane));
    EXPECT_EQ(cart->Type(), LegacyDrawing::kCraneType);
    EXPECT_EQ(cart->Id(), LegacyDrawing::kCraneId);
    EXPECT_EQ(cart->SimInUse(), 1);
    EXPECT_EQ(cart->Length(), LegacyDrawing::kCraneLength);
    EXPECT_EQ(*cart->Sections(), cartSections);
    EXPECT_EQ(*crane->Sections(), craneSections);

    CPmSection& cartSection = *cartSections[0];
    CPmSection& craneSection = *craneSections[0];
    const std::vector<CPmSegment*> segments = *cartSection.Segments();
    cartSection = craneSection;
    EXPECT_DOUBLE_EQ(cartSection.Speed(), LegacyDrawing::kCraneSpeed);
    EXPECT_EQ(cartSection.SpeedUnits(), LegacyDrawing::kCraneUnits);
    EXPECT_EQ(*cartSection.Segments(), segments);

    CPmSegment& cartSegment = *segments[0];
    CPmSegment& craneSegment = *(*craneSection.Segments())[0];
    const CPmPart* part = cartSegment.Part();
    cartSegment = craneSegment;
    EXPECT_EQ(cartSegment.Length(), craneSegment.Length());
    EXPECT_EQ(cartSegment.Positions()->size(), craneSegment.Positions()->size());
    EXPECT_EQ(cartSegment.Part(), part);

    cartSegment = cartSegment;
    cartSection = cartSection;
    *cart = *cart;
    EXPECT_EQ(cart->Length(), LegacyDrawing::kCraneLength);
}
