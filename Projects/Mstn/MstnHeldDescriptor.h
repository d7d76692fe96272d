// A descriptor the module holds for the length of a scope: freed when the
// scope ends, an exception included, unless it was released to a new owner.
#pragma once

#include <mselmdsc.h>

class MstnHeldDescriptor
{
public:
    explicit MstnHeldDescriptor(MSElementDescr* descr = nullptr) : m_descr(descr) {}
    MstnHeldDescriptor(const MstnHeldDescriptor&) = delete;
    MstnHeldDescriptor& operator=(const MstnHeldDescriptor&) = delete;
    ~MstnHeldDescriptor() { mdlElmdscr_freeAll(&m_descr); }

    MSElementDescr* Get() const { return m_descr; }
    MSElementDescr* operator->() const { return m_descr; }
    explicit operator bool() const { return m_descr != nullptr; }
    // Where a host call puts a new descriptor; the one held before is freed.
    MSElementDescr** Out()
    {
        mdlElmdscr_freeAll(&m_descr);
        return &m_descr;
    }
    // Holds that descriptor; the one held before is freed.
    void Reset(MSElementDescr* descr)
    {
        mdlElmdscr_freeAll(&m_descr);
        m_descr = descr;
    }
    // The descriptor for its new owner; the holder holds none.
    MSElementDescr* Release()
    {
        MSElementDescr* descr = m_descr;
        m_descr = nullptr;
        return descr;
    }

private:
    MSElementDescr* m_descr;
};
