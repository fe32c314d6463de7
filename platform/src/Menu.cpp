#include "Menu.h"

#include "Asking.h"
#include "Headless.h"
#include "Responder.h"
#include "WindowManager.h"
#include "Wnd.h"
#include "controls/PopupMenuWindow.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

namespace
{

constexpr UINT kItemTypeFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR |
                                MF_OWNERDRAW | MF_BITMAP | MF_MENUBREAK | MF_MENUBARBREAK | MFT_RADIOCHECK |
                                MF_RIGHTJUSTIFY;

struct SMenuItem
{
    UINT nFlags = 0;
    UINT_PTR nID = 0;
    HMENU hSubMenu = nullptr;
    std::wstring strText;
    ULONG_PTR nData = 0;
};

struct SMenuRecord
{
    std::vector<SMenuItem> items;
    bool bPopup = false;
    UINT nDefaultPosition = static_cast<UINT>(-1);
};

std::unordered_set<SMenuRecord*>& MenuTable()
{
    static auto* s_pTable = new std::unordered_set<SMenuRecord*>;
    return *s_pTable;
}

std::unordered_map<HMENU, CMenu*>& TemporaryMenus()
{
    static auto* s_pWrappers = new std::unordered_map<HMENU, CMenu*>;
    return *s_pWrappers;
}

SMenuRecord* LookUp(HMENU hMenu)
{
    auto* pRecord = reinterpret_cast<SMenuRecord*>(hMenu);
    if (hMenu == nullptr || MenuTable().count(pRecord) == 0)
    {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return nullptr;
    }
    return pRecord;
}

HMENU NewMenu(bool bPopup)
{
    auto* pRecord = new SMenuRecord;
    pRecord->bPopup = bPopup;
    MenuTable().insert(pRecord);
    return reinterpret_cast<HMENU>(pRecord);
}

struct SItemRef
{
    SMenuRecord* pMenu = nullptr;
    size_t nIndex = 0;
    SMenuItem* Item() const { return pMenu != nullptr ? &pMenu->items[nIndex] : nullptr; }
};

// By position in the menu itself, or by command anywhere in it and its
// submenus (as the Windows calls search).
SItemRef FindItem(HMENU hMenu, UINT uItem, UINT uFlags)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    if (pMenu == nullptr)
        return {};
    if ((uFlags & MF_BYPOSITION) != 0)
        return uItem < pMenu->items.size() ? SItemRef{pMenu, uItem} : SItemRef{};
    for (size_t i = 0; i < pMenu->items.size(); ++i)
    {
        const SMenuItem& item = pMenu->items[i];
        if ((item.nFlags & MF_POPUP) != 0)
        {
            SItemRef inner = FindItem(item.hSubMenu, uItem, uFlags);
            if (inner.pMenu != nullptr)
                return inner;
        }
        else if ((item.nFlags & MF_SEPARATOR) == 0 && item.nID == uItem)
            return {pMenu, i};
    }
    return {};
}

bool MakeItem(UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem, SMenuItem& item)
{
    item.nFlags = uFlags & kItemTypeFlags;
    if ((uFlags & MF_POPUP) != 0)
    {
        item.hSubMenu = reinterpret_cast<HMENU>(uIDNewItem);
        if (LookUp(item.hSubMenu) == nullptr)
            return false;
    }
    else
        item.nID = uIDNewItem;
    if ((uFlags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) == 0)
        item.strText = lpNewItem != nullptr ? lpNewItem : L"";
    else if ((uFlags & (MF_OWNERDRAW | MF_BITMAP)) != 0)
        item.nData = reinterpret_cast<ULONG_PTR>(lpNewItem); // the owner's data, or the bitmap
    return true;
}

void ForgetMenu(HMENU hMenu)
{
    auto& wrappers = TemporaryMenus();
    auto it = wrappers.find(hMenu);
    if (it == wrappers.end())
        return;
    CMenu* pWrapper = it->second;
    wrappers.erase(it);
    pWrapper->m_hMenu = nullptr;
    delete pWrapper;
}

// The submenus leading to a command, outermost first.
bool PathToCommand(HMENU hMenu, UINT nCommand, std::vector<std::pair<HMENU, UINT>>& path)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    if (pMenu == nullptr)
        return false;
    for (size_t i = 0; i < pMenu->items.size(); ++i)
    {
        const SMenuItem& item = pMenu->items[i];
        if ((item.nFlags & MF_POPUP) != 0)
        {
            path.emplace_back(item.hSubMenu, static_cast<UINT>(i));
            if (PathToCommand(item.hSubMenu, nCommand, path))
                return true;
            path.pop_back();
        }
        else if ((item.nFlags & MF_SEPARATOR) == 0 && item.nID == nCommand)
            return true;
    }
    return false;
}

void DescribeItems(HMENU hMenu, const std::wstring& strIndent, std::wstring& strOut)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    if (pMenu == nullptr)
        return;
    for (const SMenuItem& item : pMenu->items)
    {
        if ((item.nFlags & MF_SEPARATOR) != 0)
        {
            strOut += strIndent + L"-\n";
            continue;
        }
        strOut += strIndent + item.strText;
        if ((item.nFlags & MF_POPUP) == 0)
            strOut += L" [" + std::to_wstring(item.nID) + L"]";
        if ((item.nFlags & (MF_GRAYED | MF_DISABLED)) != 0)
            strOut += L" (disabled)";
        if ((item.nFlags & MF_CHECKED) != 0)
            strOut += L" (checked)";
        strOut += L"\n";
        if ((item.nFlags & MF_POPUP) != 0)
            DescribeItems(item.hSubMenu, strIndent + L"  ", strOut);
    }
}

bool g_bPopupMenusAsWindows = false;

} // namespace

void SetPopupMenusAsWindows(bool bAsWindows)
{
    g_bPopupMenusAsWindows = bAsWindows;
}

bool ArePopupMenusWindows()
{
    return g_bPopupMenusAsWindows;
}

HBITMAP MenuItemBitmap(HMENU hMenu, UINT nPosition)
{
    SItemRef ref = FindItem(hMenu, nPosition, MF_BYPOSITION);
    if (ref.pMenu == nullptr || (ref.Item()->nFlags & MF_BITMAP) == 0)
        return nullptr;
    return reinterpret_cast<HBITMAP>(ref.Item()->nData);
}

HMENU CreateMenu()
{
    return NewMenu(false);
}

HMENU CreatePopupMenu()
{
    return NewMenu(true);
}

BOOL IsMenu(HMENU hMenu)
{
    return hMenu != nullptr && MenuTable().count(reinterpret_cast<SMenuRecord*>(hMenu)) != 0;
}

BOOL DestroyMenu(HMENU hMenu)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    if (pMenu == nullptr)
        return FALSE;
    MenuTable().erase(pMenu);
    for (const SMenuItem& item : pMenu->items)
    {
        if ((item.nFlags & MF_POPUP) != 0)
            DestroyMenu(item.hSubMenu);
    }
    ForgetMenu(hMenu);
    delete pMenu;
    return TRUE;
}

BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    SMenuItem item;
    if (pMenu == nullptr || !MakeItem(uFlags, uIDNewItem, lpNewItem, item))
        return FALSE;
    pMenu->items.push_back(std::move(item));
    return TRUE;
}

BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    SMenuItem item;
    if (pMenu == nullptr || !MakeItem(uFlags, uIDNewItem, lpNewItem, item))
        return FALSE;
    if ((uFlags & MF_BYPOSITION) != 0)
    {
        // A position past the end appends, as on Windows.
        const size_t nAt = std::min<size_t>(uPosition, pMenu->items.size());
        pMenu->items.insert(pMenu->items.begin() + static_cast<std::ptrdiff_t>(nAt), std::move(item));
        return TRUE;
    }
    SItemRef ref = FindItem(hMenu, uPosition, MF_BYCOMMAND);
    if (ref.pMenu == nullptr)
        return FALSE;
    ref.pMenu->items.insert(ref.pMenu->items.begin() + static_cast<std::ptrdiff_t>(ref.nIndex),
                            std::move(item));
    return TRUE;
}

BOOL ModifyMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    SItemRef ref = FindItem(hMenu, uPosition, uFlags);
    SMenuItem item;
    if (ref.pMenu == nullptr || !MakeItem(uFlags, uIDNewItem, lpNewItem, item))
        return FALSE;
    *ref.Item() = std::move(item);
    return TRUE;
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    SItemRef ref = FindItem(hMenu, uPosition, uFlags);
    if (ref.pMenu == nullptr)
        return FALSE;
    ref.pMenu->items.erase(ref.pMenu->items.begin() + static_cast<std::ptrdiff_t>(ref.nIndex));
    return TRUE;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    SItemRef ref = FindItem(hMenu, uPosition, uFlags);
    if (ref.pMenu == nullptr)
        return FALSE;
    const HMENU hSubMenu = (ref.Item()->nFlags & MF_POPUP) != 0 ? ref.Item()->hSubMenu : nullptr;
    ref.pMenu->items.erase(ref.pMenu->items.begin() + static_cast<std::ptrdiff_t>(ref.nIndex));
    if (hSubMenu != nullptr)
        DestroyMenu(hSubMenu);
    return TRUE;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    SItemRef ref = FindItem(hMenu, uIDCheckItem, uCheck);
    if (ref.pMenu == nullptr)
        return static_cast<DWORD>(-1);
    SMenuItem& item = *ref.Item();
    const DWORD dwPrevious = item.nFlags & MF_CHECKED;
    item.nFlags = (item.nFlags & ~static_cast<UINT>(MF_CHECKED)) | (uCheck & MF_CHECKED);
    return dwPrevious;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    SItemRef ref = FindItem(hMenu, uIDEnableItem, uEnable);
    if (ref.pMenu == nullptr)
        return -1;
    SMenuItem& item = *ref.Item();
    const UINT nPrevious = item.nFlags & (MF_GRAYED | MF_DISABLED);
    item.nFlags =
        (item.nFlags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(nPrevious);
}

BOOL CheckMenuRadioItem(HMENU hMenu, UINT first, UINT last, UINT check, UINT flags)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    if (pMenu == nullptr)
        return FALSE;
    bool bFound = false;
    for (size_t i = 0; i < pMenu->items.size(); ++i)
    {
        SMenuItem& item = pMenu->items[i];
        const UINT nKey = (flags & MF_BYPOSITION) != 0 ? static_cast<UINT>(i) : static_cast<UINT>(item.nID);
        if ((item.nFlags & (MF_POPUP | MF_SEPARATOR)) != 0 || nKey < first || nKey > last)
            continue;
        item.nFlags &= ~static_cast<UINT>(MF_CHECKED);
        if (nKey == check)
        {
            item.nFlags |= MF_CHECKED | MFT_RADIOCHECK;
            bFound = true;
        }
    }
    return bFound ? TRUE : FALSE;
}

int GetMenuItemCount(HMENU hMenu)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    return pMenu != nullptr ? static_cast<int>(pMenu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos)
{
    SItemRef ref = nPos >= 0 ? FindItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION) : SItemRef{};
    if (ref.pMenu == nullptr || (ref.Item()->nFlags & MF_POPUP) != 0)
        return static_cast<UINT>(-1);
    return static_cast<UINT>(ref.Item()->nID);
}

HMENU GetSubMenu(HMENU hMenu, int nPos)
{
    SItemRef ref = nPos >= 0 ? FindItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION) : SItemRef{};
    if (ref.pMenu == nullptr || (ref.Item()->nFlags & MF_POPUP) == 0)
        return nullptr;
    return ref.Item()->hSubMenu;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags)
{
    SItemRef ref = FindItem(hMenu, uId, uFlags);
    if (ref.pMenu == nullptr)
        return static_cast<UINT>(-1);
    const SMenuItem& item = *ref.Item();
    UINT nState = item.nFlags;
    if (ref.nIndex == ref.pMenu->nDefaultPosition)
        nState |= MF_DEFAULT;
    if ((item.nFlags & MF_POPUP) != 0)
        nState = (static_cast<UINT>(GetMenuItemCount(item.hSubMenu)) << 8) | (nState & 0xFF);
    return nState;
}

int GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags)
{
    SItemRef ref = FindItem(hMenu, uIDItem, flags);
    if (ref.pMenu == nullptr)
        return 0;
    const std::wstring& strText = ref.Item()->strText;
    if (lpString == nullptr || cchMax <= 0)
        return static_cast<int>(strText.size());
    const int nCopied = std::min(static_cast<int>(strText.size()), cchMax - 1);
    std::copy_n(strText.begin(), nCopied, lpString);
    lpString[nCopied] = L'\0';
    return nCopied;
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    if (pMenu == nullptr)
        return FALSE;
    if (uItem == static_cast<UINT>(-1))
    {
        pMenu->nDefaultPosition = uItem;
        return TRUE;
    }
    SItemRef ref = FindItem(hMenu, uItem, fByPos ? MF_BYPOSITION : MF_BYCOMMAND);
    if (ref.pMenu != pMenu)
        return FALSE;
    pMenu->nDefaultPosition = static_cast<UINT>(ref.nIndex);
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT)
{
    SMenuRecord* pMenu = LookUp(hMenu);
    if (pMenu == nullptr || pMenu->nDefaultPosition >= pMenu->items.size())
        return static_cast<UINT>(-1);
    return fByPos ? pMenu->nDefaultPosition : static_cast<UINT>(pMenu->items[pMenu->nDefaultPosition].nID);
}

namespace
{

// The test responder (or, without one, the default) chooses; the choice is
// checked against the menu as a person's would be.
UINT AskResponder(HMENU hMenu, UINT uFlags, POINT pt, HWND hWnd, bool bNotify)
{
    std::wstring strItems;
    DescribeItems(hMenu, L"", strItems);
    UINT nChoice = AskPopupMenu(hMenu, uFlags, pt, hWnd, strItems);
    if (nChoice != 0)
    {
        // The submenus leading to the choice open on the way, and their
        // owners may still change them.
        std::vector<std::pair<HMENU, UINT>> path;
        if (!PathToCommand(hMenu, nChoice, path))
        {
            PlatformLog(L"TrackPopupMenu: the menu has no command " + std::to_wstring(nChoice) +
                        L"; dismissed");
            nChoice = 0;
        }
        else
        {
            if (bNotify)
            {
                for (const auto& [hSubMenu, nPosition] : path)
                    ::SendMessageW(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hSubMenu),
                                   MAKELPARAM(nPosition, FALSE));
            }
            SItemRef ref = FindItem(hMenu, nChoice, MF_BYCOMMAND);
            if (ref.pMenu == nullptr || (ref.Item()->nFlags & (MF_GRAYED | MF_DISABLED)) != 0)
            {
                PlatformLog(L"TrackPopupMenu: command " + std::to_wstring(nChoice) +
                            L" is disabled and cannot be chosen; dismissed");
                nChoice = 0;
            }
        }
    }
    return nChoice;
}

} // namespace

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hWnd, LPTPMPARAMS lptpm)
{
    if (LookUp(hMenu) == nullptr || CWindowManager::Get().Find(hWnd) == nullptr)
        return FALSE;
    if (IsPopupMenuWindowOpen() && (uFlags & TPM_RECURSE) == 0)
    {
        // One menu at a time, unless the caller asks for a menu inside a menu.
        PlatformLog(L"TrackPopupMenu: a pop-up menu is already open; TPM_RECURSE is needed to open another");
        return FALSE;
    }
    const bool bNotify = (uFlags & TPM_NONOTIFY) == 0;
    if (bNotify)
    {
        ::SendMessageW(hWnd, WM_ENTERMENULOOP, TRUE, 0);
        ::SendMessageW(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, FALSE));
    }
    UINT nChoice = 0;
    if (CResponder::Current() == nullptr && (IsRealTimeClock() || g_bPopupMenusAsWindows))
    {
        // A person chooses: the menu shows as a window and its loop runs
        // until an item is chosen or the menu dismissed.
        nChoice = RunPopupMenuWindow(hMenu, uFlags, POINT{x, y}, hWnd,
                                     lptpm != nullptr ? &lptpm->rcExclude : nullptr, bNotify);
    }
    else
        nChoice = AskResponder(hMenu, uFlags, POINT{x, y}, hWnd, bNotify);
    if (bNotify && ::IsWindow(hWnd))
    {
        ::SendMessageW(hWnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
        ::SendMessageW(hWnd, WM_EXITMENULOOP, TRUE, 0);
    }
    if ((uFlags & TPM_RETURNCMD) != 0)
        return static_cast<BOOL>(nChoice);
    if (nChoice != 0)
        ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(nChoice, 0), 0);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*)
{
    return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}

// ---------------------------------------------------------------------------
// CMenu

CMenu::~CMenu()
{
    if (m_hMenu != nullptr)
        DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!IsMenu(hMenu))
        return nullptr;
    auto& wrappers = TemporaryMenus();
    auto it = wrappers.find(hMenu);
    if (it != wrappers.end())
        return it->second;
    auto* pWrapper = new CMenu;
    pWrapper->m_hMenu = hMenu;
    wrappers.emplace(hMenu, pWrapper);
    return pWrapper;
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu != nullptr || !IsMenu(hMenu))
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    const HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::DestroyMenu()
{
    const HMENU hMenu = Detach();
    return hMenu != nullptr ? ::DestroyMenu(hMenu) : FALSE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem)
{
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

UINT CMenu::GetMenuItemCount() const
{
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPWSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int nLength = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    std::wstring strBuffer(static_cast<size_t>(nLength) + 1, L'\0');
    const int nCopied = ::GetMenuStringW(m_hMenu, nIDItem, strBuffer.data(), nLength + 1, nFlags);
    strBuffer.resize(static_cast<size_t>(nCopied));
    rString = CString(strBuffer);
    return nCopied;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd != nullptr ? pWnd->m_hWnd : nullptr, lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, pWnd != nullptr ? pWnd->m_hWnd : nullptr, lptpm);
}
