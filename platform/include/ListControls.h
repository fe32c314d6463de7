// List boxes and drop-list combo boxes: their styles, messages,
// notifications and the CListBox and CComboBox classes.
#pragma once

#include "Wnd.h"

#define WC_LISTBOXW L"ListBox"
#define WC_COMBOBOXW L"ComboBox"
// The class of the list a combo box drops down.
#define WC_COMBOLBOXW L"ComboLBox"

// List box styles.
#define LBS_NOTIFY 0x0001L
#define LBS_SORT 0x0002L
#define LBS_NOREDRAW 0x0004L
#define LBS_MULTIPLESEL 0x0008L
#define LBS_OWNERDRAWFIXED 0x0010L
#define LBS_OWNERDRAWVARIABLE 0x0020L
#define LBS_HASSTRINGS 0x0040L
#define LBS_USETABSTOPS 0x0080L
#define LBS_NOINTEGRALHEIGHT 0x0100L
#define LBS_MULTICOLUMN 0x0200L
#define LBS_WANTKEYBOARDINPUT 0x0400L
#define LBS_EXTENDEDSEL 0x0800L
#define LBS_DISABLENOSCROLL 0x1000L
#define LBS_NODATA 0x2000L
#define LBS_NOSEL 0x4000L
#define LBS_COMBOBOX 0x8000L
#define LBS_STANDARD (LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER)

// List box messages.
#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_SELITEMRANGEEX 0x0183
#define LB_RESETCONTENT 0x0184
#define LB_SETSEL 0x0185
#define LB_SETCURSEL 0x0186
#define LB_GETSEL 0x0187
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_SELECTSTRING 0x018C
#define LB_DIR 0x018D
#define LB_GETTOPINDEX 0x018E
#define LB_FINDSTRING 0x018F
#define LB_GETSELCOUNT 0x0190
#define LB_GETSELITEMS 0x0191
#define LB_SETTABSTOPS 0x0192
#define LB_GETHORIZONTALEXTENT 0x0193
#define LB_SETHORIZONTALEXTENT 0x0194
#define LB_SETCOLUMNWIDTH 0x0195
#define LB_ADDFILE 0x0196
#define LB_SETTOPINDEX 0x0197
#define LB_GETITEMRECT 0x0198
#define LB_GETITEMDATA 0x0199
#define LB_SETITEMDATA 0x019A
#define LB_SELITEMRANGE 0x019B
#define LB_SETANCHORINDEX 0x019C
#define LB_GETANCHORINDEX 0x019D
#define LB_SETCARETINDEX 0x019E
#define LB_GETCARETINDEX 0x019F
#define LB_SETITEMHEIGHT 0x01A0
#define LB_GETITEMHEIGHT 0x01A1
#define LB_FINDSTRINGEXACT 0x01A2
#define LB_SETLOCALE 0x01A5
#define LB_GETLOCALE 0x01A6
#define LB_SETCOUNT 0x01A7
#define LB_INITSTORAGE 0x01A8
#define LB_ITEMFROMPOINT 0x01A9

#define LB_OKAY 0
#define LB_ERR (-1)
#define LB_ERRSPACE (-2)

// Combo box styles.
#define CBS_SIMPLE 0x0001L
#define CBS_DROPDOWN 0x0002L
#define CBS_DROPDOWNLIST 0x0003L
#define CBS_OWNERDRAWFIXED 0x0010L
#define CBS_OWNERDRAWVARIABLE 0x0020L
#define CBS_AUTOHSCROLL 0x0040L
#define CBS_OEMCONVERT 0x0080L
#define CBS_SORT 0x0100L
#define CBS_HASSTRINGS 0x0200L
#define CBS_NOINTEGRALHEIGHT 0x0400L
#define CBS_DISABLENOSCROLL 0x0800L
#define CBS_UPPERCASE 0x2000L
#define CBS_LOWERCASE 0x4000L

// Combo box messages.
#define CB_GETEDITSEL 0x0140
#define CB_LIMITTEXT 0x0141
#define CB_SETEDITSEL 0x0142
#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_DIR 0x0145
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A
#define CB_RESETCONTENT 0x014B
#define CB_FINDSTRING 0x014C
#define CB_SELECTSTRING 0x014D
#define CB_SETCURSEL 0x014E
#define CB_SHOWDROPDOWN 0x014F
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CB_GETDROPPEDCONTROLRECT 0x0152
#define CB_SETITEMHEIGHT 0x0153
#define CB_GETITEMHEIGHT 0x0154
#define CB_SETEXTENDEDUI 0x0155
#define CB_GETEXTENDEDUI 0x0156
#define CB_GETDROPPEDSTATE 0x0157
#define CB_FINDSTRINGEXACT 0x0158
#define CB_SETLOCALE 0x0159
#define CB_GETLOCALE 0x015A
#define CB_GETTOPINDEX 0x015B
#define CB_SETTOPINDEX 0x015C
#define CB_GETHORIZONTALEXTENT 0x015D
#define CB_SETHORIZONTALEXTENT 0x015E
#define CB_GETDROPPEDWIDTH 0x015F
#define CB_SETDROPPEDWIDTH 0x0160
#define CB_INITSTORAGE 0x0161

#define CB_OKAY 0
#define CB_ERR (-1)
#define CB_ERRSPACE (-2)

// The owner-draw state of a combo box's selection field.
#define ODS_COMBOBOXEDIT 0x1000

// Vertical scroll requests (WM_VSCROLL), which list boxes also take.
#ifndef SB_LINEUP
#define SB_LINEUP 0
#define SB_LINEDOWN 1
#define SB_PAGEUP 2
#define SB_PAGEDOWN 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_BOTTOM 7
#define SB_ENDSCROLL 8
#endif

// Sent to the owner of a sorted owner-draw list without strings to order two
// items: negative when the first comes first, 0 when equal, positive after.
struct COMPAREITEMSTRUCT
{
    UINT CtlType;
    UINT CtlID;
    HWND hwndItem;
    UINT itemID1;
    ULONG_PTR itemData1;
    UINT itemID2;
    ULONG_PTR itemData2;
    DWORD dwLocaleId;
};
using LPCOMPAREITEMSTRUCT = COMPAREITEMSTRUCT*;

// Sent to the owner of a list box or combo box for each item with nonzero
// data that is deleted, removed by a reset, or goes with the control.
struct DELETEITEMSTRUCT
{
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    HWND hwndItem;
    ULONG_PTR itemData;
};
using LPDELETEITEMSTRUCT = DELETEITEMSTRUCT*;

class CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items.
    int GetCount() const { return Call(LB_GETCOUNT); }
    int AddString(LPCWSTR lpszItem) { return Call(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)); }
    int InsertString(int nIndex, LPCWSTR lpszItem)
    {
        return Call(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem));
    }
    int DeleteString(UINT nIndex) { return Call(LB_DELETESTRING, nIndex); }
    void ResetContent() { Call(LB_RESETCONTENT); }
    int GetText(int nIndex, LPWSTR lpszBuffer) const
    {
        return Call(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer));
    }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return Call(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)); }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return Call(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData));
    }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData)
    {
        return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
    }
    int FindString(int nStartAfter, LPCWSTR lpszItem) const
    {
        return Call(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem));
    }
    int FindStringExact(int nIndexStart, LPCWSTR lpszFind) const
    {
        return Call(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind));
    }
    int SelectString(int nStartAfter, LPCWSTR lpszItem)
    {
        return Call(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem));
    }

    // Selection.
    int GetCurSel() const { return Call(LB_GETCURSEL); }
    int SetCurSel(int nSelect) { return Call(LB_SETCURSEL, static_cast<WPARAM>(nSelect)); }
    int GetSel(int nIndex) const { return Call(LB_GETSEL, static_cast<WPARAM>(nIndex)); }
    int SetSel(int nIndex, BOOL bSelect = TRUE)
    {
        return Call(LB_SETSEL, static_cast<WPARAM>(bSelect), static_cast<LPARAM>(nIndex));
    }
    int GetSelCount() const { return Call(LB_GETSELCOUNT); }
    int GetSelItems(int nMaxItems, int* rgIndex) const
    {
        return Call(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex));
    }
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
    {
        return Call(LB_SELITEMRANGE, static_cast<WPARAM>(bSelect),
                    MAKELPARAM(static_cast<WORD>(nFirstItem), static_cast<WORD>(nLastItem)));
    }
    void SetAnchorIndex(int nIndex) { Call(LB_SETANCHORINDEX, static_cast<WPARAM>(nIndex)); }
    int GetAnchorIndex() const { return Call(LB_GETANCHORINDEX); }
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE)
    {
        return Call(LB_SETCARETINDEX, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(bScroll));
    }
    int GetCaretIndex() const { return Call(LB_GETCARETINDEX); }

    // Geometry.
    int GetTopIndex() const { return Call(LB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return Call(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)); }
    int GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return Call(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
    }
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return Call(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(cyItemHeight));
    }
    int GetItemHeight(int nIndex) const { return Call(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)); }

private:
    int Call(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return static_cast<int>(SendMessage(nMessage, wParam, lParam));
    }
};

class CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items.
    int GetCount() const { return Call(CB_GETCOUNT); }
    int AddString(LPCWSTR lpszString) { return Call(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)); }
    int InsertString(int nIndex, LPCWSTR lpszString)
    {
        return Call(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString));
    }
    int DeleteString(UINT nIndex) { return Call(CB_DELETESTRING, nIndex); }
    void ResetContent() { Call(CB_RESETCONTENT); }
    int GetLBText(int nIndex, LPWSTR lpszText) const
    {
        return Call(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText));
    }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return Call(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)); }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return Call(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData));
    }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData)
    {
        return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
    }
    int FindString(int nStartAfter, LPCWSTR lpszString) const
    {
        return Call(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString));
    }
    int FindStringExact(int nIndexStart, LPCWSTR lpszFind) const
    {
        return Call(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind));
    }
    int SelectString(int nStartAfter, LPCWSTR lpszString)
    {
        return Call(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString));
    }

    // Selection and the drop-down list.
    int GetCurSel() const { return Call(CB_GETCURSEL); }
    int SetCurSel(int nSelect) { return Call(CB_SETCURSEL, static_cast<WPARAM>(nSelect)); }
    void ShowDropDown(BOOL bShowIt = TRUE) { Call(CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt)); }
    BOOL GetDroppedState() const { return Call(CB_GETDROPPEDSTATE); }
    void GetDroppedControlRect(LPRECT lprect) const
    {
        SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect));
    }
    int GetDroppedWidth() const { return Call(CB_GETDROPPEDWIDTH); }
    int SetDroppedWidth(UINT nWidth) { return Call(CB_SETDROPPEDWIDTH, nWidth); }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return Call(CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(cyItemHeight));
    }
    int GetItemHeight(int nIndex) const { return Call(CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)); }
    int GetTopIndex() const { return Call(CB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return Call(CB_SETTOPINDEX, static_cast<WPARAM>(nIndex)); }

private:
    int Call(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return static_cast<int>(SendMessage(nMessage, wParam, lParam));
    }
};
