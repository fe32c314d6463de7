// Dialog boxes from templates: creation with their controls, the default
// dialog procedure, modal dialog boxes and dialog units.
#include "Asking.h"
#include "DialogTemplate.h"
#include "Headless.h"
#include "WindowManager.h"

#include <algorithm>

namespace
{

PFN_DIALOGFONTUNITS g_pfnFontUnits = nullptr;
PFN_DIALOGFONT g_pfnDialogFont = nullptr;

// Messages whose answer a dialog procedure returns itself rather than through
// DWLP_MSGRESULT.
bool ReturnsDirectly(UINT nMessage)
{
    return (nMessage >= WM_CTLCOLORMSGBOX && nMessage <= WM_CTLCOLORSTATIC) || nMessage == WM_COMPAREITEM ||
           nMessage == WM_VKEYTOITEM || nMessage == WM_CHARTOITEM || nMessage == WM_QUERYDRAGICON ||
           nMessage == WM_INITDIALOG;
}

RECT MapDialogUnits(RECT rc, SIZE units)
{
    return {MulDiv(rc.left, units.cx, 4), MulDiv(rc.top, units.cy, 8), MulDiv(rc.right, units.cx, 4),
            MulDiv(rc.bottom, units.cy, 8)};
}

std::wstring TemplateName(const SDialogTemplate& dialogTemplate)
{
    return L"dialog " + std::to_wstring(dialogTemplate.nID) +
           (dialogTemplate.strCaption.empty() ? L"" : L" (\"" + dialogTemplate.strCaption + L"\")");
}

HWND FirstFocusCandidate(HWND hDlg)
{
    const HWND hFirst = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    return hFirst != nullptr && IsChild(hDlg, hFirst) ? hFirst : nullptr;
}

// Where the focus goes when a dialog gets it back: the control that had it,
// else the first tab stop, else the dialog itself.
void RestoreDialogFocus(HWND hDlg, SDialogInfo& info)
{
    HWND hTarget = info.hSavedFocus;
    if (hTarget == nullptr || !IsChild(hDlg, hTarget) || !IsWindowVisible(hTarget) ||
        !IsWindowEnabled(hTarget))
        hTarget = FirstFocusCandidate(hDlg);
    if (hTarget != nullptr)
        DialogSetFocus(hTarget);
}

LRESULT DefaultDialogHandling(HWND hDlg, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hDlg);
    if (pRecord == nullptr)
        return 0;
    SDialogInfo& info = DialogInfoOf(*pRecord);
    switch (nMessage)
    {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE)
            {
                const HWND hFocus = GetFocus();
                if (hFocus != nullptr && IsChild(hDlg, hFocus))
                    info.hSavedFocus = hFocus;
            }
            else
                RestoreDialogFocus(hDlg, info);
            return 0;
        case WM_SETFOCUS:
            RestoreDialogFocus(hDlg, info);
            return 0;
        case WM_SHOWWINDOW:
            if (!wParam)
            {
                const HWND hFocus = GetFocus();
                if (hFocus != nullptr && IsChild(hDlg, hFocus))
                    info.hSavedFocus = hFocus;
            }
            return DefWindowProcW(hDlg, nMessage, wParam, lParam);
        case WM_CLOSE:
        {
            // Closing is cancelling, unless the Cancel button is disabled.
            const HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
            if (hCancel == nullptr || IsWindowEnabled(hCancel))
                PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(hCancel));
            return 0;
        }
        case WM_NEXTDLGCTL:
        {
            HWND hTarget = nullptr;
            if (LOWORD(lParam) != 0)
                hTarget = reinterpret_cast<HWND>(wParam);
            else
            {
                const HWND hFocus = GetFocus();
                hTarget = GetNextDlgTabItem(
                    DialogNavigationRoot(hDlg),
                    hFocus != nullptr && IsChild(DialogNavigationRoot(hDlg), hFocus) ? hFocus : nullptr,
                    wParam != 0);
            }
            if (hTarget != nullptr)
                DialogSetFocus(hTarget);
            return 0;
        }
        case DM_SETDEFID:
        {
            const LRESULT nCurrent = DefaultDialogHandling(hDlg, DM_GETDEFID, 0, 0);
            const UINT nOld = HIWORD(static_cast<ULONG_PTR>(nCurrent)) == DC_HASDEFID
                                  ? LOWORD(static_cast<ULONG_PTR>(nCurrent))
                                  : 0;
            info.nDefaultId = static_cast<UINT>(wParam);
            info.bHasDefaultId = true;
            // The buttons show which one Enter presses.
            if (nOld != 0 && nOld != info.nDefaultId)
            {
                const HWND hOld = GetDlgItem(hDlg, static_cast<int>(nOld));
                if (hOld != nullptr && (SendMessageW(hOld, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0)
                    SendMessageW(hOld, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
            }
            const HWND hNew = GetDlgItem(hDlg, static_cast<int>(info.nDefaultId));
            if (hNew != nullptr && (SendMessageW(hNew, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON) != 0)
                SendMessageW(hNew, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
            return TRUE;
        }
        case DM_GETDEFID:
            if (info.bHasDefaultId)
                return MAKELRESULT(info.nDefaultId, DC_HASDEFID);
            for (HWND hChild : std::vector<HWND>(pRecord->children))
            {
                if ((SendMessageW(hChild, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0)
                    return MAKELRESULT(GetDlgCtrlID(hChild), DC_HASDEFID);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(info.hFont);
        case WM_SETFONT:
            info.hFont = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_ERASEBKGND:
        {
            const auto hBrush = reinterpret_cast<HBRUSH>(
                SendMessageW(hDlg, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hDlg)));
            const SPaintHooks& hooks = GetPaintHooks();
            if (hBrush != nullptr && hooks.pfnFillBackground != nullptr)
                hooks.pfnFillBackground(hDlg, reinterpret_cast<HDC>(wParam), hBrush);
            return TRUE;
        }
        case WM_INITDIALOG:
            return FALSE;
        default:
            return DefWindowProcW(hDlg, nMessage, wParam, lParam);
    }
}

} // namespace

SDialogInfo& DialogInfoOf(SWindowRecord& record)
{
    if (!record.pDialog)
        record.pDialog = std::make_unique<SDialogInfo>();
    return *record.pDialog;
}

SIZE GetDialogFontBaseUnits(LPCWSTR pszFaceName, int nPointSize)
{
    if (g_pfnFontUnits != nullptr)
        return g_pfnFontUnits(pszFaceName, nPointSize);
    if (nPointSize <= 0)
        nPointSize = 8;
    return {std::max(1, MulDiv(6, nPointSize, 8)), std::max(1, MulDiv(13, nPointSize, 8))};
}

void SetDialogFontUnitsHook(PFN_DIALOGFONTUNITS pfnUnits)
{
    g_pfnFontUnits = pfnUnits;
}

void SetDialogFontHook(PFN_DIALOGFONT pfnFont)
{
    g_pfnDialogFont = pfnFont;
}

LONG GetDialogBaseUnits()
{
    return MAKELONG(8, 16);
}

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hDlg);
    if (pRecord == nullptr || !pRecord->pDialog || lpRect == nullptr)
        return FALSE;
    *lpRect = MapDialogUnits(*lpRect, pRecord->pDialog->baseUnits);
    return TRUE;
}

const SDialogTemplate* FindDialogTemplate(HINSTANCE hInstance, LPCWSTR lpTemplateName)
{
    if (hInstance == nullptr)
        hInstance = AfxFindResourceHandle(lpTemplateName, RT_DIALOG);
    HRSRC hResource = FindResourceW(hInstance, lpTemplateName, RT_DIALOG);
    if (hResource == nullptr)
        return nullptr;
    const void* pData = LockResource(LoadResource(hInstance, hResource));
    if (pData == nullptr || SizeofResource(hInstance, hResource) != sizeof(SDialogTemplate))
    {
        PlatformLog(L"FindDialogTemplate: a dialog resource does not hold a dialog template record");
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return static_cast<const SDialogTemplate*>(pData);
}

HWND CreateDialogIndirectParamW(HINSTANCE hInstance, const SDialogTemplate* lpTemplate, HWND hWndParent,
                                DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    if (lpTemplate == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const SDialogTemplate& dialogTemplate = *lpTemplate;
    DWORD dwStyle = dialogTemplate.dwStyle;
    DWORD dwExStyle = dialogTemplate.dwExStyle;
    const bool bChild = (dwStyle & WS_CHILD) != 0;
    if ((dwStyle & DS_CONTROL) != 0)
    {
        // A dialog inside a dialog: no frame of its own, and Tab goes through it.
        dwStyle &= ~static_cast<DWORD>(WS_CAPTION | WS_SYSMENU);
        dwExStyle |= WS_EX_CONTROLPARENT;
    }
    if ((dwStyle & DS_MODALFRAME) != 0)
        dwExStyle |= WS_EX_DLGMODALFRAME;
    const SIZE units =
        (dwStyle & DS_SETFONT) != 0
            ? GetDialogFontBaseUnits(dialogTemplate.strFontName.c_str(), dialogTemplate.nPointSize)
            : SIZE{LOWORD(static_cast<ULONG_PTR>(GetDialogBaseUnits())),
                   HIWORD(static_cast<ULONG_PTR>(GetDialogBaseUnits()))};
    RECT rc = MapDialogUnits({dialogTemplate.x, dialogTemplate.y, dialogTemplate.x + dialogTemplate.cx,
                              dialogTemplate.y + dialogTemplate.cy},
                             units);
    AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
    POINT pos{rc.left, rc.top};
    const int nWidth = rc.right - rc.left;
    const int nHeight = rc.bottom - rc.top;
    if (!bChild)
    {
        RECT rcWork;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
        if ((dwStyle & DS_CENTER) != 0)
            pos = {(rcWork.left + rcWork.right - nWidth) / 2, (rcWork.top + rcWork.bottom - nHeight) / 2};
        else if ((dwStyle & DS_ABSALIGN) == 0 && hWndParent != nullptr)
            ClientToScreen(hWndParent, &pos);
        // A dialog opens on the work area, as far as it fits.
        pos.x = std::max(rcWork.left, std::min(pos.x, rcWork.right - nWidth));
        pos.y = std::max(rcWork.top, std::min(pos.y, rcWork.bottom - nHeight));
    }
    LPCWSTR lpClassName =
        dialogTemplate.strClassName.empty() ? MAKEINTATOM(32770) : dialogTemplate.strClassName.c_str();
    const HWND hDlg = CreateWindowExW(
        dwExStyle, lpClassName, dialogTemplate.strCaption.c_str(), dwStyle & ~static_cast<DWORD>(WS_VISIBLE),
        pos.x, pos.y, nWidth, nHeight, hWndParent, nullptr, hInstance, reinterpret_cast<LPVOID>(dwInitParam));
    if (hDlg == nullptr)
    {
        PlatformLog(L"CreateDialog: the window of " + TemplateName(dialogTemplate) +
                    L" could not be created");
        return nullptr;
    }
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hDlg);
    if (pRecord == nullptr)
        return nullptr;
    SDialogInfo& info = DialogInfoOf(*pRecord);
    info.baseUnits = units;
    if (pRecord->extraBytes.size() < DLGWINDOWEXTRA)
    {
        PlatformLog(L"CreateDialog: the class of " + TemplateName(dialogTemplate) +
                    L" lacks the dialog's extra window bytes (DLGWINDOWEXTRA)");
        DestroyWindow(hDlg);
        return nullptr;
    }
    SetWindowLongPtrW(hDlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(lpDialogFunc));

    const HFONT hFont = (dwStyle & DS_SETFONT) != 0 && g_pfnDialogFont != nullptr
                            ? g_pfnDialogFont(dialogTemplate.strFontName.c_str(), dialogTemplate.nPointSize)
                            : nullptr;
    if (hFont != nullptr)
        SendMessageW(hDlg, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);

    for (const SDialogItemTemplate& item : dialogTemplate.items)
    {
        const RECT rcItem = MapDialogUnits({item.x, item.y, item.x + item.cx, item.y + item.cy}, units);
        const HWND hControl =
            CreateWindowExW(item.dwExStyle | WS_EX_NOPARENTNOTIFY, item.strClassName.c_str(),
                            item.strText.c_str(), item.dwStyle | WS_CHILD, rcItem.left, rcItem.top,
                            rcItem.right - rcItem.left, rcItem.bottom - rcItem.top, hDlg,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.nID)), hInstance, nullptr);
        if (!IsWindow(hDlg))
            return nullptr;
        if (hControl == nullptr)
        {
            PlatformLog(L"CreateDialog: control " + std::to_wstring(item.nID) + L" (class \"" +
                        item.strClassName + L"\") of " + TemplateName(dialogTemplate) +
                        L" could not be created");
            // Like Windows, a dialog missing a control fails unless it says
            // it can do without.
            if ((dialogTemplate.dwStyle & DS_NOFAILCREATE) == 0)
            {
                DestroyWindow(hDlg);
                return nullptr;
            }
            continue;
        }
        if (hFont != nullptr)
            SendMessageW(hControl, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }

    HWND hFirst = FirstFocusCandidate(hDlg);
    const LRESULT bSetFocus =
        SendMessageW(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(hFirst), dwInitParam);
    pRecord = manager.FindQuiet(hDlg);
    if (pRecord == nullptr)
        return nullptr;
    if (bSetFocus && hFirst != nullptr && IsWindow(hFirst))
    {
        // A dialog inside another does not take the focus from it while it
        // is made; it remembers where the focus goes when it gets it.
        if (bChild)
            DialogInfoOf(*pRecord).hSavedFocus = hFirst;
        else
            DialogSetFocus(hFirst);
    }
    if ((dialogTemplate.dwStyle & WS_VISIBLE) != 0 && !DialogInfoOf(*pRecord).bEnded)
        ShowWindow(hDlg, SW_SHOWNORMAL);
    return hDlg;
}

HWND CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                        LPARAM dwInitParam)
{
    const SDialogTemplate* pTemplate = FindDialogTemplate(hInstance, lpTemplateName);
    return pTemplate != nullptr
               ? CreateDialogIndirectParamW(hInstance, pTemplate, hWndParent, lpDialogFunc, dwInitParam)
               : nullptr;
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE hInstance, const SDialogTemplate* lpTemplate, HWND hWndParent,
                                DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    CWindowManager& manager = CWindowManager::Get();
    const HWND hOwner = hWndParent != nullptr ? manager.TopLevelOf(hWndParent) : nullptr;
    const HWND hDlg = CreateDialogIndirectParamW(hInstance, lpTemplate, hOwner, lpDialogFunc, dwInitParam);
    if (hDlg == nullptr)
        return -1;
    SWindowRecord* pRecord = manager.FindQuiet(hDlg);
    if (hOwner != nullptr && IsWindowEnabled(hOwner) && pRecord != nullptr && !DialogInfoOf(*pRecord).bEnded)
    {
        EnableWindow(hOwner, FALSE);
        DialogInfoOf(*pRecord).hDisabledOwner = hOwner;
    }
    if (pRecord != nullptr && !DialogInfoOf(*pRecord).bEnded)
        ShowWindow(hDlg, SW_SHOWNORMAL);

    INT_PTR nResult = -1;
    {
        SModalScope modalScope(hDlg);
        bool bIdleNoticeSent = false;
        MSG msg;
        for (;;)
        {
            pRecord = manager.FindQuiet(hDlg);
            if (pRecord == nullptr)
                break;
            if (DialogInfoOf(*pRecord).bEnded)
            {
                nResult = DialogInfoOf(*pRecord).nResult;
                break;
            }
            if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                if (!bIdleNoticeSent && hOwner != nullptr)
                    SendMessageW(hOwner, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(hDlg));
                bIdleNoticeSent = true;
                if (WaitForMoreWork())
                    continue;
                PlatformLog(L"DialogBox: no message can arrive for the modal dialog; it ends with -1");
                break;
            }
            bIdleNoticeSent = false;
            if (msg.message == WM_QUIT)
            {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!IsDialogMessageW(hDlg, &msg))
            {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    pRecord = manager.FindQuiet(hDlg);
    if (pRecord != nullptr && DialogInfoOf(*pRecord).hDisabledOwner != nullptr)
        EnableWindow(DialogInfoOf(*pRecord).hDisabledOwner, TRUE);
    if (pRecord != nullptr)
        DestroyWindow(hDlg);
    return nResult;
}

INT_PTR DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                        LPARAM dwInitParam)
{
    const SDialogTemplate* pTemplate = FindDialogTemplate(hInstance, lpTemplateName);
    return pTemplate != nullptr
               ? DialogBoxIndirectParamW(hInstance, pTemplate, hWndParent, lpDialogFunc, dwInitParam)
               : -1;
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hDlg);
    if (pRecord == nullptr)
        return FALSE;
    SDialogInfo& info = DialogInfoOf(*pRecord);
    info.bEnded = true;
    info.nResult = nResult;
    const HWND hOwner = info.hDisabledOwner;
    info.hDisabledOwner = nullptr;
    // The owner comes back before the dialog goes, so it can take the
    // activation.
    if (hOwner != nullptr)
        EnableWindow(hOwner, TRUE);
    SetWindowPos(hDlg, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The owner takes the activation back, even while it is still disabled
    // (a modal loop enables it only after the dialog ended).
    if (manager.m_hActive == hDlg)
    {
        const HWND hDialogOwner = GetWindow(hDlg, GW_OWNER);
        ActivateWindow(hDialogOwner != nullptr ? hDialogOwner : NextWindowToActivate(hDlg), WA_ACTIVE);
    }
    PostMessageW(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hDlg);
    if (pRecord == nullptr)
        return 0;
    DialogInfoOf(*pRecord);
    const auto pfnDialog = pRecord->extraBytes.size() >= DLGWINDOWEXTRA
                               ? reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hDlg, DWLP_DLGPROC))
                               : nullptr;
    if (pfnDialog != nullptr)
    {
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 0);
        const INT_PTR nAnswer = pfnDialog(hDlg, Msg, wParam, lParam);
        if (!IsWindow(hDlg))
            return 0;
        if (ReturnsDirectly(Msg))
        {
            if (nAnswer != 0 || Msg == WM_INITDIALOG)
                return nAnswer;
        }
        else if (nAnswer != 0)
            return GetWindowLongPtrW(hDlg, DWLP_MSGRESULT);
    }
    return DefaultDialogHandling(hDlg, Msg, wParam, lParam);
}
