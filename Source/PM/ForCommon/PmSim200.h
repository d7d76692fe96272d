// One simulation: a named, time-stamped run of sections. The host layers
// derive the persistent classes that save, update, close and delete it.
#pragma once

#include <vector>

#include <afx.h>

#include "PmDump.h"
#include "PmExport.h"
#include "PmHostTypes.h"

class CPmSection200;
class CPmSim;
class CPmSim200;

// The stored records read the edited time, which the client sees only as text.
struct PmSimTimes
{
    static CTime Edited(const CPmSim200& sim);
};

// In some builds the base class answers Save, Update and Close itself (with
// -1), so that it can be instantiated; in the others they are pure.
#if defined(PM_SIM_BASE_INSTANTIABLE)
#define PM_SIM_BASE_OPERATION
#else
#define PM_SIM_BASE_OPERATION = 0
#endif

class PM_EXPORT CPmSim200
{
public:
    CPmSim200();
    // A copy keeps the created time and counts as an edit.
    CPmSim200(const CPmSim200& source);
    // Converts a format 101 simulation; the result is current until the
    // factory marks it otherwise.
    explicit CPmSim200(const CPmSim& legacy);
    CPmSim200& operator=(const CPmSim200& source);
    virtual ~CPmSim200();

    virtual int Save() PM_SIM_BASE_OPERATION;
    virtual int Update() PM_SIM_BASE_OPERATION;
    virtual int Close() PM_SIM_BASE_OPERATION;
    // Removes the blocks of every part from the drawing; stops at the first failure.
    virtual int Delete();
    virtual void SetSimInUse(bool inUse);

    // Adds the section's current length to the simulation's, then takes the section.
    void AddSection(CPmSection200* section);
    // The section holding the position at index; index becomes the position's
    // index inside it. Null past the last section.
    CPmSection200* Section(int& index);

    void DebugPrint() const;
    void DisplayPrint(PmDumpStream& os) const;

    CString* Name();
    PM_NO_EXPORT const CString* Name() const { return &m_name; }
    void SetName(const CString& name);
    int Length() const;
    void SetLength(int length);
    CString DttmCreated() const;
    CString DttmEdited() const;
    CTime DttmCreatedTime() const;
    void SetDttmCreated(CTime time);
    void SetDttmEdited(CTime time);
    int DisplayIndex() const;
    void SetDisplayIndex(int index);
    int Type() const;
    void SetType(int type);
    PmSimId Id() const;
    void SetId(PmSimId id);
    int SimInUse() const;
    bool IsCurVersion() const;
    void SetIsCurVersion(bool isCurrent);
    std::vector<CPmSection200*>* Sections();
    PM_NO_EXPORT const std::vector<CPmSection200*>* Sections() const { return &m_sections; }

private:
    friend struct PmSimTimes;

    CString m_name;
    int m_length;
    CTime m_dttmCreated;
    CTime m_dttmEdited;
    int m_displayIndex;
    int m_type;
    PmSimId m_id;
    bool m_inUse;
    std::vector<CPmSection200*> m_sections;
    bool m_isCurVersion;
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmSim200& sim);

inline CTime PmSimTimes::Edited(const CPmSim200& sim)
{
    return sim.m_dttmEdited;
}
