// The start of a program linked to a module, as a client links an enabler: the
// module starts with the process, before main, and finds its format 101 module
// in the company folder under "CommonProgramFiles". The program starts itself
// anew once with the variable naming its build's common files folder; the
// started program, and every program it starts with the same folder, goes on.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

inline void StartWithCommonFiles(char** argv, const char* commonFiles)
{
    const char* started = std::getenv("PM_STARTED_WITH_COMMON_FILES");
    if (started && std::strcmp(started, commonFiles) == 0)
        return;
    setenv("PM_STARTED_WITH_COMMON_FILES", commonFiles, 1);
    setenv("CommonProgramFiles", commonFiles, 1);
    execv("/proc/self/exe", argv);
    std::perror("execv");
    std::exit(1);
}
