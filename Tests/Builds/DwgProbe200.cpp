// The format 200 DWG probe's modes: write a drawing with its simulations, read
// drawings other builds wrote.
#include <cstdio>

#include "DwgSims200.h"
#include "Probe.h"

int ProbeWrite(const std::string& file)
{
    if (!DwgSims::LoadModule())
    {
        std::fprintf(stderr, "%s does not load\n", PM_PROBE_DELIVERABLE);
        return 3;
    }
    auto* drawing = new AcDbDatabase;
    acdbHostApplicationServices()->setWorkingDatabase(drawing);
    const int stored = DwgSims::StoreProbeSims();
    const Acad::ErrorStatus saved = drawing->saveAs(CStringW(file.c_str()).GetString());
    DwgSims::CloseDrawing(drawing);
    if (stored != 0 || saved != Acad::eOk)
    {
        std::fprintf(stderr, "storing gave %d, saving %d\n", stored, static_cast<int>(saved));
        return 4;
    }
    // The facts are what this build reads back from the file: the record holds
    // less than the objects in memory (a position's transform is rebuilt from
    // its point and angles), and every other build must read the same.
    Acad::ErrorStatus read = Acad::eOk;
    drawing = DwgSims::OpenDrawing(file, read);
    if (!drawing)
    {
        std::fprintf(stderr, "the written drawing reads with %d\n", static_cast<int>(read));
        return 5;
    }
    const ProbeFacts facts = DwgSims::StoredFacts();
    DwgSims::CloseDrawing(drawing);
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
        std::vector<std::string> expected;
        Acad::ErrorStatus status = Acad::eOk;
        AcDbDatabase* drawing = nullptr;
        std::string outcome;
        if (!ProbeFactsFile::Read(ProbeFactsFile::PathFor(file), expected))
            outcome = "unreadable " + file + ": no facts beside it";
        else if (!(drawing = DwgSims::OpenDrawing(file, status)))
            outcome = "unreadable " + file + ": the host answers " + std::to_string(static_cast<int>(status));
        else
        {
            const std::string difference = ProbeFactsFile::Difference(expected, DwgSims::StoredFacts().Lines());
            outcome = difference.empty() ? "same " + file : "differs " + file + ": " + difference;
            DwgSims::CloseDrawing(drawing);
        }
        allSame = allSame && outcome.rfind("same ", 0) == 0;
        std::printf("%s\n", outcome.c_str());
    }
    return allSame ? 0 : 1;
}
