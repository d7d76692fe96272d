// For tests only: the Windows layer's library calls that can be made to fail on
// demand, each kind with its own switch (see faultswitch.h), off by default. The
// switches live in one shared library, so every module of the process, each with
// its own copy of the layer, obeys the same switch.
#pragma once

#include "faultswitch.h"

#define WINFAULTS_API __attribute__((visibility("default")))

enum class WindowsCall
{
    LibraryLoad,   // LoadLibraryW, LoadLibraryA: null, nothing loaded
    ProcAddress,   // GetProcAddress: null
    LibraryFree,   // FreeLibrary: FALSE, the library stays loaded
    Kinds          // the number of kinds, not a kind
};

WINFAULTS_API faultswitch::Switch& windowsFault(WindowsCall call);
// Turns every switch off.
WINFAULTS_API void windowsFaultsOff();
