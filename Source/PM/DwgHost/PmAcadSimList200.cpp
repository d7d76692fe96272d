#include "PmAcadSimList200.h"

#include "PmStoredSims.h"

CPmAcadSimList200::CPmAcadSimList200() = default;

CPmAcadSimList200::~CPmAcadSimList200() = default;

int CPmAcadSimList200::Load(bool keepAll, bool saveUpgraded)
{
    int hostFailure = 0;
    return PmStoredSims::Load(*this, m_names, keepAll, saveUpgraded, hostFailure);
}
