// Runs another host process of the demonstrations and waits for it.
#pragma once

#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace DemoProcess
{
// The program's exit status, or 1 when it does not start or does not exit.
inline int RunProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return 1;
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// This program started anew with the arguments, as the next session of its host.
inline int RunSelf(const std::vector<std::string>& arguments)
{
    return RunProgram("/proc/self/exe", arguments);
}
} // namespace DemoProcess
