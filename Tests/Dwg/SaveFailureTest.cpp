// Save when allocations fail: every allocation of a Save, the module's and the
// host's, is failed in turn. The failure is reported, no dictionary stays open,
// the other simulation keeps its content, the one replaced has its old content
// or its new one whole, and the drawing goes on working.
#include <memory>
#include <new>

#include "DwgTestSupport.h"
#include "FailingAllocator.h"

using namespace DwgTest;

namespace
{
using SimPtr = std::unique_ptr<CPmSim200, SimDeleter>;

class SaveFailureTest : public DwgDrawingTest
{
protected:
    // The length a simulation was stored with, or -1 when it does not load.
    static int StoredLength(const CString& name)
    {
        SimPtr sim(CPmDbxFactory200::LoadSim(name));
        return sim ? sim->Length() : -1;
    }

    // Whether the named objects dictionary and the simulations' dictionary can
    // be opened for write, as they can only when nothing left them open.
    static bool DictionariesClosed()
    {
        AcDbDictionary* named = nullptr;
        if (acdbHostApplicationServices()->workingDatabase()->getNamedObjectsDictionary(named, AcDb::kForWrite) !=
            Acad::eOk)
            return false;
        AcDbObject* sub = nullptr;
        const Acad::ErrorStatus opened = named->getAt(kPmSimDictionary, sub, AcDb::kForWrite);
        if (sub)
            sub->close();
        named->close();
        return opened == Acad::eOk || opened == Acad::eKeyNotFound;
    }
};
}  // namespace

TEST_F(SaveFailureTest, AFailedAllocationInSaveLosesNothingAndLeavesNothingOpen)
{
    PmSimId bikeId = 0;
    for (const TCHAR* name : {_T("Bike"), _T("Cart")}) {
        SimPtr stored(MakeCartSim(name));
        stored->SetLength(1);
        bikeId = bikeId ? bikeId : stored->Id();
        ASSERT_EQ(stored->Save(), 0);
    }

    bool completed = false;
    for (std::size_t nth = 1; !completed; ++nth) {
        ASSERT_LT(nth, 100000u);
        // With the bike's id, so that the id rule stores the bike again too.
        SimPtr replacement(CPmDbxFactory200::MakeSim(bikeId, 1));
        replacement->SetName(_T("Cart"));
        replacement->SetLength(2);
        int status = 0;
        bool threw = false;
        FailingAllocator::failAt(nth);
        try {
            status = replacement->Save();
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        completed = !FailingAllocator::failed();
        FailingAllocator::failAt(0);

        ASSERT_TRUE(DictionariesClosed()) << nth;
        EXPECT_EQ(StoredLength(_T("Bike")), 1) << nth;
        const int cart = StoredLength(_T("Cart"));
        const PmSimId bikeNow = [] {
            SimPtr bike(CPmDbxFactory200::LoadSim(_T("Bike")));
            return bike ? bike->Id() : ~PmSimId(0);
        }();
        EXPECT_TRUE(bikeNow == bikeId || bikeNow == 0) << nth;
        if (completed || (!threw && status == 0)) {
            EXPECT_EQ(cart, 2) << nth << ": a Save that answered 0 stored its simulation";
        } else {
            EXPECT_TRUE(cart == 1 || cart == 2) << nth;
        }
    }

    // The drawing goes on working: a later Save stores and loads.
    SimPtr later(CPmDbxFactory200::MakeSim(0, 1));
    later->SetName(_T("Later"));
    later->SetLength(3);
    EXPECT_EQ(later->Save(), 0);
    EXPECT_EQ(StoredLength(_T("Later")), 3);
}
