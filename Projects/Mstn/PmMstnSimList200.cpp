#include "PmMstnSimList200.h"

#include <mdl.h>

#include "MstnHeaderIndex.h"
#include "MstnHeld.h"
#include "MstnRecordLayout.h"
#include "MstnSimStream.h"
#include "PmSim200.h"

namespace
{
bool NamesElementOfModel(PmSimId id)
{
    std::uint32_t filePos = 0;
    return mdlAssoc_getElement(nullptr, &filePos, id, mdlModelRef_getActive()) == 0;
}
} // namespace

CPmMstnSimList200::CPmMstnSimList200() = default;
CPmMstnSimList200::~CPmMstnSimList200() = default;

int CPmMstnSimList200::Load(bool keepAll, bool upgrade)
{
    // One scan gathers the headers; each name is then loaded from them, as
    // LoadSim loads it, without scanning the model again.
    MstnHeaderIndex index(MstnRecord::kSimulationKind);
    const int result = index.Gather();
    for (const MstnFoundHeader& header : index.Headers())
        m_names.Add(header.record.name);
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
    {
        const CString name = m_names.GetAt(i);
        MstnHeldSim sim(LoadListedMstnSim(name, index));
        if (!sim)
            continue;
        if (upgrade && !sim->IsCurVersion())
        {
            // The copy is current whether or not the write-back was stored: a
            // failed one leaves the old record as it was (it still loads as
            // old), and the client's Save of this copy stores it anew.
            sim->Save();
            sim->SetIsCurVersion(true);
            // The save may have changed the records: what follows sees them as they are now.
            index.Gather();
        }
        if (keepAll || NamesElementOfModel(sim->Id()))
        {
            sim->SetName(name);
            Add(sim.release());
        }
    }
    return result;
}
