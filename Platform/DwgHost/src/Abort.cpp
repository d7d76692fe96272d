// The host's abort: its message on stderr, then the end of the process.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "HostInternal.h"

void acrx_abort(const ACHAR* format, ...)
{
    wchar_t message[1024] = {};
    va_list arguments;
    va_start(arguments, format);
    std::vswprintf(message, sizeof message / sizeof message[0], format ? format : L"", arguments);
    va_end(arguments);
    message[sizeof message / sizeof message[0] - 1] = L'\0';
    std::fprintf(stderr, "%s\n", DwgHostDetail::toUtf8(message).c_str());
    std::fflush(stderr);
    std::abort();
}
