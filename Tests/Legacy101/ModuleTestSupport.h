// What the tests of a format 101 module share. Each test program links one
// format 101 module, as a client application links it, and has the stand-in
// host load and initialise it through its module loader.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "DrawingTest.h"
#include "HostDrawing.h"
#include "LegacyBuilders.h"

namespace ModuleTest
{
// What the build under test is expected to be.
struct Build
{
    const char* deliverable;
    int dwgVersion;
    int maintenanceRelease;
    const wchar_t* registrationFile;  // the module file named in the registration text
    bool pointsExported;              // CQdPoint and CQdVector in the export table
};

const Build& ThisBuild();
std::wstring ExpectedRegistrationText();
bool LoadModule();
} // namespace ModuleTest

// A test with the module loaded once in this process and a new empty drawing
// as the working database.
class LegacyDrawingTest : public HostDrawingTest
{
protected:
    static void SetUpTestSuite();
};
