// The menus: the swatch picker's options and the options of the new gradient,
// pattern and texture pages. Each is a menu bar holding the one pop-up that
// the program shows; items the program turns into submenus at run time
// (the category list, the view types) are plain commands here.
#include "MenuTemplate.h"
#include "ResourceIds.h"
#include "ResourceTables.h"

namespace
{
SMenuItemTemplate Command(ResourceNumber nID, const wchar_t* pszText, UINT nFlags = MF_STRING)
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

SMenuTemplate Menu(ResourceNumber nID, std::vector<SMenuItemTemplate> popupItems)
{
    SMenuTemplate menu;
    menu.nID = nID;
    menu.items = {Popup(L"Options", std::move(popupItems))};
    return menu;
}

SMenuTemplate SwatchOptions()
{
    return Menu(IDR_SWATCH_OPTIONS,
                {
                    Command(ID_SWATCH_ADD, L"&Add Swatch..."),
                    Command(ID_SWATCH_EDIT, L"&Edit Swatch..."),
                    Command(ID_SWATCH_RENAME, L"Re&name Swatch..."),
                    Command(ID_SWATCH_DELETE, L"&Delete Swatch"),
                    Separator(),
                    Command(ID_SWATCH_NEW_CATEGORY, L"New &Palette..."),
                    Command(ID_SWATCH_CATEGORIES, L"Pa&lettes"),
                    Command(ID_SWATCH_RENAME_CATEGORY, L"Rena&me Palette..."),
                    Command(ID_SWATCH_DELETE_CATEGORY, L"Delete Pale&tte"),
                    Separator(),
                    Popup(L"&Show",
                          {
                              Command(ID_SWATCH_FILTER_ALL, L"&All Materials"),
                              Command(ID_SWATCH_FILTER_COLORS, L"&Colors"),
                              Command(ID_SWATCH_FILTER_GRADIENTS, L"&Gradients"),
                              Command(ID_SWATCH_FILTER_PATTERNS, L"&Patterns"),
                          }),
                    Popup(L"&View",
                          {
                              Command(ID_SWATCH_VIEW_LIST, L"&List"),
                              Command(ID_SWATCH_VIEW_SMALL, L"&Small Swatches"),
                              Command(ID_SWATCH_VIEW_LARGE, L"L&arge Swatches"),
                          }),
                    Popup(L"S&ort",
                          {
                              Command(ID_SWATCH_SORT_HEADING, L"Sort Swatches", MF_GRAYED),
                              Command(ID_SWATCH_SORT_NONE, L"&Order Added"),
                              Command(ID_SWATCH_SORT_BY_NAME, L"By &Name"),
                              Command(ID_SWATCH_SORT_FIRST_MORE + 0, L"By &Type"),
                              Command(ID_SWATCH_SORT_FIRST_MORE + 1, L"By &Hue"),
                              Command(ID_SWATCH_SORT_FIRST_MORE + 2, L"By &Saturation"),
                              Command(ID_SWATCH_SORT_FIRST_MORE + 3, L"By &Lightness"),
                              Command(ID_SWATCH_SORT_FIRST_MORE + 4, L"By &Date"),
                              Command(ID_SWATCH_SORT_FIRST_MORE + 5, L"By &Use"),
                          }),
                    Separator(),
                    Command(ID_SWATCH_RESTORE, L"&Restore Standard Swatches", MF_GRAYED),
                });
}

std::vector<SMenuItemTemplate> ResourceItems()
{
    return {
        Command(ID_RESOURCE_REFRESH, L"&Refresh"),
        Command(ID_RESOURCE_OPEN_FOLDER, L"&Open Resource Folder"),
        Command(ID_RESOURCE_VIEW, L"&View"),
    };
}

SMenuTemplate GradientOptions()
{
    std::vector<SMenuItemTemplate> items = ResourceItems();
    items.push_back(Separator());
    items.push_back(Command(ID_GRADIENT_IMPORT, L"&Import Gradients..."));
    items.push_back(Command(ID_GRADIENT_EXPORT, L"&Export Gradient..."));
    return Menu(IDR_GRADIENT2_OPTIONS, std::move(items));
}

const std::vector<SMenuTemplate>& Menus()
{
    static const std::vector<SMenuTemplate> s_menus = {
        SwatchOptions(),
        GradientOptions(),
        Menu(IDR_RESOURCE_OPTIONS, ResourceItems()),
    };
    return s_menus;
}
} // namespace

void AppendMenuEntries(std::vector<SResourceEntry>& entries)
{
    for (const SMenuTemplate& menu : Menus())
    {
        entries.push_back({RT_MENU, MAKEINTRESOURCEW(menu.nID), &menu, sizeof(SMenuTemplate)});
    }
}
