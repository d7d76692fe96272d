// The format 101 simulation object in the drawing: Load, Save with the
// unique-id rule, Update, Close, Delete, and the factory's LoadSim and DeleteSim.
#include <algorithm>

#include <dbhostfaults.h>

#include "HeldOpen.h"
#include "ModuleTestSupport.h"
#include "TestProcesses.h"
#include "PartChain.h"

namespace
{
class StorageTest : public LegacyDrawingTest
{
protected:
    // A simulation with one section whose part shows a block of the drawing.
    CPmSim* NewSim(const CString& name, PmSimId id, AcDbObjectId symbol = AcDbObjectId())
    {
        CPmSim* sim = CPmDbxFactory::MakeSim(id, 4);
        sim->SetName(name);
        CPmSection* section = CPmDbxFactory::MakeSection();
        section->AddSegment(LegacyBuild::MakeSegment(LegacyBuild::MakePart(symbol.isNull() ? Symbol() : symbol), 2, 1.0));
        sim->AddSection(section);
        return sim;
    }

    AcDbObjectId Symbol()
    {
        if (m_symbol.isNull())
            m_symbol = HostDrawing::AddBlockDefinition(L"Symbol");
        return m_symbol;
    }

    // The id stored under the key; the stored object is closed again.
    static PmSimId StoredId(const CString& key)
    {
        CPmAcadSim* stored = LegacyBuild::OpenStored(key);
        if (!stored)
            return ~PmSimId{0};
        const PmSimId id = stored->Id();
        stored->close();
        return id;
    }

private:
    AcDbObjectId m_symbol;
};

TEST_F(StorageTest, SaveStoresTheObjectUnderItsNameAndHandsItToTheDrawing)
{
    CPmSim* sim = NewSim(L"Route", 7);
    ASSERT_EQ(sim->Save(), 0);
    CPmAcadSim* object = PmLegacySimOf(sim);
    EXPECT_FALSE(object->objectId().isNull());
    EXPECT_FALSE(object->isReadEnabled()) << "the stored object is closed";
    EXPECT_EQ(HostDrawing::StoredNames(), std::vector<CString>{L"Route"});
    EXPECT_EQ(HostDrawing::StoredClass(L"Route"), L"CPmAcadSim");
    EXPECT_EQ(StoredId(L"Route"), 7u);
    EXPECT_EQ(sim->Update(), 0) << "Update stores it again through Save";
    EXPECT_EQ(HostDrawing::StoredNames().size(), 1u);
}

TEST_F(StorageTest, SaveGivesStoredSimulationsOfOtherNamesWithTheSameIdIdZero)
{
    ASSERT_EQ(NewSim(L"First", 7)->Save(), 0);
    ASSERT_EQ(NewSim(L"first", 7)->Save(), 0) << "names differing in case are different simulations";
    ASSERT_EQ(NewSim(L"Other", 8)->Save(), 0);
    EXPECT_EQ(StoredId(L"First"), 0u);
    EXPECT_EQ(StoredId(L"first"), 7u);
    EXPECT_EQ(StoredId(L"Other"), 8u);

    // A simulation of the same name keeps its id in the scan; the key then takes the new object.
    CPmSim* again = NewSim(L"first", 7);
    again->SetType(9);
    ASSERT_EQ(again->Save(), 0);
    CPmAcadSim* stored = LegacyBuild::OpenStored(L"first");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored, PmLegacySimOf(again));
    EXPECT_EQ(stored->Type(), 9);
    stored->close();
}

TEST_F(StorageTest, LoadSimGivesADetachedNamedCopyAndClosesTheStoredObject)
{
    ASSERT_EQ(NewSim(L"Route", 7)->Save(), 0);
    HostDrawing::StoreForeignEntry(L"Foreign");

    EXPECT_EQ(CPmDbxFactory::LoadSim(L"Missing"), nullptr);
    EXPECT_EQ(CPmDbxFactory::LoadSim(L"Foreign"), nullptr) << "an object of another class is not read";
    LegacySimPtr copy(CPmDbxFactory::LoadSim(L"Route"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(*copy->Name(), CString(L"Route"));
    EXPECT_EQ(copy->Id(), 7u);
    EXPECT_EQ(copy->Length(), 2);
    EXPECT_TRUE(PmLegacySimOf(copy.get())->objectId().isNull()) << "the copy belongs to no database";

    CPmAcadSim* stored = nullptr;
    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, CZrAcadObject::GetObjectId(L"QD_SIM", L"Route"), AcDb::kForWrite), Acad::eOk)
        << "the stored object was closed again";
    stored = CPmAcadSim::cast(opened);
    EXPECT_NE(stored, PmLegacySimOf(copy.get()));
    opened->close();
}

TEST_F(StorageTest, DeleteSimFreesADetachedSimulationAndCancelsAResidentOne)
{
    CPmDbxFactory::DeleteSim(nullptr);
    CPmDbxFactory::DeleteSim(NewSim(L"Detached", 1));  // the heap check of the fixture sees it freed

    CPmSim* resident = NewSim(L"Resident", 2);
    ASSERT_EQ(resident->Save(), 0);
    ASSERT_EQ(resident->Close(), Acad::eOk) << "closing a stored object that is not open changes nothing";
    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, PmLegacySimOf(resident)->objectId(), AcDb::kForRead), Acad::eOk);
    CPmDbxFactory::DeleteSim(resident);
    EXPECT_FALSE(opened->isReadEnabled()) << "the open is cancelled";
    EXPECT_EQ(HostDrawing::StoredClass(L"Resident"), L"CPmAcadSim") << "the drawing keeps it";
}

TEST_F(StorageTest, DeleteRemovesTheBlocksAndTheEntry)
{
    CPmSim* sim = NewSim(L"Route", 7);
    ASSERT_EQ(sim->Save(), 0);
    LegacySimPtr copy(CPmDbxFactory::LoadSim(L"Route"));
    const AcDbHandle block = *(*copy->Sections())[0]->Segments()->front()->Block()->Handle();
    EXPECT_EQ(copy->Delete(), 0);
    EXPECT_TRUE(HostDrawing::IsErased(block));
    EXPECT_TRUE(HostDrawing::StoredNames().empty());

    // Never stored: the blocks' status plus -1 for the missing entry.
    LegacySimPtr loose(NewSim(L"Loose", 1, HostDrawing::AddBlockDefinition(L"Other")));
    EXPECT_EQ(loose->Delete(), -1);
}

// The client's edit pattern: the stored simulation opened for write, changed
// and stored again with Update; its new id is another's, which loses it.
TEST_F(StorageTest, UpdateStoresTheSimulationTheClientHoldsOpenForWrite)
{
    ASSERT_EQ(NewSim(L"Route", 7)->Save(), 0);
    ASSERT_EQ(NewSim(L"Other", 8)->Save(), 0);
    {
        HeldOpen edited(CZrAcadObject::GetObjectId(L"QD_SIM", L"Route"), AcDb::kForWrite);
        ASSERT_EQ(edited.Status(), Acad::eOk);
        CPmAcadSim* sim = CPmAcadSim::cast(edited.Object());
        ASSERT_NE(sim, nullptr);
        sim->SetType(9);
        sim->SetId(8);
        EXPECT_EQ(sim->Update(), 0);
    }
    CPmAcadSim* stored = LegacyBuild::OpenStored(L"Route");
    ASSERT_NE(stored, nullptr) << "stored and closed";
    EXPECT_EQ(stored->Type(), 9);
    EXPECT_EQ(stored->Id(), 8u);
    stored->close();
    EXPECT_EQ(StoredId(L"Other"), 0u);
    EXPECT_EQ(HostDrawing::OpenObjects(), "");
}

// Objects the id rule neither reads nor changes, held open by the client:
// another simulation's block reference (the cart it moves) and an entity of
// model space. The Save stores, and still clears the other's shared id.
TEST_F(StorageTest, SaveGoesPastObjectsTheClientHoldsOpen)
{
    const AcDbObjectId cartReference = HostDrawing::AddReference(Symbol(), {1.0, 0.0, 0.0});
    const AcDbObjectId entity = HostDrawing::AddReference(HostDrawing::AddBlockDefinition(L"Tree"), {0.0, 9.0, 0.0});
    const PmSimId cartId = HostDrawing::IdOf(cartReference);
    for (const AcDbObjectId held : {cartReference, entity})
    {
        for (const AcDb::OpenMode mode : {AcDb::kForRead, AcDb::kForWrite})
        {
            SCOPED_TRACE(std::string(held == entity ? "entity " : "block reference ") + ModeName(mode));
            ASSERT_EQ(NewSim(L"Cart", cartId)->Save(), 0);
            HeldOpen client(held, mode);
            ASSERT_EQ(client.Status(), Acad::eOk);
            const int type = mode == AcDb::kForRead ? 5 : 6;
            CPmSim* dolly = NewSim(L"Dolly", cartId);
            dolly->SetType(type);
            ASSERT_EQ(dolly->Save(), 0);
            LegacySimPtr stored(CPmDbxFactory::LoadSim(L"Dolly"));
            ASSERT_NE(stored, nullptr);
            EXPECT_EQ(stored->Type(), type);
            EXPECT_EQ(stored->Id(), cartId);
            EXPECT_EQ(StoredId(L"Cart"), 0u) << "the shared id is cleared";
        }
    }
}

// Another simulation's entry that cannot be read leaves its id unknown: the
// Save cannot keep its promise and stores nothing.
TEST_F(StorageTest, SaveFailsOverAnotherEntryThatCannotBeReadAndStoresNothing)
{
    ASSERT_EQ(NewSim(L"Cart", 7)->Save(), 0);
    ASSERT_EQ(NewSim(L"Dolly", 3)->Save(), 0);
    HeldOpen edited(CZrAcadObject::GetObjectId(L"QD_SIM", L"Cart"), AcDb::kForWrite);
    ASSERT_EQ(edited.Status(), Acad::eOk);
    LegacySimPtr dolly(NewSim(L"Dolly", 7));
    EXPECT_EQ(dolly->Save(), Acad::eWasOpenForWrite);
    EXPECT_TRUE(PmLegacySimOf(dolly.get())->objectId().isNull()) << "still the caller's";
    EXPECT_EQ(StoredId(L"Dolly"), 3u) << "the stored one is kept";
    EXPECT_EQ(CPmAcadSim::cast(edited.Object())->Id(), 7u);
}

// A refusal over what the Save reads or stores fails it: nothing of it is
// stored, and the other simulation keeps its content, its shared id cleared
// only once it was stored again without it.
TEST_F(StorageTest, SaveRefusedWhatItStoresStoresNothingAndLosesNothing)
{
    struct Case
    {
        const char* what;
        DwgHostCall call;
        std::size_t nth;
    };
    // The id rule reads the names (two opens for read) and Cart (two for its
    // look-up, then its own), stores Cart again without the id (the first
    // setAt), then stores Dolly (the second).
    for (const Case& c : {Case{"reading another entry", DwgHostCall::OpenForRead, 5},
                          Case{"storing the other again", DwgHostCall::DictionarySetAt, 1},
                          Case{"storing the simulation", DwgHostCall::DictionarySetAt, 2}})
    {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(NewSim(L"Cart", 7)->Save(), 0);
        LegacySimPtr dolly(NewSim(L"Dolly", 7));
        dwgHostFault(c.call).failAt(c.nth);
        const int status = dolly->Save();
        const std::size_t failures = dwgHostFault(c.call).failures();
        dwgHostFaultsOff();
        EXPECT_EQ(failures, 1u);
        EXPECT_NE(status, 0);
        EXPECT_TRUE(PmLegacySimOf(dolly.get())->objectId().isNull()) << "still the caller's";
        EXPECT_EQ(HostDrawing::StoredNames(), std::vector<CString>{L"Cart"});
        EXPECT_EQ(StoredId(L"Cart"), c.nth == 2 ? 0u : 7u) << "cleared only once stored again";
        EXPECT_EQ(HostDrawing::OpenObjects(), "");
        ASSERT_EQ(dolly->Save(), 0) << "a later Save stores it";
        EXPECT_EQ(StoredId(L"Cart"), 0u);
        ASSERT_EQ(CZrAcadObject::Delete(L"QD_SIM", L"Dolly"), 0);
        dolly.release();  // the drawing's
    }
}

// The client holding the stored simulation open for write deletes it: the
// entry and the blocks go.
TEST_F(StorageTest, DeleteErasesTheSimulationTheClientHoldsOpenForWrite)
{
    ASSERT_EQ(NewSim(L"Route", 7)->Save(), 0);
    ASSERT_EQ(NewSim(L"Other", 8)->Save(), 0);
    AcDbHandle block;
    {
        HeldOpen edited(CZrAcadObject::GetObjectId(L"QD_SIM", L"Route"), AcDb::kForWrite);
        ASSERT_EQ(edited.Status(), Acad::eOk);
        CPmAcadSim* sim = CPmAcadSim::cast(edited.Object());
        ASSERT_NE(sim, nullptr);
        block = *(*sim->Sections())[0]->Segments()->front()->Block()->Handle();
        EXPECT_EQ(sim->Delete(), 0);
    }
    EXPECT_EQ(HostDrawing::StoredNames(), std::vector<CString>{L"Other"});
    EXPECT_TRUE(HostDrawing::IsErased(block));
    EXPECT_EQ(HostDrawing::OpenObjects(), "");
}

// A Delete that cannot erase the entry fails and removes nothing: the stored
// simulation keeps the blocks it shows.
TEST_F(StorageTest, DeleteThatCannotEraseTheEntryKeepsItsBlocks)
{
    struct Case
    {
        const char* what;
        DwgHostCall call;  // Kinds: the entry held open for read by another reader
    };
    for (const Case& c : {Case{"entry read by another", DwgHostCall::Kinds},
                          Case{"entry lookup refused", DwgHostCall::DictionaryGetAt},
                          Case{"entry open for write refused", DwgHostCall::OpenForWrite}})
    {
        SCOPED_TRACE(c.what);
        // Removing a block erases its definition too: each round shows one of its own.
        ASSERT_EQ(NewSim(L"Route", 7, HostDrawing::AddBlockDefinition(CStringW(c.what).GetString()))->Save(), 0);
        LegacySimPtr copy(CPmDbxFactory::LoadSim(L"Route"));
        ASSERT_NE(copy, nullptr);
        const AcDbHandle block = *(*copy->Sections())[0]->Segments()->front()->Block()->Handle();
        int status = 0;
        if (c.call == DwgHostCall::Kinds)
        {
            HeldOpen reader(CZrAcadObject::GetObjectId(L"QD_SIM", L"Route"), AcDb::kForRead);
            ASSERT_EQ(reader.Status(), Acad::eOk);
            status = copy->Delete();
            EXPECT_EQ(status, Acad::eWasOpenForRead);
        }
        else
        {
            dwgHostFault(c.call).failAt(1);
            status = copy->Delete();
            dwgHostFaultsOff();
        }
        EXPECT_NE(status, 0);
        EXPECT_EQ(HostDrawing::StoredNames(), std::vector<CString>{L"Route"});
        EXPECT_FALSE(HostDrawing::IsErased(block)) << "the stored simulation keeps its block";
        EXPECT_EQ(HostDrawing::OpenObjects(), "");
        EXPECT_EQ(copy->Delete(), 0) << "a later Delete removes it";
        EXPECT_TRUE(HostDrawing::IsErased(block));
    }
}
} // namespace

namespace
{
// A simulation whose one segment's part tree is a chain of that many parts.
CPmSim* NewChainSim(const CString& name, int depth)
{
    CPmSim* sim = CPmDbxFactory::MakeSim(9, 4);
    sim->SetName(name);
    CPmPart* root = CPmDbxFactory::MakePart();
    CPmPart* tip = root;
    for (int level = 2; level <= depth; ++level)
    {
        CPmPart* next = CPmDbxFactory::MakePart();
        tip->AddPart(next);
        tip = next;
    }
    CPmSection* section = CPmDbxFactory::MakeSection();
    section->AddSegment(LegacyBuild::MakeSegment(root, 2, 1.0));
    sim->AddSection(section);
    return sim;
}

// Parts on the stored simulation's chain; 0 when it does not load.
int StoredChainDepth(const CString& name)
{
    LegacySimPtr sim(CPmDbxFactory::LoadSim(name));
    if (!sim)
        return 0;
    const int depth = PartChainDepth(sim->Sections()->at(0)->Segments()->at(0)->Part());
    return depth;
}

class DeepPartTreeTest : public testing::Test
{
protected:
    void TearDown() override { TestProcesses::RemoveSharedTempDir("deep"); }
};
} // namespace

TEST_F(DeepPartTreeTest, TreesAreStoredOnlyAsDeepAsTheyReadBackFromTheDrawingFile)
{
    const std::wstring path = CStringW((TestProcesses::SharedTempDir("deep") + "/deep.dwg").c_str()).GetString();
    TestProcesses::RunInFreshHost([&] {
        ASSERT_TRUE(ModuleTest::LoadModule());
        auto* drawing = new AcDbDatabase;
        acdbHostApplicationServices()->setWorkingDatabase(drawing);
        struct Case
        {
            const wchar_t* name;
            int depth;
            int status;
        };
        for (const Case& c : {Case{L"Kept", 3, 0}, Case{L"Kept", 300, -1}, Case{L"Deep 200", 200, 0},
                              Case{L"Deep 256", 256, 0}, Case{L"Deep 257", 257, -1}})
        {
            CPmSim* sim = NewChainSim(c.name, c.depth);
            EXPECT_EQ(sim->Save(), c.status) << c.depth;
            CPmDbxFactory::DeleteSim(sim);
        }
        EXPECT_EQ(StoredChainDepth(L"Kept"), 3) << "a refused save keeps the earlier simulation";
        std::vector<CString> names = HostDrawing::StoredNames();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<CString>{L"Deep 200", L"Deep 256", L"Kept"}));
        EXPECT_EQ(drawing->saveAs(path.c_str()), Acad::eOk);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete drawing;
    });
    TestProcesses::RunInFreshHost([&] {
        ASSERT_TRUE(ModuleTest::LoadModule());
        auto* drawing = new AcDbDatabase(false, true);
        ASSERT_EQ(drawing->readDwgFile(path.c_str()), Acad::eOk);
        acdbHostApplicationServices()->setWorkingDatabase(drawing);
        EXPECT_EQ(StoredChainDepth(L"Kept"), 3);
        EXPECT_EQ(StoredChainDepth(L"Deep 200"), 200);
        EXPECT_EQ(StoredChainDepth(L"Deep 256"), 256);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete drawing;
    });
}
