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
    // Copies every field. In the format 101 modules the sections are copied as
    // by the copy constructor and replace the ones held before; the format 200
    // modules, which cannot make format 101 objects, keep the sections held.
    CPmSim& operator=(const CPmSim& source);
    virtual ~CPmSim();

    virtual int Save() = 0;
    virtual int Update() = 0;
    virtual int Close() = 0;
    // Removes the blocks of every part from the drawing; stops at the first failure.
    virtual int Delete();
    virtual void SetSimInUse(bool inUse);

    void AddSection(CPmSection* section);
    CPmSection* Section(int& index);
    void SetName(const CString& name);

    void DebugPrint() const;
    void DisplayPrint(PmDumpStream& os) const;

    CString* Name();
    PM_NO_EXPORT const CString* Name() const { return &m_name; }
    int Length() const;
    CString DttmCreated() const;
    CString DttmEdited() const;
    int DisplayIndex() const;
    void SetDisplayIndex(int index);
    int Type() const;
    void SetType(int type);
    PmSimId Id() const;
    void SetId(PmSimId id);
    int SimInUse() const;
    std::vector<CPmSection*>* Sections();
    PM_NO_EXPORT const std::vector<CPmSection*>* Sections() const { return &m_sections; }

protected:
    // Every field but the sections: what each assignment copies as it is.
    PM_NO_EXPORT void AssignFields(const CPmSim& source)
    {
        m_name = source.m_name;
        m_length = source.m_length;
        m_dttmCreated = source.m_dttmCreated;
        m_dttmEdited = source.m_dttmEdited;
        m_displayIndex = source.m_displayIndex;
        m_type = source.m_type;
        m_id = source.m_id;
        m_inUse = source.m_inUse;
    }

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
