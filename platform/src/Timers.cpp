// Timers and the clock. Headless, the clock is a number that only tests move
// (AdvanceClock); on screen it follows real time. WM_TIMER is made up when
// the queue is otherwise idle, as on Windows: periods that pass unseen are
// not queued up, one WM_TIMER stands for them.
#include "Headless.h"
#include "WindowManager.h"

#include <algorithm>
#include <chrono>

namespace
{

ULONGLONG RealMilliseconds()
{
    using namespace std::chrono;
    return static_cast<ULONGLONG>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

UINT ClampElapse(UINT uElapse)
{
    return std::clamp<UINT>(uElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
}

// The next moment after now at which a timer (or a hover notice) falls due,
// or 0 when none does.
ULONGLONG NextDueAfter(ULONGLONG nNow)
{
    const CWindowManager& manager = CWindowManager::Get();
    ULONGLONG nNext = 0;
    for (const STimer& timer : manager.m_timers)
    {
        if (timer.nDue > nNow && (nNext == 0 || timer.nDue < nNext))
            nNext = timer.nDue;
    }
    if (manager.m_hTrackHover != nullptr && manager.m_nHoverDue > nNow &&
        (nNext == 0 || manager.m_nHoverDue < nNext))
        nNext = manager.m_nHoverDue;
    return nNext;
}

} // namespace

ULONGLONG GetTickCount64()
{
    const CWindowManager& manager = CWindowManager::Get();
    if (manager.m_bRealTimeClock)
        return manager.m_nManualClock + (RealMilliseconds() - manager.m_nRealClockBase);
    return manager.m_nManualClock;
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(GetTickCount64());
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    CWindowManager& manager = CWindowManager::Get();
    if (hWnd != nullptr && manager.Find(hWnd) == nullptr)
        return 0;
    const ULONGLONG nNow = GetTickCount64();
    auto existing =
        std::find_if(manager.m_timers.begin(), manager.m_timers.end(),
                     [&](const STimer& timer) { return timer.hWnd == hWnd && timer.nID == nIDEvent; });
    if (existing == manager.m_timers.end() && hWnd == nullptr)
    {
        // A thread timer gets an identifier of its own unless it names one it
        // already has.
        nIDEvent = manager.m_nNextThreadTimerId++;
    }
    STimer timer{hWnd,
                 nIDEvent,
                 ClampElapse(uElapse),
                 nNow + ClampElapse(uElapse),
                 lpTimerFunc,
                 ++manager.m_nTimerSequence};
    if (existing != manager.m_timers.end())
        *existing = timer;
    else
        manager.m_timers.push_back(timer);
    return nIDEvent != 0 ? nIDEvent : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    CWindowManager& manager = CWindowManager::Get();
    const size_t nRemoved = std::erase_if(manager.m_timers, [&](const STimer& timer)
                                          { return timer.hWnd == hWnd && timer.nID == uIDEvent; });
    if (nRemoved == 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

void KillWindowTimers(HWND hWnd)
{
    std::erase_if(CWindowManager::Get().m_timers, [&](const STimer& timer) { return timer.hWnd == hWnd; });
}

bool FindDueTimer(HWND hFilter, UINT nMin, UINT nMax, bool bRemove, MSG& msg)
{
    if (!((nMin == 0 && nMax == 0) || (WM_TIMER >= nMin && WM_TIMER <= nMax)))
        return false;
    CWindowManager& manager = CWindowManager::Get();
    const ULONGLONG nNow = GetTickCount64();
    STimer* pDue = nullptr;
    for (STimer& timer : manager.m_timers)
    {
        if (timer.nDue > nNow)
            continue;
        if (hFilter != nullptr &&
            !(hFilter == reinterpret_cast<HWND>(-1) ? timer.hWnd == nullptr
                                                    : timer.hWnd == hFilter || IsChild(hFilter, timer.hWnd)))
            continue;
        if (pDue == nullptr || timer.nDue < pDue->nDue ||
            (timer.nDue == pDue->nDue && timer.nSequence < pDue->nSequence))
            pDue = &timer;
    }
    if (pDue == nullptr)
        return false;
    msg = MSG{pDue->hWnd,
              WM_TIMER,
              pDue->nID,
              reinterpret_cast<LPARAM>(pDue->pfnTimerProc),
              static_cast<DWORD>(nNow),
              manager.m_ptCursor};
    if (bRemove)
        pDue->nDue = nNow + pDue->nElapse;
    return true;
}

LONGLONG MillisecondsToNextTimer()
{
    const ULONGLONG nNow = GetTickCount64();
    for (const STimer& timer : CWindowManager::Get().m_timers)
    {
        if (timer.nDue <= nNow)
            return 0;
    }
    const ULONGLONG nNext = NextDueAfter(nNow);
    return nNext == 0 ? -1 : static_cast<LONGLONG>(nNext - nNow);
}

void AdvanceClock(DWORD dwMilliseconds)
{
    CWindowManager& manager = CWindowManager::Get();
    if (manager.m_bRealTimeClock)
    {
        PlatformLog(L"AdvanceClock: the clock follows real time; only the queue was pumped");
        PumpMessages();
        return;
    }
    const ULONGLONG nTarget = manager.m_nManualClock + dwMilliseconds;
    for (;;)
    {
        PumpMessages();
        const ULONGLONG nNext = NextDueAfter(manager.m_nManualClock);
        if (nNext == 0 || nNext > nTarget)
            break;
        manager.m_nManualClock = nNext;
    }
    manager.m_nManualClock = nTarget;
    PumpMessages();
}

void SetRealTimeClock(bool bRealTime)
{
    CWindowManager& manager = CWindowManager::Get();
    if (bRealTime == manager.m_bRealTimeClock)
        return;
    // The clock carries on from where it stands in either direction.
    const ULONGLONG nNow = GetTickCount64();
    manager.m_bRealTimeClock = bRealTime;
    manager.m_nManualClock = nNow;
    manager.m_nRealClockBase = RealMilliseconds();
}

bool IsRealTimeClock()
{
    return CWindowManager::Get().m_bRealTimeClock;
}
