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

    void DebugPrint() const {}
    void DisplayPrint(PmDumpStream& os) const;

    CString* Name() { return &m_name; }
    const CString* Name() const { return &m_name; }
    void SetName(const CString& name) { m_name = name; }
    int Length() const { return m_length; }
    void SetLength(int length) { m_length = length; }
    CString DttmCreated() const;
    CString DttmEdited() const;
    CTime DttmCreatedTime() const { return m_dttmCreated; }
    void SetDttmCreated(CTime time) { m_dttmCreated = time; }
    void SetDttmEdited(CTime time) { m_dttmEdited = time; }
    int DisplayIndex() const { return m_displayIndex; }
    void SetDisplayIndex(int index) { m_displayIndex = index; }
    int Type() const { return m_type; }
    void SetType(int type) { m_type = type; }
    PmSimId Id() const { return m_id; }
    void SetId(PmSimId id) { m_id = id; }
    int SimInUse() const { return m_inUse ? 1 : 0; }
    bool IsCurVersion() const { return m_isCurVersion; }
    void SetIsCurVersion(bool isCurrent) { m_isCurVersion = isCurrent; }
    std::vector<CPmSection200*>* Sections() { return &m_sections; }
    const std::vector<CPmSection200*>* Sections() const { return &m_sections; }

private:
    friend struct PmSimTimes;
    void DeleteSections();

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
