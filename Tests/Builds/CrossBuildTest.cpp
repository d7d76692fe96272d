// Records across builds: every probe of a group writes its file once, then
// every probe reads what all the others of its group wrote, in one process
// each, and must read every simulation back the same as its writer did. The
// probes of the build of the other bitness take part when that build is named.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace
{
struct Probe
{
    std::string module;
    std::string group;
    int bits = 0;
    std::string strings;
    std::string program;
};

struct Outcome
{
    int exitCode = -1;  // -1 when the process did not exit normally
    std::string output;
};

// Runs the program with the arguments and collects what it writes to stdout.
Outcome RunProbe(const std::string& program, const std::vector<std::string>& arguments)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0)
    {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        std::_Exit(127);
    }
    close(pipeEnds[1]);
    Outcome outcome;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        outcome.output.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

bool ReadProbeList(const std::string& path, std::vector<Probe>& probes)
{
    std::ifstream in(path);
    if (!in)
        return false;
    for (std::string line; std::getline(in, line);)
    {
        std::istringstream fields(line);
        Probe probe;
        if (fields >> probe.module >> probe.group >> probe.bits >> probe.strings >> probe.program)
            probes.push_back(probe);
    }
    return true;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class CrossBuildTest : public testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ReadProbeList(PM_PROBE_LIST, m_probes)) << PM_PROBE_LIST;
        const std::string peer = PM_PEER_PROBE_LIST;
        if (!peer.empty())
        {
            ASSERT_TRUE(ReadProbeList(peer, m_probes))
                << peer << " is missing: build the other bitness before running this test";
        }
        std::string pattern = testing::TempDir() + "pm_cross_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }

    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::vector<Probe> Group() const
    {
        std::vector<Probe> group;
        for (const Probe& probe : m_probes)
        {
            if (probe.group == GetParam())
                group.push_back(probe);
        }
        return group;
    }

    std::string FileOf(const Probe& probe) const
    {
        return m_folder + "/" + probe.module + (probe.group == "MSTN" ? ".dgn" : ".dwg");
    }

    std::vector<Probe> m_probes;
    std::string m_folder;
};
} // namespace

TEST_P(CrossBuildTest, EveryBuildReadsWhatEveryOtherWrote)
{
    const std::vector<Probe> group = Group();
    if (group.size() < 2)
        GTEST_SKIP() << "this build alone has fewer than two modules of the group";
    std::set<int> bitnesses;
    for (const Probe& probe : group)
        bitnesses.insert(probe.bits);
    if (std::string(PM_PEER_PROBE_LIST).size() > 0)
    {
        EXPECT_EQ(bitnesses.size(), 2u) << "both bitnesses take part";
    }

    for (const Probe& writer : group)
    {
        const Outcome written = RunProbe(writer.program, {"write", FileOf(writer)});
        ASSERT_EQ(written.exitCode, 0) << writer.module << " does not write its file";
    }

    for (const Probe& reader : group)
    {
        std::vector<std::string> files;
        std::vector<std::string> expected;
        for (const Probe& writer : group)
        {
            if (writer.module == reader.module)
                continue;
            files.push_back(FileOf(writer));
            // A build of the other string width cannot take the record's text
            // as its own: it reports what it makes of the record instead.
            expected.push_back((reader.strings == writer.strings ? "same " : "foreign ") + FileOf(writer));
        }
        files.insert(files.begin(), "read");
        const Outcome read = RunProbe(reader.program, files);
        const std::vector<std::string> lines = Lines(read.output);
        EXPECT_EQ(read.exitCode, 0) << reader.module << " read:\n" << read.output;
        ASSERT_EQ(lines.size(), expected.size()) << reader.module << " read:\n" << read.output;
        for (std::size_t i = 0; i < lines.size(); ++i)
        {
            EXPECT_EQ(lines[i].substr(0, std::min(lines[i].size(), expected[i].size())), expected[i])
                << reader.module << ": " << lines[i];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Groups, CrossBuildTest, testing::Values("DWG200", "DWG101", "MSTN"),
                         [](const testing::TestParamInfo<std::string>& param) { return param.param; });
