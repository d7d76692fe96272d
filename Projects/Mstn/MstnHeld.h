// What the module holds until it hands it on: an object opened or allocated
// from the host (an element descriptor, scan criteria), given back to the
// host. The holder gives its object back when it ends, an exception included,
// unless it was released to a new owner. It moves, and is never copied. A
// simulation the factory handed out is held as in every module family
// (PmHeld::Detached), under the name MstnHeldSim.
#pragma once

#include <type_traits>

#include <mselmdsc.h>
#include <scanner.h>

#include "PmDbxFactory200.h"
#include "PmHeld.h"

template <class T, void (*GiveBack)(T*)>
class MstnHeld
{
public:
    explicit MstnHeld(T* object = nullptr) : m_object(object) {}
    MstnHeld(MstnHeld&& other) noexcept : m_object(other.Release()) {}
    MstnHeld& operator=(MstnHeld&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    MstnHeld(const MstnHeld&) = delete;
    MstnHeld& operator=(const MstnHeld&) = delete;
    ~MstnHeld() { Reset(nullptr); }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // Where a host call puts a new object; the one held before is given back.
    T** Out()
    {
        Reset(nullptr);
        return &m_object;
    }
    // Holds that object; the one held before, when another, is given back.
    void Reset(T* object)
    {
        T* const old = m_object;
        m_object = object;
        if (old && old != object)
            GiveBack(old);
    }
    // The object for its new owner; the holder holds none.
    T* Release()
    {
        T* const object = m_object;
        m_object = nullptr;
        return object;
    }

private:
    T* m_object;
};

namespace MstnGiveBack
{
inline void Descriptor(MSElementDescr* descr)
{
    mdlElmdscr_freeAll(&descr);
}
// The criteria are asked to be freed once: a refused free leaves nothing to do.
inline void Criteria(std::remove_pointer_t<ScanCriteriaP>* criteria)
{
    mdlScanCriteria_free(criteria);
}
} // namespace MstnGiveBack

using MstnHeldDescriptor = MstnHeld<MSElementDescr, &MstnGiveBack::Descriptor>;
using MstnHeldCriteria = MstnHeld<std::remove_pointer_t<ScanCriteriaP>, &MstnGiveBack::Criteria>;
// A simulation the factory hands out, or is making to hand out, given back to it.
using MstnHeldSim = PmHeld::Detached<CPmSim200, CPmDbxFactory200>;
