// What the end-to-end tests of a format 200 DWG module share. Each test program
// links one module, as a client application links an enabler, and has the
// stand-in host load and initialise it through its module loader.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <arxheaders.h>

#include "PmAcadSim200.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "PmSimList200.h"
#include "QdBlock.h"

#include "DrawingTest.h"
#include "HostDrawing.h"
#include "TestProcesses.h"

namespace DwgTest
{
// What the build under test is expected to be.
struct Variant
{
    const char* deliverable;
    int dwgVersion;
    int maintenanceRelease;
    const wchar_t* registrationFile;  // the module file named in the registration text
    const wchar_t* legacyModule;      // the format 101 module loaded at start-up; empty for none
    bool zrxNames;                    // ZWCAD: zcrxEntryPoint and an empty mismatch text
    bool brx;                         // BricsCAD: the pseudo-constructor hook and the module object
};

const Variant& ThisVariant();

// Every format 101 module name that some build loads.
const std::vector<std::wstring>& LegacyModuleNames();

// The registration text the module is expected to register its class with.
std::wstring ExpectedRegistrationText();

std::wstring ModulePath();
// Loads and initialises the module under test through the host's loader.
bool LoadModule();
// The entry point the module exports for the host.
AcRxEntryPointFunc EntryPoint();

// Drawings, references and stored entries on the host's side, and fresh hosts.
using HostDrawing::AddBlockDefinition;
using HostDrawing::AddReference;
using HostDrawing::IdOf;
using HostDrawing::IdOfHandle;
using HostDrawing::StoredNames;
using HostDrawing::StoreForeignEntry;
using TestProcesses::RemoveSharedTempDir;
using TestProcesses::RunInFreshHost;
using TestProcesses::SharedTempDir;

// A new block for the definition, made by the module's block factory from a
// reference at the point; not yet in the drawing.
CQdBlock* MakeBlock(AcDbObjectId definition, dpoint3d at);

// A part whose block shows the definition; the block is added to the drawing.
CPmPart* MakePart(AcDbObjectId definition);
// Positions (i, 2i, 0) for i from first on, with a turn about z in the transform.
std::vector<PmPosition200> MakePath(int count, double first = 0.0);
// A segment with the part and a path of count positions.
CPmSegment200* MakeSegment(CPmPart* part, int count, double first = 0.0);

// A simulation made by the factory: one section (speed 50) with one segment of
// three positions whose part, a cart with a wheel as its sub-part, shows blocks
// of two new definitions ("<name> cart", "<name> wheel"). Its id is the handle
// of the cart's block, its type 3.
CPmSim200* MakeCartSim(const CString& name);

// The stored object under the key, opened for read; the caller closes it.
CPmAcadSim200* OpenStored(const CString& key);

// The object the id names opened for read as a T, or null; the caller closes it.
template <class T>
T* Open(AcDbObjectId id, bool openErased = false)
{
    T* object = nullptr;
    acdbOpenObject(object, id, AcDb::kForRead, openErased);
    return object;
}
} // namespace DwgTest

// A test with the module loaded once in this process and a new empty drawing
// as the working database.
class DwgDrawingTest : public HostDrawingTest
{
protected:
    static void SetUpTestSuite();
    // Stores a new simulation of that name and id through its own Save.
    static void Store(const CString& name, PmSimId id);
};

// A test whose host has not loaded the module; it loads it in fresh processes.
class FreshHostTest : public testing::Test
{
};

// A simulation given back to the factory at the end of a scope.
using SimPtr = PmHeld::Detached<CPmSim200, CPmDbxFactory200>;
