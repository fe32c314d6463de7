// Injected input and its conversion into window messages: key state, mouse
// routing with capture, double clicks, WM_SETCURSOR, activation on click,
// mouse tracking, and the characters keys type.
#include "Input.h"
#include "WindowManager.h"

#include <algorithm>
#include <cstdlib>

namespace
{

constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;

const UINT kButtonKeys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
const UINT kButtonDownMessages[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};

void Enqueue(const SInputEvent& event)
{
    CWindowManager::Get().m_rawInput.push_back(event);
}

bool IsDown(const BYTE* pKeyState, UINT nKey)
{
    return (pKeyState[nKey & 0xFF] & kDown) != 0;
}

// The generic key (VK_SHIFT) a sided key (VK_LSHIFT) stands for, and the
// sided key a generic one is taken as.
UINT GenericKey(UINT nKey)
{
    switch (nKey)
    {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return nKey;
    }
}

UINT SidedKey(UINT nKey)
{
    switch (nKey)
    {
        case VK_SHIFT:
            return VK_LSHIFT;
        case VK_CONTROL:
            return VK_LCONTROL;
        case VK_MENU:
            return VK_LMENU;
        default:
            return nKey;
    }
}

bool IsExtendedKey(UINT nKey)
{
    switch (nKey)
    {
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_DIVIDE:
        case VK_NUMLOCK:
            return true;
        default:
            return false;
    }
}

void SetKey(BYTE* pKeyState, UINT nKey, bool bDown)
{
    BYTE& state = pKeyState[nKey & 0xFF];
    if (bDown && (state & kDown) == 0)
        state ^= kToggled;
    state = static_cast<BYTE>(bDown ? (state | kDown) : (state & ~kDown));
}

// Updates the key, its sided form and its generic form together, so that
// GetKeyState(VK_SHIFT) and GetKeyState(VK_LSHIFT) agree.
void UpdateKeyState(UINT nKey, bool bDown)
{
    BYTE* pKeyState = CWindowManager::Get().m_keyState;
    const UINT nGeneric = GenericKey(nKey);
    const UINT nSided = nGeneric == nKey ? SidedKey(nKey) : nKey;
    SetKey(pKeyState, nSided, bDown);
    if (nGeneric != nSided)
    {
        UINT nLeft = nGeneric == VK_SHIFT ? VK_LSHIFT : nGeneric == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
        const bool bEither = IsDown(pKeyState, nLeft) || IsDown(pKeyState, nLeft + 1);
        SetKey(pKeyState, nGeneric, bEither);
    }
}

WPARAM MouseKeyFlags()
{
    const BYTE* pKeyState = CWindowManager::Get().m_keyState;
    WPARAM nFlags = 0;
    if (IsDown(pKeyState, VK_LBUTTON))
        nFlags |= MK_LBUTTON;
    if (IsDown(pKeyState, VK_RBUTTON))
        nFlags |= MK_RBUTTON;
    if (IsDown(pKeyState, VK_MBUTTON))
        nFlags |= MK_MBUTTON;
    if (IsDown(pKeyState, VK_SHIFT))
        nFlags |= MK_SHIFT;
    if (IsDown(pKeyState, VK_CONTROL))
        nFlags |= MK_CONTROL;
    return nFlags;
}

LPARAM PackPoint(POINT pt)
{
    return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

void PushMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CWindowManager& manager = CWindowManager::Get();
    manager.m_convertedInput.push_back(
        MSG{hWnd, nMessage, wParam, lParam, GetTickCount(), manager.m_ptCursor});
}

void UpdateTracking(HWND hTarget, int nHitCode)
{
    CWindowManager& manager = CWindowManager::Get();
    if (manager.m_hTrackLeave != nullptr && (manager.m_hTrackLeave != hTarget || nHitCode != HTCLIENT))
    {
        // Tracking ends with the one notice it asked for.
        PostMessageW(manager.m_hTrackLeave, WM_MOUSELEAVE, 0, 0);
        manager.m_hTrackLeave = nullptr;
    }
    if (manager.m_hTrackHover != nullptr)
    {
        if (manager.m_hTrackHover != hTarget || nHitCode != HTCLIENT)
            manager.m_hTrackHover = nullptr;
        else if (std::abs(manager.m_ptCursor.x - manager.m_ptHoverStart.x) > 2 ||
                 std::abs(manager.m_ptCursor.y - manager.m_ptHoverStart.y) > 2)
        {
            manager.m_ptHoverStart = manager.m_ptCursor;
            manager.m_nHoverDue = GetTickCount64() + manager.m_dwHoverTime;
        }
    }
    manager.m_hLastMouseWindow = hTarget;
    manager.m_nLastHitCode = nHitCode;
}

// Decides whether a press is the second click of a double click.
bool IsDoubleClick(HWND hTarget, int nButton)
{
    CWindowManager& manager = CWindowManager::Get();
    const DWORD dwNow = GetTickCount();
    const int nHalfWidth = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    const int nHalfHeight = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const bool bDouble = !manager.m_bLastClickWasDouble && manager.m_hLastClickWindow == hTarget &&
                         manager.m_nLastClickButton == nButton &&
                         dwNow - manager.m_nLastClickTime <= manager.m_nDoubleClickTime &&
                         std::abs(manager.m_ptCursor.x - manager.m_ptLastClick.x) <= nHalfWidth &&
                         std::abs(manager.m_ptCursor.y - manager.m_ptLastClick.y) <= nHalfHeight;
    manager.m_hLastClickWindow = hTarget;
    manager.m_nLastClickButton = nButton;
    manager.m_nLastClickTime = dwNow;
    manager.m_ptLastClick = manager.m_ptCursor;
    manager.m_bLastClickWasDouble = bDouble;
    return bDouble;
}

// A press in a window of an inactive top-level window activates it, unless
// the window answers WM_MOUSEACTIVATE otherwise. Returns false when the
// press is to be eaten.
bool ActivateOnPress(HWND hTarget, int nHitCode, UINT nMessage)
{
    CWindowManager& manager = CWindowManager::Get();
    const HWND hTop = manager.TopLevelOf(hTarget);
    if (hTop == nullptr || hTop == manager.m_hActive)
        return true;
    const LRESULT nAnswer = SendMessageW(hTarget, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hTop),
                                         MAKELPARAM(static_cast<WORD>(nHitCode), nMessage));
    if (nAnswer != MA_NOACTIVATE && nAnswer != MA_NOACTIVATEANDEAT)
    {
        SWindowRecord* pTop = manager.FindQuiet(hTop);
        if (pTop != nullptr && (pTop->dwExStyle & WS_EX_NOACTIVATE) == 0)
            ActivateWindow(hTop, WA_CLICKACTIVE);
    }
    return nAnswer != MA_ACTIVATEANDEAT && nAnswer != MA_NOACTIVATEANDEAT;
}

void ConvertMouseEvent(const SInputEvent& event)
{
    CWindowManager& manager = CWindowManager::Get();
    if (!event.bSynthetic)
        manager.m_ptCursor = event.pt;
    if (event.eKind == EInputKind::MouseButton)
        UpdateKeyState(kButtonKeys[event.nButton], event.bDown);

    HWND hTarget = manager.m_hCapture;
    int nHitCode = HTCLIENT;
    if (hTarget == nullptr)
        hTarget = HitTestPoint(manager.m_ptCursor, nHitCode);
    UpdateTracking(hTarget, nHitCode);
    if (hTarget == nullptr)
        return;

    UINT nMessage = WM_MOUSEMOVE;
    if (event.eKind == EInputKind::MouseButton)
        nMessage = kButtonDownMessages[event.nButton] + (event.bDown ? 0 : 1);
    else if (event.eKind == EInputKind::MouseWheel)
        nMessage = event.bHorizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;

    if (manager.m_hCapture == nullptr)
    {
        SendMessageW(hTarget, WM_SETCURSOR, reinterpret_cast<WPARAM>(hTarget),
                     MAKELPARAM(static_cast<WORD>(nHitCode), nMessage));
        if (manager.FindQuiet(hTarget) == nullptr)
            return;
    }
    if (nHitCode == HTERROR)
    {
        // A disabled window swallows the mouse; a press only beeps.
        if (event.eKind == EInputKind::MouseButton && event.bDown)
            MessageBeep(0);
        return;
    }
    if (event.eKind == EInputKind::MouseWheel)
    {
        PushMessage(hTarget, nMessage,
                    MAKEWPARAM(MouseKeyFlags(), static_cast<WORD>(static_cast<SHORT>(event.nDelta))),
                    PackPoint(manager.m_ptCursor));
        return;
    }
    if (event.eKind == EInputKind::MouseButton && event.bDown)
    {
        const SWindowRecord* pTarget = manager.FindQuiet(hTarget);
        const bool bClassWantsDouble = pTarget != nullptr && (pTarget->pClass->nStyle & CS_DBLCLKS) != 0;
        const bool bDouble = IsDoubleClick(hTarget, event.nButton);
        if (bDouble && (bClassWantsDouble || nHitCode != HTCLIENT))
            nMessage += 2;
        else if (bDouble)
            manager.m_bLastClickWasDouble = false;
        if (manager.m_hCapture == nullptr && !ActivateOnPress(hTarget, nHitCode, nMessage))
            return;
        if (manager.FindQuiet(hTarget) == nullptr)
            return;
    }
    if (nHitCode == HTCLIENT)
    {
        POINT ptClient = manager.m_ptCursor;
        ScreenToClient(hTarget, &ptClient);
        PushMessage(hTarget, nMessage, MouseKeyFlags(), PackPoint(ptClient));
    }
    else
    {
        // Outside the client area the non-client twin of the message carries
        // the hit-test code and the screen position.
        PushMessage(hTarget, nMessage - (WM_MOUSEMOVE - WM_NCMOUSEMOVE), static_cast<WPARAM>(nHitCode),
                    PackPoint(manager.m_ptCursor));
    }
}

void ConvertKeyEvent(const SInputEvent& event)
{
    CWindowManager& manager = CWindowManager::Get();
    const UINT nKey = event.nVirtualKey & 0xFF;
    const bool bWasDown = IsDown(manager.m_keyState, nKey);
    UpdateKeyState(nKey, event.bDown);
    HWND hTarget = manager.m_hFocus != nullptr ? manager.m_hFocus : manager.m_hActive;
    if (hTarget == nullptr)
        return;
    const BYTE* pKeyState = manager.m_keyState;
    const bool bAlt = IsDown(pKeyState, VK_MENU);
    // Alt makes keys system keys unless Control is held too (AltGr); so does
    // F10, and so does every key while no window has the focus.
    const bool bSystem = (bAlt && !IsDown(pKeyState, VK_CONTROL)) || GenericKey(nKey) == VK_MENU ||
                         nKey == VK_F10 || manager.m_hFocus == nullptr;
    UINT nMessage = event.bDown ? WM_KEYDOWN : WM_KEYUP;
    if (bSystem)
        nMessage += WM_SYSKEYDOWN - WM_KEYDOWN;
    LPARAM lParam = 1;
    if (IsExtendedKey(nKey))
        lParam |= LPARAM{1} << 24;
    if (bAlt)
        lParam |= LPARAM{1} << 29;
    if (bWasDown || !event.bDown)
        lParam |= LPARAM{1} << 30;
    if (!event.bDown)
        lParam |= LPARAM{1} << 31;
    PushMessage(hTarget, nMessage, GenericKey(nKey), static_cast<LPARAM>(static_cast<DWORD>(lParam)));
}

} // namespace

bool ConvertNextRawInput()
{
    CWindowManager& manager = CWindowManager::Get();
    if (manager.m_rawInput.empty())
        return false;
    const SInputEvent event = manager.m_rawInput.front();
    manager.m_rawInput.pop_front();
    switch (event.eKind)
    {
        case EInputKind::MouseMove:
        case EInputKind::MouseButton:
        case EInputKind::MouseWheel:
            ConvertMouseEvent(event);
            break;
        case EInputKind::Key:
            ConvertKeyEvent(event);
            break;
        case EInputKind::Char:
        {
            const HWND hTarget = manager.m_hFocus != nullptr ? manager.m_hFocus : manager.m_hActive;
            if (hTarget != nullptr)
                PushMessage(hTarget, WM_CHAR, event.chCharacter, 1);
            break;
        }
    }
    return true;
}

void QueueSyntheticMouseMove()
{
    SInputEvent event;
    event.eKind = EInputKind::MouseMove;
    event.bSynthetic = true;
    Enqueue(event);
}

void CheckMouseHover()
{
    CWindowManager& manager = CWindowManager::Get();
    if (manager.m_hTrackHover == nullptr || GetTickCount64() < manager.m_nHoverDue)
        return;
    const HWND hWnd = manager.m_hTrackHover;
    manager.m_hTrackHover = nullptr;
    POINT ptClient = manager.m_ptCursor;
    if (ScreenToClient(hWnd, &ptClient))
        PostMessageW(hWnd, WM_MOUSEHOVER, MouseKeyFlags(), PackPoint(ptClient));
}

wchar_t CharacterForKey(UINT nVirtualKey, const BYTE* pKeyState)
{
    const bool bShift = IsDown(pKeyState, VK_SHIFT);
    const bool bControl = IsDown(pKeyState, VK_CONTROL);
    const bool bAlt = IsDown(pKeyState, VK_MENU);
    const bool bCapsLock = (pKeyState[VK_CAPITAL] & kToggled) != 0;
    if (nVirtualKey >= 'A' && nVirtualKey <= 'Z')
    {
        if (bControl && !bAlt)
            return static_cast<wchar_t>(nVirtualKey - 'A' + 1);
        const bool bUpper = bShift != bCapsLock;
        return static_cast<wchar_t>(bUpper ? nVirtualKey : nVirtualKey - 'A' + 'a');
    }
    if (bControl && !bAlt)
    {
        switch (nVirtualKey)
        {
            case VK_RETURN:
                return L'\n';
            case VK_BACK:
                return 0x7F;
            case VK_ESCAPE:
                return 0x1B;
            case VK_SPACE:
                return L' ';
            default:
                return 0;
        }
    }
    if (nVirtualKey >= '0' && nVirtualKey <= '9')
        return bShift ? L")!@#$%^&*("[nVirtualKey - '0'] : static_cast<wchar_t>(nVirtualKey);
    if (nVirtualKey >= VK_NUMPAD0 && nVirtualKey <= VK_NUMPAD9)
        return static_cast<wchar_t>(L'0' + (nVirtualKey - VK_NUMPAD0));
    switch (nVirtualKey)
    {
        case VK_SPACE:
            return L' ';
        case VK_RETURN:
            return L'\r';
        case VK_TAB:
            return L'\t';
        case VK_BACK:
            return 0x08;
        case VK_ESCAPE:
            return 0x1B;
        case VK_MULTIPLY:
            return L'*';
        case VK_ADD:
            return L'+';
        case VK_SUBTRACT:
            return L'-';
        case VK_DECIMAL:
            return L'.';
        case VK_DIVIDE:
            return L'/';
        case VK_OEM_1:
            return bShift ? L':' : L';';
        case VK_OEM_PLUS:
            return bShift ? L'+' : L'=';
        case VK_OEM_COMMA:
            return bShift ? L'<' : L',';
        case VK_OEM_MINUS:
            return bShift ? L'_' : L'-';
        case VK_OEM_PERIOD:
            return bShift ? L'>' : L'.';
        case VK_OEM_2:
            return bShift ? L'?' : L'/';
        case VK_OEM_3:
            return bShift ? L'~' : L'`';
        case VK_OEM_4:
            return bShift ? L'{' : L'[';
        case VK_OEM_5:
            return bShift ? L'|' : L'\\';
        case VK_OEM_6:
            return bShift ? L'}' : L']';
        case VK_OEM_7:
            return bShift ? L'"' : L'\'';
        default:
            return 0;
    }
}

// ---------------------------------------------------------------------------
// Injection

void InjectMouseMove(POINT ptScreen)
{
    SInputEvent event;
    event.eKind = EInputKind::MouseMove;
    event.pt = ptScreen;
    Enqueue(event);
}

void InjectMouseButton(EMouseButton eButton, bool bDown, POINT ptScreen)
{
    SInputEvent event;
    event.eKind = EInputKind::MouseButton;
    event.pt = ptScreen;
    event.nButton = static_cast<int>(eButton);
    event.bDown = bDown;
    Enqueue(event);
}

void InjectMouseWheel(int nDelta, POINT ptScreen, bool bHorizontal)
{
    SInputEvent event;
    event.eKind = EInputKind::MouseWheel;
    event.pt = ptScreen;
    event.nDelta = nDelta;
    event.bHorizontal = bHorizontal;
    Enqueue(event);
}

void InjectKey(UINT nVirtualKey, bool bDown)
{
    SInputEvent event;
    event.eKind = EInputKind::Key;
    event.nVirtualKey = nVirtualKey;
    event.bDown = bDown;
    Enqueue(event);
}

void InjectChar(wchar_t chCharacter)
{
    SInputEvent event;
    event.eKind = EInputKind::Char;
    event.chCharacter = chCharacter;
    Enqueue(event);
}

void InjectClick(POINT ptScreen, EMouseButton eButton)
{
    InjectMouseMove(ptScreen);
    InjectMouseButton(eButton, true, ptScreen);
    InjectMouseButton(eButton, false, ptScreen);
}

void InjectKeyPress(UINT nVirtualKey)
{
    InjectKey(nVirtualKey, true);
    InjectKey(nVirtualKey, false);
}

void InjectText(const wchar_t* pszText)
{
    for (const wchar_t* p = pszText; p != nullptr && *p != L'\0'; ++p)
        InjectChar(*p);
}

void InjectDrag(POINT ptFrom, POINT ptTo, int nSteps, EMouseButton eButton)
{
    nSteps = nSteps < 1 ? 1 : nSteps;
    InjectMouseMove(ptFrom);
    InjectMouseButton(eButton, true, ptFrom);
    for (int i = 1; i <= nSteps; ++i)
    {
        InjectMouseMove({ptFrom.x + MulDiv(ptTo.x - ptFrom.x, i, nSteps),
                         ptFrom.y + MulDiv(ptTo.y - ptFrom.y, i, nSteps)});
    }
    InjectMouseButton(eButton, false, ptTo);
}

// ---------------------------------------------------------------------------
// Key state and mouse tracking

SHORT GetKeyState(int nVirtKey)
{
    const BYTE state = CWindowManager::Get().m_keyState[nVirtKey & 0xFF];
    return static_cast<SHORT>(((state & kDown) != 0 ? 0x8000 : 0) | (state & kToggled));
}

SHORT GetAsyncKeyState(int vKey)
{
    const BYTE state = CWindowManager::Get().m_keyState[vKey & 0xFF];
    return static_cast<SHORT>((state & kDown) != 0 ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* lpKeyState)
{
    if (lpKeyState == nullptr)
        return FALSE;
    std::copy_n(CWindowManager::Get().m_keyState, 256, lpKeyState);
    return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack)
{
    CWindowManager& manager = CWindowManager::Get();
    if (lpEventTrack == nullptr || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD dwFlags = lpEventTrack->dwFlags;
    if ((dwFlags & TME_QUERY) != 0)
    {
        const HWND hTracked =
            manager.m_hTrackLeave != nullptr ? manager.m_hTrackLeave : manager.m_hTrackHover;
        lpEventTrack->hwndTrack = hTracked;
        lpEventTrack->dwFlags = (manager.m_hTrackLeave != nullptr ? TME_LEAVE : 0) |
                                (manager.m_hTrackHover != nullptr ? TME_HOVER : 0);
        lpEventTrack->dwHoverTime = manager.m_dwHoverTime;
        return TRUE;
    }
    const HWND hWnd = lpEventTrack->hwndTrack;
    if (manager.Find(hWnd) == nullptr)
        return FALSE;
    if ((dwFlags & TME_CANCEL) != 0)
    {
        if ((dwFlags & TME_LEAVE) != 0 && manager.m_hTrackLeave == hWnd)
            manager.m_hTrackLeave = nullptr;
        if ((dwFlags & TME_HOVER) != 0 && manager.m_hTrackHover == hWnd)
            manager.m_hTrackHover = nullptr;
        return TRUE;
    }
    const bool bPointerInside = manager.m_hLastMouseWindow == hWnd && manager.m_nLastHitCode == HTCLIENT;
    if ((dwFlags & TME_LEAVE) != 0)
    {
        // Asking while the pointer is already elsewhere gets the notice at once.
        if (bPointerInside)
            manager.m_hTrackLeave = hWnd;
        else
            PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
    }
    if ((dwFlags & TME_HOVER) != 0 && bPointerInside)
    {
        manager.m_hTrackHover = hWnd;
        manager.m_dwHoverTime = lpEventTrack->dwHoverTime == HOVER_DEFAULT ? 400 : lpEventTrack->dwHoverTime;
        manager.m_ptHoverStart = manager.m_ptCursor;
        manager.m_nHoverDue = GetTickCount64() + manager.m_dwHoverTime;
    }
    return TRUE;
}

BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack)
{
    return TrackMouseEvent(lpEventTrack);
}

UINT GetDoubleClickTime()
{
    return CWindowManager::Get().m_nDoubleClickTime;
}

BOOL SetDoubleClickTime(UINT uInterval)
{
    CWindowManager::Get().m_nDoubleClickTime = uInterval == 0 ? 500 : uInterval;
    return TRUE;
}

BOOL DragDetect(HWND hwnd, POINT pt)
{
    // Watches the input that follows a press: a move beyond the drag
    // distance before the release starts a drag.
    const int nHalfWidth = GetSystemMetrics(SM_CXDRAG);
    const int nHalfHeight = GetSystemMetrics(SM_CYDRAG);
    POINT ptOrigin = pt;
    ClientToScreen(hwnd, &ptOrigin);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
    {
        if (msg.message == WM_LBUTTONUP)
            return FALSE;
        const POINT& ptNow = CWindowManager::Get().m_ptCursor;
        if (std::abs(ptNow.x - ptOrigin.x) > nHalfWidth || std::abs(ptNow.y - ptOrigin.y) > nHalfHeight)
            return TRUE;
    }
    return FALSE;
}
