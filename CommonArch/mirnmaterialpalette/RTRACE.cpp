#include "RTRACE.h"

#include "DebugOutput.h"
#include "Events.h"
#include "LastError.h"
#include "Registry.h"
#include "StringFormat.h"
#include "Threads.h"
#include "WinUser.h"

#include <cwchar>
#include <cwctype>
#include <memory>
#include <new>

namespace
{
bool IsEmpty(LPCWSTR psz)
{
    return psz == nullptr || *psz == 0;
}

bool EqualsIgnoringCase(LPCWSTR a, LPCWSTR b)
{
    for (; *a != 0 && *b != 0; ++a, ++b)
    {
        if (std::towlower(static_cast<wint_t>(*a)) != std::towlower(static_cast<wint_t>(*b)))
        {
            return false;
        }
    }
    return *a == *b;
}

// The length of a formatted text, or -1; the argument list is left untouched.
int MeasureFormatted(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    const int n = FormattedLength(pszFormat, args);
    va_end(args);
    return n;
}

int WriteFormatted(LPWSTR pBuffer, std::size_t nCapacity, LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    const int n = FormatToBuffer(pBuffer, nCapacity, pszFormat, args);
    va_end(args);
    return n;
}

void CloseAndClear(HANDLE& h)
{
    if (h != nullptr)
    {
        CloseHandle(h);
        h = nullptr;
    }
}
} // namespace

CTraceSwitch::CTraceSwitch(KeyStateProc pfnKeyState)
    : m_pfnKeyState(pfnKeyState != nullptr ? pfnKeyState : &GetKeyState)
{
}

CTraceSwitch::~CTraceSwitch()
{
    CloseHandles();
}

bool CTraceSwitch::IsEnabled()
{
    std::call_once(m_onceDecided, [this] { Decide(); });
    return m_bEnabled;
}

void CTraceSwitch::CloseHandles()
{
    CloseAndClear(m_hDebugEnableEvent);
    CloseAndClear(m_hStartKeyEvent);
    CloseAndClear(m_hCheckpointEvent);
}

bool CTraceSwitch::IsHeld(int nVirtKey) const
{
    return (m_pfnKeyState(nVirtKey) & 0x8000) != 0;
}

// The first module of the process records which keys were held as it
// started, for the host's other modules to read.
void CTraceSwitch::NoteKeysHeld()
{
    LPCWSTR pszKeys = nullptr;
    if (IsHeld(VK_CONTROL) && IsHeld(VK_MENU))
    {
        pszKeys = RTRACE_EVENT_CTRL_ALT;
    }
    else if (IsHeld(VK_SHIFT) && IsHeld(VK_CONTROL))
    {
        pszKeys = RTRACE_EVENT_CTRL_SHIFT;
    }
    else if (IsHeld(VK_SHIFT))
    {
        pszKeys = RTRACE_EVENT_SHIFT;
    }
    if (pszKeys != nullptr)
    {
        m_hStartKeyEvent = CreateEventW(nullptr, TRUE, FALSE, pszKeys);
    }
    m_hCheckpointEvent = CreateEventW(nullptr, TRUE, FALSE, RTRACE_EVENT_CHECKPOINT);
    if (m_hCheckpointEvent != nullptr && GetLastError() == ERROR_ALREADY_EXISTS)
    {
        CloseAndClear(m_hCheckpointEvent);
    }
}

void CTraceSwitch::Decide()
{
    if (HANDLE hCheckpoint = OpenEventW(SYNCHRONIZE, FALSE, RTRACE_EVENT_CHECKPOINT))
    {
        CloseHandle(hCheckpoint);
    }
    else
    {
        NoteKeysHeld();
    }

    // Another module decided already: follow it.
    if (HANDLE hEnable = OpenEventW(SYNCHRONIZE, FALSE, RTRACE_EVENT_DEBUG_ENABLE))
    {
        m_bEnabled = WaitForSingleObject(hEnable, 0) == WAIT_OBJECT_0;
        CloseHandle(hEnable);
        return;
    }

    HANDLE hEnable = CreateEventW(nullptr, TRUE, FALSE, RTRACE_EVENT_DEBUG_ENABLE);
    const bool bExisted = hEnable != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;

    DWORD dwEnable = 0;
    DWORD cbData = sizeof(dwEnable);
    DWORD dwType = 0;
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RTRACE_DEBUG_KEY, 0, KEY_READ, &hKey) == ERROR_SUCCESS)
    {
        if (RegQueryValueExW(hKey, RTRACE_DEBUG_VALUE, nullptr, &dwType, reinterpret_cast<LPBYTE>(&dwEnable),
                             &cbData) != ERROR_SUCCESS ||
            dwType != REG_DWORD)
        {
            dwEnable = 0;
        }
        RegCloseKey(hKey);
    }
    m_bEnabled = dwEnable != 0;
    if (m_bEnabled && hEnable != nullptr)
    {
        SetEvent(hEnable);
    }
    if (bExisted)
    {
        CloseHandle(hEnable);
    }
    else
    {
        m_hDebugEnableEvent = hEnable;
    }
}

CTraceSwitch& GetModuleTraceSwitch()
{
    static CTraceSwitch s_switch;
    return s_switch;
}

CTraceSwitch& RTRACE::Switch() const
{
    return GetModuleTraceSwitch();
}

void RTRACE::operator()(LPCWSTR pszFormat, ...) const
{
    va_list args;
    va_start(args, pszFormat);
    TraceV(pszFormat, args);
    va_end(args);
}

void RTRACE::TraceV(LPCWSTR pszFormat, va_list args) const
{
    if (IsEmpty(m_pszLevel) || EqualsIgnoringCase(m_pszLevel, RTRACE_LEVEL_DEBUG) || pszFormat == nullptr ||
        !Switch().IsEnabled())
    {
        return;
    }

    const DWORD dwThread = GetCurrentThreadId();
    const bool bFunction = !IsEmpty(m_pszFunction);
    const bool bFile = !IsEmpty(m_pszFile);

    va_list measureArgs;
    va_copy(measureArgs, args);
    const int nMessage = FormattedLength(pszFormat, measureArgs);
    va_end(measureArgs);
    const int nThread = MeasureFormatted(L"[%d]", static_cast<int>(dwThread));
    const int nFunction = bFunction ? MeasureFormatted(L"[%s]\t", m_pszFunction) : 0;
    const int nPlace = bFile ? MeasureFormatted(L"[%s(%d)]:\t", m_pszFile, m_nLine) : 2;
    if (nMessage < 0 || nThread < 0 || nFunction < 0 || nPlace < 0)
    {
        return;
    }
    const std::size_t nLength = static_cast<std::size_t>(nThread) + std::wcslen(m_pszLevel) +
                                static_cast<std::size_t>(nFunction) + static_cast<std::size_t>(nPlace) +
                                static_cast<std::size_t>(nMessage);

    // One buffer sized for exactly this line; no line when it cannot be had.
    std::unique_ptr<wchar_t[]> pLine(new (std::nothrow) wchar_t[nLength + 1]);
    if (!pLine)
    {
        return;
    }
    wchar_t* p = pLine.get();
    std::size_t nLeft = nLength + 1;
    auto advance = [&](int n)
    {
        p += n;
        nLeft -= static_cast<std::size_t>(n);
    };
    advance(WriteFormatted(p, nLeft, L"[%d]", static_cast<int>(dwThread)));
    advance(WriteFormatted(p, nLeft, L"%s", m_pszLevel));
    if (bFunction)
    {
        advance(WriteFormatted(p, nLeft, L"[%s]\t", m_pszFunction));
    }
    if (bFile)
    {
        advance(WriteFormatted(p, nLeft, L"[%s(%d)]:\t", m_pszFile, m_nLine));
    }
    else
    {
        advance(WriteFormatted(p, nLeft, L":\t"));
    }
    FormatToBuffer(p, nLeft, pszFormat, args);
    OutputDebugStringW(pLine.get());
}
