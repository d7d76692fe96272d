// Holders of the module's simulations that give them back on every path, an
// exception included: a stored simulation opened for read is closed, a
// detached one handed out by the factory is given back to it.
#pragma once

#include <memory>

#include "PmDbxFactory.h"
#include "PmSim.h"

namespace PmHeld
{
struct Closer
{
    void operator()(CPmSim* sim) const { sim->Close(); }
};
// A stored simulation open for read, closed when the holder goes.
using OpenSim = std::unique_ptr<CPmSim, Closer>;

struct Disposer
{
    void operator()(CPmSim* sim) const { CPmDbxFactory::DeleteSim(sim); }
};
// A simulation the factory handed out, given back when the holder goes.
using OwnedSim = std::unique_ptr<CPmSim, Disposer>;
} // namespace PmHeld
