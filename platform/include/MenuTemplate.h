// Menu resources as this platform keeps them: a plain record per menu rather
// than the packed binary layout of Windows resource files. A resource module
// lists each menu as an RT_MENU resource whose data is a pointer to an
// SMenuTemplate (cbData = sizeof(SMenuTemplate)); LoadMenuW builds the HMENU.
#pragma once

#include "Menu.h"

#include <string>
#include <vector>

struct SMenuItemTemplate
{
    // The command; ignored for separators and for items with a submenu.
    UINT nID = 0;
    std::wstring strText;
    // MF_STRING (0) or MF_SEPARATOR, with MF_GRAYED, MF_DISABLED, MF_CHECKED,
    // MFT_RADIOCHECK, MF_MENUBREAK or MF_DEFAULT as wanted. MF_POPUP is
    // implied by a non-empty submenu and need not be given.
    UINT nFlags = MF_STRING;
    std::vector<SMenuItemTemplate> items; // the submenu's items
};

struct SMenuTemplate
{
    UINT nID = 0;
    std::vector<SMenuItemTemplate> items;
};

// A menu resource: from hInstance, or with a null hInstance from the class
// library's resource chain (AfxFindResourceHandle). The top level is a menu
// bar (CreateMenu) whose items are usually pop-ups; GetSubMenu(h, 0) gives the
// first. Null, with ERROR_RESOURCE_NAME_NOT_FOUND, when there is none; the
// caller destroys the menu with DestroyMenu.
HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName);
#define LoadMenu LoadMenuW
// Builds a menu bar from a template in memory; null for a null template.
HMENU LoadMenuIndirectW(const SMenuTemplate* pTemplate);
// The template of a menu resource, found as LoadMenuW finds it.
const SMenuTemplate* FindMenuTemplate(HINSTANCE hInstance, LPCWSTR lpMenuName);
