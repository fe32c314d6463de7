// Events: manual-reset and auto-reset, private or named. A named event is
// shared by every module of the process and disappears with its last handle.
// Names are case-sensitive, as kernel object names are.
#pragma once

#include "Handles.h"

#define EVENT_MODIFY_STATE 0x0002u
#define EVENT_ALL_ACCESS (STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE | 0x3u)

// A name that exists already yields a new handle to that event, whose state is
// left alone, and the last error ERROR_ALREADY_EXISTS; otherwise the last error
// is ERROR_SUCCESS. A null or empty name makes a private event. A name held by
// an object of another kind fails with ERROR_INVALID_HANDLE.
HANDLE CreateEventW(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                    LPCWSTR lpName);

// Null with ERROR_FILE_NOT_FOUND when no event has that name. The handle
// carries dwDesiredAccess: setting needs EVENT_MODIFY_STATE, waiting needs
// SYNCHRONIZE.
HANDLE OpenEventW(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCWSTR lpName);

BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);
