// printf-style formatting of wide strings by the Windows rules, which differ
// from the C library's wide functions on Linux:
//  - %s and %c take a wide string / wide character; %hs, %S, %hc and %C take
//    narrow ones (decoded as UTF-8); %ls, %lc, %ws, %wc are wide.
//  - Length prefixes: hh, h, l (32 bits, as long is on Windows), ll, I64,
//    I32, I, z, t, j (the last four pointer-sized), L (long double, floating only).
//  - %p prints the address as 16 upper-case hexadecimal digits.
//  - The 0 flag pads strings and characters with zeros, too.
//  - A null string pointer prints "(null)", cut by the precision.
//  - Width and precision of strings count characters.
//  - An unknown conversion (and %n, which is never supported) is copied to the
//    output as written and consumes no argument.
// Numbers are always formatted in the "C" locale. Widths and precisions above
// FORMAT_FIELD_LIMIT are reduced to it.
// Arguments travel as C varargs, so a CString argument must be passed as
// (LPCWSTR)s or s.GetString(). CString::Format refuses the object itself at
// compile time; a plain variadic function cannot.
#pragma once

#include "WinDef.h"

#include <cstdarg>
#include <cstddef>
#include <string>

constexpr int FORMAT_FIELD_LIMIT = 1 << 20;

// The formatted text; empty for a null format.
std::wstring FormatToString(LPCWSTR pszFormat, va_list args);
// Appends the formatted text to strOut.
void AppendFormatted(std::wstring& strOut, LPCWSTR pszFormat, va_list args);
// The number of characters the text has, without the terminating NUL, so that
// a caller can size a buffer exactly; -1 for a null format or a text too long for an int.
int FormattedLength(LPCWSTR pszFormat, va_list args);
// Writes at most nCapacity - 1 characters and a NUL (nothing when nCapacity
// is 0) and returns the full length as FormattedLength does.
int FormatToBuffer(LPWSTR pBuffer, std::size_t nCapacity, LPCWSTR pszFormat, va_list args);
