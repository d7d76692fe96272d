// The text character of the build: wide when UNICODE is defined, narrow otherwise.
#pragma once

#ifdef UNICODE
typedef wchar_t TCHAR;
#define FRAMEWORK_TEXT_LITERAL(x) L##x
#else
typedef char TCHAR;
#define FRAMEWORK_TEXT_LITERAL(x) x
#endif

// Two levels, so that a macro argument is expanded before it is prefixed.
#define _T(x) FRAMEWORK_TEXT_LITERAL(x)
#define _TEXT(x) FRAMEWORK_TEXT_LITERAL(x)
