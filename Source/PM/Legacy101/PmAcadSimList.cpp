#include "PmAcadSimList.h"

#include <dbapserv.h>
#include <dbents.h>

#include "PmAcadSim.h"
#include "PmDbxFactory.h"
#include "PmHeldSim.h"

namespace
{
// The statuses by which the host says that there is no such block reference;
// any other failure says only that it could not be looked at now.
bool SaysGone(Acad::ErrorStatus status)
{
    switch (status)
    {
    case Acad::eNullHandle:
    case Acad::eUnknownHandle:
    case Acad::eNullObjectId:
    case Acad::eWasErased:
    case Acad::ePermanentlyErased:
    case Acad::eNotThatKindOfClass:
        return true;
    default:
        return false;
    }
}
} // namespace

PmBlockReference PmBlockReferenceOf(PmSimId id)
{
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    if (!database)
        return PmBlockReference::Unknown;
    AcDbObjectId objectId;
    const Acad::ErrorStatus found = database->getAcDbObjectId(objectId, false, AcDbHandle(id));
    if (found != Acad::eOk)
        return SaysGone(found) ? PmBlockReference::Gone : PmBlockReference::Unknown;
    AcDbObject* reference = nullptr;
    const Acad::ErrorStatus opened =
        acdbOpenAcDbObject(reference, objectId, AcDbBlockReference::desc(), AcDb::kForRead, false);
    if (opened != Acad::eOk)
        return SaysGone(opened) ? PmBlockReference::Gone : PmBlockReference::Unknown;
    reference->close();
    return PmBlockReference::Live;
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
        const PmBlockReference reference = keepAll ? PmBlockReference::Live : PmBlockReferenceOf(sim->Id());
        if (reference == PmBlockReference::Live)
        {
            sim->SetName(key);
            Add(sim.release());
        }
        else if (reference == PmBlockReference::Unknown)
        {
            --status;  // left out, but not taken for gone
        }
    }
    return status;
}
