// What every test module exports. The test program calls these directly only
// for the module it links; the others are reached through GetProcAddress.
#pragma once

#include "WinDef.h"

extern "C"
{
    // The name the module was built with ("A", "B", "Refuse", ...).
    const char* TestModuleName();
    // The handle its entry point was given, and how often it attached and detached.
    HINSTANCE TestModuleInstance();
    int TestModuleAttachCount();
    int TestModuleDetachCount();
    // Whether the last attach came with a non-null lpReserved (a linked module).
    BOOL TestModuleAttachReserved();
    // From now on the detach is also written to standard error, for exit tests.
    void TestModuleReportDetachOnStderr();
    // Creates the named manual-reset event (not signalled) and keeps the
    // handle; returns 1 when the name existed already, 0 when it is new, -1
    // on failure. A module holds one such handle at a time.
    int TestModuleCreateEvent(LPCWSTR name);
    // Signals the event this module holds.
    BOOL TestModuleSignalEvent();
    // Closes the handle this module holds.
    BOOL TestModuleCloseEvent();
    // Opens the event by name and looks at it without waiting: 1 signalled,
    // 0 not signalled, -1 when no event of that name exists.
    int TestModuleProbeEvent(LPCWSTR name);
}

using TestModuleNameProc = const char* (*)();
using TestModuleInstanceProc = HINSTANCE (*)();
using TestModuleCountProc = int (*)();
using TestModuleActionProc = void (*)();
using TestModuleCreateEventProc = int (*)(LPCWSTR);
using TestModuleProbeEventProc = int (*)(LPCWSTR);
using TestModuleEventActionProc = BOOL (*)();
