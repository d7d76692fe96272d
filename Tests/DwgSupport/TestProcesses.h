// The processes of the DWG modules' tests: fresh hosts, folders they share,
// and tools run as hosts of their own.
#pragma once

#include <string>

#include "FreshHost.h"

namespace TestProcesses
{
using ::RunInFreshHost;

// A folder that the test's fresh processes share with it: made once, then
// named to the children through the environment.
std::string SharedTempDir(const char* tag);
void RemoveSharedTempDir(const char* tag);

// Runs a tool (a host program of its own) with the arguments; its standard
// output, or a text starting "failed" when it fails.
std::string RunDrawingTool(const std::string& tool, const std::string& arguments);
} // namespace TestProcesses
