// The legacy demonstration: format 101 simulations read and upgraded.
//
// It starts legacy_demo_writer, a host with only the format 101 module, which
// saves a drawing of format 101 simulations. Then, in this fresh process, the
// host loads Varnex200_2013x64, whose start-up loads the format 101 module of
// its SDK from the company folder; the client reads the old simulations
// through it, upgrades them to format 200 and saves the drawing again.
//
//   legacy_demo [folder]        (default: the temporary folder)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <windows.h>

#include <arxheaders.h>

#include "PmDbxFactory200.h"
#include "PmSim200.h"
#include "PmSimList200.h"
#include "ZrAcadObject.h"
#include "RunProgram.h"

namespace
{
std::string Narrow(const CString& text)
{
    return CStringA(text).GetString();
}

int RunWriter(const std::string& file)
{
    return DemoProcess::RunProgram(DEMO_WRITER_PATH, {file});
}

// Each stored entry with the class of its object: the format 101 class or the current one.
void PrintStored(const char* when)
{
    CStringArray keys;
    CZrAcadObject::GetObjectNames(_T("QD_SIM"), &keys);
    std::printf("[2] Stored %s:", when);
    for (INT_PTR i = 0; i < keys.GetSize(); ++i)
    {
        AcDbObject* object = nullptr;
        acdbOpenAcDbObject(object, CZrAcadObject::GetObjectId(_T("QD_SIM"), keys[i]), AcDb::kForRead);
        std::printf(" \"%s\" as %s", Narrow(keys[i]).c_str(), object ? Narrow(object->isA()->name()).c_str() : "?");
        if (object)
            object->close();
    }
    std::printf("\n");
}

int Upgrade(const std::string& legacyFile, const std::string& upgradedFile)
{
    // The company folder under CommonProgramFiles holds the format 101 modules.
    setenv("CommonProgramFiles", DEMO_COMMON_FILES, 1);
    const bool loaded = acrxLoadModule(CStringW(DEMO_MODULE_PATH), true);
    const std::string legacyModule = std::filesystem::path(DEMO_LEGACY_MODULE_PATH).filename().string();
    std::printf("[2] A fresh host loaded %s: %s; its start-up loaded %s: %s\n",
                std::filesystem::path(DEMO_MODULE_PATH).filename().c_str(), loaded ? "ok" : "failed",
                legacyModule.c_str(), GetModuleHandleA(legacyModule.c_str()) ? "yes" : "no");
    auto* drawing = new AcDbDatabase(false, true);
    const Acad::ErrorStatus read = drawing->readDwgFile(CStringW(legacyFile.c_str()));
    std::printf("[2] Read the drawing %s: status %d\n", legacyFile.c_str(), read);
    acdbHostApplicationServices()->setWorkingDatabase(drawing);
    PrintStored("before");

    CPmSim200* crane = CPmDbxFactory200::LoadSim(_T("Old crane"));
    if (crane)
    {
        PmDumpStream dump;
        dump << *crane;
        std::printf("[2] LoadSim(\"Old crane\") converted it (current version: %s):%s\n",
                    crane->IsCurVersion() ? "yes" : "no", Narrow(dump.str().c_str()).c_str());
        CPmDbxFactory200::DeleteSim(crane);
    }

    std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, true));
    std::printf("[2] LoadSimList(keep all, upgrade) wrote back %d simulations in format 200\n", list->Size());
    list.reset();
    PrintStored("after");

    const Acad::ErrorStatus saved = drawing->saveAs(CStringW(upgradedFile.c_str()));
    std::printf("[2] Saved the upgraded drawing to %s: status %d\n", upgradedFile.c_str(), saved);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete drawing;
    return read == Acad::eOk && saved == Acad::eOk ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path();
    const std::string legacyFile = (folder / "varnex_legacy.dwg").string();
    const std::string upgradedFile = (folder / "varnex_upgraded.dwg").string();
    std::printf("Varnex: reading and upgrading format 101 simulations\n");
    std::fflush(stdout);
    if (RunWriter(legacyFile) != 0)
        return 1;
    return Upgrade(legacyFile, upgradedFile);
}
