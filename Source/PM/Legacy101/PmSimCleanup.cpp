// The format 101 module's two clean-up functions, each over the stored
// simulations of the current drawing.
#include <memory>

#include "PmAcadSimList.h"
#include "PmDbxFactory.h"
#include "PmSim.h"

void PurgeDeletedSims()
{
    std::unique_ptr<CPmSimList> list(CPmDbxFactory::LoadSimList(true));
    for (int i = 0; list && i < list->Size(); ++i)
    {
        CPmSim* sim = list->Sim(i);
        // Simulations in use are never touched, nor those whose block reference
        // the host could not look at: only a reference known to be gone counts
        // (one the client holds open is there). A simulation that does not load
        // is not listed and stays; a Delete the host refuses the entry leaves
        // its simulation stored whole, and the next one goes on.
        if (!sim->SimInUse() && PmBlockReferenceOf(sim->Id()) == PmBlockReference::Gone)
            sim->Delete();
    }
}

void CleanSims()
{
    // Listed without keepAll: exactly those whose block reference still exists,
    // one the client holds open included. A simulation that does not load, or
    // whose reference the host does not tell about, is not listed and stays; a
    // Delete the host refuses the entry leaves its simulation stored whole.
    std::unique_ptr<CPmSimList> list(CPmDbxFactory::LoadSimList(false));
    for (int i = 0; list && i < list->Size(); ++i)
        list->Sim(i)->Delete();
}
