#include "PmSimList.h"

#include "PmDbxFactory.h"
#include "PmHeld.h"
#include "PmModelAlgorithms.h"
#include "PmSim.h"

CPmSimList::CPmSimList() = default;

CPmSimList::~CPmSimList()
{
    for (CPmSim* sim : m_sims)
        CPmDbxFactory::DeleteSim(sim);
}

void CPmSimList::Add(CPmSim* sim)
{
    if (!sim)
        return;
    // Taken whatever happens: a simulation the list cannot hold is given back.
    PmHeld::Detached<CPmSim, CPmDbxFactory> taken(sim);
    m_sims.push_back(sim);
    taken.release();
}

CPmSim* CPmSimList::Sim(int index) const
{
    return PmModel::At(m_sims, index);
}

CPmSim* CPmSimList::Sim(const CString& name) const
{
    return Sim(Index(name));
}

int CPmSimList::Index(const CString& name) const
{
    return PmModel::IndexOfName(m_sims, name);
}

int CPmSimList::Save()
{
    return PmModel::UpdateAll(m_sims);
}

void CPmSimList::ResetUse()
{
    PmModel::MarkInUse(m_sims, nullptr, false);
}

void CPmSimList::SetSimInUse(const CString& name)
{
    PmModel::MarkInUse(m_sims, &name, true);
}

void CPmSimList::DebugPrint() const
{
    for (const CPmSim* sim : m_sims)
        sim->DebugPrint();
}


int CPmSimList::Size() const
{
    return static_cast<int>(m_sims.size());
}
