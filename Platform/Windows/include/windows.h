// The basic Windows data types, with the sizes they have on Windows.
#pragma once

#include <cstdint>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef unsigned char BYTE;
typedef std::uint16_t WORD;
// 32 bits as on Windows, where unsigned long is 32 bits wide even in 64-bit code.
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef BOOL* LPBOOL;

// Integers as wide as a pointer.
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;

typedef const char* LPCSTR;
typedef const wchar_t* LPCWSTR;
typedef char* LPSTR;
typedef wchar_t* LPWSTR;
typedef const char* LPCCH;
typedef const wchar_t* LPCWCH;
#ifdef UNICODE
typedef LPCWSTR LPCTSTR;
typedef LPWSTR LPTSTR;
#else
typedef LPCSTR LPCTSTR;
typedef LPSTR LPTSTR;
#endif

// A calendar date and time of day, field by field.
struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;  // 0 = Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// Modules and the environment, on this machine's loader and C runtime, and text
// conversion between code pages and wide text.
#include "libloaderapi.h"
#include "crtwide.h"
#include "stringapiset.h"
