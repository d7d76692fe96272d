#include "PmMstnSim200.h"

#include "MstnSimStream.h"
#include "PmPartDepth.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "ZrMstnObject.h"

CPmMstnSim200::CPmMstnSim200() = default;
CPmMstnSim200::CPmMstnSim200(const CPmSim200& source) : CPmSim200(source) {}
CPmMstnSim200::CPmMstnSim200(const CPmMstnSim200& source) : CPmSim200(source) {}
CPmMstnSim200::~CPmMstnSim200() = default;

int CPmMstnSim200::Save()
{
    if (Name()->IsEmpty() || !PmPartDepth::SimFits(*this))
        return -1;
    // The new record is written whole before the old one is deleted, so that
    // one that cannot be stored leaves the old record in place.
    CZrMstnObject record(MstnRecord::kSimulationKind, *Name());
    MstnSimStream::Write(*this, record);
    const int committed = record.Commit();
    if (committed != 0)
        return committed;
    MstnDeleteResult deleted{MstnDeleteResult::Outcome::NoRecord};
    try
    {
        CZrMstnObject old(MstnRecord::kSimulationKind, *Name());
        old.SkipHeader(record.CommittedHeaderId());
        deleted = old.Delete();
    }
    catch (...)
    {
        // Interrupted before the old header went: the old record stays, alone.
        record.Withdraw();
        throw;
    }
    // The new record stands when there was no old one or its header went.
    if (deleted.outcome == MstnDeleteResult::Outcome::SearchFailed ||
        deleted.outcome == MstnDeleteResult::Outcome::Refused)
    {
        // The old record stays whole; a second record of the name must not stay beside it.
        record.Withdraw();
        return deleted.Status();
    }
    return 0;
}

int CPmMstnSim200::Update()
{
    return Save();
}

int CPmMstnSim200::Close()
{
    return 0;
}

int CPmMstnSim200::Delete()
{
    if (Name()->IsEmpty())
        return -1;
    const int blocks = CPmSim200::Delete();
    CZrMstnObject record(MstnRecord::kSimulationKind, *Name());
    return blocks + record.Delete().Status();
}
