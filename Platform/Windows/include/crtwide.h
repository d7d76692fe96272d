// The wide-character forms of the C runtime that Windows code uses.
#pragma once

#include <cstdlib>

// The value of an environment variable as wide text, or null when it is not set.
// The text stays valid until the next call for the same variable.
wchar_t* _wgetenv(const wchar_t* name);
