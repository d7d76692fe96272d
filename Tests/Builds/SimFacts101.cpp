#include "SimFacts101.h"

#include <dbhandle.h>

#include "PMPosition.h"
#include "PmPart.h"
#include "PmSection.h"
#include "PmSegment.h"
#include "PmSim.h"
#include "QdBlock.h"

namespace
{
// The stored times as values: the format 101 model shows them to its clients
// only as text. Never instantiated; it only names the protected members.
struct StoredTimes : CPmSim
{
    static CTime Created(const CPmSim& sim) { return sim.*(&StoredTimes::m_dttmCreated); }
    static CTime Edited(const CPmSim& sim) { return sim.*(&StoredTimes::m_dttmEdited); }
};

void AddPoint(ProbeFacts& facts, const std::string& key, const dpoint3d& point)
{
    const double values[3] = {point.x, point.y, point.z};
    facts.Add(key, values, 3);
}

// A block by the handle of its block reference in the drawing.
void AddBlockFacts(ProbeFacts& facts, const std::string& key, const CQdBlock* block)
{
    const AcDbHandle* handle = block ? block->Handle() : nullptr;
    if (handle)
        facts.Add(key, static_cast<std::uint64_t>(static_cast<Adesk::UInt64>(*handle)));
    else
        facts.Add(key, std::string("none"));
}

// The part tree depth first: each part's offset and block, then its sub-parts.
void AddPartFacts(ProbeFacts& facts, const std::string& path, const CPmPart& part)
{
    const PmPartOffset offset = part.Offset();
    AddPoint(facts, path + " offset", {offset.x, offset.y, offset.z});
    AddBlockFacts(facts, path + " block", part.Block());
    facts.Add(path + " sub-parts", part.NumSubParts());
    for (int i = 0; i < part.NumSubParts(); ++i)
    {
        if (const CPmPart* sub = part.SubPart(i))
            AddPartFacts(facts, path + "." + std::to_string(i), *sub);
        else
            facts.Add(path + "." + std::to_string(i), std::string("none"));
    }
}

void AddSegmentFacts(ProbeFacts& facts, const std::string& path, const CPmSegment& segment)
{
    auto& readable = const_cast<CPmSegment&>(segment);  // the positions have no const accessor
    facts.Add(path + " length", segment.Length());
    const std::vector<PMPosition>& positions = *readable.Positions();
    facts.Add(path + " positions", static_cast<int>(positions.size()));
    for (std::size_t p = 0; p < positions.size(); ++p)
    {
        const std::string at = path + " position " + std::to_string(p);
        AddPoint(facts, at + " pt", positions[p].pt);
        facts.Add(at + " ang", positions[p].ang);
        AddPoint(facts, at + " tpt", positions[p].tpt);
    }
    if (const CPmPart* part = segment.Part())
        AddPartFacts(facts, path + " part", *part);
    else
        facts.Add(path + " part", std::string("none"));
}
} // namespace

void AddSimFacts(ProbeFacts& facts, const CPmSim& sim)
{
    facts.Add("simulation", ProbeText(*sim.Name()));
    facts.Add("id", static_cast<std::uint64_t>(sim.Id()));
    facts.Add("type", sim.Type());
    facts.Add("in use", sim.SimInUse() != 0);
    facts.Add("length", sim.Length());
    facts.Add("created", static_cast<std::int64_t>(StoredTimes::Created(sim).GetTime()));
    facts.Add("edited", static_cast<std::int64_t>(StoredTimes::Edited(sim).GetTime()));
    const std::vector<CPmSection*>& sections = *sim.Sections();
    facts.Add("sections", static_cast<int>(sections.size()));
    for (std::size_t s = 0; s < sections.size(); ++s)
    {
        const std::string path = "section " + std::to_string(s);
        if (!sections[s])
        {
            facts.Add(path, std::string("none"));
            continue;
        }
        const CPmSection& section = *sections[s];
        facts.Add(path + " speed", section.Speed());
        facts.Add(path + " units", section.SpeedUnits());
        facts.Add(path + " length", section.Length());
        const std::vector<CPmSegment*>& segments = *section.Segments();
        facts.Add(path + " segments", static_cast<int>(segments.size()));
        for (std::size_t g = 0; g < segments.size(); ++g)
        {
            const std::string at = path + " segment " + std::to_string(g);
            if (segments[g])
                AddSegmentFacts(facts, at, *segments[g]);
            else
                facts.Add(at, std::string("none"));
        }
    }
}
