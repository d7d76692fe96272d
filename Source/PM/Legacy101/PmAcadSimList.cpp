#include "PmAcadSimList.h"

#include <dbapserv.h>
#include <dbents.h>

#include "PmAcadSim.h"
#include "PmDbxFactory.h"
#include "PmHeldSim.h"

bool PmNamesLiveBlockReference(PmSimId id)
{
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    AcDbObjectId objectId;
    if (!database || database->getAcDbObjectId(objectId, false, AcDbHandle(id)) != Acad::eOk)
        return false;
    AcDbObject* reference = nullptr;
    if (acdbOpenAcDbObject(reference, objectId, AcDbBlockReference::desc(), AcDb::kForRead, false) != Acad::eOk)
        return false;
    reference->close();
    return true;
}

CPmAcadSimList::CPmAcadSimList() = default;

CPmAcadSimList::~CPmAcadSimList() = default;

int CPmAcadSimList::Load(bool keepAll)
{
    int status = CZrAcadObject::GetObjectNames(kPmLegacySimDictionary, &m_names);
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
    {
        const CString key = m_names.GetAt(i);
        PmHeld::OwnedSim sim(CPmDbxFactory::LoadSim(key));
        if (!sim)
        {
            --status;
            continue;
        }
        if (keepAll || PmNamesLiveBlockReference(sim->Id()))
        {
            sim->SetName(key);
            Add(sim.release());
        }
    }
    return status;
}
