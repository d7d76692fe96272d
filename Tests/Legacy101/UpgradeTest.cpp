// A drawing made by a host with only a format 101 module, reopened by a host
// that loads Varnex200_2013x64 and through it the format 101 module of its SDK.
#include <cmath>

#include "UpgradeTestSupport.h"

using namespace LegacyDrawing;
using UpgradeTest::IsOfType;

namespace
{
class LegacyUpgradeTest : public LegacyDrawingInHostTest
{
protected:
    static std::vector<CString> Names(const CPmSimList200& list)
    {
        std::vector<CString> names;
        for (int i = 0; i < list.Size(); ++i)
            names.push_back(*list.Sim(i)->Name());
        return names;
    }

    static std::vector<std::wstring> StoredClasses()
    {
        std::vector<std::wstring> classes;
        for (const CString& key : HostDrawing::StoredNames())
            classes.push_back(HostDrawing::StoredClass(key));
        return classes;
    }

    static CPmSegment200& FirstSegment(CPmSim200& sim) { return *(*sim.Sections())[0]->Segments()->front(); }
};

const std::vector<std::wstring> kAllLegacy = {L"CPmAcadSim", L"CPmAcadSim", L"CPmAcadSim"};
const std::vector<std::wstring> kAllCurrent = {L"CPmAcadSim200", L"CPmAcadSim200", L"CPmAcadSim200"};

TEST_F(LegacyUpgradeTest, LoadSimConvertsACopyMarkedNotCurrentAndLeavesTheDrawingUnchanged)
{
    const std::string before = DumpOfSavedDrawing("before.dwg");

    SimPtr cart(CPmDbxFactory200::LoadSim(kCart));
    ASSERT_NE(cart, nullptr);
    EXPECT_FALSE(cart->IsCurVersion());
    EXPECT_EQ(*cart->Name(), CString(kCart));
    EXPECT_EQ(cart->Type(), kCartType);
    EXPECT_EQ(cart->SimInUse(), 0);
    EXPECT_EQ(cart->Length(), kCartPositions);
    const CPmSection200& section = *(*cart->Sections())[0];
    EXPECT_DOUBLE_EQ(section.Speed(), kCartSpeed);
    EXPECT_EQ(section.SpeedUnits(), kCartUnits);
    ASSERT_EQ(FirstSegment(*cart).Positions()->size(), size_t(kCartPositions));
    for (int i = 0; i < kCartPositions; ++i)
    {
        // Each old position becomes its points, a turn about z by its angle and
        // a translation by its point's x and y.
        const Position expected = PathPosition(i, kCartFirst);
        PmPosition200& position = *FirstSegment(*cart).Position(static_cast<unsigned>(i));
        EXPECT_EQ(position.pt.z, expected.pt[2]);
        EXPECT_EQ(position.tpt.x, expected.tpt[0]);
        EXPECT_EQ(position.transform(0, 0), std::cos(expected.ang));
        EXPECT_EQ(position.transform(1, 0), std::sin(expected.ang));
        EXPECT_EQ(position.transform(0, 3), expected.pt[0]);
        EXPECT_EQ(position.transform(1, 3), expected.pt[1]);
        EXPECT_EQ(position.transform(2, 3), 0.0);
    }

    SimPtr crane(CPmDbxFactory200::LoadSim(kCrane));
    ASSERT_NE(crane, nullptr);
    EXPECT_FALSE(crane->IsCurVersion());
    EXPECT_EQ(crane->Id(), kCraneId) << "the 64-bit id comes back whole";
    EXPECT_EQ(crane->SimInUse(), 1);
    EXPECT_EQ(crane->Length(), kCraneLength);
    EXPECT_DOUBLE_EQ((*crane->Sections())[0]->Speed(), kCraneSpeed);
    EXPECT_EQ((*crane->Sections())[1]->Segments()->size(), 2u);
    EXPECT_EQ(CPmDbxFactory200::LoadSim(L"Missing"), nullptr);

    EXPECT_EQ(StoredClasses(), kAllLegacy);
    EXPECT_EQ(DumpOfSavedDrawing("after.dwg"), before) << "reading changes nothing in the drawing";
}

TEST_F(LegacyUpgradeTest, PartsCopiedFromFormat101PartsHoldCurrentBlocks)
{
    SimPtr cart(CPmDbxFactory200::LoadSim(kCart));
    CPmPart* part = FirstSegment(*cart).Part();
    ASSERT_NE(part, nullptr);
    ASSERT_NE(part->Block(), nullptr);
    EXPECT_TRUE(IsOfType(*part->Block(), "12CZrAcadBlock"));
    EXPECT_EQ(HostDrawing::IdOf(*part->Block()->Handle()), cart->Id()) << "for the same drawing reference";
    ASSERT_EQ(part->NumSubParts(), 1);
    EXPECT_TRUE(IsOfType(*part->SubPart(0)->Block(), "12CZrAcadBlock"));
    EXPECT_EQ(part->SubPart(0)->Offset().x, 1.0);
    EXPECT_EQ(part->Offset().z, 0.5);
}

TEST_F(LegacyUpgradeTest, ListingWithUpgradeWritesThemBackInFormat200UnderTheirKeys)
{
    ListPtr listed(CPmDbxFactory200::LoadSimList(true, false));
    EXPECT_EQ(Names(*listed), (std::vector<CString>{kCart, kCrane, kGhost}));
    EXPECT_FALSE(listed->Sim(0)->IsCurVersion());
    EXPECT_EQ(StoredClasses(), kAllLegacy) << "listing without upgrade writes nothing";
    listed.reset();

    ListPtr upgraded(CPmDbxFactory200::LoadSimList(true, true));
    ASSERT_EQ(upgraded->Size(), 3);
    for (int i = 0; i < upgraded->Size(); ++i)
        EXPECT_TRUE(upgraded->Sim(i)->IsCurVersion()) << i;
    upgraded.reset();
    EXPECT_EQ(StoredClasses(), kAllCurrent);

    SimPtr crane(CPmDbxFactory200::LoadSim(kCrane));
    ASSERT_NE(crane, nullptr);
    EXPECT_TRUE(crane->IsCurVersion());
    EXPECT_EQ(crane->Id(), kCraneId);
    EXPECT_EQ(crane->Length(), kCraneLength);
    EXPECT_NE(DumpOfSavedDrawing("upgraded.dwg").find("key: Crane class: AcDbProxyObject for CPmAcadSim200"),
              std::string::npos)
        << "the upgraded drawing holds format 200 objects";
}

TEST_F(LegacyUpgradeTest, ListingWithoutKeepAllDropsOnlyTheSimulationWhoseReferenceIsErased)
{
    // The ghost's erased reference did not survive the file: its handle, like
    // the crane's, is unknown to the drawing, which keeps a simulation here.
    SimPtr cart(CPmDbxFactory200::LoadSim(kCart));
    HostDrawing::Erase(HostDrawing::IdOfHandle(AcDbHandle(cart->Id())));
    ListPtr kept(CPmDbxFactory200::LoadSimList(false, false));
    EXPECT_EQ(Names(*kept), (std::vector<CString>{kCrane, kGhost}));
}

TEST_F(LegacyUpgradeTest, UpgradeSimRewritesOneSimulationOnce)
{
    CPmDbxFactory200::UpgradeSim(kCrane);
    EXPECT_EQ(StoredClasses(), (std::vector<std::wstring>{L"CPmAcadSim", L"CPmAcadSim200", L"CPmAcadSim"}));
    const AcDbObjectId upgraded = CZrAcadObject::GetObjectId(L"QD_SIM", kCrane);
    SimPtr crane(CPmDbxFactory200::LoadSim(kCrane));
    ASSERT_NE(crane, nullptr);
    EXPECT_TRUE(crane->IsCurVersion());
    EXPECT_EQ(crane->SimInUse(), 1);
    EXPECT_EQ(crane->Id(), kCraneId);

    CPmDbxFactory200::UpgradeSim(kCrane);
    CPmDbxFactory200::UpgradeSim(L"Missing");
    EXPECT_EQ(CZrAcadObject::GetObjectId(L"QD_SIM", kCrane), upgraded) << "a current simulation is left as it is";
    EXPECT_EQ(HostDrawing::StoredNames().size(), 3u);
}

// A new simulation saved with the cart's id takes the id from it: the cart is
// stored again without an id, as a format 200 record that reads as current.
class IdRuleOverLegacyTest : public LegacyUpgradeTest
{
protected:
    void SetUp() override
    {
        LegacyUpgradeTest::SetUp();
        SimPtr cart(CPmDbxFactory200::LoadSim(kCart));
        ASSERT_NE(cart, nullptr);
        SimPtr mine(CPmDbxFactory200::MakeSim(cart->Id(), 1));
        mine->SetName(L"Mine");
        ASSERT_EQ(mine->Save(), 0);
    }
};

TEST_F(IdRuleOverLegacyTest, TheConvertedSimulationStaysLoadableListedAndDeletable)
{
    EXPECT_EQ(HostDrawing::StoredClass(kCart), L"CPmAcadSim200");
    SimPtr cart(CPmDbxFactory200::LoadSim(kCart));
    ASSERT_NE(cart, nullptr) << "the rewritten cart reads in the same session";
    EXPECT_TRUE(cart->IsCurVersion());
    EXPECT_EQ(cart->Id(), 0u);
    EXPECT_EQ(cart->Length(), kCartPositions);
    cart.reset();

    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    EXPECT_EQ(names, (std::vector<CString>{kCart, kCrane, kGhost, L"Mine"}));
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(kCart), 1);
    EXPECT_EQ(HostDrawing::StoredNames(), (std::vector<CString>{kCrane, kGhost, L"Mine"}));
}

TEST_F(IdRuleOverLegacyTest, CleanSimsRemovesTheConvertedSimulationToo)
{
    CleanSims();
    EXPECT_TRUE(HostDrawing::StoredNames().empty());
}

TEST_F(LegacyUpgradeTest, DeleteSimRemovesALegacySimulationUnlessItIsInUse)
{
    SimPtr cart(CPmDbxFactory200::LoadSim(kCart));
    const AcDbHandle body = *FirstSegment(*cart).Part()->Block()->Handle();
    const AcDbHandle wheel = *FirstSegment(*cart).Part()->SubPart(0)->Block()->Handle();

    EXPECT_EQ(CPmDbxFactory200::DeleteSim(kCrane), 2);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(kCart), 1);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(L"Missing"), 0);
    EXPECT_EQ(HostDrawing::StoredNames(), (std::vector<CString>{kCrane, kGhost}));
    EXPECT_TRUE(HostDrawing::IsErased(body));
    EXPECT_TRUE(HostDrawing::IsErased(wheel));
}

TEST_F(LegacyUpgradeTest, CleanSimsErasesEveryLegacySimulationAndItsBlocks)
{
    SimPtr crane(CPmDbxFactory200::LoadSim(kCrane));
    const AcDbHandle lift = *FirstSegment(*crane).Part()->Block()->Handle();
    CleanSims();
    int status = -1;
    EXPECT_TRUE(HostDrawing::StoredNames(&status).empty());
    EXPECT_EQ(status, 0) << "the empty sub-dictionary stays";
    EXPECT_TRUE(HostDrawing::IsErased(lift)) << "blocks of a simulation in use go too";
}
} // namespace
