// The format 200 DWG probe's modes: write a drawing with its simulations, read
// drawings other builds wrote.
#include <cstdio>
#include <memory>

#include "DwgSims200.h"
#include "HostDrawing.h"
#include "Probe.h"

namespace
{
using Drawing = std::unique_ptr<AcDbDatabase, DrawingCloser>;

// One line for the file: how it reads against the facts beside it.
std::string Verdict(const std::string& file)
{
    std::vector<std::string> expected;
    if (!ProbeFactsFile::Read(ProbeFactsFile::PathFor(file), expected))
        return "unreadable " + file + ": no facts beside it";
    const Drawing drawing(HostDrawing::OpenDrawing(file));
    if (!drawing)
        return "unreadable " + file + ": the drawing does not read";
    const std::string difference = ProbeFactsFile::Difference(expected, DwgSims::StoredFacts().Lines());
    return difference.empty() ? "same " + file : "differs " + file + ": " + difference;
}
} // namespace

int ProbeWrite(const std::string& file)
{
    if (!DwgSims::LoadModule())
    {
        std::fprintf(stderr, "%s does not load\n", PM_PROBE_DELIVERABLE);
        return 3;
    }
    Drawing drawing(new AcDbDatabase);
    acdbHostApplicationServices()->setWorkingDatabase(drawing.get());
    const int stored = DwgSims::StoreProbeSims();
    const Acad::ErrorStatus saved = drawing->saveAs(CStringW(file.c_str()).GetString());
    drawing.reset();
    if (stored != 0 || saved != Acad::eOk)
    {
        std::fprintf(stderr, "storing gave %d, saving %d\n", stored, static_cast<int>(saved));
        return 4;
    }
    // The facts are what this build reads back from the file: the record holds
    // less than the objects in memory (a position's transform is rebuilt from
    // its point and angles), and every other build must read the same.
    drawing.reset(HostDrawing::OpenDrawing(file));
    if (!drawing)
    {
        std::fprintf(stderr, "the written drawing does not read\n");
        return 5;
    }
    const ProbeFacts facts = DwgSims::StoredFacts();
    drawing.reset();
    return ProbeFactsFile::Write(ProbeFactsFile::PathFor(file), facts) ? 0 : 5;
}

int ProbeRead(const std::vector<std::string>& files)
{
    if (!DwgSims::LoadModule())
    {
        std::fprintf(stderr, "%s does not load\n", PM_PROBE_DELIVERABLE);
        return 3;
    }
    bool allSame = true;
    for (const std::string& file : files)
    {
        const std::string verdict = Verdict(file);
        allSame = allSame && verdict.rfind("same ", 0) == 0;
        std::printf("%s\n", verdict.c_str());
    }
    return allSame ? 0 : 1;
}
