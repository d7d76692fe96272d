// A host that loads only a format 101 module, as a client application of it:
//   write <file>   stores the legacy drawing of the tests and writes it to the file;
//   dump <file>    reads the file and prints every stored entry as the module reads it.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "HostDrawing.h"
#include "LegacyBuilders.h"

namespace
{
std::string Narrow(const CString& text)
{
    return CStringA(text.GetString()).GetString();
}

int Write(const char* file)
{
    AcDbDatabase drawing;
    acdbHostApplicationServices()->setWorkingDatabase(&drawing);
    const int stored = LegacyBuild::StoreLegacyDrawing();
    const Acad::ErrorStatus saved = drawing.saveAs(CStringW(file).GetString());
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    if (stored != 0 || saved != Acad::eOk)
    {
        std::fprintf(stderr, "storing gave %d, saving %d\n", stored, static_cast<int>(saved));
        return 4;
    }
    return 0;
}

// Every stored entry: its key and class, and for a format 101 simulation its
// stored fields (opened, not copied, so the edited time is the stored one) and dump.
int Dump(const char* file)
{
    std::unique_ptr<AcDbDatabase, DrawingCloser> drawing(HostDrawing::OpenDrawing(file));
    if (!drawing)
        return 5;
    for (const CString& key : HostDrawing::StoredNames())
    {
        std::printf("key: %s class: %s\n", Narrow(key).c_str(),
                    Narrow(CString(HostDrawing::StoredClass(key).c_str())).c_str());
        CPmAcadSim* sim = LegacyBuild::OpenStored(key);
        if (!sim)
            continue;
        sim->SetName(key);
        std::printf("  type: %d id: %llu in use: %d created: %s edited: %s\n", sim->Type(),
                    static_cast<unsigned long long>(sim->Id()), sim->SimInUse(), Narrow(sim->DttmCreated()).c_str(),
                    Narrow(sim->DttmEdited()).c_str());
        PmDumpStream text;
        text << static_cast<const CPmSim&>(*sim);
        std::printf("%s\n", Narrow(CString(text.str().c_str())).c_str());
        sim->Close();
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    setenv("TZ", "UTC0", 1);
    tzset();
    unsetenv("CommonProgramFiles");
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s write|dump <file>\n", argv[0]);
        return 2;
    }
    if (!HostDrawing::LoadModule(PM_TOOL_MODULE_PATH))
        return 3;
    const std::string mode = argv[1];
    if (mode == "write")
        return Write(argv[2]);
    if (mode == "dump")
        return Dump(argv[2]);
    return 2;
}
