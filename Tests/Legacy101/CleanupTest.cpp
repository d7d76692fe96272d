// The format 101 module's clean-up functions against live and gone block references.
#include <map>
#include <string>

#include "HeldOpen.h"
#include "ModuleTestSupport.h"

namespace
{
class CleanupTest : public LegacyDrawingTest
{
protected:
    // Three simulations: one whose part's block still exists, and two whose
    // block reference is gone, one of them in use.
    void SetUp() override
    {
        LegacyDrawingTest::SetUp();
        const AcDbObjectId symbol = HostDrawing::AddBlockDefinition(L"Symbol");
        m_liveBlock = Store(L"Live", symbol, false, false);
        m_goneBlock = Store(L"Gone", symbol, false, true);
        m_usedBlock = Store(L"GoneInUse", symbol, true, true);
    }

    static std::vector<CString> Stored() { return HostDrawing::StoredNames(); }

    AcDbHandle m_liveBlock;
    AcDbHandle m_goneBlock;
    AcDbHandle m_usedBlock;
    // The reference each simulation's id names.
    std::map<std::wstring, AcDbObjectId> m_references;

    // The simulation's id is the handle of a reference of its own; its part shows a block.
    AcDbHandle Store(const CString& name, AcDbObjectId symbol, bool inUse, bool referenceGone)
    {
        const AcDbObjectId reference = HostDrawing::AddReference(symbol, {0.0, 0.0, 0.0});
        m_references[name.GetString()] = reference;
        CPmSim* sim = CPmDbxFactory::MakeSim(HostDrawing::IdOf(reference), 0);
        sim->SetName(name);
        sim->SetSimInUse(inUse);
        CPmSection* section = CPmDbxFactory::MakeSection();
        CPmPart* part = LegacyBuild::MakePart(symbol);
        const AcDbHandle block = *part->Block()->Handle();
        section->AddSegment(LegacyBuild::MakeSegment(part, 1, 0.0));
        sim->AddSection(section);
        EXPECT_EQ(sim->Save(), 0);
        if (referenceGone)
            HostDrawing::Erase(reference);
        return block;
    }
};

TEST_F(CleanupTest, PurgeErasesTheUnusedSimulationsWhoseReferenceIsGone)
{
    PurgeDeletedSims();
    EXPECT_EQ(Stored(), (std::vector<CString>{L"GoneInUse", L"Live"}));
    EXPECT_TRUE(HostDrawing::IsErased(m_goneBlock)) << "its blocks are removed with it";
    EXPECT_FALSE(HostDrawing::IsErased(m_usedBlock));
    EXPECT_FALSE(HostDrawing::IsErased(m_liveBlock));
}

TEST_F(CleanupTest, CleanErasesTheSimulationsWhoseReferenceStillExists)
{
    CleanSims();
    EXPECT_EQ(Stored(), (std::vector<CString>{L"Gone", L"GoneInUse"}));
    EXPECT_TRUE(HostDrawing::IsErased(m_liveBlock));
    EXPECT_FALSE(HostDrawing::IsErased(m_goneBlock));
}

// A block reference the client holds open (for read or for write) exists:
// Purge keeps its simulation and Clean erases it. An entity of model space
// held open is nothing to either.
TEST_F(CleanupTest, AReferenceTheClientHoldsOpenStillCountsAsExisting)
{
    const AcDbHandle movingBlock = Store(L"Moving", HostDrawing::AddBlockDefinition(L"Cart"), false, false);
    HeldOpen read(m_references.at(L"Live"), AcDb::kForRead);
    HeldOpen written(m_references.at(L"Moving"), AcDb::kForWrite);
    HeldOpen entity(HostDrawing::AddReference(HostDrawing::AddBlockDefinition(L"Tree"), {0.0, 9.0, 0.0}),
                    AcDb::kForWrite);
    ASSERT_EQ(read.Status(), Acad::eOk);
    ASSERT_EQ(written.Status(), Acad::eOk);
    ASSERT_EQ(entity.Status(), Acad::eOk);

    PurgeDeletedSims();
    EXPECT_EQ(Stored(), (std::vector<CString>{L"GoneInUse", L"Live", L"Moving"}));
    CleanSims();
    EXPECT_EQ(Stored(), std::vector<CString>{L"GoneInUse"});
    EXPECT_TRUE(HostDrawing::IsErased(m_liveBlock));
    EXPECT_TRUE(HostDrawing::IsErased(movingBlock));
}
} // namespace
