// Diagnostic trace lines for the debugger output.
//
// A call site builds an RTRACE record naming its function (and optionally its
// file and line) and a level, then formats a message through it:
//     RTRACE(L"DllMain", nullptr, RTRACE_LEVEL_INFO, 0)(L"%s Initializing!\n", L"X.dll");
// Lines are written only when tracing is on for the process, which is decided
// once, shared with the host's other modules through named events, and read
// from the user's settings; debug-level lines are never written.
#pragma once

#include "WinDef.h"

#include <cstdarg>
#include <mutex>

#define RTRACE_LEVEL_INFO L"[QVPx64]\t[INFO]\t\t"
#define RTRACE_LEVEL_DEBUG L"[QVPx64]\t[DEBUG]\t"
#define RTRACE_LEVEL_ERROR L"[QVPx64]\t[ERROR]\t"

// Names of the process-wide events and the settings value behind the switch.
#define RTRACE_EVENT_CHECKPOINT L"HOTKEY_QVP2023_CHECKPOINT"
#define RTRACE_EVENT_CTRL_ALT L"HOTKEY_QVP2023_CTRL_ALT"
#define RTRACE_EVENT_CTRL_SHIFT L"HOTKEY_QVP2023_CTRL_SHIFT"
#define RTRACE_EVENT_SHIFT L"HOTKEY_QVP2023_SHIFT"
#define RTRACE_EVENT_DEBUG_ENABLE L"QVP_OUTPUT_DEBUG_ENABLE"
#define RTRACE_DEBUG_KEY L"Software\\Tavor\\Pixmill\\X15\\Debug"
#define RTRACE_DEBUG_VALUE L"Enable"

// Whether this module writes trace lines. The first question decides, once and
// thread-safely; the module keeps the events it created until it unloads, so
// that modules loaded later follow the same decision.
class CTraceSwitch
{
public:
    // Reads the state of a virtual key as GetKeyState does (high bit: held).
    using KeyStateProc = SHORT (*)(int nVirtKey);

    explicit CTraceSwitch(KeyStateProc pfnKeyState = nullptr);
    ~CTraceSwitch();
    CTraceSwitch(const CTraceSwitch&) = delete;
    CTraceSwitch& operator=(const CTraceSwitch&) = delete;

    bool IsEnabled();
    // Closes the events this module holds (at module unload).
    void CloseHandles();

private:
    void Decide();
    void NoteKeysHeld();
    bool IsHeld(int nVirtKey) const;

    KeyStateProc m_pfnKeyState;
    std::once_flag m_onceDecided;
    bool m_bEnabled = false;
    HANDLE m_hDebugEnableEvent = nullptr;
    HANDLE m_hStartKeyEvent = nullptr;
    HANDLE m_hCheckpointEvent = nullptr;
};

// The switch of this module.
CTraceSwitch& GetModuleTraceSwitch();

class RTRACE
{
public:
    RTRACE(LPCWSTR pszFunction, LPCWSTR pszFile, LPCWSTR pszLevel, int nLine)
        : m_pszFunction(pszFunction), m_pszFile(pszFile), m_pszLevel(pszLevel), m_nLine(nLine)
    {
    }
    virtual ~RTRACE() = default;

    // Formats and writes one line, when tracing is on.
    void operator()(LPCWSTR pszFormat, ...) const;
    void TraceV(LPCWSTR pszFormat, va_list args) const;

protected:
    // The switch this record obeys; the module's own unless overridden.
    virtual CTraceSwitch& Switch() const;

private:
    LPCWSTR m_pszFunction;
    LPCWSTR m_pszFile;
    LPCWSTR m_pszLevel;
    int m_nLine;
};

// A record for the calling function with its source position.
#define RTRACE_HERE(level, function) RTRACE(function, L"" __FILE__, level, __LINE__)
