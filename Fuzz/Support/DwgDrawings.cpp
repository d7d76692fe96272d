#include "DwgDrawings.h"

#include <cstdlib>
#include <ctime>

#include <afx.h>

#include "FuzzCheck.h"
#include "FuzzFiles.h"

void LoadDwgModule(const char* path, const char* commonFiles)
{
    if (commonFiles)
        setenv("CommonProgramFiles", commonFiles, 1);
    else
        unsetenv("CommonProgramFiles");
    setenv("TZ", "UTC0", 1);
    tzset();
    FuzzCheck(acrxLoadModule(CStringW(path).GetString(), true), std::string(path) + " does not load");
}

void WorkingDrawingCloser::operator()(AcDbDatabase* drawing) const
{
    if (acdbHostApplicationServices()->workingDatabase() == drawing)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete drawing;
}

Drawing OpenDrawing(const std::string& path)
{
    Drawing drawing(new AcDbDatabase(false, true));
    if (drawing->readDwgFile(CStringW(path.c_str()).GetString()) != Acad::eOk)
        return nullptr;
    acdbHostApplicationServices()->setWorkingDatabase(drawing.get());
    return drawing;
}

Drawing OpenInputDrawing(const std::uint8_t* data, std::size_t size)
{
    const FuzzFile input("input", ".dwg");
    return input.Write(data, size) ? OpenDrawing(input.Path()) : nullptr;
}

bool SaveDrawing(AcDbDatabase& drawing, const std::string& path)
{
    return drawing.saveAs(CStringW(path.c_str()).GetString()) == Acad::eOk;
}

namespace
{
bool LeftOpen(Acad::ErrorStatus status)
{
    return status == Acad::eWasOpenForRead || status == Acad::eWasOpenForWrite || status == Acad::eAtMaxReaders;
}
} // namespace

// A drawing may lack the dictionaries (a file that holds none reads); only an
// object still open is a fault.
void ExpectNothingLeftOpen(AcDbDatabase& drawing, const std::string& step)
{
    AcDbDictionary* named = nullptr;
    const Acad::ErrorStatus opened = drawing.getNamedObjectsDictionary(named, AcDb::kForWrite);
    FuzzCheck(!LeftOpen(opened), "the named objects dictionary was left open by " + step);
    if (opened != Acad::eOk || !named)
        return;
    AcDbObject* sims = nullptr;
    const Acad::ErrorStatus found = named->getAt(L"QD_SIM", sims, AcDb::kForWrite);
    if (found == Acad::eOk)
        sims->close();
    named->close();
    FuzzCheck(!LeftOpen(found), "\"QD_SIM\" was left open by " + step);
}
