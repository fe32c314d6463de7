// Driving the UI thread without a display: pumping the queue, moving the
// manual clock, the virtual screen, diagnostics, and the hooks through which
// the drawing layer and the on-screen backend join the window manager.
#pragma once

#include "WinUser.h"

// Processes everything that is ready (posted messages, then input, then
// paints, then due timers) until nothing is left, with the class library's
// PreTranslateMessage and TranslateMessage on the way. A WM_QUIT is left
// pending for the loop that owns it (see IsQuitPending). Returns the number
// of messages dispatched.
int PumpMessages();
// Whether PostQuitMessage was called and no loop has taken the WM_QUIT yet.
bool IsQuitPending(int* pnExitCode = nullptr);
// PumpMessages, then the application's idle work (CWinThread::OnIdle, which
// updates command user interfaces), repeated until both are quiet.
int PumpUntilIdle();

// The clock that GetTickCount and timers read. Headless it moves only when a
// test moves it: AdvanceClock lets the time pass as if the loop were idle, so
// each timer fires at its due time, in order, and what it posts is processed
// before the clock moves on.
void AdvanceClock(DWORD dwMilliseconds);
// On screen the clock follows real time.
void SetRealTimeClock(bool bRealTime);
bool IsRealTimeClock();

// The virtual screen: its size and the work area (the screen less the
// taskbar). The default is 1920 x 1080 with a 40-pixel taskbar at the bottom.
void SetHeadlessScreen(SIZE screenSize, RECT rcWorkArea);

// Destroys every window and forgets all queued messages, timers, input state,
// capture, focus and the cursor, and sets the clock back to its start; tests
// call it between cases.
void HeadlessReset();

// Diagnostics of the platform (a message box answered by default, a paint
// that did not validate, a loop that had nothing left to wait for) are lines
// on the debugger output channel (DebugOutput.h), starting "[platform] ".

// The drawing layer's part in painting. Each hook may be null: then device
// contexts are null and backgrounds count as erased when the class has a
// brush.
struct SPaintHooks
{
    // A device context for painting a window's client area, clipped to the
    // update rectangles (client coordinates; rcPaint is their bounds), and
    // its release.
    HDC (*pfnBeginPaint)
    (HWND hWnd, const RECT& rcPaint, const RECT* pUpdateRects, UINT nUpdateRects) = nullptr;
    void (*pfnEndPaint)(HWND hWnd, HDC hdc) = nullptr;
    // Fills the part of the client area being painted with a brush; returns
    // whether it did.
    BOOL (*pfnFillBackground)(HWND hWnd, HDC hdc, HBRUSH hBrush) = nullptr;
    // The brush DefWindowProc answers to WM_CTLCOLOR... messages.
    HBRUSH (*pfnDefaultControlBrush)(UINT nMessage, HDC hdc) = nullptr;
    // Draws the frame the window's style implies (DefWindowProc's WM_NCPAINT
    // and WM_NCACTIVATE), in the active or inactive colours.
    void (*pfnPaintFrame)(HWND hWnd, BOOL bActive) = nullptr;
};
void SetPaintHooks(const SPaintHooks& hooks);
const SPaintHooks& GetPaintHooks();

// The on-screen backend's part in waiting: when the queue is empty a real-time
// loop calls this to wait up to the timeout for platform events (which it
// injects). Returns false when no more events can come (the display closed).
using PFN_WAITFORINPUT = bool (*)(DWORD dwTimeoutMilliseconds);
void SetInputWaitHook(PFN_WAITFORINPUT pfnWait);

// Called when a headless loop would otherwise wait: the test responder uses it
// to act inside modal loops. Returns true when it did something that may have
// queued work.
using PFN_HEADLESSIDLE = bool (*)();
PFN_HEADLESSIDLE SetHeadlessIdleHook(PFN_HEADLESSIDLE pfnIdle);
