// File calls on wide paths. Paths may use "\\" as a separator; a leading
// drive letter ("C:") is dropped, since Linux has none. Paths handed back are
// plain Linux paths.
#pragma once

#include "LastError.h"
#include "WinDef.h"

#include <string>
#include <string_view>

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

using errno_t = int;

BOOL DeleteFileW(LPCWSTR lpFileName);
// True for files and folders alike.
BOOL PathFileExistsW(LPCWSTR pszPath);
// Modes: 0 exists, 2 writable, 4 readable, 6 both. Returns 0, or -1 with errno.
int _waccess(LPCWSTR path, int mode);
// The security attributes are not used; pass null.
BOOL CreateDirectoryW(LPCWSTR lpPathName, LPVOID lpSecurityAttributes);
// The temporary folder with a trailing "/": its length, or the size needed
// (terminator included) when nBufferLength is too small.
DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
// Fails with ERROR_ALREADY_EXISTS when the target exists.
BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName);
// Writes a temporary file beside the target and renames it into place, so a
// failed copy never leaves a half-written target.
BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);

// Splits a path into drive ("X:" only for a drive letter), folder (with its
// trailing separator), file name and extension (from the last dot of the file
// name, dot included). Any output may be null; outputs are taken to be _MAX_*
// characters long and longer parts are cut to fit.
void _wsplitpath(LPCWSTR path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext);
// As _wsplitpath with explicit sizes: EINVAL for a null path or a null buffer
// given a size (or a buffer given none), ERANGE with every buffer emptied when
// a part does not fit.
errno_t _wsplitpath_s(LPCWSTR path, wchar_t* drive, size_t driveSize, wchar_t* dir, size_t dirSize,
                      wchar_t* fname, size_t fnameSize, wchar_t* ext, size_t extSize);
// The inverse: adds the colon, the folder separator and the dot where missing.
// path is taken to be _MAX_PATH characters long.
void _wmakepath(wchar_t* path, LPCWSTR drive, LPCWSTR dir, LPCWSTR fname, LPCWSTR ext);
errno_t _wmakepath_s(wchar_t* path, size_t size, LPCWSTR drive, LPCWSTR dir, LPCWSTR fname, LPCWSTR ext);

// "\\" becomes "/" and a leading drive letter is dropped; UTF-8 for the C library.
std::string LinuxPathFromWindowsPath(std::wstring_view path);
// The last error that best describes a failed C library call.
DWORD WindowsErrorFromErrno(int nErrno);
