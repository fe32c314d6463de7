// The single-line edit control: its styles, messages, notifications and the
// CEdit class.
//
// The "EDIT" class keeps one line of text. ES_MULTILINE is accepted but the
// control still keeps and shows a single line: line breaks in text it is
// given are kept in the text and drawn as they measure, and Enter is left to
// the dialog.
#pragma once

#include "Wnd.h"

#include <string>

// Edit styles.
#define ES_LEFT 0x0000L
#define ES_CENTER 0x0001L
#define ES_RIGHT 0x0002L
#define ES_MULTILINE 0x0004L
#define ES_UPPERCASE 0x0008L
#define ES_LOWERCASE 0x0010L
#define ES_PASSWORD 0x0020L
#define ES_AUTOVSCROLL 0x0040L
#define ES_AUTOHSCROLL 0x0080L
#define ES_NOHIDESEL 0x0100L
#define ES_OEMCONVERT 0x0400L
#define ES_READONLY 0x0800L
#define ES_WANTRETURN 0x1000L
#define ES_NUMBER 0x2000L

// Edit messages (EM_GETSEL and EM_SETSEL are in WinMessages.h).
#define EM_GETRECT 0x00B2
#define EM_SCROLLCARET 0x00B7
#define EM_GETMODIFY 0x00B8
#define EM_SETMODIFY 0x00B9
#define EM_GETLINECOUNT 0x00BA
#define EM_LINEINDEX 0x00BB
#define EM_LINELENGTH 0x00C1
#define EM_REPLACESEL 0x00C2
#define EM_GETLINE 0x00C4
#define EM_LIMITTEXT 0x00C5
#define EM_CANUNDO 0x00C6
#define EM_UNDO 0x00C7
#define EM_LINEFROMCHAR 0x00C9
#define EM_SETPASSWORDCHAR 0x00CC
#define EM_EMPTYUNDOBUFFER 0x00CD
#define EM_GETFIRSTVISIBLELINE 0x00CE
#define EM_SETREADONLY 0x00CF
#define EM_GETPASSWORDCHAR 0x00D2
#define EM_SETMARGINS 0x00D3
#define EM_GETMARGINS 0x00D4
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EM_GETLIMITTEXT 0x00D5
#define EM_POSFROMCHAR 0x00D6
#define EM_CHARFROMPOS 0x00D7

// EM_SETMARGINS flags.
#define EC_LEFTMARGIN 0x0001
#define EC_RIGHTMARGIN 0x0002
#define EC_USEFONTINFO 0xFFFF

// The text a program may put on the process-wide clipboard and take back,
// for the edit's cut, copy and paste. Text only; there is no other format.
void SetClipboardText(const wchar_t* pszText);
// The clipboard's text, or an empty string when it holds none.
std::wstring GetClipboardText();
bool HasClipboardText();
void EmptyClipboardText();

class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() = default;

    // Creates an "EDIT" child window (WS_CHILD is added).
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Selection. GetSel gives the start and end in character positions, the
    // start never after the end.
    DWORD GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL, 0, 0)); }
    void GetSel(int& nStartChar, int& nEndChar) const
    {
        DWORD dwStart = 0;
        DWORD dwEnd = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
        nStartChar = static_cast<int>(dwStart);
        nEndChar = static_cast<int>(dwEnd);
    }
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE)
    {
        SetSel(static_cast<int>(static_cast<SHORT>(LOWORD(dwSelection))),
               static_cast<int>(static_cast<SHORT>(HIWORD(dwSelection))), bNoScroll);
    }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), static_cast<LPARAM>(nEndChar));
        if (!bNoScroll)
            SendMessage(EM_SCROLLCARET, 0, 0);
    }
    void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
    }

    // Limits and state.
    void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax, 0); }
    void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT, 0, 0)); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE)
    {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly), 0));
    }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY, 0, 0)); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(bModified), 0); }
    void SetMargins(UINT nLeft, UINT nRight)
    {
        SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(nLeft, nRight));
    }
    DWORD GetMargins() const { return static_cast<DWORD>(SendMessage(EM_GETMARGINS, 0, 0)); }
    void SetPasswordChar(wchar_t ch) { SendMessage(EM_SETPASSWORDCHAR, static_cast<WPARAM>(ch), 0); }
    wchar_t GetPasswordChar() const { return static_cast<wchar_t>(SendMessage(EM_GETPASSWORDCHAR, 0, 0)); }
    void GetRect(LPRECT lpRect) const { SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect)); }

    // Undo and the clipboard.
    BOOL CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO, 0, 0)); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO, 0, 0)); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER, 0, 0); }
    void Cut() { SendMessage(WM_CUT, 0, 0); }
    void Copy() { SendMessage(WM_COPY, 0, 0); }
    void Paste() { SendMessage(WM_PASTE, 0, 0); }
    void Clear() { SendMessage(WM_CLEAR, 0, 0); }

    // The one line.
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT, 0, 0)); }
    int LineLength(int nLine = -1) const { return static_cast<int>(SendMessage(EM_LINELENGTH, nLine, 0)); }
    int LineIndex(int nLine = -1) const { return static_cast<int>(SendMessage(EM_LINEINDEX, nLine, 0)); }
    int LineFromChar(int nIndex = -1) const
    {
        return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex), 0));
    }
    // Copies at most nMaxLength characters of the line (no terminator is
    // added, as with Windows); returns the number copied.
    int GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const;
    int GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE, 0, 0)); }
    // The client position of a character's left edge, and the character
    // nearest a client point.
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const;
};
