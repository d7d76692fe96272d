#include "PmMstnSimList200.h"

#include <memory>

#include <mdl.h>

#include "PmDbxFactory200.h"
#include "PmSim200.h"
#include "ZrMstnObject.h"

namespace
{
struct SimDeleter
{
    void operator()(CPmSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};

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
    int result = 0;
    {
        CZrMstnObject records(MstnRecord::kSimulationKind, CString());
        result = records.EnumerateNames(m_names);
    }
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
    {
        const CString name = m_names.GetAt(i);
        std::unique_ptr<CPmSim200, SimDeleter> sim(CPmDbxFactory200::LoadSim(name));
        if (!sim)
            continue;
        // Current only once it is stored so: a failed store leaves the old record.
        if (upgrade && !sim->IsCurVersion() && sim->Save() == 0)
            sim->SetIsCurVersion(true);
        if (keepAll || NamesElementOfModel(sim->Id()))
        {
            sim->SetName(name);
            Add(sim.get());
            sim.release();
        }
    }
    return result;
}
