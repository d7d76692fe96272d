#include <memory>

#include "ModelTestFixture.h"

namespace
{
class SimListTest : public ModelTest
{
protected:
    FakeSim200* AddSim(FakeSimList200& list, const TCHAR* name, int updateStatus = 0)
    {
        auto* sim = new FakeSim200();
        sim->SetName(name);
        sim->updateStatus = updateStatus;
        list.Add(sim);
        return sim;
    }
};

TEST_F(SimListTest, EmptyListAnswersNothing)
{
    FakeSimList200 list;
    EXPECT_EQ(list.Size(), 0);
    EXPECT_EQ(list.Sim(0), nullptr);
    EXPECT_EQ(list.Index(_T("any")), -1);
    EXPECT_EQ(list.Sim(CString(_T("any"))), nullptr);
    EXPECT_EQ(list.Save(), 0);
    list.ResetUse();
    list.SetSimInUse(_T("any"));
}

TEST_F(SimListTest, SimByIndexIsBounded)
{
    FakeSimList200 list;
    AddSim(list, _T("a"));
    FakeSim200* last = AddSim(list, _T("b"));
    list.Add(nullptr);
    EXPECT_EQ(list.Size(), 2);
    EXPECT_EQ(list.Sim(-1), nullptr);
    EXPECT_EQ(list.Sim(2), nullptr);
    EXPECT_EQ(list.Sim(1), last);
}

TEST_F(SimListTest, LookupIgnoresCaseWhileMarkingDoesNot)
{
    FakeSimList200 list;
    FakeSim200* upper = AddSim(list, _T("Route A"));
    FakeSim200* lower = AddSim(list, _T("route a"));

    for (const TCHAR* asked : {_T("ROUTE A"), _T("route a"), _T("Route A")})
    {
        EXPECT_EQ(list.Index(asked), 0) << Narrow(asked);
        EXPECT_EQ(list.Sim(CString(asked)), upper);
    }
    list.SetSimInUse(_T("route a"));
    EXPECT_EQ(upper->SimInUse(), 0);
    EXPECT_EQ(lower->SimInUse(), 1);
    list.SetSimInUse(_T("ROUTE A"));
    EXPECT_EQ(upper->SimInUse(), 0);
}

TEST_F(SimListTest, SetSimInUseMarksEveryExactMatchAndResetUseClearsAll)
{
    FakeSimList200 list;
    FakeSim200* first = AddSim(list, _T("Twin"));
    FakeSim200* other = AddSim(list, _T("Other"));
    FakeSim200* second = AddSim(list, _T("Twin"));
    list.SetSimInUse(_T("Twin"));
    EXPECT_EQ(first->SimInUse(), 1);
    EXPECT_EQ(second->SimInUse(), 1);
    EXPECT_EQ(other->SimInUse(), 0);
    list.ResetUse();
    for (int i = 0; i < list.Size(); ++i)
        EXPECT_EQ(list.Sim(i)->SimInUse(), 0);
}

TEST_F(SimListTest, SaveSumsUpdateStatusesAndUpdatesEvery)
{
    FakeSimList200 list;
    AddSim(list, _T("a"), 3);
    AddSim(list, _T("b"), 0);
    AddSim(list, _T("c"), 4);
    EXPECT_EQ(list.Save(), 7);
}

TEST_F(SimListTest, DestroyingGivesEverySimulationBackInOrder)
{
    {
        FakeSimList200 list;
        AddSim(list, _T("one"));
        AddSim(list, _T("two"));
        AddSim(list, _T("three"));
    }
    EXPECT_EQ(Log().deletedSims, (std::vector<std::string>{"one", "two", "three"}));
}

TEST_F(SimListTest, FactoryDeleteSimWithNullDoesNothing)
{
    CPmDbxFactory200::DeleteSim(static_cast<CPmSim200*>(nullptr));
    EXPECT_TRUE(Log().deletedSims.empty());
}

TEST_F(SimListTest, FactoryCopyOfANonCurrentSimulationIsNonCurrent)
{
    std::unique_ptr<CPmSim200> sim(CPmDbxFactory200::MakeSim(42, 5));
    EXPECT_EQ(sim->Id(), 42u);
    EXPECT_EQ(sim->Type(), 5);
    sim->SetIsCurVersion(false);
    std::unique_ptr<CPmSim200> copy(CPmDbxFactory200::CopySim(*sim));
    EXPECT_FALSE(copy->IsCurVersion());
}
} // namespace
