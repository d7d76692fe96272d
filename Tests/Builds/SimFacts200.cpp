#include "SimFacts200.h"

#if defined(PM_HOST_FAMILY_DWG)
#include <dbhandle.h>
#endif

#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSim200.h"
#include "QdBlock.h"

namespace
{
void AddPoint(ProbeFacts& facts, const std::string& key, double x, double y, double z)
{
    const double values[3] = {x, y, z};
    facts.Add(key, values, 3);
}

// A block by what names it in the drawing: the block reference's handle in the
// DWG hosts, the element id in MicroStation.
std::uint64_t BlockId(const CQdBlock& block)
{
#if defined(PM_HOST_FAMILY_DWG)
    if (const AcDbHandle* handle = block.Handle())
        return static_cast<Adesk::UInt64>(*handle);
    return 0;
#else
    return block.ElementId();
#endif
}

void AddPartFacts(ProbeFacts& facts, const std::string& path, const CPmPart& part)
{
    const PmPartOffset offset = part.Offset();
    AddPoint(facts, path + " offset", offset.x, offset.y, offset.z);
    if (const CQdBlock* block = part.Block())
        facts.Add(path + " block", BlockId(*block));
    else
        facts.Add(path + " block", std::string("none"));
    facts.Add(path + " sub-parts", part.NumSubParts());
    for (int i = 0; i < part.NumSubParts(); ++i)
    {
        if (const CPmPart* sub = part.SubPart(i))
            AddPartFacts(facts, path + "." + std::to_string(i), *sub);
    }
}

void AddSegmentFacts(ProbeFacts& facts, const std::string& path, CPmSegment200& segment)
{
    facts.Add(path + " length", segment.Length());
    const std::vector<PmPosition200>& positions = *segment.Positions();
    facts.Add(path + " positions", static_cast<int>(positions.size()));
    for (std::size_t p = 0; p < positions.size(); ++p)
    {
        const std::string at = path + " position " + std::to_string(p);
        AddPoint(facts, at + " pt", positions[p].pt.x, positions[p].pt.y, positions[p].pt.z);
        AddPoint(facts, at + " tpt", positions[p].tpt.x, positions[p].tpt.y, positions[p].tpt.z);
        CQdTransform transform = positions[p].transform;
        double matrix[16];
        for (int r = 0; r < 4; ++r)
        {
            for (int c = 0; c < 4; ++c)
                matrix[4 * r + c] = transform(r, c);
        }
        facts.Add(at + " transform", matrix, 16);
    }
    if (const CPmPart* part = segment.Part())
        AddPartFacts(facts, path + " part", *part);
    else
        facts.Add(path + " part", std::string("none"));
}
} // namespace

void AddSimFacts(ProbeFacts& facts, const CPmSim200& sim)
{
    auto& readable = const_cast<CPmSim200&>(sim);  // the model's accessors are not all const
    facts.Add("simulation", ProbeText(*sim.Name()));
    facts.Add("id", static_cast<std::uint64_t>(sim.Id()));
    facts.Add("type", sim.Type());
    facts.Add("in use", sim.SimInUse());
    facts.Add("length", sim.Length());
    facts.Add("created", static_cast<std::int64_t>(sim.DttmCreatedTime().GetTime()));
    facts.Add("edited", static_cast<std::int64_t>(PmSimTimes::Edited(sim).GetTime()));
    facts.Add("current", sim.IsCurVersion());
    const std::vector<CPmSection200*>& sections = *readable.Sections();
    facts.Add("sections", static_cast<int>(sections.size()));
    for (std::size_t s = 0; s < sections.size(); ++s)
    {
        const std::string path = "section " + std::to_string(s);
        CPmSection200& section = *sections[s];
        facts.Add(path + " speed", section.Speed());
        facts.Add(path + " units", section.SpeedUnits());
        facts.Add(path + " length", section.Length());
        const std::vector<CPmSegment200*>& segments = *section.Segments();
        facts.Add(path + " segments", static_cast<int>(segments.size()));
        for (std::size_t g = 0; g < segments.size(); ++g)
            AddSegmentFacts(facts, path + " segment " + std::to_string(g), *segments[g]);
    }
}
