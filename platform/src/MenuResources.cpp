// Menus built from menu templates held by resource modules.
#include "MenuTemplate.h"
#include "Resources.h"

namespace
{
// Appends the items to the menu; false (after destroying nothing that is
// not already in the menu) when the menu layer refuses one.
bool AppendItems(HMENU hMenu, const std::vector<SMenuItemTemplate>& items)
{
    for (const SMenuItemTemplate& item : items)
    {
        UINT nFlags = item.nFlags & ~static_cast<UINT>(MF_POPUP);
        if ((nFlags & MF_SEPARATOR) != 0)
        {
            if (!AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr))
                return false;
            continue;
        }
        if (!item.items.empty())
        {
            HMENU hSubMenu = CreatePopupMenu();
            if (hSubMenu == nullptr)
                return false;
            if (!AppendItems(hSubMenu, item.items) ||
                !AppendMenuW(hMenu, nFlags | MF_POPUP, reinterpret_cast<UINT_PTR>(hSubMenu),
                             item.strText.c_str()))
            {
                DestroyMenu(hSubMenu);
                return false;
            }
            continue;
        }
        if (!AppendMenuW(hMenu, nFlags, item.nID, item.strText.c_str()))
            return false;
    }
    return true;
}
} // namespace

const SMenuTemplate* FindMenuTemplate(HINSTANCE hInstance, LPCWSTR lpMenuName)
{
    if (lpMenuName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HINSTANCE hModule = hInstance != nullptr ? hInstance : AfxFindResourceHandle(lpMenuName, RT_MENU);
    HRSRC hResource = FindResourceW(hModule, lpMenuName, RT_MENU);
    if (hResource == nullptr)
        return nullptr;
    // A menu's data is its template record; anything of another size is not one.
    if (SizeofResource(hModule, hResource) != sizeof(SMenuTemplate))
    {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return static_cast<const SMenuTemplate*>(LockResource(LoadResource(hModule, hResource)));
}

HMENU LoadMenuIndirectW(const SMenuTemplate* pTemplate)
{
    if (pTemplate == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HMENU hMenu = CreateMenu();
    if (hMenu == nullptr)
        return nullptr;
    if (!AppendItems(hMenu, pTemplate->items))
    {
        DestroyMenu(hMenu);
        return nullptr;
    }
    return hMenu;
}

HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName)
{
    const SMenuTemplate* pTemplate = FindMenuTemplate(hInstance, lpMenuName);
    return pTemplate != nullptr ? LoadMenuIndirectW(pTemplate) : nullptr;
}
