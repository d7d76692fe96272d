// Conversion between the narrow text of a code page and wide text.
//
// Narrow text on this machine is UTF-8, so the ANSI code page is UTF-8 as well;
// wide text holds one code point per wchar_t. The two code pages differ only in
// what replaces what cannot be converted: U+FFFD for CP_UTF8, the default
// character ('?' unless the caller names another) for CP_ACP.
#pragma once

#define CP_ACP 0
#define CP_UTF8 65001

// Both calls take a count of -1 for NUL-terminated input, whose NUL is then
// converted and counted too; a count of 0 fails. An output size of 0 asks for the
// size the output needs and writes nothing. Each call gives the number of units
// written (or needed), and 0 on failure: an output buffer too small, flags other
// than 0, a code page other than these two, or invalid pointers or counts.

// A malformed UTF-8 part (the longest start of a valid sequence, at least one
// byte; overlong forms, surrogates and values above U+10FFFF are malformed)
// becomes one replacement character.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH multiByteStr, int multiByteCount, LPWSTR wideCharStr,
                        int wideCharCount);

// A wide value that is no Unicode scalar value becomes the replacement. For
// CP_ACP, defaultChar names the default character (its first character; null for
// '?') and *usedDefaultChar, when given, tells whether it was used. For CP_UTF8
// both must be null.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wideCharStr, int wideCharCount, LPSTR multiByteStr,
                        int multiByteCount, LPCCH defaultChar, LPBOOL usedDefaultChar);
