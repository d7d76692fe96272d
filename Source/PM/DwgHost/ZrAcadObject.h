// A drawing object with a name of its own, and the two-level store of such
// objects in the working database: the named objects dictionary holds one
// sub-dictionary per storage name, each sub-dictionary one object per key.
#pragma once

#include <afx.h>
#include <dbmain.h>

#include "PmExport.h"

class PM_EXPORT CZrAcadObject : public AcDbObject
{
public:
    CZrAcadObject();
    CZrAcadObject(const CZrAcadObject&);
    CZrAcadObject& operator=(const CZrAcadObject&);
    ~CZrAcadObject() override;

    // The object name is for clients; stored entries are keyed by the caller's key.
    CString Name() const;
    void SetObjectName(const CString& name);

    // Puts obj into the drawing under key, making the sub-dictionary when it is
    // missing; an entry under the same key is replaced. On success obj is resident,
    // closed and the drawing's. Answers the sum of the host statuses.
    static int Save(const CString& dict, const CString& key, CZrAcadObject* obj);
    // The id of the entry, or the null id when anything is missing.
    static AcDbObjectId GetObjectId(const CString& dict, const CString& key);
    // The keys of the sub-dictionary in its own order; 0 for none under an entry
    // of another kind. Else nothing listed: eKeyNotFound (22) when it does not
    // exist, the host status when a look-up or a dictionary's open is refused.
    static int GetObjectNames(const CString& dict, CStringArray* names);
    // Opens the entry for read into *obj; -1 without an entry. The caller closes it.
    static int Load(const CString& dict, const CString& key, CZrAcadObject** obj);
    // Erases the entry; -1 without one. The sub-dictionary stays.
    static int Delete(const CString& dict, const CString& key);

private:
    CString m_objectName;
};

// How a DWG factory gives back a simulation it handed out: one that is part of
// a drawing object of the module's class is the drawing's while resident and is
// only cancelled, and is freed while detached; a simulation of another class is freed.
template <class AcadSim, class Sim>
void PmGiveBackAcadSim(Sim* sim)
{
    if (!sim)
        return;
    AcadSim* object = dynamic_cast<AcadSim*>(sim);
    if (!object)
        delete sim;
    else if (!object->objectId().isNull())
        object->cancel();
    else
        delete object;
}
