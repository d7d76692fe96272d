// The two holders of what a module holds for the length of a scope, given back
// on every path out of it, an exception included: an object opened from the
// host is closed, a simulation the factory handed out is given back to it.
// Templates over the held class only, so that the header needs no host SDK.
#pragma once

#include <memory>

namespace PmHeld
{
template <class Object>
struct Closer
{
    void operator()(Object* object) const { object->close(); }
};
// An object opened from the host, closed when the holder goes.
template <class Object>
using Open = std::unique_ptr<Object, Closer<Object>>;

// Ends the open now: the host's status of the close, 0 when nothing was held.
template <class Object>
int Close(Open<Object>& held)
{
    Object* object = held.release();
    if (!object)
        return 0;
    return object->close();
}

template <class Sim, class Factory>
struct GiveBack
{
    void operator()(Sim* sim) const { Factory::DeleteSim(sim); }
};
// A simulation the factory handed out, given back to it when the holder goes.
template <class Sim, class Factory>
using Detached = std::unique_ptr<Sim, GiveBack<Sim, Factory>>;
} // namespace PmHeld
