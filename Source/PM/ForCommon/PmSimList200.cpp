#include "PmSimList200.h"

#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmModelAlgorithms.h"
#include "PmSim200.h"

CPmSimList200::CPmSimList200() = default;

CPmSimList200::~CPmSimList200()
{
    for (CPmSim200* sim : m_sims)
        CPmDbxFactory200::DeleteSim(sim);
}

void CPmSimList200::Add(CPmSim200* sim)
{
    if (!sim)
        return;
    // Taken whatever happens: a simulation the list cannot hold is given back.
    PmHeld::Detached<CPmSim200, CPmDbxFactory200> taken(sim);
    m_sims.push_back(sim);
    taken.release();
}

CPmSim200* CPmSimList200::Sim(int index) const
{
    return PmModel::At(m_sims, index);
}

CPmSim200* CPmSimList200::Sim(const CString& name) const
{
    return Sim(Index(name));
}

int CPmSimList200::Index(const CString& name) const
{
    return PmModel::IndexOfName(m_sims, name);
}

int CPmSimList200::Save()
{
    return PmModel::UpdateAll(m_sims);
}

void CPmSimList200::ResetUse()
{
    PmModel::MarkInUse(m_sims, nullptr, false);
}

void CPmSimList200::SetSimInUse(const CString& name)
{
    PmModel::MarkInUse(m_sims, &name, true);
}

void CPmSimList200::DebugPrint() const
{
    for (const CPmSim200* sim : m_sims)
        sim->DebugPrint();
}

int CPmSimList200::Size() const
{
    return static_cast<int>(m_sims.size());
}
