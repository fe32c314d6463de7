// Dialog templates as this platform keeps them: a plain record per dialog
// rather than the packed binary layout of Windows resource files. The
// language resource module lists each as an RT_DIALOG resource whose data is
// a pointer to an SDialogTemplate (cbData = sizeof(SDialogTemplate)); tests
// build them in code and pass them to the ...Indirect calls.
#pragma once

#include "WinUser.h"

#include <string>
#include <vector>

struct SDialogItemTemplate
{
    std::wstring strClassName; // "BUTTON", "EDIT", "STATIC" or any registered class
    UINT nID = 0;
    std::wstring strText;
    // Dialog units, relative to the dialog's client area.
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    DWORD dwExStyle = 0;
};

struct SDialogTemplate
{
    UINT nID = 0;
    std::wstring strCaption;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    DWORD dwExStyle = 0;
    std::wstring strFontName = L"MS Shell Dlg";
    WORD nPointSize = 8;
    // The client area in dialog units; the position is relative to the
    // owner's client area (the screen with DS_ABSALIGN, the parent's client
    // area for a child dialog).
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::wstring strClassName; // empty: the standard dialog class "#32770"
    std::vector<SDialogItemTemplate> items;
};

// The template of a dialog resource: from hInstance, or with a null
// hInstance from the class library's resource chain (AfxFindResourceHandle).
// Null, with ERROR_RESOURCE_NAME_NOT_FOUND, when there is none.
const SDialogTemplate* FindDialogTemplate(HINSTANCE hInstance, LPCWSTR lpTemplateName);

HWND CreateDialogIndirectParamW(HINSTANCE hInstance, const SDialogTemplate* lpTemplate, HWND hWndParent,
                                DLGPROC lpDialogFunc, LPARAM dwInitParam);
INT_PTR DialogBoxIndirectParamW(HINSTANCE hInstance, const SDialogTemplate* lpTemplate, HWND hWndParent,
                                DLGPROC lpDialogFunc, LPARAM dwInitParam);

// Dialog base units (average character width and height in pixels) of a
// dialog font. Without a hook they are 6 x 13 for an 8-point font, the units
// of the usual 8-point dialog font at 96 dots per inch, scaled by point size;
// the drawing layer may measure real fonts instead.
using PFN_DIALOGFONTUNITS = SIZE (*)(LPCWSTR pszFaceName, int nPointSize);
SIZE GetDialogFontBaseUnits(LPCWSTR pszFaceName, int nPointSize);
void SetDialogFontUnitsHook(PFN_DIALOGFONTUNITS pfnUnits);
// The font a dialog sends its controls with WM_SETFONT; without a hook none
// is sent.
using PFN_DIALOGFONT = HFONT (*)(LPCWSTR pszFaceName, int nPointSize);
void SetDialogFontHook(PFN_DIALOGFONT pfnFont);
