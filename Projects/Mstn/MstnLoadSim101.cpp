// LoadSim's listed form and UpgradeSim of the builds that bind the MicroStation
// format 101 module: a name without a readable format 200 record is asked of that module,
// and its simulation converted into a current-model one.
#include <memory>

#include "MstnFormat101.h"
#include "MstnHeaderIndex.h"
#include "MstnHeld.h"
#include "MstnRecordLayout.h"
#include "MstnSimStream.h"
#include "PmDbxFactory200.h"
#include "PmMstnSim200.h"
#include "PmSim.h"

namespace
{
// The model's conversion from format 101. The model's simulation class is
// abstract in these builds, so the conversion goes through this stand-in
// before the MicroStation class copies it.
class CConvertedSim : public CPmSim200
{
public:
    explicit CConvertedSim(const CPmSim& legacy) : CPmSim200(legacy) {}
    int Save() override { return -1; }
    int Update() override { return -1; }
    int Close() override { return -1; }
};

// Whether the name may have a format 200 record that reads: one does, or the
// model could not be searched to its end.
bool MayHaveReadableRecord(const CString& name)
{
    MstnHeaderIndex index(MstnRecord::kSimulationKind);
    CPmMstnSim200 sim;
    return LoadMstnSim(&sim, name, index) == 0 || !index.SearchedWholeModel();
}

// The format 101 module's simulation of that name converted into a new
// simulation named with the name asked for; none when the module has none.
MstnHeldSim ConvertFromFormat101(const CString& name)
{
    // An object of another class is not converted, but it is ours to free all
    // the same. Only the module's LoadSim is bound: its object is freed through
    // its virtual destructor, in the module that made it.
    const std::unique_ptr<CPmSim> legacy(MstnFormat101::LoadSim(name));
    if (!legacy || !MstnFormat101::IsMstnSim(*legacy))
        return MstnHeldSim();
    const CConvertedSim intermediate(*legacy);
    MstnHeldSim converted(new CPmMstnSim200(intermediate));
    converted->SetName(name);
    return converted;
}
} // namespace

CPmSim200* LoadListedMstnSim(const CString& name, MstnHeaderIndex& index)
{
    MstnHeldSim sim(new CPmMstnSim200());
    if (LoadMstnSim(sim.get(), name, index) == 0)
        return sim.release();
    sim.reset();
    // A model not searched to its end may hold a format 200 record of the
    // name: the old form is not taken in its place.
    if (!index.SearchedWholeModel())
        return nullptr;
    MstnHeldSim converted = ConvertFromFormat101(name);
    if (converted)
        converted->SetIsCurVersion(false);
    return converted.release();
}

void CPmDbxFactory200::UpgradeSim(const CString& name)
{
    if (MayHaveReadableRecord(name))
        return;
    const MstnHeldSim converted = ConvertFromFormat101(name);
    if (!converted)
        return;
    converted->SetIsCurVersion(true);
    converted->Save();
}
