// Building blocks for the dialog templates: one function per kind of
// control, with the window class and the styles that kind always has.
// Positions and sizes are dialog units. The style values are the documented
// Windows values, kept here under names of their own so that this module
// needs none of the controls' headers.
#pragma once

#include "DialogTemplate.h"
#include "ResourceIds.h"

namespace dialog_items
{
// Buttons.
constexpr DWORD kPushButton = 0x0000;
constexpr DWORD kDefPushButton = 0x0001;
constexpr DWORD kCheckBox = 0x0002; // checked by the program
constexpr DWORD kAutoCheckBox = 0x0003;
constexpr DWORD kRadioButton = 0x0004; // checked by the program
constexpr DWORD kGroupBox = 0x0007;
constexpr DWORD kAutoRadioButton = 0x0009;
constexpr DWORD kOwnerDrawButton = 0x000B;
constexpr DWORD kButtonTypeMask = 0x000F;
constexpr DWORD kButtonBitmap = 0x0080;
constexpr DWORD kPushLike = 0x1000;
// Statics.
constexpr DWORD kStaticLeft = 0x0000;
constexpr DWORD kStaticRight = 0x0002;
constexpr DWORD kStaticBlackFrame = 0x0007;
constexpr DWORD kStaticOwnerDraw = 0x000D;
constexpr DWORD kStaticEtchedHorizontal = 0x0010;
constexpr DWORD kStaticTypeMask = 0x001F;
constexpr DWORD kStaticNotify = 0x0100;
constexpr DWORD kStaticEndEllipsis = 0x4000;
// Edits.
constexpr DWORD kEditAutoHScroll = 0x0080;
// Combo boxes and list boxes.
constexpr DWORD kComboDropDownList = 0x0003;
constexpr DWORD kComboHasStrings = 0x0200;
constexpr DWORD kListNotify = 0x0001;
constexpr DWORD kListHasStrings = 0x0040;
constexpr DWORD kListNoIntegralHeight = 0x0100;
constexpr DWORD kListExtendedSelection = 0x0800;

constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;

inline SDialogItemTemplate Item(const wchar_t* pszClass, ResourceNumber nID, const wchar_t* pszText, short x,
                                short y, short cx, short cy, DWORD dwStyle)
{
    SDialogItemTemplate item;
    item.strClassName = pszClass;
    item.nID = nID;
    item.strText = pszText;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.dwStyle = dwStyle;
    return item;
}

// A one-line label; nID is IDC_UNNUMBERED for labels nobody addresses.
inline SDialogItemTemplate Label(ResourceNumber nID, const wchar_t* pszText, short x, short y, short cx,
                                 short cy = 8, DWORD dwExtra = 0)
{
    return Item(L"STATIC", nID, pszText, x, y, cx, cy, kVisibleChild | kStaticLeft | dwExtra);
}

// An empty static whose rectangle a window of the program's own takes over.
inline SDialogItemTemplate Placeholder(ResourceNumber nID, short x, short y, short cx, short cy,
                                       DWORD dwExtra = WS_VISIBLE)
{
    return Item(L"STATIC", nID, L"", x, y, cx, cy, WS_CHILD | kStaticLeft | dwExtra);
}

inline SDialogItemTemplate Frame(ResourceNumber nID, short x, short y, short cx, short cy)
{
    return Item(L"STATIC", nID, L"", x, y, cx, cy, kVisibleChild | kStaticBlackFrame);
}

inline SDialogItemTemplate Separator(ResourceNumber nID, short x, short y, short cx)
{
    return Item(L"STATIC", nID, L"", x, y, cx, 1, kVisibleChild | kStaticEtchedHorizontal);
}

inline SDialogItemTemplate Button(ResourceNumber nID, const wchar_t* pszText, short x, short y, short cx,
                                  short cy = 14, DWORD dwType = kPushButton)
{
    return Item(L"BUTTON", nID, pszText, x, y, cx, cy, kVisibleChild | WS_TABSTOP | dwType);
}

// A button that shows an image the program gives it.
inline SDialogItemTemplate ImageButton(ResourceNumber nID, short x, short y, short cx, short cy,
                                       DWORD dwType = kPushButton)
{
    return Item(L"BUTTON", nID, L"", x, y, cx, cy, kVisibleChild | WS_TABSTOP | kButtonBitmap | dwType);
}

inline SDialogItemTemplate CheckBox(ResourceNumber nID, const wchar_t* pszText, short x, short y, short cx,
                                    short cy = 10)
{
    return Item(L"BUTTON", nID, pszText, x, y, cx, cy, kVisibleChild | WS_TABSTOP | kAutoCheckBox);
}

inline SDialogItemTemplate Radio(ResourceNumber nID, const wchar_t* pszText, short x, short y, short cx,
                                 bool bFirst, short cy = 10)
{
    return Item(L"BUTTON", nID, pszText, x, y, cx, cy,
                kVisibleChild | WS_TABSTOP | kAutoRadioButton | (bFirst ? WS_GROUP : 0));
}

inline SDialogItemTemplate GroupBox(ResourceNumber nID, const wchar_t* pszText, short x, short y, short cx,
                                    short cy)
{
    return Item(L"BUTTON", nID, pszText, x, y, cx, cy, kVisibleChild | kGroupBox);
}

// The same control, hidden until the program shows it.
inline SDialogItemTemplate Hidden(SDialogItemTemplate item)
{
    item.dwStyle &= ~static_cast<DWORD>(WS_VISIBLE);
    return item;
}

inline SDialogItemTemplate Edit(ResourceNumber nID, short x, short y, short cx, short cy = 13)
{
    return Item(L"EDIT", nID, L"", x, y, cx, cy, kVisibleChild | WS_TABSTOP | WS_BORDER | kEditAutoHScroll);
}

// cy includes the height of the opened list, as in resource scripts.
inline SDialogItemTemplate DropDownList(ResourceNumber nID, short x, short y, short cx, short cy,
                                        DWORD dwVisible = WS_VISIBLE)
{
    return Item(L"COMBOBOX", nID, L"", x, y, cx, cy,
                WS_CHILD | dwVisible | WS_TABSTOP | WS_VSCROLL | kComboDropDownList | kComboHasStrings);
}

inline SDialogItemTemplate ListBox(ResourceNumber nID, short x, short y, short cx, short cy, DWORD dwExtra)
{
    return Item(L"LISTBOX", nID, L"", x, y, cx, cy,
                kVisibleChild | WS_TABSTOP | WS_BORDER | WS_VSCROLL | kListNotify | kListHasStrings |
                    kListNoIntegralHeight | dwExtra);
}

inline SDialogItemTemplate TabControl(ResourceNumber nID, short x, short y, short cx, short cy)
{
    return Item(L"SysTabControl32", nID, L"", x, y, cx, cy, kVisibleChild | WS_TABSTOP);
}

inline SDialogItemTemplate OkButton(short x, short y)
{
    return Button(IDC_DIALOG_OK, L"OK", x, y, 50, 14, kDefPushButton);
}

inline SDialogItemTemplate CancelButton(short x, short y, const wchar_t* pszText = L"Cancel")
{
    return Button(IDC_DIALOG_CANCEL, pszText, x, y, 50, 14);
}

// Styles of the templates.
constexpr DWORD kModalDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
// A page: a child control dialog, created inside a properties dialog.
constexpr DWORD kPageDialog = WS_CHILD | DS_CONTROL | DS_SETFONT;

inline SDialogTemplate Template(ResourceNumber nID, const wchar_t* pszCaption, DWORD dwStyle, short cx,
                                short cy)
{
    SDialogTemplate dialog;
    dialog.nID = nID;
    dialog.strCaption = pszCaption;
    dialog.dwStyle = dwStyle;
    dialog.cx = cx;
    dialog.cy = cy;
    return dialog;
}
} // namespace dialog_items
