// Thread and process identity.
#pragma once

#include "WinDef.h"

// The kernel's id of the calling thread (never zero, distinct between live
// threads, the same for the whole life of a thread).
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
