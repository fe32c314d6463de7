// Creating and destroying windows, in the order of messages that Windows
// uses and that code written for it depends on.
#include "WindowManager.h"

#include <algorithm>

namespace
{

constexpr int kDefaultLeft = 100;
constexpr int kDefaultTop = 100;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

// New top-level windows go on top of the windows of their kind (topmost
// windows stay above the others); new child windows go to the bottom, so
// that the creation order of a dialog's controls is their Z-order and their
// tab order.
void InsertIntoZOrder(CWindowManager& manager, SWindowRecord& record)
{
    std::vector<HWND>& siblings = manager.SiblingList(record);
    if (record.hParent != nullptr)
    {
        siblings.push_back(record.hWnd);
        return;
    }
    auto position = siblings.begin();
    if ((record.dwExStyle & WS_EX_TOPMOST) == 0)
    {
        position = std::find_if(siblings.begin(), siblings.end(),
                                [&](HWND hSibling)
                                {
                                    const SWindowRecord* pSibling = manager.FindQuiet(hSibling);
                                    return pSibling == nullptr || (pSibling->dwExStyle & WS_EX_TOPMOST) == 0;
                                });
    }
    siblings.insert(position, record.hWnd);
}

void FlagSubtreeDestroying(CWindowManager& manager, HWND hWnd)
{
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    pRecord->bDestroying = true;
    for (HWND hChild : std::vector<HWND>(pRecord->children))
        FlagSubtreeDestroying(manager, hChild);
}

bool SubtreeContains(CWindowManager& manager, HWND hRoot, HWND hWnd)
{
    for (HWND h = hWnd; h != nullptr;)
    {
        if (h == hRoot)
            return true;
        SWindowRecord* pRecord = manager.FindQuiet(h);
        h = pRecord != nullptr ? pRecord->hParent : nullptr;
    }
    return false;
}

// WM_DESTROY goes to a window before its children.
void SendDestroyMessages(CWindowManager& manager, HWND hWnd)
{
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr || pRecord->bDestroyMessagesSent)
        return;
    pRecord->bDestroyMessagesSent = true;
    SendMessageW(hWnd, WM_DESTROY, 0, 0);
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    for (HWND hChild : std::vector<HWND>(pRecord->children))
        SendDestroyMessages(manager, hChild);
}

// WM_NCDESTROY goes to the children first; after it a record is gone.
void FreeWindowTree(CWindowManager& manager, HWND hWnd)
{
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    // A child made during WM_DESTROY is freed with the rest.
    while (!pRecord->children.empty())
    {
        const HWND hChild = pRecord->children.front();
        SWindowRecord* pChild = manager.FindQuiet(hChild);
        if (pChild == nullptr)
        {
            pRecord->children.erase(pRecord->children.begin());
            continue;
        }
        pChild->bDestroying = true;
        if (!pChild->bDestroyMessagesSent)
            SendDestroyMessages(manager, hChild);
        FreeWindowTree(manager, hChild);
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr)
            return;
        std::erase(pRecord->children, hChild);
    }
    SendMessageW(hWnd, WM_NCDESTROY, 0, 0);
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    std::erase(manager.SiblingList(*pRecord), hWnd);
    PurgeQueuedMessages(hWnd);
    KillWindowTimers(hWnd);
    ForgetInputWindow(hWnd);
    manager.Free(*pRecord);
    if (manager.m_hooks.pfnRecordFreed != nullptr)
        manager.m_hooks.pfnRecordFreed(hWnd);
}

} // namespace

HWND GetDesktopWindow()
{
    return CWindowManager::Get().DesktopHandle();
}

BOOL IsWindow(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    return pRecord != nullptr ? TRUE : FALSE;
}

HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int x, int y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                     LPVOID lpParam)
{
    CWindowManager& manager = CWindowManager::Get();
    std::shared_ptr<SWindowClass> pClass = manager.FindClass(lpClassName, hInstance);
    if (!pClass)
    {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (hWndParent == manager.DesktopHandle())
        hWndParent = nullptr;
    if (hWndParent != nullptr && manager.Find(hWndParent) == nullptr)
        return nullptr;
    const bool bChild = (dwStyle & WS_CHILD) != 0;
    if (bChild && hWndParent == nullptr)
    {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    if (!bChild)
    {
        // An overlapped window always has a caption; top-level windows always
        // clip their siblings.
        if ((dwStyle & WS_POPUP) == 0)
            dwStyle |= WS_CAPTION;
        dwStyle |= WS_CLIPSIBLINGS;
        if (x == CW_USEDEFAULT)
        {
            x = kDefaultLeft;
            y = kDefaultTop;
        }
        if (nWidth == CW_USEDEFAULT)
        {
            nWidth = kDefaultWidth;
            nHeight = kDefaultHeight;
        }
    }
    else
    {
        if (x == CW_USEDEFAULT)
            x = y = 0;
        if (nWidth == CW_USEDEFAULT)
            nWidth = nHeight = 0;
    }
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);

    const bool bShow = (dwStyle & WS_VISIBLE) != 0;
    SWindowRecord* pRecord = manager.Allocate();
    const HWND hWnd = pRecord->hWnd;
    pRecord->pClass = pClass;
    ++pClass->nWindowCount;
    pRecord->pfnWndProc = pClass->pfnWndProc;
    pRecord->dwStyle = dwStyle & ~static_cast<DWORD>(WS_VISIBLE);
    pRecord->dwExStyle = dwExStyle;
    pRecord->rcWindow = {x, y, x + nWidth, y + nHeight};
    pRecord->rcClient = {0, 0, nWidth, nHeight};
    pRecord->rcNormal = pRecord->rcWindow;
    pRecord->hParent = bChild ? hWndParent : nullptr;
    pRecord->hOwner = bChild || hWndParent == nullptr ? nullptr : manager.TopLevelOf(hWndParent);
    pRecord->strText = lpWindowName != nullptr ? lpWindowName : L"";
    pRecord->nID = bChild ? reinterpret_cast<UINT_PTR>(hMenu) : 0;
    pRecord->hInstance = hInstance;
    pRecord->extraBytes.assign(static_cast<size_t>(pClass->nWindowExtra), 0);
    InsertIntoZOrder(manager, *pRecord);

    if (manager.m_hooks.pfnCreationHook != nullptr)
    {
        auto pfnHook = manager.m_hooks.pfnCreationHook;
        void* pContext = manager.m_hooks.pCreationContext;
        manager.m_hooks.pfnCreationHook = nullptr;
        manager.m_hooks.pCreationContext = nullptr;
        pfnHook(hWnd, pContext);
    }

    CREATESTRUCTW cs{
        lpParam,      hInstance,   hMenu,    hWndParent, nHeight, nWidth, y, x, static_cast<LONG>(dwStyle),
        lpWindowName, lpClassName, dwExStyle};

    if (!bChild)
    {
        MINMAXINFO info{};
        info.ptMaxSize = {manager.m_screenSize.cx, manager.m_screenSize.cy};
        info.ptMaxTrackSize = {manager.m_screenSize.cx + 24, manager.m_screenSize.cy + 24};
        info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        SendMessageW(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr)
            return nullptr;
        cs.cx = std::min(cs.cx, static_cast<int>(info.ptMaxTrackSize.x));
        cs.cy = std::min(cs.cy, static_cast<int>(info.ptMaxTrackSize.y));
        pRecord->rcWindow.right = pRecord->rcWindow.left + cs.cx;
        pRecord->rcWindow.bottom = pRecord->rcWindow.top + cs.cy;
        pRecord->rcNormal = pRecord->rcWindow;
    }

    if (!SendMessageW(hWnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)))
    {
        // Refused before WM_CREATE: only WM_NCDESTROY follows.
        if (SWindowRecord* pRefused = manager.FindQuiet(hWnd))
        {
            pRefused->bDestroying = true;
            pRefused->bDestroyMessagesSent = true;
            FreeWindowTree(manager, hWnd);
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (manager.FindQuiet(hWnd) == nullptr)
        return nullptr;
    RecalculateClient(hWnd);

    if (SendMessageW(hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1)
    {
        DestroyWindow(hWnd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return nullptr;

    const RECT rcClient = pRecord->rcClient;
    SendMessageW(hWnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(rcClient.right - rcClient.left, rcClient.bottom - rcClient.top));
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return nullptr;
    SendMessageW(hWnd, WM_MOVE, 0,
                 MAKELPARAM(static_cast<WORD>(pRecord->rcWindow.left + rcClient.left),
                            static_cast<WORD>(pRecord->rcWindow.top + rcClient.top)));
    if (manager.FindQuiet(hWnd) == nullptr)
        return nullptr;

    if (bShow)
        ShowWindow(hWnd, SW_SHOW);
    return manager.FindQuiet(hWnd) != nullptr ? hWnd : nullptr;
}

BOOL DestroyWindow(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || hWnd == manager.DesktopHandle())
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Already on its way out (a handler destroying a window whose parent is
    // being destroyed): the destruction under way finishes the job.
    if (pRecord->bDestroying)
        return TRUE;
    FlagSubtreeDestroying(manager, hWnd);

    // Owned windows go before their owner.
    if (pRecord->hParent == nullptr)
    {
        for (HWND hOther : std::vector<HWND>(manager.Desktop().children))
        {
            SWindowRecord* pOther = manager.FindQuiet(hOther);
            if (pOther != nullptr && pOther->hOwner == hWnd)
                DestroyWindow(hOther);
        }
    }
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return TRUE;

    const bool bWasActive = manager.m_hActive == hWnd;
    if ((pRecord->dwStyle & WS_VISIBLE) != 0)
    {
        pRecord->dwStyle &= ~static_cast<DWORD>(WS_VISIBLE);
        if (pRecord->hParent != nullptr)
            InvalidateParentArea(pRecord->hParent, pRecord->rcWindow);
    }
    if (manager.m_hCapture != nullptr && SubtreeContains(manager, hWnd, manager.m_hCapture))
        ReleaseCapture();
    if (manager.m_hFocus != nullptr && SubtreeContains(manager, hWnd, manager.m_hFocus))
    {
        // The focus is lost, not handed on: Windows gives it to no one.
        const HWND hOldFocus = manager.m_hFocus;
        manager.m_hFocus = nullptr;
        SendMessageW(hOldFocus, WM_KILLFOCUS, 0, 0);
    }
    if (bWasActive)
    {
        const HWND hNext = NextWindowToActivate(hWnd);
        if (hNext != nullptr)
            ActivateWindow(hNext, WA_ACTIVE);
        else
        {
            SendMessageW(hWnd, WM_NCACTIVATE, FALSE, 0);
            SendMessageW(hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
            if (manager.m_hActive == hWnd)
                manager.m_hActive = nullptr;
        }
    }

    if (SWindowRecord* pDying = manager.FindQuiet(hWnd); pDying != nullptr && pDying->hParent == nullptr)
        ScreenWindowDestroyed(hWnd);
    SendDestroyMessages(manager, hWnd);
    FreeWindowTree(manager, hWnd);
    return TRUE;
}
