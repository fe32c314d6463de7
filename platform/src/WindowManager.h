// The process-wide window manager: window classes, window records and the
// state of the one UI thread's queue, input, timers and painting. Private to
// the platform library; the public face is WinUser.h and Headless.h.
#pragma once

#include "WinUser.h"

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CWnd;
typedef struct _cairo_surface cairo_surface_t;

struct SWindowClass
{
    std::wstring strName;
    ATOM nAtom = 0;
    UINT nStyle = 0;
    WNDPROC pfnWndProc = nullptr;
    int nClassExtra = 0;
    int nWindowExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HICON hIconSmall = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hBackground = nullptr;
    std::vector<BYTE> classExtra;
    int nWindowCount = 0;
};

// What a dialog window keeps beyond an ordinary window.
struct SDialogInfo
{
    SIZE baseUnits{6, 13};
    HFONT hFont = nullptr;
    HWND hSavedFocus = nullptr; // restored when the dialog is activated again
    UINT nDefaultId = 0;
    bool bHasDefaultId = false;
    bool bEnded = false;
    INT_PTR nResult = 0;
    HWND hDisabledOwner = nullptr; // the owner DialogBox disabled, enabled again by EndDialog
};

// What a built-in control keeps in its window record (controls/BuiltInControls.h).
struct SControlState
{
    virtual ~SControlState() = default;
};

struct SWindowRecord
{
    UINT nGeneration = 1;
    bool bInUse = false;
    HWND hWnd = nullptr;

    std::shared_ptr<SWindowClass> pClass;
    WNDPROC pfnWndProc = nullptr;
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    // The window rectangle in the parent's client coordinates (screen
    // coordinates for top-level windows) and the client rectangle relative to
    // the window's top-left corner.
    RECT rcWindow{};
    RECT rcClient{};
    RECT rcNormal{};        // the rectangle to restore after maximising
    HWND hParent = nullptr; // null for top-level windows
    HWND hOwner = nullptr;
    std::vector<HWND> children; // Z-order, topmost first
    std::wstring strText;
    UINT_PTR nID = 0;
    HINSTANCE hInstance = nullptr;
    LONG_PTR nUserData = 0;
    std::vector<BYTE> extraBytes;
    std::vector<std::pair<std::wstring, HANDLE>> properties;
    HRGN hRegion = nullptr; // owned; window coordinates

    // Painting: the update region in client coordinates.
    std::vector<RECT> updateRects;
    bool bEraseNeeded = false;
    bool bInternalPaint = false;
    bool bRedrawDisabled = false; // WM_SETREDRAW FALSE
    bool bFrameNeeded = false;    // the non-client area awaits WM_NCPAINT

    // The pixels of a top-level window (children draw into their top-level
    // window's), made when first drawn into.
    std::shared_ptr<cairo_surface_t> pSurface;

    bool bDestroying = false;
    bool bDestroyMessagesSent = false;
    CWnd* pAttachedObject = nullptr;
    WNDPROC pfnSuperProc = nullptr; // the procedure a class-library object subclassed
    std::unique_ptr<SDialogInfo> pDialog;
    std::unique_ptr<SControlState> pControlState; // built-in controls only
};

struct STimer
{
    HWND hWnd = nullptr;
    UINT_PTR nID = 0;
    UINT nElapse = 0;
    ULONGLONG nDue = 0;
    TIMERPROC pfnTimerProc = nullptr;
    ULONGLONG nSequence = 0; // breaks ties between timers due at once: first set fires first
};

enum class EInputKind
{
    MouseMove,
    MouseButton,
    MouseWheel,
    Key,
    Char,
};

struct SInputEvent
{
    EInputKind eKind = EInputKind::MouseMove;
    POINT pt{};
    int nButton = 0; // 0 left, 1 right, 2 middle
    bool bDown = false;
    int nDelta = 0;
    bool bHorizontal = false;
    UINT nVirtualKey = 0;
    wchar_t chCharacter = 0;
    bool bSynthetic = false; // a move made up after a capture change, not injected
};

// Hooks through which the class library and the drawing layer join in.
struct SManagerHooks
{
    // Called once for the next window created, before it sees any message.
    void (*pfnCreationHook)(HWND hWnd, void* pContext) = nullptr;
    void* pCreationContext = nullptr;
    // Called when a record is freed, after WM_NCDESTROY.
    void (*pfnRecordFreed)(HWND hWnd) = nullptr;
};

class CWindowManager
{
public:
    static CWindowManager& Get();

    // Records and handles.
    SWindowRecord* Find(HWND hWnd); // null (and the last error set) when the handle is stale
    SWindowRecord* FindQuiet(HWND hWnd);
    SWindowRecord& Desktop() { return *m_records[0]; }
    HWND DesktopHandle() const { return m_hDesktop; }
    SWindowRecord* Allocate();
    void Free(SWindowRecord& record);
    std::vector<HWND>& SiblingList(const SWindowRecord& record);
    std::vector<HWND> AllWindows() const;

    // Classes.
    std::shared_ptr<SWindowClass> FindClass(LPCWSTR lpClassName, HINSTANCE hInstance) const;
    std::vector<std::shared_ptr<SWindowClass>> m_classes;
    ATOM m_nNextAtom = 0xC000;

    // Geometry helpers.
    POINT ClientOriginOnScreen(const SWindowRecord& record);
    RECT WindowRectOnScreen(const SWindowRecord& record);
    bool IsVisibleOnScreen(const SWindowRecord& record); // itself and every ancestor visible
    HWND TopLevelOf(HWND hWnd);

    // Thread state.
    HWND m_hFocus = nullptr;
    HWND m_hCapture = nullptr;
    HWND m_hActive = nullptr;
    std::deque<MSG> m_posted;
    std::deque<SInputEvent> m_rawInput;
    std::deque<MSG> m_convertedInput;
    bool m_bQuitPosted = false;
    int m_nQuitCode = 0;
    DWORD m_nLastMessageTime = 0;
    POINT m_ptLastMessage{};
    std::vector<std::pair<std::wstring, UINT>> m_registeredMessages;

    // Input state.
    BYTE m_keyState[256]{};
    POINT m_ptCursor{};
    HCURSOR m_hCursor = nullptr;
    int m_nCursorShowCount = 0;
    HWND m_hLastMouseWindow = nullptr;
    int m_nLastHitCode = HTNOWHERE;
    HWND m_hTrackLeave = nullptr; // window awaiting WM_MOUSELEAVE
    HWND m_hTrackHover = nullptr; // window awaiting WM_MOUSEHOVER
    ULONGLONG m_nHoverDue = 0;
    POINT m_ptHoverStart{};
    DWORD m_dwHoverTime = 400;
    HWND m_hLastClickWindow = nullptr;
    int m_nLastClickButton = -1;
    DWORD m_nLastClickTime = 0;
    POINT m_ptLastClick{};
    bool m_bLastClickWasDouble = false;
    UINT m_nDoubleClickTime = 500;

    // Timers and the clock.
    std::vector<STimer> m_timers;
    ULONGLONG m_nTimerSequence = 0;
    UINT_PTR m_nNextThreadTimerId = 0x7FF0;
    ULONGLONG m_nManualClock = 10000;
    bool m_bRealTimeClock = false;
    ULONGLONG m_nRealClockBase = 0;

    // Screen.
    SIZE m_screenSize{1920, 1080};
    RECT m_rcWorkArea{0, 0, 1920, 1040};

    SManagerHooks m_hooks;

private:
    CWindowManager();
    std::vector<std::unique_ptr<SWindowRecord>> m_records;
    std::vector<size_t> m_freeSlots;
    HWND m_hDesktop = nullptr;
};

// Helpers shared by the platform sources.
HWND MakeHandle(size_t nIndex, UINT nGeneration);
bool IsChildStyle(const SWindowRecord& record);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
// The insets of the non-client frame that the style implies.
RECT FrameInsets(DWORD dwStyle, DWORD dwExStyle);
// Recomputes the client rectangle through WM_NCCALCSIZE.
void RecalculateClient(HWND hWnd);
// Invalidation used by the geometry code: a window's whole area, and the area
// of its parent that a window uncovered.
void InvalidateWholeWindow(HWND hWnd, bool bErase);
void InvalidateParentArea(HWND hParent, const RECT& rcInParentClient);
// Tell the screen (its composition and the on-screen backend) that a
// top-level window was placed, shown or hidden, or is going away.
void ScreenWindowChanged(HWND hWnd);
void ScreenWindowDestroyed(HWND hWnd);
// Drops everything queued for a window that is going away.
void PurgeQueuedMessages(HWND hWnd);
void KillWindowTimers(HWND hWnd);
// Focus, capture and tracking bookkeeping when a window goes away or hides.
void ForgetInputWindow(HWND hWnd);
// Makes a top-level window the active one (null: none), with WM_NCACTIVATE,
// WM_ACTIVATE and the focus change Windows makes.
void ActivateWindow(HWND hWnd, int nState);
// The window to activate when the active one goes away: its owner when that
// can take it, else the topmost other visible, enabled top-level window.
HWND NextWindowToActivate(HWND hLeaving);
// What DefWindowProc does with WM_WINDOWPOSCHANGED: WM_MOVE and WM_SIZE when
// the client area moved or changed size.
void SendSizeAndMoveAfterChange(HWND hWnd, const WINDOWPOS& position);
// Logs a platform diagnostic (a headless answer, a corrected misuse).
void PlatformLog(const std::wstring& strMessage);
// Delivers a made-up mouse move after capture changes, as Windows does.
void QueueSyntheticMouseMove();
// The window under a screen point as mouse input sees it, with its hit-test
// code (HTERROR for a disabled top-level window); null when none.
HWND HitTestPoint(POINT ptScreen, int& nHitCode);
// Posts WM_MOUSEHOVER when the pointer has rested long enough.
void CheckMouseHover();
// Turns the oldest injected event into queued messages (hit-testing it and
// updating the key and cursor state as it goes). False when none was waiting.
bool ConvertNextRawInput();
// The character a key press types with the given key state, or 0.
wchar_t CharacterForKey(UINT nVirtualKey, const BYTE* pKeyState);
// Whether a message passes a GetMessage/PeekMessage filter.
bool MatchesFilter(const MSG& msg, HWND hWnd, UINT nMin, UINT nMax);
// The next WM_PAINT to deliver (never removed: it stays until validated).
bool FindPaintMessage(HWND hFilter, MSG& msg);
// The next due timer as a WM_TIMER; removing it schedules the next period.
bool FindDueTimer(HWND hFilter, UINT nMin, UINT nMax, bool bRemove, MSG& msg);
// Milliseconds until the next timer is due (0 when one is), or -1 for none.
LONGLONG MillisecondsToNextTimer();
// The update region of a window as it stands, to tell whether a WM_PAINT
// handler validated anything.
bool HasPendingPaint(const SWindowRecord& record);
void DiscardPendingPaint(SWindowRecord& record);
// The PeekMessage the pumps use; bSkipQuit leaves a pending WM_QUIT alone.
BOOL PeekNextMessage(LPMSG lpMsg, HWND hWnd, UINT nMin, UINT nMax, UINT nRemove, bool bSkipQuit);
// Waits for more work as the clock mode allows: a headless loop asks the idle
// hook, a real-time one waits on the backend and the timers. False when
// nothing can arrive.
bool WaitForMoreWork();
// The dialog part of a window record, made when first needed.
SDialogInfo& DialogInfoOf(SWindowRecord& record);
// Moves the focus to a dialog control, selecting an edit's text as the
// dialog manager does.
void DialogSetFocus(HWND hControl);
// The window that Tab moves within: a dialog, or the outermost dialog that a
// child dialog (DS_CONTROL) is part of.
HWND DialogNavigationRoot(HWND hDlg);
