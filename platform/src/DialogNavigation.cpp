// The dialog manager's keyboard: Tab and the arrow keys among controls,
// Enter for the default button, Escape for Cancel; and the dialog item calls.
#include "WindowManager.h"

#include <algorithm>
#include <cwctype>

namespace
{

bool IsNavigable(HWND hWnd)
{
    return IsWindowVisible(hWnd) && IsWindowEnabled(hWnd);
}

// The controls of a dialog in tab order: Z-order, with the controls of a
// WS_EX_CONTROLPARENT child (a dialog inside the dialog) in its place.
void CollectControls(HWND hParent, std::vector<HWND>& controls)
{
    for (HWND hChild = GetWindow(hParent, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        const auto dwExStyle = static_cast<DWORD>(GetWindowLongPtrW(hChild, GWL_EXSTYLE));
        if ((dwExStyle & WS_EX_CONTROLPARENT) != 0)
        {
            if (IsNavigable(hChild))
                CollectControls(hChild, controls);
        }
        else
            controls.push_back(hChild);
    }
}

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
}

UINT DialogCodeOf(HWND hWnd, MSG* pMsg)
{
    return static_cast<UINT>(SendMessageW(hWnd, WM_GETDLGCODE, pMsg != nullptr ? pMsg->wParam : 0,
                                          reinterpret_cast<LPARAM>(pMsg)));
}

// Sends a button's click as a dialog command; a disabled button only beeps.
void PressButton(HWND hDlg, int nID, HWND hButton)
{
    if (hButton != nullptr && !IsWindowEnabled(hButton))
    {
        MessageBeep(0);
        return;
    }
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

bool HandleDialogKey(HWND hDlg, MSG* pMsg)
{
    const HWND hTarget = pMsg->hwnd;
    const UINT nCode = DialogCodeOf(hTarget, pMsg);
    if ((nCode & DLGC_WANTMESSAGE) != 0)
        return false;
    const HWND hRoot = DialogNavigationRoot(hDlg);
    switch (pMsg->wParam)
    {
        case VK_TAB:
        {
            if ((nCode & DLGC_WANTTAB) != 0)
                return false;
            const bool bBack = GetKeyState(VK_SHIFT) < 0;
            const HWND hNext = GetNextDlgTabItem(hRoot, IsChild(hRoot, hTarget) ? hTarget : nullptr, bBack);
            if (hNext != nullptr)
                DialogSetFocus(hNext);
            return true;
        }
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        {
            if ((nCode & DLGC_WANTARROWS) != 0)
                return false;
            const bool bBack = pMsg->wParam == VK_LEFT || pMsg->wParam == VK_UP;
            const HWND hNext = GetNextDlgGroupItem(hRoot, IsChild(hRoot, hTarget) ? hTarget : nullptr, bBack);
            if (hNext != nullptr && hNext != hTarget)
            {
                DialogSetFocus(hNext);
                // Moving onto a radio button selects it.
                if ((DialogCodeOf(hNext, nullptr) & DLGC_RADIOBUTTON) != 0)
                    SendMessageW(hNext, BM_CLICK, 0, 0);
            }
            return true;
        }
        case VK_RETURN:
        case VK_EXECUTE:
        {
            // A focused push button is pressed; otherwise the default button.
            if ((nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0 && IsChild(hDlg, hTarget))
            {
                PressButton(hDlg, GetDlgCtrlID(hTarget), hTarget);
                return true;
            }
            const LRESULT nDefault = SendMessageW(hDlg, DM_GETDEFID, 0, 0);
            const int nID = HIWORD(static_cast<ULONG_PTR>(nDefault)) == DC_HASDEFID
                                ? LOWORD(static_cast<ULONG_PTR>(nDefault))
                                : IDOK;
            PressButton(hDlg, nID, GetDlgItem(hDlg, nID));
            return true;
        }
        case VK_ESCAPE:
            PressButton(hDlg, IDCANCEL, GetDlgItem(hDlg, IDCANCEL));
            return true;
        default:
            return false;
    }
}

} // namespace

void DialogSetFocus(HWND hControl)
{
    if ((DialogCodeOf(hControl, nullptr) & DLGC_HASSETSEL) != 0)
        SendMessageW(hControl, EM_SETSEL, 0, -1);
    SetFocus(hControl);
}

HWND DialogNavigationRoot(HWND hDlg)
{
    HWND hRoot = hDlg;
    for (;;)
    {
        const DWORD dwStyle = StyleOf(hRoot);
        const auto dwExStyle = static_cast<DWORD>(GetWindowLongPtrW(hRoot, GWL_EXSTYLE));
        const HWND hParent = GetParent(hRoot);
        if ((dwStyle & WS_CHILD) == 0 || (dwExStyle & WS_EX_CONTROLPARENT) == 0 || hParent == nullptr)
            return hRoot;
        hRoot = hParent;
    }
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    if (CWindowManager::Get().Find(hDlg) == nullptr)
        return nullptr;
    std::vector<HWND> controls;
    CollectControls(hDlg, controls);
    if (controls.empty())
        return hCtl;
    auto it = hCtl != nullptr ? std::find(controls.begin(), controls.end(), hCtl) : controls.end();
    // Without a starting control the search starts past the end, so the
    // first (or, backwards, the last) tab stop comes first.
    const size_t nCount = controls.size();
    size_t nStart =
        it != controls.end() ? static_cast<size_t>(it - controls.begin()) : (bPrevious ? 0 : nCount - 1);
    for (size_t nStep = 1; nStep <= nCount; ++nStep)
    {
        const size_t nIndex =
            bPrevious ? (nStart + nCount - nStep % nCount) % nCount : (nStart + nStep) % nCount;
        const HWND hCandidate = controls[nIndex];
        if ((StyleOf(hCandidate) & WS_TABSTOP) != 0 && IsNavigable(hCandidate))
            return hCandidate;
    }
    return hCtl;
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    if (CWindowManager::Get().Find(hDlg) == nullptr)
        return nullptr;
    std::vector<HWND> controls;
    CollectControls(hDlg, controls);
    auto it = hCtl != nullptr ? std::find(controls.begin(), controls.end(), hCtl) : controls.end();
    if (it == controls.end())
        return controls.empty() ? nullptr : controls.front();
    // The group: from the nearest WS_GROUP control at or before this one up
    // to the next WS_GROUP control.
    size_t nFirst = static_cast<size_t>(it - controls.begin());
    while (nFirst > 0 && (StyleOf(controls[nFirst]) & WS_GROUP) == 0)
        --nFirst;
    size_t nEnd = nFirst + 1;
    while (nEnd < controls.size() && (StyleOf(controls[nEnd]) & WS_GROUP) == 0)
        ++nEnd;
    const size_t nCount = nEnd - nFirst;
    const size_t nPosition = static_cast<size_t>(it - controls.begin()) - nFirst;
    for (size_t nStep = 1; nStep < nCount; ++nStep)
    {
        const size_t nIndex =
            bPrevious ? (nPosition + nCount - nStep) % nCount : (nPosition + nStep) % nCount;
        if (IsNavigable(controls[nFirst + nIndex]))
            return controls[nFirst + nIndex];
    }
    return hCtl;
}

BOOL IsDialogMessageW(HWND hDlg, LPMSG lpMsg)
{
    if (lpMsg == nullptr || !IsWindow(hDlg) || (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)))
        return FALSE;
    switch (lpMsg->message)
    {
        case WM_KEYDOWN:
            if (HandleDialogKey(hDlg, lpMsg))
                return TRUE;
            break;
        case WM_CHAR:
        {
            // The characters of the keys the dialog took are not typed.
            const UINT nCode = DialogCodeOf(lpMsg->hwnd, lpMsg);
            if ((nCode & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) != 0)
                break;
            if (lpMsg->wParam == L'\t' && (nCode & DLGC_WANTTAB) != 0)
                break;
            if (lpMsg->wParam == L'\t' || lpMsg->wParam == L'\r' || lpMsg->wParam == 0x1B)
                return TRUE;
            break;
        }
        default:
            break;
    }
    TranslateMessage(lpMsg);
    DispatchMessageW(lpMsg);
    return TRUE;
}

BOOL SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString)
{
    const HWND hControl = GetDlgItem(hDlg, nIDDlgItem);
    return hControl != nullptr ? SetWindowTextW(hControl, lpString) : FALSE;
}

UINT GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax)
{
    if (lpString != nullptr && cchMax > 0)
        lpString[0] = L'\0';
    const HWND hControl = GetDlgItem(hDlg, nIDDlgItem);
    return hControl != nullptr ? static_cast<UINT>(GetWindowTextW(hControl, lpString, cchMax)) : 0;
}

BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned)
{
    const std::wstring strText =
        bSigned ? std::to_wstring(static_cast<int>(uValue)) : std::to_wstring(uValue);
    return SetDlgItemTextW(hDlg, nIDDlgItem, strText.c_str());
}

UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned)
{
    if (lpTranslated != nullptr)
        *lpTranslated = FALSE;
    const HWND hControl = GetDlgItem(hDlg, nIDDlgItem);
    if (hControl == nullptr)
        return 0;
    const int nLength = GetWindowTextLengthW(hControl);
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    strText.resize(static_cast<size_t>(GetWindowTextW(hControl, strText.data(), nLength + 1)));

    // Leading blanks are skipped, a minus is allowed when signed, then
    // decimal digits; anything after them but blanks is an error, as is a
    // value out of range.
    size_t i = 0;
    while (i < strText.size() && std::iswspace(strText[i]))
        ++i;
    bool bNegative = false;
    if (bSigned && i < strText.size() && strText[i] == L'-')
    {
        bNegative = true;
        ++i;
    }
    const size_t nDigitsStart = i;
    unsigned long long nValue = 0;
    while (i < strText.size() && strText[i] >= L'0' && strText[i] <= L'9')
    {
        nValue = nValue * 10 + static_cast<unsigned>(strText[i] - L'0');
        if (nValue > 0xFFFFFFFFull)
            return 0;
        ++i;
    }
    const bool bDigits = i > nDigitsStart;
    while (i < strText.size() && std::iswspace(strText[i]))
        ++i;
    if (!bDigits || i != strText.size())
        return 0;
    if (bSigned && nValue > (bNegative ? 0x80000000ull : 0x7FFFFFFFull))
        return 0;
    if (lpTranslated != nullptr)
        *lpTranslated = TRUE;
    if (bNegative)
        return static_cast<UINT>(-static_cast<long long>(nValue));
    return static_cast<UINT>(nValue);
}

LRESULT SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    const HWND hControl = GetDlgItem(hDlg, nIDDlgItem);
    return hControl != nullptr ? SendMessageW(hControl, Msg, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    const HWND hButton = GetDlgItem(hDlg, nIDButton);
    if (hButton == nullptr)
        return FALSE;
    SendMessageW(hButton, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    return static_cast<UINT>(SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    if (CWindowManager::Get().Find(hDlg) == nullptr)
        return FALSE;
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID)
        SendDlgItemMessageW(hDlg, nID, BM_SETCHECK, nID == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}
