#include "PmAcadSimList200.h"

#include <memory>

#include <dbapserv.h>
#include <dbents.h>

#include "PmAcadSim200.h"
#include "PmDbxFactory200.h"

namespace
{
struct SimDeleter
{
    void operator()(CPmSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};

// False when the id names an object of the drawing that does not open as a
// block reference (erased, or of another kind). An id that names nothing
// (0 among them) keeps the simulation.
bool NamesLiveBlockOrNothing(AcDbDatabase* database, PmSimId id)
{
    AcDbObjectId objectId;
    if (database->getAcDbObjectId(objectId, false, AcDbHandle(id)) != Acad::eOk)
        return true;
    AcDbObject* reference = nullptr;
    if (acdbOpenAcDbObject(reference, objectId, AcDbBlockReference::desc(), AcDb::kForRead, false) != Acad::eOk)
        return false;
    reference->close();
    return true;
}
} // namespace

CPmAcadSimList200::CPmAcadSimList200() = default;

CPmAcadSimList200::~CPmAcadSimList200() = default;

int CPmAcadSimList200::Load(bool keepAll, bool saveUpgraded)
{
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    int status = CZrAcadObject::GetObjectNames(kPmSimDictionary, &m_names);
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
    {
        const CString key = m_names.GetAt(i);
        std::unique_ptr<CPmSim200, SimDeleter> sim(CPmDbxFactory200::LoadSim(key));
        if (!sim)
        {
            --status;
            continue;
        }
        if (saveUpgraded && !sim->IsCurVersion())
        {
            if (CPmAcadSim200* converted = PmAcadSimOf(sim.get()))
                CZrAcadObject::Save(kPmSimDictionary, key, converted);
            sim->SetIsCurVersion(true);
        }
        if (keepAll || NamesLiveBlockOrNothing(database, sim->Id()))
        {
            sim->SetName(key);
            Add(sim.get());
            sim.release();
        }
    }
    return status;
}
