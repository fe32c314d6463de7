// Menus built from menu templates, in memory and from a resource table.
#include "MenuTemplate.h"
#include "Resources.h"

#include <gtest/gtest.h>

#include <iterator>

namespace
{
SMenuItemTemplate Command(UINT nID, const wchar_t* pszText, UINT nFlags = MF_STRING)
{
    SMenuItemTemplate item;
    item.nID = nID;
    item.strText = pszText;
    item.nFlags = nFlags;
    return item;
}

SMenuItemTemplate Separator()
{
    SMenuItemTemplate item;
    item.nFlags = MF_SEPARATOR;
    return item;
}

SMenuItemTemplate Popup(const wchar_t* pszText, std::vector<SMenuItemTemplate> items)
{
    SMenuItemTemplate item;
    item.strText = pszText;
    item.items = std::move(items);
    return item;
}

// A bar with one pop-up: two commands, a separator, a nested pop-up with a
// checked and a greyed command.
SMenuTemplate SampleMenu()
{
    SMenuTemplate menu;
    menu.nID = 500;
    menu.items = {Popup(L"Options", {Command(501, L"&First"), Command(502, L"Second"), Separator(),
                                     Popup(L"More", {Command(511, L"Checked", MF_CHECKED),
                                                     Command(512, L"Greyed", MF_GRAYED)})})};
    return menu;
}

std::wstring TextOf(HMENU hMenu, UINT nID)
{
    wchar_t buffer[64] = {};
    GetMenuStringW(hMenu, nID, buffer, 64, MF_BYCOMMAND);
    return buffer;
}

const HINSTANCE kMenuModule = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x7100));
} // namespace

TEST(MenuTemplateTest, BuildsTheBarItsPopupsAndTheirItemsInOrder)
{
    const SMenuTemplate menu = SampleMenu();
    HMENU hBar = LoadMenuIndirectW(&menu);
    ASSERT_NE(hBar, nullptr);
    ASSERT_EQ(GetMenuItemCount(hBar), 1);
    HMENU hPopup = GetSubMenu(hBar, 0);
    ASSERT_NE(hPopup, nullptr);
    ASSERT_EQ(GetMenuItemCount(hPopup), 4);
    EXPECT_EQ(GetMenuItemID(hPopup, 0), 501u);
    EXPECT_EQ(GetMenuItemID(hPopup, 1), 502u);
    EXPECT_NE(GetMenuState(hPopup, 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    HMENU hMore = GetSubMenu(hPopup, 3);
    ASSERT_NE(hMore, nullptr);
    EXPECT_EQ(GetMenuItemCount(hMore), 2);
    EXPECT_EQ(TextOf(hBar, 501), L"&First");
    // Items deep in submenus are found by command from the bar.
    EXPECT_NE(GetMenuState(hBar, 511, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(hBar, 512, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(hBar, 501, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED), 0u);
    EXPECT_TRUE(DestroyMenu(hBar));
}

TEST(MenuTemplateTest, LoadsAMenuResourceFromAModuleOrTheChain)
{
    static const SMenuTemplate s_menu = SampleMenu();
    static const SResourceEntry s_entries[] = {
        {RT_MENU, MAKEINTRESOURCEW(500), &s_menu, sizeof(SMenuTemplate)},
        // Data of the wrong size is not a menu template.
        {RT_MENU, MAKEINTRESOURCEW(600), &s_menu, 4},
    };
    RegisterResourceTable(kMenuModule, s_entries, static_cast<UINT>(std::size(s_entries)));

    HMENU hMenu = LoadMenuW(kMenuModule, MAKEINTRESOURCEW(500));
    ASSERT_NE(hMenu, nullptr);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(hMenu, 0), 1), 502u);
    DestroyMenu(hMenu);

    SetLastError(0);
    EXPECT_EQ(LoadMenuW(kMenuModule, MAKEINTRESOURCEW(501)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadMenuW(kMenuModule, MAKEINTRESOURCEW(600)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));

    // With no module named, the resource chain finds it.
    AfxSetResourceHandle(kMenuModule);
    HMENU hFromChain = LoadMenuW(nullptr, MAKEINTRESOURCEW(500));
    EXPECT_NE(hFromChain, nullptr);
    DestroyMenu(hFromChain);
    AfxSetResourceHandle(nullptr);
    RegisterResourceTable(kMenuModule, nullptr, 0);
}

TEST(MenuTemplateTest, RefusesNullArguments)
{
    SetLastError(0);
    EXPECT_EQ(LoadMenuIndirectW(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(LoadMenuW(kMenuModule, nullptr), nullptr);
    // An empty template is an empty bar, not an error.
    const SMenuTemplate empty;
    HMENU hEmpty = LoadMenuIndirectW(&empty);
    ASSERT_NE(hEmpty, nullptr);
    EXPECT_EQ(GetMenuItemCount(hEmpty), 0);
    DestroyMenu(hEmpty);
}
