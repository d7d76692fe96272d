// What the tests of the format 200 module that binds a format 101 module
// share: the legacy drawing written by the drawing tool, the host with both
// modules loaded, and the format 101 module's exports reached by name.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <windows.h>

#include "HostDrawing.h"
#include "LegacyDrawing.h"
#include "PmAcadPart.h"
#include "PmAcadSim200.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSimList200.h"
#include "QdBlock.h"
#include "TestProcesses.h"

namespace UpgradeTest
{
// The legacy drawing, written once by the drawing tool for this test program
// and the fresh processes it starts.
std::string LegacyDrawingFile();
// A file in the same folder, for drawings the tests save.
std::string SharedFile(const char* name);
// What the drawing tool (a host with only the format 101 module) reads from a drawing file.
std::string ToolDump(const std::string& file);

// Loads the format 200 module; with the company folder, its start-up loads
// the format 101 module of its SDK from there.
bool LoadModule(bool withCompanyFolder);

// The address of the export of that name in the format 101 module, and in
// the format 200 module under test.
FARPROC LegacyProc(const char* name);
FARPROC CurrentProc(const char* name);

// The format 101 module's export of that name, as the function type F.
template <typename F>
F* LegacyExport(const char* name)
{
    return reinterpret_cast<F*>(reinterpret_cast<void (*)()>(LegacyProc(name)));
}

// True when the object's run-time type has that name, whichever module made it.
bool IsOfType(const CQdBlock& block, const char* name);
} // namespace UpgradeTest

// Gives simulations made by the format 200 factory back through it.
using SimPtr = PmHeld::Detached<CPmSim200, CPmDbxFactory200>;
using ListPtr = std::unique_ptr<CPmSimList200>;

// A test whose host has loaded Varnex200_2013x64 with the company folder (and
// so its format 101 module), and whose working drawing is the legacy drawing
// read anew. Every host heap block the test makes must be gone once the drawing is deleted.
class LegacyDrawingInHostTest : public testing::Test
{
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    AcDbDatabase* Drawing() const { return m_drawing; }
    // Saves the working drawing to a shared file and answers what the tool reads from it.
    std::string DumpOfSavedDrawing(const char* name);

private:
    AcDbDatabase* m_drawing = nullptr;
    std::size_t m_heapBefore = 0;
};
