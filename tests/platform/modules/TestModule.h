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
}

using TestModuleNameProc = const char* (*)();
using TestModuleInstanceProc = HINSTANCE (*)();
using TestModuleCountProc = int (*)();
using TestModuleActionProc = void (*)();
