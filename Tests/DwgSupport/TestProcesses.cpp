#include "TestProcesses.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace TestProcesses
{
namespace
{
std::string SharedVariable(const char* tag)
{
    return std::string("PM_DWG_TEST_SHARED_") + tag;
}

// The folders this process made (not those it inherited) go when it ends,
// also when it is a fresh host that ends through exit.
struct MadeFolders
{
    std::vector<std::string> tags;
    ~MadeFolders()
    {
        for (const std::string& tag : tags)
            RemoveSharedTempDir(tag.c_str());
    }
};

MadeFolders& Made()
{
    static MadeFolders made;
    return made;
}
} // namespace

std::string SharedTempDir(const char* tag)
{
    const std::string variable = SharedVariable(tag);
    if (const char* inherited = std::getenv(variable.c_str()))
        return inherited;
    std::string pattern = testing::TempDir() + "pm_dwg_XXXXXX";
    const char* made = mkdtemp(pattern.data());
    if (!made)
        return std::string();
    setenv(variable.c_str(), made, 1);
    Made().tags.push_back(tag);
    return made;
}

void RemoveSharedTempDir(const char* tag)
{
    const std::string variable = SharedVariable(tag);
    if (const char* folder = std::getenv(variable.c_str()))
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    unsetenv(variable.c_str());
}

std::string RunDrawingTool(const std::string& tool, const std::string& arguments)
{
    const std::string command = "'" + tool + "' " + arguments;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe)
        return "failed: " + command;
    std::string output;
    char buffer[4096];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        output.append(buffer, read);
    const int status = pclose(pipe.release());
    if (status != 0)
        return "failed (" + std::to_string(status) + "): " + command + "\n" + output;
    return output;
}
} // namespace TestProcesses
