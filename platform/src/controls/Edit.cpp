// The "EDIT" class: one line of text with a caret, a selection, one level of
// undo and the clipboard, operated by keyboard and mouse, telling its parent
// about changes and focus through WM_COMMAND.
//
// The text lives in the window record (as every window's text does) so that
// WM_GETTEXT and WM_GETTEXTLENGTH are the default ones. Everything else is in
// SEditState. Positions are character indices from 0 to the text's length;
// the selection is the range between the anchor (the end that stays) and the
// caret (the end that moves).
//
// ES_MULTILINE is not refused, but the control stays a single line: see
// EditControl.h.
#include "EditControl.h"

#include "Gdi.h"
#include "Menu.h"
#include "controls/BuiltInControls.h"

#include <algorithm>
#include <cwctype>
#include <vector>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

namespace
{

// Timer identifiers private to the control.
constexpr UINT_PTR kCaretTimer = 0xEDC1;
constexpr UINT_PTR kDragScrollTimer = 0xEDC2;
// The caret blinks at Windows' default rate; a drag outside the text keeps
// scrolling at this pace.
constexpr UINT kCaretBlinkMilliseconds = 530;
constexpr UINT kDragScrollMilliseconds = 100;
// Windows' limits: the limit before EM_LIMITTEXT is called, and the one that
// EM_LIMITTEXT 0 sets for a single-line edit.
constexpr UINT kDefaultLimit = 32767;
constexpr UINT kLargestLimit = 0x7FFFFFFE;
constexpr int kDefaultMargin = 1;
constexpr wchar_t kDefaultPasswordChar = L'*';

struct SClipboard
{
    std::wstring strText;
    bool bHasText = false;
};

SClipboard& Clipboard()
{
    static SClipboard clipboard;
    return clipboard;
}

struct SEditState : SControlState
{
    int nAnchor = 0;
    int nCaret = 0;
    UINT nLimit = kDefaultLimit;
    bool bModified = false;

    // One level of undo: the text and selection before the last change.
    // Undoing swaps them with the current ones, so undoing again redoes.
    bool bCanUndo = false;
    std::wstring strUndoText;
    int nUndoAnchor = 0;
    int nUndoCaret = 0;
    // Characters typed one after another make a single change to undo.
    bool bTypingRun = false;

    HFONT hFont = nullptr;
    int nLeftMargin = kDefaultMargin;
    int nRightMargin = kDefaultMargin;
    wchar_t chPassword = 0;

    int nScroll = 0; // pixels of the text hidden at the left
    bool bFocused = false;
    bool bCaretShown = false; // the blink phase while focused
    bool bDragging = false;
    int nDragDirection = 0; // -1 or +1 while a drag holds the pointer beyond an edge

    // The x of every position from the text's start, and the font's line
    // height; remade when the text or the font changes.
    bool bLayoutValid = false;
    std::vector<int> offsets;
    int nLineHeight = 0;
    int nAveCharWidth = 0;
};

// How a change came about: what it does to undo.
enum class EChange
{
    Typing,   // a typed character: joins the run of characters before it
    UserEdit, // deleting, cutting, pasting: a change of its own to undo
    Undoable, // EM_REPLACESEL asking for undo
    NoUndo,   // EM_REPLACESEL without undo: the undo buffer is emptied
};

SEditState* StateOf(HWND hWnd)
{
    return ControlStateOf<SEditState>(hWnd);
}

std::wstring* TextOf(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    return pRecord != nullptr ? &pRecord->strText : nullptr;
}

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
}

int LengthOf(HWND hWnd)
{
    const std::wstring* pText = TextOf(hWnd);
    return pText != nullptr ? static_cast<int>(pText->size()) : 0;
}

bool IsReadOnly(HWND hWnd)
{
    return (StyleOf(hWnd) & ES_READONLY) != 0;
}

bool IsShiftDown()
{
    return GetKeyState(VK_SHIFT) < 0;
}

bool IsControlDown()
{
    return GetKeyState(VK_CONTROL) < 0;
}

bool IsWordBreak(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

HFONT FontOf(const SEditState& state)
{
    return state.hFont != nullptr ? state.hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The text as shown: the password character in place of each character.
std::wstring DisplayText(HWND hWnd, const SEditState& state)
{
    const std::wstring* pText = TextOf(hWnd);
    if (pText == nullptr)
        return std::wstring();
    if (state.chPassword != 0)
        return std::wstring(pText->size(), state.chPassword);
    return *pText;
}

// Applies ES_UPPERCASE or ES_LOWERCASE to text going into the control.
std::wstring ConvertCase(HWND hWnd, std::wstring strText)
{
    const DWORD dwStyle = StyleOf(hWnd);
    if ((dwStyle & ES_UPPERCASE) != 0)
        std::transform(strText.begin(), strText.end(), strText.begin(),
                       [](wchar_t ch)
                       { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch))); });
    else if ((dwStyle & ES_LOWERCASE) != 0)
        std::transform(strText.begin(), strText.end(), strText.begin(),
                       [](wchar_t ch)
                       { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch))); });
    return strText;
}

// Measures the shown text with the control's font: the x of each position,
// each character's advance added to the ones before it, so that drawing each
// character at its own place (ExtTextOut's widths) matches the measure.
void EnsureLayout(HWND hWnd, SEditState& state)
{
    if (state.bLayoutValid)
        return;
    const std::wstring strShown = DisplayText(hWnd, state);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOldFont = SelectObject(hdc, FontOf(state));
    TEXTMETRICW metrics{};
    GetTextMetricsW(hdc, &metrics);
    state.nLineHeight = metrics.tmHeight;
    state.nAveCharWidth = metrics.tmAveCharWidth;
    state.offsets.assign(strShown.size() + 1, 0);
    int x = 0;
    for (size_t i = 0; i < strShown.size(); ++i)
    {
        SIZE size{0, 0};
        GetTextExtentPoint32W(hdc, &strShown[i], 1, &size);
        x += size.cx;
        state.offsets[i + 1] = x;
    }
    SelectObject(hdc, hOldFont);
    DeleteDC(hdc);
    state.bLayoutValid = true;
}

// The client area less the margins: where text is drawn.
RECT FormatRect(HWND hWnd, const SEditState& state)
{
    RECT rc{0, 0, 0, 0};
    GetClientRect(hWnd, &rc);
    rc.left = std::min(rc.left + state.nLeftMargin, rc.right);
    rc.right = std::max(rc.right - state.nRightMargin, rc.left);
    return rc;
}

int TextWidth(const SEditState& state)
{
    return state.offsets.empty() ? 0 : state.offsets.back();
}

// The room the text may fill: one pixel is kept for the caret after it.
int TextRoom(HWND hWnd, const SEditState& state)
{
    const RECT rc = FormatRect(hWnd, state);
    return std::max(0, static_cast<int>(rc.right - rc.left) - 1);
}

// The client x of the text's start: the format rectangle's left less the
// scrolled part, moved right for ES_CENTER and ES_RIGHT when the text is
// narrower than the room.
int TextOriginX(HWND hWnd, SEditState& state)
{
    EnsureLayout(hWnd, state);
    const RECT rc = FormatRect(hWnd, state);
    const int nSlack = TextRoom(hWnd, state) - TextWidth(state);
    int nAlign = 0;
    if (nSlack > 0)
    {
        const DWORD dwStyle = StyleOf(hWnd);
        if ((dwStyle & ES_RIGHT) != 0)
            nAlign = nSlack;
        else if ((dwStyle & ES_CENTER) != 0)
            nAlign = nSlack / 2;
    }
    return rc.left - state.nScroll + nAlign;
}

// The text's top: centred in the client area, never above it.
int TextTop(HWND hWnd, SEditState& state)
{
    EnsureLayout(hWnd, state);
    RECT rc{0, 0, 0, 0};
    GetClientRect(hWnd, &rc);
    return std::max(0, static_cast<int>(rc.bottom - rc.top - state.nLineHeight) / 2);
}

// The position whose boundary is nearest a client x.
int PositionFromX(HWND hWnd, SEditState& state, int x)
{
    EnsureLayout(hWnd, state);
    const int nRelative = x - TextOriginX(hWnd, state);
    const int nLength = static_cast<int>(state.offsets.size()) - 1;
    for (int i = 0; i < nLength; ++i)
    {
        // Past the middle of character i the boundary after it is nearer.
        if (nRelative * 2 < state.offsets[i] + state.offsets[i + 1])
            return i;
    }
    return nLength;
}

// Keeps the caret inside the format rectangle (ES_AUTOHSCROLL) and never
// leaves room at the right that the text could fill.
void ScrollToCaret(HWND hWnd, SEditState& state)
{
    EnsureLayout(hWnd, state);
    if ((StyleOf(hWnd) & ES_AUTOHSCROLL) == 0)
    {
        state.nScroll = 0;
        return;
    }
    const int nRoom = TextRoom(hWnd, state);
    const int nCaretOffset = state.offsets[static_cast<size_t>(
        std::clamp(state.nCaret, 0, static_cast<int>(state.offsets.size()) - 1))];
    if (nCaretOffset < state.nScroll)
        state.nScroll = nCaretOffset;
    else if (nCaretOffset > state.nScroll + nRoom)
        state.nScroll = nCaretOffset - nRoom;
    state.nScroll = std::clamp(state.nScroll, 0, std::max(0, TextWidth(state) - nRoom));
}

void InvalidateEdit(HWND hWnd)
{
    InvalidateRect(hWnd, nullptr, FALSE);
}

// Sends a notification to the parent; false when the control did not
// survive it.
bool Notify(HWND hWnd, WORD nCode)
{
    const HWND hParent = GetParent(hWnd);
    if (hParent != nullptr)
        SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), nCode),
                     reinterpret_cast<LPARAM>(hWnd));
    return IsWindow(hWnd) != FALSE;
}

// Shows the caret and starts its blinking over, as after every move.
void RestartCaretBlink(HWND hWnd, SEditState& state)
{
    if (!state.bFocused)
        return;
    state.bCaretShown = true;
    SetTimer(hWnd, kCaretTimer, kCaretBlinkMilliseconds, nullptr);
}

void SetSelection(HWND hWnd, SEditState& state, int nAnchor, int nCaret)
{
    const int nLength = LengthOf(hWnd);
    state.nAnchor = std::clamp(nAnchor, 0, nLength);
    state.nCaret = std::clamp(nCaret, 0, nLength);
    state.bTypingRun = false;
    ScrollToCaret(hWnd, state);
    RestartCaretBlink(hWnd, state);
    InvalidateEdit(hWnd);
}

int SelectionStart(const SEditState& state)
{
    return std::min(state.nAnchor, state.nCaret);
}

int SelectionEnd(const SEditState& state)
{
    return std::max(state.nAnchor, state.nCaret);
}

// After a change: EN_UPDATE before the control repaints, EN_CHANGE after.
void NotifyChange(HWND hWnd)
{
    if (!Notify(hWnd, EN_UPDATE))
        return;
    UpdateWindow(hWnd);
    Notify(hWnd, EN_CHANGE);
}

// Replaces the selection with text and puts the caret after it. The text is
// cut short at the first line break, by the text limit and, without
// ES_AUTOHSCROLL, by the width; a shortened insertion sends EN_MAXTEXT and a
// typed character that does not fit at all is refused with a beep. Returns
// whether the text changed.
bool ReplaceSelection(HWND hWnd, const std::wstring& strNew, EChange eChange)
{
    SEditState* pState = StateOf(hWnd);
    std::wstring* pText = TextOf(hWnd);
    if (pState == nullptr || pText == nullptr)
        return false;
    SEditState& state = *pState;
    std::wstring strInsert = ConvertCase(hWnd, strNew.substr(0, strNew.find_first_of(L"\r\n")));
    const int nStart = SelectionStart(state);
    const int nEnd = SelectionEnd(state);
    const size_t nKept = pText->size() - static_cast<size_t>(nEnd - nStart);

    bool bShortened = false;
    const size_t nAllowed = state.nLimit > nKept ? state.nLimit - nKept : 0;
    if (strInsert.size() > nAllowed)
    {
        strInsert.resize(nAllowed);
        bShortened = true;
    }
    if ((StyleOf(hWnd) & ES_AUTOHSCROLL) == 0 && !strInsert.empty())
    {
        // Measure the text as it would be and drop characters from the end
        // of the insertion until it fits.
        EnsureLayout(hWnd, state);
        const int nRoom = TextRoom(hWnd, state);
        const int nKeptWidth = TextWidth(state) - (state.offsets[static_cast<size_t>(nEnd)] -
                                                   state.offsets[static_cast<size_t>(nStart)]);
        HDC hdc = CreateCompatibleDC(nullptr);
        HGDIOBJ hOldFont = SelectObject(hdc, FontOf(state));
        int nWidth = nKeptWidth;
        size_t nFits = 0;
        for (; nFits < strInsert.size(); ++nFits)
        {
            const wchar_t ch = state.chPassword != 0 ? state.chPassword : strInsert[nFits];
            SIZE size{0, 0};
            GetTextExtentPoint32W(hdc, &ch, 1, &size);
            if (nWidth + size.cx > nRoom)
                break;
            nWidth += size.cx;
        }
        SelectObject(hdc, hOldFont);
        DeleteDC(hdc);
        if (nFits < strInsert.size())
        {
            strInsert.resize(nFits);
            bShortened = true;
        }
    }
    if (strInsert.empty() && nStart == nEnd)
    {
        if (bShortened)
        {
            if (!Notify(hWnd, EN_MAXTEXT))
                return false;
            if (eChange == EChange::Typing)
                MessageBeep(0);
        }
        return false;
    }

    const bool bJoinsRun = eChange == EChange::Typing && state.bTypingRun && state.bCanUndo && nStart == nEnd;
    if (eChange == EChange::NoUndo)
    {
        state.bCanUndo = false;
        state.strUndoText.clear();
    }
    else if (!bJoinsRun)
    {
        state.bCanUndo = true;
        state.strUndoText = *pText;
        state.nUndoAnchor = state.nAnchor;
        state.nUndoCaret = state.nCaret;
    }
    pText->replace(static_cast<size_t>(nStart), static_cast<size_t>(nEnd - nStart), strInsert);
    state.nAnchor = state.nCaret = nStart + static_cast<int>(strInsert.size());
    state.bTypingRun = eChange == EChange::Typing;
    state.bModified = true;
    state.bLayoutValid = false;
    ScrollToCaret(hWnd, state);
    RestartCaretBlink(hWnd, state);
    InvalidateEdit(hWnd);
    if (bShortened && !Notify(hWnd, EN_MAXTEXT))
        return true;
    NotifyChange(hWnd);
    return true;
}

// Swaps the text and selection with the ones kept for undo.
bool UndoLastChange(HWND hWnd)
{
    SEditState* pState = StateOf(hWnd);
    std::wstring* pText = TextOf(hWnd);
    if (pState == nullptr || pText == nullptr || !pState->bCanUndo)
        return false;
    SEditState& state = *pState;
    std::swap(*pText, state.strUndoText);
    const int nAnchor = state.nAnchor;
    const int nCaret = state.nCaret;
    state.bModified = true;
    state.bLayoutValid = false;
    SetSelection(hWnd, state, state.nUndoAnchor, state.nUndoCaret);
    state.nUndoAnchor = nAnchor;
    state.nUndoCaret = nCaret;
    NotifyChange(hWnd);
    return true;
}

bool CopySelection(HWND hWnd)
{
    SEditState* pState = StateOf(hWnd);
    const std::wstring* pText = TextOf(hWnd);
    // A password is never handed out.
    if (pState == nullptr || pText == nullptr || pState->chPassword != 0)
        return false;
    const int nStart = SelectionStart(*pState);
    const int nEnd = SelectionEnd(*pState);
    if (nStart == nEnd)
        return false;
    SetClipboardText(pText->substr(static_cast<size_t>(nStart), static_cast<size_t>(nEnd - nStart)).c_str());
    return true;
}

bool DeleteSelection(HWND hWnd)
{
    SEditState* pState = StateOf(hWnd);
    if (pState == nullptr || SelectionStart(*pState) == SelectionEnd(*pState))
        return false;
    return ReplaceSelection(hWnd, std::wstring(), EChange::UserEdit);
}

void Cut(HWND hWnd)
{
    if (IsReadOnly(hWnd))
        return;
    if (CopySelection(hWnd))
        DeleteSelection(hWnd);
}

void Paste(HWND hWnd)
{
    if (IsReadOnly(hWnd) || !Clipboard().bHasText)
        return;
    ReplaceSelection(hWnd, Clipboard().strText, EChange::UserEdit);
}

// The start of the word before a position (over blanks first), and the start
// of the word after it (over the rest of this word and the blanks after).
int WordLeft(const std::wstring& strText, int nPosition)
{
    int i = nPosition;
    while (i > 0 && IsWordBreak(strText[static_cast<size_t>(i - 1)]))
        --i;
    while (i > 0 && !IsWordBreak(strText[static_cast<size_t>(i - 1)]))
        --i;
    return i;
}

int WordRight(const std::wstring& strText, int nPosition)
{
    const int nLength = static_cast<int>(strText.size());
    int i = nPosition;
    while (i < nLength && !IsWordBreak(strText[static_cast<size_t>(i)]))
        ++i;
    while (i < nLength && IsWordBreak(strText[static_cast<size_t>(i)]))
        ++i;
    return i;
}

// The run of word characters (or of blanks) that a position touches.
void WordAround(const std::wstring& strText, int nPosition, int& nStart, int& nEnd)
{
    const int nLength = static_cast<int>(strText.size());
    nStart = nEnd = std::clamp(nPosition, 0, nLength);
    if (nLength == 0)
        return;
    const int nProbe = std::min(nStart, nLength - 1);
    const bool bBreak = IsWordBreak(strText[static_cast<size_t>(nProbe)]);
    nStart = nProbe;
    nEnd = nProbe;
    while (nStart > 0 && IsWordBreak(strText[static_cast<size_t>(nStart - 1)]) == bBreak)
        --nStart;
    while (nEnd < nLength && IsWordBreak(strText[static_cast<size_t>(nEnd)]) == bBreak)
        ++nEnd;
}

// Moves the caret for an arrow, Home or End key; Shift keeps the anchor.
void MoveCaret(HWND hWnd, SEditState& state, UINT nKey)
{
    const std::wstring* pText = TextOf(hWnd);
    if (pText == nullptr)
        return;
    const bool bShift = IsShiftDown();
    const bool bControl = IsControlDown();
    const bool bCollapse = !bShift && state.nAnchor != state.nCaret;
    int nTarget = state.nCaret;
    switch (nKey)
    {
        case VK_LEFT:
        case VK_UP:
            if (bControl)
                nTarget = WordLeft(*pText, state.nCaret);
            else if (bCollapse)
                nTarget = SelectionStart(state);
            else
                nTarget = state.nCaret - 1;
            break;
        case VK_RIGHT:
        case VK_DOWN:
            if (bControl)
                nTarget = WordRight(*pText, state.nCaret);
            else if (bCollapse)
                nTarget = SelectionEnd(state);
            else
                nTarget = state.nCaret + 1;
            break;
        case VK_HOME:
            nTarget = 0;
            break;
        case VK_END:
            nTarget = static_cast<int>(pText->size());
            break;
        default:
            return;
    }
    SetSelection(hWnd, state, bShift ? state.nAnchor : nTarget, nTarget);
}

// Enter and Escape that reach the control (a dialog whose loop did not take
// them) go to the dialog as its default button and Cancel.
void ForwardDialogKey(HWND hWnd, UINT nKey)
{
    const HWND hParent = GetParent(hWnd);
    SWindowRecord* pParent = hParent != nullptr ? CWindowManager::Get().FindQuiet(hParent) : nullptr;
    if (pParent == nullptr || pParent->pDialog == nullptr)
        return;
    int nID = IDCANCEL;
    if (nKey == VK_RETURN)
    {
        const LRESULT nDefault = SendMessageW(hParent, DM_GETDEFID, 0, 0);
        nID = HIWORD(static_cast<ULONG_PTR>(nDefault)) == DC_HASDEFID
                  ? LOWORD(static_cast<ULONG_PTR>(nDefault))
                  : IDOK;
    }
    SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hParent, nID)));
}

void OnKeyDown(HWND hWnd, SEditState& state, UINT nKey)
{
    switch (nKey)
    {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
            MoveCaret(hWnd, state, nKey);
            break;
        case VK_DELETE:
            if (IsShiftDown())
            {
                Cut(hWnd);
                break;
            }
            if (IsReadOnly(hWnd))
            {
                MessageBeep(0);
                break;
            }
            if (state.nAnchor == state.nCaret)
            {
                if (state.nCaret >= LengthOf(hWnd))
                    break;
                state.nAnchor = state.nCaret + 1;
            }
            ReplaceSelection(hWnd, std::wstring(), EChange::UserEdit);
            break;
        case VK_INSERT:
            if (IsShiftDown())
                Paste(hWnd);
            else if (IsControlDown())
                CopySelection(hWnd);
            break;
        case VK_RETURN:
        case VK_ESCAPE:
            ForwardDialogKey(hWnd, nKey);
            break;
        default:
            break;
    }
}

constexpr wchar_t kControlA = 0x01;
constexpr wchar_t kControlC = 0x03;
constexpr wchar_t kControlV = 0x16;
constexpr wchar_t kControlX = 0x18;
constexpr wchar_t kControlZ = 0x1A;

void OnChar(HWND hWnd, SEditState& state, wchar_t ch)
{
    switch (ch)
    {
        case kControlA:
            SetSelection(hWnd, state, 0, LengthOf(hWnd));
            return;
        case kControlC:
            CopySelection(hWnd);
            return;
        case kControlV:
            if (IsReadOnly(hWnd))
                MessageBeep(0);
            else
                Paste(hWnd);
            return;
        case kControlX:
            if (IsReadOnly(hWnd))
                MessageBeep(0);
            else
                Cut(hWnd);
            return;
        case kControlZ:
            if (IsReadOnly(hWnd) || !UndoLastChange(hWnd))
                MessageBeep(0);
            return;
        case L'\b':
            if (IsReadOnly(hWnd))
            {
                MessageBeep(0);
                return;
            }
            if (state.nAnchor == state.nCaret)
            {
                if (state.nCaret == 0)
                    return;
                state.nAnchor = state.nCaret - 1;
            }
            ReplaceSelection(hWnd, std::wstring(), EChange::UserEdit);
            return;
        default:
            break;
    }
    // Other control characters (Enter, Escape, Tab and the rest) type nothing.
    if (ch < L' ' || ch == 0x7F)
        return;
    if (IsReadOnly(hWnd) || ((StyleOf(hWnd) & ES_NUMBER) != 0 && (ch < L'0' || ch > L'9')))
    {
        MessageBeep(0);
        return;
    }
    ReplaceSelection(hWnd, std::wstring(1, ch), EChange::Typing);
}

void OnButtonDown(HWND hWnd, WPARAM nKeyFlags, POINT pt)
{
    if (GetFocus() != hWnd)
    {
        SetFocus(hWnd);
        if (!IsWindow(hWnd))
            return;
    }
    SEditState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return;
    const int nPosition = PositionFromX(hWnd, *pState, pt.x);
    SetSelection(hWnd, *pState, (nKeyFlags & MK_SHIFT) != 0 ? pState->nAnchor : nPosition, nPosition);
    pState->bDragging = true;
    pState->nDragDirection = 0;
    SetCapture(hWnd);
}

void EndDrag(HWND hWnd, SEditState& state)
{
    state.bDragging = false;
    if (state.nDragDirection != 0)
        KillTimer(hWnd, kDragScrollTimer);
    state.nDragDirection = 0;
}

void OnDragMove(HWND hWnd, SEditState& state, POINT pt)
{
    const RECT rcFormat = FormatRect(hWnd, state);
    SetSelection(hWnd, state, state.nAnchor, PositionFromX(hWnd, state, pt.x));
    // Beyond an edge the text keeps scrolling by a character at a time.
    const int nDirection = pt.x < rcFormat.left ? -1 : pt.x >= rcFormat.right ? 1 : 0;
    if (nDirection != state.nDragDirection)
    {
        if (nDirection != 0)
            SetTimer(hWnd, kDragScrollTimer, kDragScrollMilliseconds, nullptr);
        else
            KillTimer(hWnd, kDragScrollTimer);
        state.nDragDirection = nDirection;
    }
}

void OnTimer(HWND hWnd, SEditState& state, UINT_PTR nID)
{
    if (nID == kCaretTimer)
    {
        if (!state.bFocused)
        {
            KillTimer(hWnd, kCaretTimer);
            return;
        }
        state.bCaretShown = !state.bCaretShown;
        InvalidateEdit(hWnd);
    }
    else if (nID == kDragScrollTimer)
    {
        if (!state.bDragging || state.nDragDirection == 0)
        {
            KillTimer(hWnd, kDragScrollTimer);
            return;
        }
        SetSelection(hWnd, state, state.nAnchor, state.nCaret + state.nDragDirection);
    }
}

// The edit's own menu for a right click or the menu key: Undo, Cut, Copy,
// Paste, Delete and Select All, with the commands that cannot act greyed.
// The commands are the numbers of the messages that carry them out.
void ShowContextMenu(HWND hWnd, LPARAM lParam)
{
    if (GetFocus() != hWnd)
    {
        SetFocus(hWnd);
        if (!IsWindow(hWnd))
            return;
    }
    SEditState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (pt.x == -1 && pt.y == -1)
    {
        // From the keyboard: at the caret.
        pt = {TextOriginX(hWnd, *pState) + pState->offsets[static_cast<size_t>(pState->nCaret)],
              TextTop(hWnd, *pState) + pState->nLineHeight};
        ClientToScreen(hWnd, &pt);
    }
    const bool bReadOnly = IsReadOnly(hWnd);
    const bool bSelection = pState->nAnchor != pState->nCaret;
    const bool bHidden = pState->chPassword != 0;
    const int nLength = LengthOf(hWnd);
    const bool bAllSelected = SelectionStart(*pState) == 0 && SelectionEnd(*pState) == nLength;
    auto flags = [](bool bEnabled) { return static_cast<UINT>(MF_STRING | (bEnabled ? 0 : MF_GRAYED)); };
    HMENU hMenu = CreatePopupMenu();
    AppendMenuW(hMenu, flags(pState->bCanUndo && !bReadOnly), WM_UNDO, L"&Undo");
    AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(hMenu, flags(bSelection && !bReadOnly && !bHidden), WM_CUT, L"Cu&t");
    AppendMenuW(hMenu, flags(bSelection && !bHidden), WM_COPY, L"&Copy");
    AppendMenuW(hMenu, flags(Clipboard().bHasText && !bReadOnly), WM_PASTE, L"&Paste");
    AppendMenuW(hMenu, flags(bSelection && !bReadOnly), WM_CLEAR, L"&Delete");
    AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(hMenu, flags(nLength > 0 && !bAllSelected), EM_SETSEL, L"Select &All");
    const auto nCommand = static_cast<UINT>(
        TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, hWnd, nullptr));
    const bool bEnabled = nCommand != 0 && (GetMenuState(hMenu, nCommand, MF_BYCOMMAND) & MF_GRAYED) == 0;
    DestroyMenu(hMenu);
    if (!bEnabled || !IsWindow(hWnd))
        return;
    if (nCommand == EM_SETSEL)
        SendMessageW(hWnd, EM_SETSEL, 0, -1);
    else
        SendMessageW(hWnd, nCommand, 0, 0);
}

// Draws a stretch of the shown text, each character at its measured place.
void DrawRun(HDC hdc, const std::wstring& strShown, const SEditState& state, int nFrom, int nTo, int xOrigin,
             int y)
{
    if (nTo <= nFrom)
        return;
    std::vector<INT> advances(static_cast<size_t>(nTo - nFrom));
    for (int i = nFrom; i < nTo; ++i)
        advances[static_cast<size_t>(i - nFrom)] =
            state.offsets[static_cast<size_t>(i + 1)] - state.offsets[static_cast<size_t>(i)];
    ExtTextOutW(hdc, xOrigin + state.offsets[static_cast<size_t>(nFrom)], y, 0, nullptr,
                strShown.c_str() + nFrom, static_cast<UINT>(nTo - nFrom), advances.data());
}

// Paints the whole client area: the background the parent chooses, the
// text, the selection and the caret.
void PaintEdit(HWND hWnd, HDC hdc)
{
    SEditState* pState = StateOf(hWnd);
    if (pState == nullptr || hdc == nullptr)
        return;
    EnsureLayout(hWnd, *pState);
    const bool bEnabled = IsWindowEnabled(hWnd) != FALSE;
    const bool bStatic = !bEnabled || IsReadOnly(hWnd);
    const int nBackground = bStatic ? COLOR_BTNFACE : COLOR_WINDOW;

    const int nSaved = SaveDC(hdc);
    SelectObject(hdc, FontOf(*pState));
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(nBackground));
    HBRUSH hBrush = nullptr;
    if (const HWND hParent = GetParent(hWnd); hParent != nullptr)
    {
        hBrush = reinterpret_cast<HBRUSH>(SendMessageW(hParent, bStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                                       reinterpret_cast<WPARAM>(hdc),
                                                       reinterpret_cast<LPARAM>(hWnd)));
        pState = StateOf(hWnd);
        if (pState == nullptr)
        {
            RestoreDC(hdc, nSaved);
            return;
        }
        EnsureLayout(hWnd, *pState);
    }
    if (hBrush == nullptr)
        hBrush = GetSysColorBrush(nBackground);
    RECT rcClient{0, 0, 0, 0};
    GetClientRect(hWnd, &rcClient);
    FillRect(hdc, &rcClient, hBrush);
    if (!bEnabled)
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);

    const SEditState& state = *pState;
    const RECT rcFormat = FormatRect(hWnd, state);
    IntersectClipRect(hdc, rcFormat.left, rcFormat.top, rcFormat.right, rcFormat.bottom);
    const std::wstring strShown = DisplayText(hWnd, state);
    const int xOrigin = TextOriginX(hWnd, *pState);
    const int y = TextTop(hWnd, *pState);
    DrawRun(hdc, strShown, state, 0, static_cast<int>(strShown.size()), xOrigin, y);

    const int nStart = SelectionStart(state);
    const int nEnd = SelectionEnd(state);
    const bool bShowSelection = state.bFocused || (StyleOf(hWnd) & ES_NOHIDESEL) != 0;
    if (nStart < nEnd && bShowSelection)
    {
        const RECT rcSelection{xOrigin + state.offsets[static_cast<size_t>(nStart)], y,
                               xOrigin + state.offsets[static_cast<size_t>(nEnd)], y + state.nLineHeight};
        FillRect(hdc, &rcSelection, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        DrawRun(hdc, strShown, state, nStart, nEnd, xOrigin, y);
    }
    if (state.bFocused && state.bCaretShown)
        PatBlt(hdc, xOrigin + state.offsets[static_cast<size_t>(state.nCaret)], y, 1, state.nLineHeight,
               DSTINVERT);
    RestoreDC(hdc, nSaved);
}

void OnSetText(HWND hWnd, SEditState& state, LPCWSTR pszText)
{
    std::wstring* pText = TextOf(hWnd);
    if (pText == nullptr)
        return;
    *pText = ConvertCase(hWnd, pszText != nullptr ? pszText : L"");
    state.nAnchor = state.nCaret = 0;
    state.nScroll = 0;
    state.bModified = false;
    state.bCanUndo = false;
    state.strUndoText.clear();
    state.bTypingRun = false;
    state.bLayoutValid = false;
    RestartCaretBlink(hWnd, state);
    InvalidateEdit(hWnd);
}

void SetMargins(HWND hWnd, SEditState& state, WPARAM nFlags, LPARAM lParam)
{
    EnsureLayout(hWnd, state);
    // Margins from the font: a third of the average character width.
    const int nFontMargin = std::max(1, state.nAveCharWidth / 3);
    if (nFlags == EC_USEFONTINFO)
    {
        state.nLeftMargin = state.nRightMargin = nFontMargin;
    }
    else
    {
        const WORD nLeft = LOWORD(static_cast<ULONG_PTR>(lParam));
        const WORD nRight = HIWORD(static_cast<ULONG_PTR>(lParam));
        if ((nFlags & EC_LEFTMARGIN) != 0)
            state.nLeftMargin = nLeft == EC_USEFONTINFO ? nFontMargin : nLeft;
        if ((nFlags & EC_RIGHTMARGIN) != 0)
            state.nRightMargin = nRight == EC_USEFONTINFO ? nFontMargin : nRight;
    }
    ScrollToCaret(hWnd, state);
    InvalidateEdit(hWnd);
}

// The first character that is at least partly shown.
int FirstVisibleCharacter(HWND hWnd, SEditState& state)
{
    EnsureLayout(hWnd, state);
    const int nLength = static_cast<int>(state.offsets.size()) - 1;
    for (int i = 0; i < nLength; ++i)
    {
        if (state.offsets[static_cast<size_t>(i + 1)] > state.nScroll)
            return i;
    }
    return nLength;
}

LRESULT EditWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    SEditState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    SEditState& state = *pState;
    switch (nMessage)
    {
        case WM_NCCREATE:
        {
            if (std::wstring* pText = TextOf(hWnd); pText != nullptr)
                *pText = ConvertCase(hWnd, *pText);
            if ((StyleOf(hWnd) & ES_PASSWORD) != 0)
                state.chPassword = kDefaultPasswordChar;
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        }
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case WM_SETTEXT:
            OnSetText(hWnd, state, reinterpret_cast<LPCWSTR>(lParam));
            // A single-line edit tells its parent of text set from outside
            // too; one made with ES_MULTILINE does not, as on Windows.
            if ((StyleOf(hWnd) & ES_MULTILINE) == 0)
                NotifyChange(hWnd);
            return TRUE;
        case WM_SETFONT:
            state.hFont = reinterpret_cast<HFONT>(wParam);
            state.bLayoutValid = false;
            ScrollToCaret(hWnd, state);
            if (LOWORD(static_cast<ULONG_PTR>(lParam)) != 0)
                InvalidateEdit(hWnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.hFont);
        case WM_SIZE:
            ScrollToCaret(hWnd, state);
            InvalidateEdit(hWnd);
            return 0;
        case WM_ENABLE:
        case WM_STYLECHANGED:
            InvalidateEdit(hWnd);
            return 0;
        case WM_SETFOCUS:
            state.bFocused = true;
            RestartCaretBlink(hWnd, state);
            InvalidateEdit(hWnd);
            Notify(hWnd, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            state.bFocused = false;
            state.bCaretShown = false;
            KillTimer(hWnd, kCaretTimer);
            if (state.bDragging)
            {
                EndDrag(hWnd, state);
                if (GetCapture() == hWnd)
                    ReleaseCapture();
            }
            InvalidateEdit(hWnd);
            Notify(hWnd, EN_KILLFOCUS);
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(hWnd, state, static_cast<UINT>(wParam));
            return 0;
        case WM_CHAR:
            OnChar(hWnd, state, static_cast<wchar_t>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(hWnd, wParam, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            if (state.bDragging && GetCapture() == hWnd)
                OnDragMove(hWnd, state, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            if (state.bDragging)
            {
                EndDrag(hWnd, state);
                if (GetCapture() == hWnd)
                    ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (state.bDragging)
                EndDrag(hWnd, state);
            return 0;
        case WM_LBUTTONDBLCLK:
        {
            const std::wstring* pText = TextOf(hWnd);
            if (pText == nullptr)
                return 0;
            int nStart = 0;
            int nEnd = 0;
            WordAround(*pText, PositionFromX(hWnd, state, GET_X_LPARAM(lParam)), nStart, nEnd);
            SetSelection(hWnd, state, nStart, nEnd);
            return 0;
        }
        case WM_CONTEXTMENU:
            ShowContextMenu(hWnd, lParam);
            return 0;
        case WM_TIMER:
            OnTimer(hWnd, state, static_cast<UINT_PTR>(wParam));
            return 0;
        case WM_ERASEBKGND:
            // WM_PAINT fills the background with the parent's brush.
            return TRUE;
        case WM_PAINT:
        {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hWnd, &ps);
            if (hdc != nullptr)
                PaintEdit(hWnd, hdc);
            EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintEdit(hWnd, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_DESTROY:
            KillTimer(hWnd, kCaretTimer);
            KillTimer(hWnd, kDragScrollTimer);
            return 0;

        case EM_GETSEL:
        {
            const auto nStart = static_cast<DWORD>(SelectionStart(state));
            const auto nEnd = static_cast<DWORD>(SelectionEnd(state));
            if (wParam != 0)
                *reinterpret_cast<DWORD*>(wParam) = nStart;
            if (lParam != 0)
                *reinterpret_cast<DWORD*>(lParam) = nEnd;
            return MAKELRESULT(nStart, nEnd);
        }
        case EM_SETSEL:
        {
            // A start of -1 takes the selection away and leaves the caret;
            // an end of -1 is the end of the text.
            const auto nStart = static_cast<int>(static_cast<INT_PTR>(wParam));
            const auto nEnd = static_cast<int>(lParam);
            const int nLength = LengthOf(hWnd);
            if (nStart < 0)
                SetSelection(hWnd, state, state.nCaret, state.nCaret);
            else
                SetSelection(hWnd, state, nStart, nEnd < 0 ? nLength : nEnd);
            return 0;
        }
        case EM_SCROLLCARET:
            ScrollToCaret(hWnd, state);
            InvalidateEdit(hWnd);
            return TRUE;
        case EM_REPLACESEL:
            ReplaceSelection(hWnd, lParam != 0 ? reinterpret_cast<LPCWSTR>(lParam) : L"",
                             wParam != 0 ? EChange::Undoable : EChange::NoUndo);
            return 0;
        case EM_LIMITTEXT:
            state.nLimit =
                wParam == 0 ? kLargestLimit : static_cast<UINT>(std::min<WPARAM>(wParam, kLargestLimit));
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(state.nLimit);
        case EM_SETREADONLY:
        {
            const DWORD dwStyle = StyleOf(hWnd);
            SetWindowLongPtrW(hWnd, GWL_STYLE,
                              static_cast<LONG_PTR>(wParam != 0
                                                        ? dwStyle | ES_READONLY
                                                        : dwStyle & ~static_cast<DWORD>(ES_READONLY)));
            InvalidateEdit(hWnd);
            return TRUE;
        }
        case EM_GETMODIFY:
            return state.bModified ? TRUE : FALSE;
        case EM_SETMODIFY:
            state.bModified = wParam != 0;
            return 0;
        case EM_CANUNDO:
            return state.bCanUndo ? TRUE : FALSE;
        case EM_UNDO:
        case WM_UNDO:
            return UndoLastChange(hWnd) ? TRUE : FALSE;
        case EM_EMPTYUNDOBUFFER:
            state.bCanUndo = false;
            state.strUndoText.clear();
            state.bTypingRun = false;
            return 0;
        case WM_CUT:
            Cut(hWnd);
            return 0;
        case WM_COPY:
            CopySelection(hWnd);
            return 0;
        case WM_PASTE:
            Paste(hWnd);
            return 0;
        case WM_CLEAR:
            if (!IsReadOnly(hWnd))
                DeleteSelection(hWnd);
            return 0;
        case EM_GETLINECOUNT:
            return 1;
        case EM_LINEINDEX:
        case EM_LINEFROMCHAR:
            return 0;
        case EM_LINELENGTH:
            return LengthOf(hWnd);
        case EM_GETLINE:
        {
            // The buffer's first character holds its size in characters; no
            // terminator is added.
            auto* pszBuffer = reinterpret_cast<LPWSTR>(lParam);
            const std::wstring* pText = TextOf(hWnd);
            if (pszBuffer == nullptr || pText == nullptr || wParam != 0)
                return 0;
            const size_t nCopied =
                std::min(pText->size(), static_cast<size_t>(static_cast<WORD>(pszBuffer[0])));
            std::copy_n(pText->begin(), nCopied, pszBuffer);
            return static_cast<LRESULT>(nCopied);
        }
        case EM_GETFIRSTVISIBLELINE:
            return FirstVisibleCharacter(hWnd, state);
        case EM_SETPASSWORDCHAR:
        {
            state.chPassword = static_cast<wchar_t>(wParam);
            const DWORD dwStyle = StyleOf(hWnd);
            SetWindowLongPtrW(hWnd, GWL_STYLE,
                              static_cast<LONG_PTR>(wParam != 0
                                                        ? dwStyle | ES_PASSWORD
                                                        : dwStyle & ~static_cast<DWORD>(ES_PASSWORD)));
            state.bLayoutValid = false;
            ScrollToCaret(hWnd, state);
            InvalidateEdit(hWnd);
            return 0;
        }
        case EM_GETPASSWORDCHAR:
            return static_cast<LRESULT>(state.chPassword);
        case EM_SETMARGINS:
            SetMargins(hWnd, state, wParam, lParam);
            return 0;
        case EM_GETMARGINS:
            return MAKELRESULT(state.nLeftMargin, state.nRightMargin);
        case EM_GETRECT:
            if (lParam != 0)
                *reinterpret_cast<RECT*>(lParam) = FormatRect(hWnd, state);
            return 0;
        case EM_POSFROMCHAR:
        {
            const auto nIndex = static_cast<int>(wParam);
            if (nIndex < 0 || nIndex >= LengthOf(hWnd))
                return -1;
            const int x = TextOriginX(hWnd, state) + state.offsets[static_cast<size_t>(nIndex)];
            return MAKELRESULT(static_cast<WORD>(x), static_cast<WORD>(TextTop(hWnd, state)));
        }
        case EM_CHARFROMPOS:
            return MAKELRESULT(PositionFromX(hWnd, state, GET_X_LPARAM(lParam)), 0);
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

void RegisterEditClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = EditWndProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = L"EDIT";
    RegisterClassExW(&wc);
}

const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterEditClass);

} // namespace

void SetClipboardText(const wchar_t* pszText)
{
    Clipboard().strText = pszText != nullptr ? pszText : L"";
    Clipboard().bHasText = true;
}

std::wstring GetClipboardText()
{
    return Clipboard().bHasText ? Clipboard().strText : std::wstring();
}

bool HasClipboardText()
{
    return Clipboard().bHasText;
}

void EmptyClipboardText()
{
    Clipboard().strText.clear();
    Clipboard().bHasText = false;
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const
{
    if (lpszBuffer == nullptr || nMaxLength <= 0)
        return 0;
    lpszBuffer[0] = static_cast<wchar_t>(std::min(nMaxLength, 0xFFFF));
    return static_cast<int>(
        SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    const LRESULT nResult = SendMessage(EM_POSFROMCHAR, nChar, 0);
    return CPoint(GET_X_LPARAM(nResult), GET_Y_LPARAM(nResult));
}

int CEdit::CharFromPos(CPoint pt) const
{
    return static_cast<int>(
        SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y))));
}
