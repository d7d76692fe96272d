// Walks shared by both generations of the model: the format 200 and format
// 101 classes differ in their types, not in these rules. Null entries, which
// the writable vectors can hold, are treated as absent.
#pragma once

#include <vector>

#include <afx.h>

#include "PmDump.h"

namespace PmModel
{
template <class T>
void DeleteAll(std::vector<T*>& owned)
{
    for (T* item : owned)
        delete item;
    owned.clear();
}

// Copies each entry through the given factory operation, in order. A copy
// that fails frees the copies made before it.
template <class Result, class Source, class CopyOp>
std::vector<Result*> CopyAll(const std::vector<Source*>& source, CopyOp copy)
{
    std::vector<Result*> copies;
    copies.reserve(source.size());  // no push_back below can throw
    try
    {
        for (const Source* item : source)
        {
            if (item)
                copies.push_back(copy(*item));
        }
    }
    catch (...)
    {
        DeleteAll(copies);
        throw;
    }
    return copies;
}

// The section that holds the position at a whole-simulation index; index
// becomes the position inside it, or is reduced by every length past the end.
template <class Section>
Section* FindSection(const std::vector<Section*>& sections, int& index)
{
    for (Section* section : sections)
    {
        if (!section)
            continue;
        if (index < section->Length())
            return section;
        index -= section->Length();
    }
    return nullptr;
}

// Removes the blocks of each segment's part, stopping at the first failure.
template <class Section>
int RemoveSectionBlocks(const std::vector<Section*>& sections)
{
    int status = 0;
    for (Section* section : sections)
    {
        if (!section)
            continue;
        for (auto* segment : *section->Segments())
        {
            if (status != 0)
                return status;
            if (segment && segment->Part())
                status += segment->Part()->RemoveBlock();
        }
    }
    return status;
}

template <class Sim>
int IndexOfName(const std::vector<Sim*>& sims, const CString& name)
{
    for (size_t i = 0; i < sims.size(); ++i)
    {
        if (sims[i]->Name()->CompareNoCase(name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

template <class Sim>
Sim* At(const std::vector<Sim*>& sims, int index)
{
    if (index < 0 || index >= static_cast<int>(sims.size()))
        return nullptr;
    return sims[static_cast<size_t>(index)];
}

template <class Sim>
int UpdateAll(const std::vector<Sim*>& sims)
{
    int status = 0;
    for (Sim* sim : sims)
        status += sim->Update();
    return status;
}

template <class Sim>
void MarkInUse(const std::vector<Sim*>& sims, const CString* exactName, bool inUse)
{
    for (Sim* sim : sims)
    {
        if (!exactName || sim->Name()->Compare(*exactName) == 0)
            sim->SetSimInUse(inUse);
    }
}

// The text dump's simulation and section headers, with their children.
template <class Section>
void DumpSim(PmDumpStream& os, const CString& name, int length, const std::vector<Section*>& sections)
{
    os << _T("\nCPmSim: \n");
    os << _T("  name: ") << name.GetString() << std::endl;
    os << _T("  len: ") << length << std::endl;
    os << _T("  sections: \n");
    for (const Section* section : sections)
    {
        if (section)
            os << *section;
    }
}

template <class Segment>
void DumpSection(PmDumpStream& os, double speed, int units, int length, const std::vector<Segment*>& segments)
{
    os << _T("\nCPmSection: \n");
    os << _T("  speed: ") << speed << std::endl;
    os << _T("  speed units: ") << units << std::endl;
    os << _T("  len: ") << length << std::endl;
    os << _T("  segments: \n");
    for (const Segment* segment : segments)
    {
        if (segment)
            os << *segment;
    }
}
} // namespace PmModel
