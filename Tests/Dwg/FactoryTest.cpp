// The simulation factory of the DWG modules, the client's way in.
#include <memory>

#include <dbhostfaults.h>

#include "DwgTestSupport.h"
#include "PmAcadPart.h"
#include "PmAcadSection200.h"
#include "PmAcadSegment200.h"
#include "PmAcadSimList200.h"

using namespace DwgTest;

namespace
{
const CTime kLongAgo(2001, 2, 3, 4, 5, 6);

class FactoryTest : public DwgDrawingTest
{
protected:
    // Stores a cart simulation whose times lie in the past.
    static void StoreCart(const CString& name, bool inUse = false)
    {
        CPmSim200* sim = MakeCartSim(name);
        sim->SetDttmCreated(kLongAgo);
        sim->SetDttmEdited(kLongAgo);
        sim->SetSimInUse(inUse);
        ASSERT_EQ(sim->Save(), 0);
        CPmDbxFactory200::DeleteSim(sim);
    }

    static AcDbHandle CartBlock(CPmSim200& sim)
    {
        return *sim.Sections()->at(0)->Segments()->at(0)->Block()->Handle();
    }
};
} // namespace

TEST_F(FactoryTest, MakesObjectsOfTheDwgClasses)
{
    SimPtr sim(CPmDbxFactory200::MakeSim(0x123456789ull, 4));
    CPmAcadSim200* object = PmAcadSimOf(sim.get());
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(acdbHostHeapContains(dynamic_cast<const void*>(object)));
    EXPECT_TRUE(object->objectId().isNull());
    EXPECT_EQ(sim->Id(), 0x123456789ull);
    EXPECT_EQ(sim->Type(), 4);

    std::unique_ptr<CPmSection200> section(CPmDbxFactory200::MakeSection());
    std::unique_ptr<CPmSegment200> segment(CPmDbxFactory200::MakeSegment());
    std::unique_ptr<CPmPart> part(CPmDbxFactory200::MakePart());
    std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::MakeSimList());
    EXPECT_NE(dynamic_cast<CPmAcadSection200*>(section.get()), nullptr);
    EXPECT_NE(dynamic_cast<CPmAcadSegment200*>(segment.get()), nullptr);
    EXPECT_NE(dynamic_cast<CPmAcadPart*>(part.get()), nullptr);
    EXPECT_NE(dynamic_cast<CPmAcadSimList200*>(list.get()), nullptr);
}

TEST_F(FactoryTest, CopySimGivesADetachedDeepCopy)
{
    SimPtr sim(MakeCartSim(_T("Cart")));
    sim->SetIsCurVersion(false);
    SimPtr copy(CPmDbxFactory200::CopySim(*sim));
    CPmAcadSim200* object = PmAcadSimOf(copy.get());
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->objectId().isNull());
    EXPECT_FALSE(copy->IsCurVersion());
    ASSERT_EQ(copy->Sections()->size(), 1u);
    EXPECT_NE(copy->Sections()->at(0), sim->Sections()->at(0));
    EXPECT_NE(dynamic_cast<CPmAcadSection200*>(copy->Sections()->at(0)), nullptr);
    EXPECT_EQ(CartBlock(*copy), CartBlock(*sim));
}

TEST_F(FactoryTest, LoadSimGivesACopyNamedWithTheKeyAndClosesTheStoredObject)
{
    StoreCart(_T("Cart"));
    const CTime before = CTime::GetCurrentTime();
    SimPtr loaded(CPmDbxFactory200::LoadSim(_T("Cart")));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(*loaded->Name(), CString(_T("Cart")));
    EXPECT_TRUE(PmAcadSimOf(loaded.get())->objectId().isNull());
    EXPECT_TRUE(loaded->IsCurVersion());
    EXPECT_EQ(loaded->DttmCreatedTime(), kLongAgo);
    EXPECT_GE(PmSimTimes::Edited(*loaded).GetTime(), before.GetTime()) << "the copy counts as an edit";
    CPmAcadSim200* original = OpenStored(_T("Cart"));
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(PmSimTimes::Edited(*original), kLongAgo) << "the stored simulation is unchanged";
    original->close();

    AcDbObject* stored = nullptr;
    const AcDbObjectId id = CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Cart"));
    EXPECT_EQ(acdbOpenAcDbObject(stored, id, AcDb::kForWrite), Acad::eOk) << "the stored object was closed";
    stored->close();
    EXPECT_EQ(CPmDbxFactory200::LoadSim(_T("Missing")), nullptr);
}

TEST_F(FactoryTest, LoadSimNamesEmptiesTheVectorAndListsTheKeys)
{
    std::vector<CString> names{_T("left over")};
    CPmDbxFactory200::LoadSimNames(names);
    EXPECT_TRUE(names.empty());

    StoreCart(_T("Beta"));
    StoreCart(_T("Alpha"));
    StoreForeignEntry(_T("Gamma"));
    CPmDbxFactory200::LoadSimNames(names);
    EXPECT_EQ(names, (std::vector<CString>{_T("Alpha"), _T("Beta")})) << "a key that does not load is left out";
}

TEST_F(FactoryTest, DeleteSimByNameAnswersZeroOneOrTwo)
{
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Missing"))), 0);

    StoreCart(_T("Busy"), true);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Busy"))), 2);
    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Busy")});

    StoreCart(_T("Idle"));
    SimPtr idle(CPmDbxFactory200::LoadSim(_T("Idle")));
    const AcDbHandle block = CartBlock(*idle);
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Idle"))), 1);
    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Busy")});
    EXPECT_TRUE(IdOfHandle(block).isErased()) << "its blocks left the drawing";
}

TEST_F(FactoryTest, DeleteSimFreesDetachedSimulationsAndCancelsResidentOnes)
{
    CPmDbxFactory200::DeleteSim(static_cast<CPmSim200*>(nullptr));

    CPmSim200* detached = CPmDbxFactory200::MakeSim(0, 1);
    const void* detachedBlock = dynamic_cast<const void*>(PmAcadSimOf(detached));
    CPmDbxFactory200::DeleteSim(detached);
    EXPECT_FALSE(acdbHostHeapContains(detachedBlock));

    CPmSim200* resident = CPmDbxFactory200::MakeSim(0, 1);
    resident->SetName(_T("Kept"));
    ASSERT_EQ(resident->Save(), 0);
    const void* residentBlock = dynamic_cast<const void*>(PmAcadSimOf(resident));
    CPmDbxFactory200::DeleteSim(resident);
    EXPECT_TRUE(acdbHostHeapContains(residentBlock)) << "the drawing keeps it";
    CPmAcadSim200* stored = OpenStored(_T("Kept"));
    EXPECT_EQ(stored, residentBlock);
    if (stored)
        stored->close();
}

TEST_F(FactoryTest, UpgradeSimLeavesCurrentAndMissingSimulationsAlone)
{
    StoreCart(_T("Cart"));
    const AcDbObjectId before = CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Cart"));
    CPmDbxFactory200::UpgradeSim(_T("Cart"));
    CPmDbxFactory200::UpgradeSim(_T("Missing"));
    EXPECT_EQ(CZrAcadObject::GetObjectId(kPmSimDictionary, _T("Cart")), before);
    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Cart")});
    AcDbObject* stored = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(stored, before, AcDb::kForWrite), Acad::eOk) << "closed again";
    stored->close();
}

TEST_F(FactoryTest, CleanSimsErasesEveryStoredSimulationAndItsBlocks)
{
    CleanSims();
    int status = 0;
    StoredNames(&status);
    EXPECT_EQ(status, Acad::eKeyNotFound) << "nothing was made";

    StoreCart(_T("Busy"), true);
    StoreCart(_T("Idle"));
    SimPtr busy(CPmDbxFactory200::LoadSim(_T("Busy")));
    const AcDbHandle block = CartBlock(*busy);
    CleanSims();
    EXPECT_TRUE(StoredNames(&status).empty());
    EXPECT_EQ(status, 0) << "the empty sub-dictionary stays";
    EXPECT_TRUE(IdOfHandle(block).isErased());
}

namespace
{
// A host refusal on the way of Delete: the entry's look-up, its open for write, its erase.
struct RefusedDeleteCase
{
    const char* label;
    DwgHostCall call;
};

const RefusedDeleteCase kRefusedDeleteCases[] = {
    {"LookUp", DwgHostCall::DictionaryGetAt},
    {"OpenForWrite", DwgHostCall::OpenForWrite},
    {"Erase", DwgHostCall::Erase},
};

void PrintTo(const RefusedDeleteCase& c, std::ostream* os)
{
    *os << c.label;
}

class RefusedDeleteTest : public FactoryTest, public testing::WithParamInterface<RefusedDeleteCase>
{
};
} // namespace

TEST_P(RefusedDeleteTest, DeleteSimByNameAnswersZeroWhileTheSimulationStays)
{
    StoreCart(_T("Idle"));
    SimPtr idle(CPmDbxFactory200::LoadSim(_T("Idle")));
    const AcDbHandle block = CartBlock(*idle);
    // The first such call after those of reading the simulation is Delete's own.
    faultswitch::Switch& fault = dwgHostFault(GetParam().call);
    fault.count();
    {
        SimPtr reread(CPmDbxFactory200::LoadSim(_T("Idle")));
    }
    const std::size_t reading = fault.calls();
    fault.failAt(reading + 1);

    const int answer = CPmDbxFactory200::DeleteSim(CString(_T("Idle")));
    const std::size_t failed = fault.failures();
    dwgHostFaultsOff();

    ASSERT_EQ(failed, 1u) << "the refusal was met";
    EXPECT_EQ(answer, 0) << "nothing was deleted";
    EXPECT_EQ(StoredNames(), std::vector<CString>{_T("Idle")});
    EXPECT_NE(SimPtr(CPmDbxFactory200::LoadSim(_T("Idle"))), nullptr) << "it still loads";
    EXPECT_FALSE(IdOfHandle(block).isErased()) << "its blocks stay";
    EXPECT_EQ(CPmDbxFactory200::DeleteSim(CString(_T("Idle"))), 1) << "once the host agrees";
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedDeleteTest, testing::ValuesIn(kRefusedDeleteCases),
                         [](const testing::TestParamInfo<RefusedDeleteCase>& test) { return test.param.label; });
