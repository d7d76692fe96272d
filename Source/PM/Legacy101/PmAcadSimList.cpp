#include "PmAcadSimList.h"

#include <dbapserv.h>
#include <dbents.h>

#include "PmAcadSim.h"
#include "PmDbxFactory.h"
#include "PmHeld.h"

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

// The statuses by which the host refuses an open because others hold the
// object (a writer, too many readers): it found the object, of the class asked
// for, so the reference exists.
bool SaysHeld(Acad::ErrorStatus status)
{
    return status == Acad::eWasOpenForWrite || status == Acad::eWasOpenForRead || status == Acad::eAtMaxReaders;
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
    if (opened == Acad::eOk)
    {
        reference->close();
        return PmBlockReference::Live;
    }
    if (SaysGone(opened))
        return PmBlockReference::Gone;
    // A reference the client holds open (the cart it moves) is there all the same.
    return SaysHeld(opened) && !objectId.isErased() ? PmBlockReference::Live : PmBlockReference::Unknown;
}

CPmAcadSimList::CPmAcadSimList() = default;

CPmAcadSimList::~CPmAcadSimList() = default;

int CPmAcadSimList::Load(bool keepAll)
{
    // The list only reads. Refusals that count against its result: reading the
    // names (the result is that status, nothing is listed); an entry that does
    // not load (-1 each, left out); without keepAll, a block reference whose
    // state the host does not tell (-1 each, left out but not taken for gone).
    // It goes past block references and entities the client holds open: a
    // reference held open exists, and its simulation is listed.
    int status = CZrAcadObject::GetObjectNames(kPmLegacySimDictionary, &m_names);
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
    {
        const CString key = m_names.GetAt(i);
        PmHeld::Detached<CPmSim, CPmDbxFactory> sim(CPmDbxFactory::LoadSim(key));
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
