// A format 101 simulation. The module's DWG class derives the persistent form.
#pragma once

#include <vector>

#include <afx.h>

#include "PmDump.h"
#include "PmExport.h"
#include "PmHostTypes.h"

class CPmSection;

class PM_EXPORT CPmSim
{
public:
    CPmSim();
    // A copy keeps the created time and counts as an edit.
    CPmSim(const CPmSim& source);
    CPmSim& operator=(const CPmSim&) = delete;
    virtual ~CPmSim();

    virtual int Save() = 0;
    virtual int Update() = 0;
    virtual int Close() = 0;
    // Removes the blocks of every part from the drawing; stops at the first failure.
    virtual int Delete();
    virtual void SetSimInUse(bool inUse);

    void AddSection(CPmSection* section);
    CPmSection* Section(int& index);
    void SetName(const CString& name) { m_name = name; }

    void DebugPrint() const {}
    void DisplayPrint(PmDumpStream& os) const;

    CString* Name() { return &m_name; }
    const CString* Name() const { return &m_name; }
    int Length() const { return m_length; }
    CString DttmCreated() const;
    CString DttmEdited() const;
    int DisplayIndex() const { return m_displayIndex; }
    void SetDisplayIndex(int index) { m_displayIndex = index; }
    int Type() const { return m_type; }
    void SetType(int type) { m_type = type; }
    PmSimId Id() const { return m_id; }
    void SetId(PmSimId id) { m_id = id; }
    int SimInUse() const { return m_inUse ? 1 : 0; }
    std::vector<CPmSection*>* Sections() { return &m_sections; }
    const std::vector<CPmSection*>* Sections() const { return &m_sections; }

protected:
    CString m_name;
    int m_length;
    CTime m_dttmCreated;
    CTime m_dttmEdited;
    int m_displayIndex;
    int m_type;
    PmSimId m_id;
    bool m_inUse;
    std::vector<CPmSection*> m_sections;

    friend class CPmSim200;  // converts from this generation
};

PM_EXPORT PmDumpStream& operator<<(PmDumpStream& os, const CPmSim& sim);
