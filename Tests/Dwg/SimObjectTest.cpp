// The persistent simulation object: its run-time class, Load, Save with the
// unique-id rule, Update, Close and Delete.
#include <memory>

#include "DwgTestSupport.h"

using namespace DwgTest;

namespace
{
class SimObjectTest : public DwgDrawingTest
{
protected:
    static PmSimId StoredId(const CString& name)
    {
        SimPtr sim(CPmDbxFactory200::LoadSim(name));
        return sim ? sim->Id() : ~PmSimId(0);
    }
};
} // namespace

TEST_F(SimObjectTest, RunTimeClassIsTheRegisteredOne)
{
    SimPtr sim(CPmDbxFactory200::MakeSim(0, 1));
    CPmAcadSim200* object = PmAcadSimOf(sim.get());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->isA(), acrxFindAcRxClass(L"CPmAcadSim200"));
    EXPECT_TRUE(object->isKindOf(AcDbObject::desc()));
    EXPECT_EQ(CPmAcadSim200::cast(object), object);
    EXPECT_EQ(CPmAcadSim200::cast(nullptr), nullptr);
    AcDbDictionary other;
    EXPECT_EQ(CPmAcadSim200::cast(&other), nullptr);
}

TEST_F(SimObjectTest, SaveStoresTheObjectItselfResidentAndClosed)
{
    CPmSim200* sim = MakeCartSim(_T("Cart"));
    CPmAcadSim200* object = PmAcadSimOf(sim);
    EXPECT_EQ(sim->Save(), 0);
    EXPECT_FALSE(object->objectId().isNull());
    EXPECT_EQ(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Cart")), object->objectId());
    EXPECT_TRUE(static_cast<CZrAcadObject*>(object)->Name().IsEmpty()) << "the host object's name is not the key";
    EXPECT_EQ(sim->Update(), 0) << "Update stores it again, like Save";
    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Cart")});
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimObjectTest, LoadOpensTheStoredSimulationNamedWithTheKey)
{
    Store(_T("Cart"), 0);
    CPmSim200* loaded = CPmAcadSim200::Load(_T("Cart"));
    ASSERT_NE(loaded, nullptr);
    CPmAcadSim200* object = PmAcadSimOf(loaded);
    EXPECT_EQ(object->objectId(), CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Cart")));
    EXPECT_EQ(*loaded->Name(), CString(_T("Cart")));
    EXPECT_TRUE(object->isReadEnabled());
    EXPECT_FALSE(object->isWriteEnabled());
    EXPECT_EQ(loaded->Close(), 0);
    AcDbObject* opened = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(opened, object->objectId(), AcDb::kForWrite), Acad::eOk) << "Close ended the read";
    opened->close();
}

TEST_F(SimObjectTest, LoadFindsNothingWhereNoCurrentSimulationIsStored)
{
    EXPECT_EQ(CPmAcadSim200::Load(_T("Cart")), nullptr);

    // An object of another class under the key.
    StoreForeignEntry(_T("Stranger"));
    EXPECT_EQ(CPmAcadSim200::Load(_T("Stranger")), nullptr);

    // A simulation whose record was of another version.
    CPmAcadSim200* old = PmAcadSimOf(CPmDbxFactory200::MakeSim(0, 1));
    old->SetIsCurVersion(false);
    ASSERT_EQ(CZrAcadObject::Save(kPmSimDictionary, _T("Old"), old), 0);
    EXPECT_EQ(CPmAcadSim200::Load(_T("Old")), nullptr);
    AcDbObject* opened = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(opened, old->objectId(), AcDb::kForWrite), Acad::eOk) << "it was closed again";
    opened->close();
}

TEST_F(SimObjectTest, SaveRefusesASimulationNotOfTheCurrentVersion)
{
    SimPtr sim(CPmDbxFactory200::MakeSim(0, 1));
    sim->SetName(_T("Old"));
    sim->SetIsCurVersion(false);
    EXPECT_EQ(sim->Save(), -1);
    EXPECT_EQ(sim->Update(), -1);
    int status = 0;
    EXPECT_TRUE(StoredNames(&status).empty());
    EXPECT_EQ(status, Acad::eKeyNotFound) << "nothing was made in the drawing";
    EXPECT_TRUE(PmAcadSimOf(sim.get())->objectId().isNull());
}

TEST_F(SimObjectTest, DeleteRemovesTheBlocksAndTheEntry)
{
    CPmSim200* sim = MakeCartSim(_T("Cart"));
    const AcDbHandle cartBlock = *sim->Sections()->at(0)->Segments()->at(0)->Block()->Handle();
    ASSERT_EQ(sim->Save(), 0);
    EXPECT_EQ(sim->Delete(), 0);
    EXPECT_TRUE(StoredNames().empty());
    EXPECT_TRUE(IdOfHandle(cartBlock).isErased());
    EXPECT_FALSE(PmAcadSimOf(sim)->objectId().isNull()) << "the object itself stays";
    CPmDbxFactory200::DeleteSim(sim);
}

TEST_F(SimObjectTest, DeleteOfASimulationNeverStoredAddsMinusOne)
{
    SimPtr sim(CPmDbxFactory200::MakeSim(0, 1));
    sim->SetName(_T("Loose"));
    EXPECT_EQ(sim->Delete(), -1);
}

namespace
{
// What a stored simulation's id names.
enum class IdKind
{
    Nothing,         // a handle the drawing does not have
    Zero,
    NothingHigh,     // Nothing plus a high word: another 64-bit id
    NamedObjects,    // the named objects dictionary: not a block reference
    BlockReference,  // a live block reference
};

struct IdRuleCase
{
    const char* label;
    const TCHAR* storedName;
    IdKind storedId;
    const TCHAR* savedName;
    IdKind savedId;
    bool storedLosesItsId;   // stored again with id 0
    bool storedAgain;        // the entry now holds another object
};

const IdRuleCase kIdRuleCases[] = {
    {"OtherNameSameId", _T("Route A"), IdKind::Nothing, _T("Route B"), IdKind::Nothing, true, true},
    {"NamesDifferOnlyInCase", _T("route"), IdKind::Nothing, _T("Route"), IdKind::Nothing, true, true},
    {"OtherId", _T("Route A"), IdKind::Nothing, _T("Route B"), IdKind::NothingHigh, false, false},
    {"BothIdZero", _T("Route A"), IdKind::Zero, _T("Route B"), IdKind::Zero, false, true},
    {"SameBlockReference", _T("Route A"), IdKind::BlockReference, _T("Route B"), IdKind::BlockReference, true,
     true},
    {"NotListedWhenItNamesNoBlock", _T("Route A"), IdKind::NamedObjects, _T("Route B"), IdKind::NamedObjects,
     false, false},
};

void PrintTo(const IdRuleCase& c, std::ostream* os)
{
    *os << c.label;
}

class IdRuleTest : public SimObjectTest, public testing::WithParamInterface<IdRuleCase>
{
protected:
    PmSimId Resolve(IdKind kind)
    {
        switch (kind)
        {
        case IdKind::Nothing:
            return 0x7000;
        case IdKind::NothingHigh:
            return (PmSimId(1) << 32) | 0x7000;
        case IdKind::NamedObjects:
            return IdOf(Drawing()->namedObjectsDictionaryId());
        case IdKind::BlockReference:
            if (m_reference.isNull())
                m_reference = AddReference(AddBlockDefinition(L"CART"), {0.0, 0.0, 0.0});
            return IdOf(m_reference);
        case IdKind::Zero:
            break;
        }
        return 0;
    }

private:
    AcDbObjectId m_reference;
};
} // namespace

TEST_P(IdRuleTest, NoOtherListedSimulationKeepsTheSavedId)
{
    const IdRuleCase& c = GetParam();
    const PmSimId storedId = Resolve(c.storedId);
    Store(c.storedName, storedId);
    const AcDbObjectId before = CZrAcadObject::GetObjectId(kPmSimDictionary, c.storedName);

    Store(c.savedName, Resolve(c.savedId));

    EXPECT_EQ(StoredId(c.storedName), c.storedLosesItsId ? 0 : storedId);
    EXPECT_EQ(StoredId(c.savedName), Resolve(c.savedId));
    EXPECT_EQ(CZrAcadObject::GetObjectId(kPmSimDictionary, c.storedName) != before, c.storedAgain);
}

INSTANTIATE_TEST_SUITE_P(Cases, IdRuleTest, testing::ValuesIn(kIdRuleCases),
                         [](const testing::TestParamInfo<IdRuleCase>& test) { return test.param.label; });

TEST_F(SimObjectTest, SavingUnderItsOwnNameReplacesWithoutTouchingTheId)
{
    Store(_T("Route"), 0x7000);
    Store(_T("Route"), 0x7000);
    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Route")});
    EXPECT_EQ(StoredId(_T("Route")), 0x7000u);
}

namespace
{
// The stored object of the key opened in the mode, as a client opens it.
CPmAcadSim200* OpenStoredFor(const CString& key, AcDb::OpenMode mode)
{
    AcDbObject* object = nullptr;
    acdbOpenAcDbObject(object, CZrAcadObject::GetObjectId(kPmSimDictionary, key), CPmAcadSim200::desc(), mode);
    return CPmAcadSim200::cast(object);
}
} // namespace

TEST_F(SimObjectTest, UpdateStoresTheSimulationTheCallerHoldsOpenForWrite)
{
    // The host's edit pattern: open the stored simulation for write, change it, Update.
    Store(_T("Cart"), 0x7000);
    // Another one with the same id, stored past the id rule.
    CPmSim200* other = CPmDbxFactory200::MakeSim(0x7000, 1);
    ASSERT_EQ(CZrAcadObject::Save(kPmSimDictionary, _T("Other"), PmAcadSimOf(other)), 0);
    CPmDbxFactory200::DeleteSim(other);
    CPmAcadSim200* held = OpenStoredFor(_T("Cart"), AcDb::kForWrite);
    ASSERT_NE(held, nullptr);
    held->SetName(_T("Cart"));
    held->SetType(9);

    EXPECT_EQ(held->Update(), 0);

    SimPtr stored(CPmDbxFactory200::LoadSim(_T("Cart")));
    ASSERT_NE(stored, nullptr) << "Update closed it";
    EXPECT_EQ(stored->Type(), 9);
    EXPECT_EQ(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Cart")), held->objectId()) << "the same object";
    EXPECT_EQ(StoredId(_T("Other")), 0u) << "the id rule still holds";
    EXPECT_EQ(StoredId(_T("Cart")), 0x7000u);
}

namespace
{
struct HeldReferenceCase
{
    const char* label;
    AcDb::OpenMode mode;
};

const HeldReferenceCase kHeldReferenceCases[] = {{"ForRead", AcDb::kForRead}, {"ForWrite", AcDb::kForWrite}};

void PrintTo(const HeldReferenceCase& c, std::ostream* os)
{
    *os << c.label;
}

class HeldReferenceTest : public SimObjectTest, public testing::WithParamInterface<HeldReferenceCase>
{
};
} // namespace

// The client holds open the block reference another stored simulation names
// (it is moving that cart) and saves a new simulation with that id.
TEST_P(HeldReferenceTest, SaveGoesPastAnotherSimulationsBlockReference)
{
    const AcDbObjectId reference = AddReference(AddBlockDefinition(L"CART"), {0.0, 0.0, 0.0});
    Store(_T("Moving"), IdOf(reference));
    Store(_T("Apart"), 0x7000);
    AcDbObject* held = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(held, reference, GetParam().mode), Acad::eOk);

    SimPtr sim(CPmDbxFactory200::MakeSim(IdOf(reference), 1));
    sim->SetName(_T("Saved"));
    const int saved = sim->Save();
    held->close();

    EXPECT_EQ(saved, 0);
    EXPECT_EQ(StoredNames(), (std::vector<CString>{_T("Apart"), _T("Moving"), _T("Saved")}));
    EXPECT_EQ(StoredId(_T("Saved")), IdOf(reference));
    EXPECT_EQ(StoredId(_T("Moving")), 0u) << "the other simulation still loses the id it shared";
    EXPECT_EQ(StoredId(_T("Apart")), 0x7000u);
}

INSTANTIATE_TEST_SUITE_P(Modes, HeldReferenceTest, testing::ValuesIn(kHeldReferenceCases),
                         [](const testing::TestParamInfo<HeldReferenceCase>& test) { return test.param.label; });

// Another simulation's entry that cannot be read leaves its id unknown: the
// rule could not be kept, so nothing is stored.
TEST_F(SimObjectTest, SaveFailsWhileAnotherSimulationsEntryCannotBeRead)
{
    Store(_T("Other"), 0x7000);
    CPmAcadSim200* held = OpenStoredFor(_T("Other"), AcDb::kForWrite);
    ASSERT_NE(held, nullptr);

    SimPtr sim(CPmDbxFactory200::MakeSim(0x7000, 1));
    sim->SetName(_T("Saved"));
    EXPECT_EQ(sim->Save(), Acad::eWasOpenForWrite);
    held->close();

    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Other")});
    EXPECT_EQ(StoredId(_T("Other")), 0x7000u);
    EXPECT_TRUE(PmAcadSimOf(sim.get())->objectId().isNull()) << "it stays the caller's";
}

// An entry of another class holds no simulation, so no id of the rule: a
// client holding it open for write is no reason to refuse the Save, in the
// builds that ask a format 101 module too.
TEST_F(SimObjectTest, SaveGoesPastAnEntryOfAnotherClassHeldOpenForWrite)
{
    StoreForeignEntry(_T("Stranger"));
    Store(_T("Other"), 0x7100);
    HostDrawing::HeldOpen stranger;
    ASSERT_EQ(stranger.Open(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Stranger")), AcDb::kForWrite),
              Acad::eOk);

    SimPtr sim(CPmDbxFactory200::MakeSim(0x7100, 1));
    sim->SetName(_T("Saved"));
    EXPECT_EQ(sim->Save(), 0);
    stranger.Release();

    EXPECT_EQ(StoredNames(), (std::vector<CString>{_T("Other"), _T("Saved"), _T("Stranger")}));
    EXPECT_EQ(StoredId(_T("Saved")), 0x7100u);
    EXPECT_EQ(StoredId(_T("Other")), 0u) << "the rule still cleared the shared id";
}
