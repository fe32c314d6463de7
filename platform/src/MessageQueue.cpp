// The UI thread's message queue: sending, posting and retrieving in the
// order Windows retrieves (posted messages, WM_QUIT, input, paints, timers),
// and the pumps that tests and nested loops run.
#include "Headless.h"
#include "WinThread.h"
#include "WindowManager.h"

#include <chrono>
#include <thread>

namespace
{

PFN_WAITFORINPUT g_pfnWaitForInput = nullptr;
PFN_HEADLESSIDLE g_pfnHeadlessIdle = nullptr;

// A paint handler that invalidates again in every paint would keep a pump
// busy for ever; after this many paints in a row without other work the pump
// stops and says so.
constexpr int kMaximumPaintsInARow = 10000;

MSG MakeMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const CWindowManager& manager = CWindowManager::Get();
    return MSG{hWnd, nMessage, wParam, lParam, GetTickCount(), manager.m_ptCursor};
}

bool RangeIncludes(UINT nMin, UINT nMax, UINT nMessage)
{
    return (nMin == 0 && nMax == 0) || (nMessage >= nMin && nMessage <= nMax);
}

void NoteRetrieved(const MSG& msg)
{
    CWindowManager& manager = CWindowManager::Get();
    manager.m_nLastMessageTime = msg.time;
    manager.m_ptLastMessage = msg.pt;
}

} // namespace

bool MatchesFilter(const MSG& msg, HWND hWnd, UINT nMin, UINT nMax)
{
    if (!RangeIncludes(nMin, nMax, msg.message))
        return false;
    if (hWnd == nullptr)
        return true;
    if (hWnd == reinterpret_cast<HWND>(-1))
        return msg.hwnd == nullptr;
    return msg.hwnd == hWnd || IsChild(hWnd, msg.hwnd);
}

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || pRecord->pfnWndProc == nullptr)
        return 0;
    return pRecord->pfnWndProc(hWnd, Msg, wParam, lParam);
}

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (lpPrevWndFunc == nullptr)
        return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

BOOL InSendMessage()
{
    return FALSE;
}

BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    CWindowManager& manager = CWindowManager::Get();
    if (hWnd == reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0xFFFF)))
    {
        for (HWND hTop : manager.Desktop().children)
            manager.m_posted.push_back(MakeMessage(hTop, Msg, wParam, lParam));
        return TRUE;
    }
    if (hWnd != nullptr && manager.Find(hWnd) == nullptr)
        return FALSE;
    manager.m_posted.push_back(MakeMessage(hWnd, Msg, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int nExitCode)
{
    CWindowManager& manager = CWindowManager::Get();
    manager.m_bQuitPosted = true;
    manager.m_nQuitCode = nExitCode;
}

void PurgeQueuedMessages(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    std::erase_if(manager.m_posted, [&](const MSG& msg) { return msg.hwnd == hWnd; });
    std::erase_if(manager.m_convertedInput, [&](const MSG& msg) { return msg.hwnd == hWnd; });
}

BOOL PeekNextMessage(LPMSG lpMsg, HWND hWnd, UINT nMin, UINT nMax, UINT nRemove, bool bSkipQuit)
{
    if (lpMsg == nullptr)
        return FALSE;
    CWindowManager& manager = CWindowManager::Get();
    const bool bRemove = (nRemove & PM_REMOVE) != 0;
    CheckMouseHover();
    for (;;)
    {
        for (auto it = manager.m_posted.begin(); it != manager.m_posted.end(); ++it)
        {
            if (MatchesFilter(*it, hWnd, nMin, nMax))
            {
                *lpMsg = *it;
                if (bRemove)
                    manager.m_posted.erase(it);
                NoteRetrieved(*lpMsg);
                return TRUE;
            }
        }
        if (manager.m_bQuitPosted && !bSkipQuit && RangeIncludes(nMin, nMax, WM_QUIT))
        {
            *lpMsg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(manager.m_nQuitCode), 0);
            if (bRemove)
                manager.m_bQuitPosted = false;
            return TRUE;
        }
        bool bFound = false;
        for (auto it = manager.m_convertedInput.begin(); it != manager.m_convertedInput.end(); ++it)
        {
            if (MatchesFilter(*it, hWnd, nMin, nMax))
            {
                *lpMsg = *it;
                if (bRemove)
                    manager.m_convertedInput.erase(it);
                bFound = true;
                break;
            }
        }
        if (bFound)
        {
            NoteRetrieved(*lpMsg);
            return TRUE;
        }
        // Converting an event may post (WM_MOUSELEAVE), so look again from the top.
        if (ConvertNextRawInput())
            continue;
        break;
    }
    if (RangeIncludes(nMin, nMax, WM_PAINT) && FindPaintMessage(hWnd, *lpMsg))
        return TRUE;
    if (FindDueTimer(hWnd, nMin, nMax, bRemove, *lpMsg))
    {
        NoteRetrieved(*lpMsg);
        return TRUE;
    }
    return FALSE;
}

BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    return PeekNextMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg, false);
}

bool WaitForMoreWork()
{
    CWindowManager& manager = CWindowManager::Get();
    if (manager.m_bRealTimeClock)
    {
        const LONGLONG nToTimer = MillisecondsToNextTimer();
        if (g_pfnWaitForInput != nullptr)
        {
            const DWORD dwTimeout = nToTimer < 0 ? 0xFFFFFFFF : static_cast<DWORD>(nToTimer);
            return g_pfnWaitForInput(dwTimeout) || nToTimer >= 0;
        }
        if (nToTimer < 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(nToTimer));
        return true;
    }
    return g_pfnHeadlessIdle != nullptr && g_pfnHeadlessIdle();
}

BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    if (lpMsg == nullptr)
        return -1;
    CWindowManager& manager = CWindowManager::Get();
    // An idle hook that keeps claiming work without queuing any is not
    // believed for ever.
    int nFruitlessWaits = 0;
    for (;;)
    {
        if (PeekMessageW(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE))
            return lpMsg->message != WM_QUIT ? TRUE : FALSE;
        // On screen a wait may end for events that queue nothing (a window
        // exposed, the pointer entering); only a headless loop gives up.
        if ((manager.m_bRealTimeClock || nFruitlessWaits++ < 100) && WaitForMoreWork())
            continue;
        break;
    }
    // Nothing can arrive any more, and waiting would hang a headless run. A
    // loop that holds the capture (a drag) is ended by taking the capture
    // away; any other loop is told to quit.
    if (manager.m_hCapture != nullptr)
    {
        const HWND hCapture = manager.m_hCapture;
        PlatformLog(L"GetMessageW: no input can arrive; cancelling the mouse capture of the waiting loop");
        ReleaseCapture();
        *lpMsg = MakeMessage(hCapture, WM_CANCELMODE, 0, 0);
        return TRUE;
    }
    PlatformLog(L"GetMessageW: no message can arrive; answering WM_QUIT so the waiting loop ends");
    *lpMsg = MakeMessage(nullptr, WM_QUIT, 0, 0);
    return FALSE;
}

BOOL WaitMessage()
{
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        return TRUE;
    return WaitForMoreWork() && PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* lpMsg)
{
    if (lpMsg == nullptr || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    const wchar_t chCharacter =
        CharacterForKey(static_cast<UINT>(lpMsg->wParam), CWindowManager::Get().m_keyState);
    if (chCharacter == 0)
        return FALSE;
    PostMessageW(lpMsg->hwnd, lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, chCharacter,
                 lpMsg->lParam);
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* lpMsg)
{
    if (lpMsg == nullptr)
        return 0;
    CWindowManager& manager = CWindowManager::Get();
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0)
    {
        // A timer with a callback calls it instead of the window procedure,
        // provided the timer is still set with that callback.
        const auto pfnCallback = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        for (const STimer& timer : manager.m_timers)
        {
            if (timer.hWnd == lpMsg->hwnd && timer.nID == lpMsg->wParam && timer.pfnTimerProc == pfnCallback)
            {
                pfnCallback(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
                break;
            }
        }
        return 0;
    }
    if (lpMsg->hwnd == nullptr)
        return 0;
    SWindowRecord* pRecord = manager.Find(lpMsg->hwnd);
    if (pRecord == nullptr)
        return 0;
    if (lpMsg->message != WM_PAINT)
        return CallWindowProcW(pRecord->pfnWndProc, lpMsg->hwnd, lpMsg->message, lpMsg->wParam,
                               lpMsg->lParam);

    const std::vector<RECT> before = pRecord->updateRects;
    const bool bInternalBefore = pRecord->bInternalPaint;
    const LRESULT lResult =
        CallWindowProcW(pRecord->pfnWndProc, lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    pRecord = manager.FindQuiet(lpMsg->hwnd);
    if (pRecord != nullptr && HasPendingPaint(*pRecord) && pRecord->bInternalPaint == bInternalBefore &&
        pRecord->updateRects.size() == before.size() &&
        std::equal(before.begin(), before.end(), pRecord->updateRects.begin(),
                   [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }))
    {
        // Windows would send WM_PAINT again and again; we drop the region.
        PlatformLog(
            L"DispatchMessageW: a WM_PAINT handler validated nothing; its update region is discarded");
        DiscardPendingPaint(*pRecord);
    }
    return lResult;
}

DWORD GetMessagePos()
{
    const POINT& pt = CWindowManager::Get().m_ptLastMessage;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
}

LONG GetMessageTime()
{
    return static_cast<LONG>(CWindowManager::Get().m_nLastMessageTime);
}

UINT RegisterWindowMessageW(LPCWSTR lpString)
{
    if (lpString == nullptr || lpString[0] == L'\0')
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    CWindowManager& manager = CWindowManager::Get();
    for (const auto& [strName, nMessage] : manager.m_registeredMessages)
    {
        if (EqualsNoCase(strName, lpString))
            return nMessage;
    }
    const UINT nMessage = manager.m_nNextAtom++;
    manager.m_registeredMessages.emplace_back(lpString, nMessage);
    return nMessage;
}

int PumpMessages()
{
    int nDispatched = 0;
    int nPaintsInARow = 0;
    MSG msg;
    while (PeekNextMessage(&msg, nullptr, 0, 0, PM_REMOVE, true))
    {
        if (msg.message == WM_PAINT)
        {
            if (++nPaintsInARow > kMaximumPaintsInARow)
            {
                PlatformLog(
                    L"PumpMessages: windows keep invalidating themselves while painting; pump stopped");
                break;
            }
        }
        else
            nPaintsInARow = 0;
        if (!AfxPreTranslateMessage(&msg))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        ++nDispatched;
    }
    return nDispatched;
}

bool IsQuitPending(int* pnExitCode)
{
    const CWindowManager& manager = CWindowManager::Get();
    if (manager.m_bQuitPosted && pnExitCode != nullptr)
        *pnExitCode = manager.m_nQuitCode;
    return manager.m_bQuitPosted;
}

void SetInputWaitHook(PFN_WAITFORINPUT pfnWait)
{
    g_pfnWaitForInput = pfnWait;
}

PFN_HEADLESSIDLE SetHeadlessIdleHook(PFN_HEADLESSIDLE pfnIdle)
{
    PFN_HEADLESSIDLE pfnPrevious = g_pfnHeadlessIdle;
    g_pfnHeadlessIdle = pfnIdle;
    return pfnPrevious;
}
