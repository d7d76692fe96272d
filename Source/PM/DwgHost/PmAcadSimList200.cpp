#include "PmAcadSimList200.h"

#include <dbapserv.h>

#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmStoredSims.h"
#include "ZrAcadObject.h"

CPmAcadSimList200::CPmAcadSimList200() = default;

CPmAcadSimList200::~CPmAcadSimList200() = default;

int CPmAcadSimList200::Load(bool keepAll, bool saveUpgraded)
{
    // Fails it: keys that cannot be read (the status, nothing listed). Lowers it
    // by one and leaves the key's simulation out: an entry that cannot be read.
    // Goes past: a refused write-back of the upgrade, which leaves the format 101
    // object stored and the copy detached; a block reference that is held open,
    // which is still a block reference of the drawing.
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    int status = CZrAcadObject::GetObjectNames(kPmSimDictionary, &m_names);
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
    {
        const CString key = m_names.GetAt(i);
        PmHeld::Detached<CPmSim200, CPmDbxFactory200> sim(CPmDbxFactory200::LoadSim(key));
        if (!sim)
        {
            --status;
            continue;
        }
        if (saveUpgraded && !sim->IsCurVersion())
        {
            // Stored, the copy is the drawing's and replaces the format 101 object of
            // the key. It is current in memory either way, so that its Save writes
            // it in format 200.
            if (CPmAcadSim200* converted = PmAcadSimOf(sim.get()))
                CZrAcadObject::Save(kPmSimDictionary, key, converted);
            sim->SetIsCurVersion(true);
        }
        if (keepAll || !PmStoredSims::NamesGoneBlock(database, sim->Id()))
        {
            sim->SetName(key);
            Add(sim.release());
        }
    }
    return status;
}
