// What a window record holds and how it is read and changed: long values,
// properties, text, and the relations of the window tree.
#include "WindowManager.h"

#include <algorithm>
#include <string>

namespace
{

std::wstring PropertyKey(LPCWSTR lpString)
{
    if (IS_INTRESOURCE(lpString))
        return L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(lpString));
    return lpString;
}

template <typename T> bool ReadExtra(const SWindowRecord& record, int nIndex, T& value)
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) + sizeof(T) > record.extraBytes.size())
        return false;
    std::copy_n(record.extraBytes.begin() + nIndex, sizeof(T), reinterpret_cast<BYTE*>(&value));
    return true;
}

template <typename T> bool WriteExtra(SWindowRecord& record, int nIndex, T value)
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) + sizeof(T) > record.extraBytes.size())
        return false;
    std::copy_n(reinterpret_cast<const BYTE*>(&value), sizeof(T), record.extraBytes.begin() + nIndex);
    return true;
}

void ChangeStyle(HWND hWnd, int nIndex, DWORD dwNew)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    STYLESTRUCT change{nIndex == GWL_STYLE ? pRecord->dwStyle : pRecord->dwExStyle, dwNew};
    SendMessageW(hWnd, WM_STYLECHANGING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&change));
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    if (nIndex == GWL_STYLE)
        pRecord->dwStyle = change.styleNew;
    else
        pRecord->dwExStyle = change.styleNew;
    SendMessageW(hWnd, WM_STYLECHANGED, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&change));
}

} // namespace

LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr)
        return 0;
    switch (nIndex)
    {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(pRecord->pfnWndProc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(pRecord->hInstance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(pRecord->hParent != nullptr ? pRecord->hParent
                                                                          : pRecord->hOwner);
        case GWLP_ID:
            return static_cast<LONG_PTR>(pRecord->nID);
        case GWL_STYLE:
            return static_cast<LONG_PTR>(pRecord->dwStyle);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(pRecord->dwExStyle);
        case GWLP_USERDATA:
            return pRecord->nUserData;
        default:
            break;
    }
    LONG_PTR nValue = 0;
    if (!ReadExtra(*pRecord, nIndex, nValue))
        SetLastError(ERROR_INVALID_INDEX);
    return nValue;
}

LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr)
        return 0;
    const LONG_PTR nOld = GetWindowLongPtrW(hWnd, nIndex);
    switch (nIndex)
    {
        case GWLP_WNDPROC:
            if (dwNewLong == 0)
            {
                SetLastError(ERROR_INVALID_PARAMETER);
                return 0;
            }
            pRecord->pfnWndProc = reinterpret_cast<WNDPROC>(dwNewLong);
            return nOld;
        case GWLP_HINSTANCE:
            pRecord->hInstance = reinterpret_cast<HINSTANCE>(dwNewLong);
            return nOld;
        case GWLP_HWNDPARENT:
            // For a top-level window this changes the owner, as on Windows.
            if (pRecord->hParent == nullptr)
                pRecord->hOwner = manager.TopLevelOf(reinterpret_cast<HWND>(dwNewLong));
            return nOld;
        case GWLP_ID:
            pRecord->nID = static_cast<UINT_PTR>(dwNewLong);
            return nOld;
        case GWL_STYLE:
        case GWL_EXSTYLE:
            ChangeStyle(hWnd, nIndex, static_cast<DWORD>(dwNewLong));
            return nOld;
        case GWLP_USERDATA:
            pRecord->nUserData = dwNewLong;
            return nOld;
        default:
            break;
    }
    if (!WriteExtra(*pRecord, nIndex, dwNewLong))
    {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return nOld;
}

LONG GetWindowLongW(HWND hWnd, int nIndex)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr)
        return 0;
    if (nIndex < 0)
        return static_cast<LONG>(GetWindowLongPtrW(hWnd, nIndex));
    LONG nValue = 0;
    if (!ReadExtra(*pRecord, nIndex, nValue))
        SetLastError(ERROR_INVALID_INDEX);
    return nValue;
}

LONG SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr)
        return 0;
    if (nIndex < 0)
    {
        // Style bits are unsigned 32-bit values; keep them from sign-extending.
        const LONG_PTR nWide = (nIndex == GWL_STYLE || nIndex == GWL_EXSTYLE)
                                   ? static_cast<LONG_PTR>(static_cast<DWORD>(dwNewLong))
                                   : static_cast<LONG_PTR>(dwNewLong);
        return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, nWide));
    }
    LONG nOld = 0;
    if (!ReadExtra(*pRecord, nIndex, nOld) || !WriteExtra(*pRecord, nIndex, dwNewLong))
    {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return nOld;
}

BOOL SetPropW(HWND hWnd, LPCWSTR lpString, HANDLE hData)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || lpString == nullptr)
        return FALSE;
    const std::wstring strKey = PropertyKey(lpString);
    for (auto& [strName, hValue] : pRecord->properties)
    {
        if (EqualsNoCase(strName, strKey))
        {
            hValue = hData;
            return TRUE;
        }
    }
    pRecord->properties.emplace_back(strKey, hData);
    return TRUE;
}

HANDLE GetPropW(HWND hWnd, LPCWSTR lpString)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || lpString == nullptr)
        return nullptr;
    const std::wstring strKey = PropertyKey(lpString);
    for (const auto& [strName, hValue] : pRecord->properties)
    {
        if (EqualsNoCase(strName, strKey))
            return hValue;
    }
    return nullptr;
}

HANDLE RemovePropW(HWND hWnd, LPCWSTR lpString)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || lpString == nullptr)
        return nullptr;
    const std::wstring strKey = PropertyKey(lpString);
    for (auto it = pRecord->properties.begin(); it != pRecord->properties.end(); ++it)
    {
        if (EqualsNoCase(it->first, strKey))
        {
            HANDLE hValue = it->second;
            pRecord->properties.erase(it);
            return hValue;
        }
    }
    return nullptr;
}

BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString)
{
    if (CWindowManager::Get().Find(hWnd) == nullptr)
        return FALSE;
    return SendMessageW(hWnd, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(lpString != nullptr ? lpString : L"")) != 0
               ? TRUE
               : FALSE;
}

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (lpString == nullptr || nMaxCount <= 0)
        return 0;
    lpString[0] = L'\0';
    if (CWindowManager::Get().Find(hWnd) == nullptr)
        return 0;
    return static_cast<int>(
        SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthW(HWND hWnd)
{
    if (CWindowManager::Get().Find(hWnd) == nullptr)
        return 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

// ---------------------------------------------------------------------------
// The window tree

HWND GetParent(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr)
        return nullptr;
    if ((pRecord->dwStyle & WS_CHILD) != 0)
        return pRecord->hParent;
    // A pop-up's "parent" is its owner; an overlapped window has none.
    if ((pRecord->dwStyle & WS_POPUP) != 0)
        return pRecord->hOwner;
    return nullptr;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWndChild);
    if (pRecord == nullptr || hWndChild == manager.DesktopHandle())
        return nullptr;
    if (hWndNewParent == manager.DesktopHandle())
        hWndNewParent = nullptr;
    if (hWndNewParent != nullptr)
    {
        if (manager.Find(hWndNewParent) == nullptr)
            return nullptr;
        // A window cannot become a child of its own descendant.
        for (HWND h = hWndNewParent; h != nullptr;)
        {
            if (h == hWndChild)
            {
                SetLastError(ERROR_INVALID_PARAMETER);
                return nullptr;
            }
            SWindowRecord* pAncestor = manager.FindQuiet(h);
            h = pAncestor != nullptr ? pAncestor->hParent : nullptr;
        }
    }
    const HWND hOldParent = pRecord->hParent != nullptr ? pRecord->hParent : manager.DesktopHandle();
    const bool bVisible = (pRecord->dwStyle & WS_VISIBLE) != 0;
    if (bVisible && pRecord->hParent != nullptr)
        InvalidateParentArea(pRecord->hParent, pRecord->rcWindow);
    std::erase(manager.SiblingList(*pRecord), hWndChild);
    pRecord->hParent = hWndNewParent;
    std::vector<HWND>& siblings = manager.SiblingList(*pRecord);
    siblings.insert(siblings.begin(), hWndChild);
    if (bVisible)
        InvalidateWholeWindow(hWndChild, true);
    return hOldParent;
}

HWND GetAncestor(HWND hWnd, UINT gaFlags)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || hWnd == manager.DesktopHandle())
        return nullptr;
    switch (gaFlags)
    {
        case GA_PARENT:
            return pRecord->hParent != nullptr ? pRecord->hParent : manager.DesktopHandle();
        case GA_ROOT:
            return manager.TopLevelOf(hWnd);
        case GA_ROOTOWNER:
        {
            HWND hRoot = manager.TopLevelOf(hWnd);
            for (SWindowRecord* pRoot = manager.FindQuiet(hRoot);
                 pRoot != nullptr && pRoot->hOwner != nullptr; pRoot = manager.FindQuiet(hRoot))
                hRoot = pRoot->hOwner;
            return hRoot;
        }
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr)
        return nullptr;
    if (uCmd == GW_CHILD)
        return pRecord->children.empty() ? nullptr : pRecord->children.front();
    if (uCmd == GW_OWNER)
        return pRecord->hOwner;
    if (uCmd == GW_ENABLEDPOPUP)
        return nullptr;
    if (hWnd == manager.DesktopHandle())
        return nullptr;
    const std::vector<HWND>& siblings = manager.SiblingList(*pRecord);
    auto it = std::find(siblings.begin(), siblings.end(), hWnd);
    if (it == siblings.end())
        return nullptr;
    switch (uCmd)
    {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return it + 1 != siblings.end() ? *(it + 1) : nullptr;
        case GW_HWNDPREV:
            return it != siblings.begin() ? *(it - 1) : nullptr;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd)
{
    return GetWindow(hWnd != nullptr ? hWnd : CWindowManager::Get().DesktopHandle(), GW_CHILD);
}

HWND GetNextWindow(HWND hWnd, UINT wCmd)
{
    return GetWindow(hWnd, wCmd);
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    while (pRecord != nullptr && (pRecord->dwStyle & WS_CHILD) != 0 && pRecord->hParent != nullptr)
    {
        if (pRecord->hParent == hWndParent)
            return TRUE;
        pRecord = manager.FindQuiet(pRecord->hParent);
    }
    return FALSE;
}

namespace
{

bool EnumerateDescendants(HWND hParent, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pParent = manager.FindQuiet(hParent);
    if (pParent == nullptr)
        return true;
    for (HWND hChild : std::vector<HWND>(pParent->children))
    {
        if (manager.FindQuiet(hChild) == nullptr)
            continue;
        if (!lpEnumFunc(hChild, lParam))
            return false;
        if (!EnumerateDescendants(hChild, lpEnumFunc, lParam))
            return false;
    }
    return true;
}

} // namespace

BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    if (lpEnumFunc == nullptr)
        return FALSE;
    if (hWndParent == nullptr)
        return EnumWindows(lpEnumFunc, lParam);
    return EnumerateDescendants(hWndParent, lpEnumFunc, lParam) ? TRUE : FALSE;
}

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    if (lpEnumFunc == nullptr)
        return FALSE;
    CWindowManager& manager = CWindowManager::Get();
    for (HWND hWnd : std::vector<HWND>(manager.Desktop().children))
    {
        if (manager.FindQuiet(hWnd) != nullptr && !lpEnumFunc(hWnd, lParam))
            return FALSE;
    }
    return TRUE;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hDlg);
    if (pRecord == nullptr)
        return nullptr;
    for (HWND hChild : pRecord->children)
    {
        SWindowRecord* pChild = manager.FindQuiet(hChild);
        if (pChild != nullptr && static_cast<int>(pChild->nID) == nIDDlgItem)
            return hChild;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || pRecord->hParent == nullptr)
        return 0;
    return static_cast<int>(pRecord->nID);
}
