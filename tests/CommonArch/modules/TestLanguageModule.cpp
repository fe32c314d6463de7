// A language resource module for the palette's tests: the pane caption, the
// pane template (one item of a class the tests register) and a string that
// names the language folder it was built for.
#include "DialogTemplate.h"
#include "Resources.h"

#include <iterator>

namespace
{
constexpr wchar_t kCaption[] = L"Materials " TEST_LANGUAGE;
constexpr wchar_t kLanguage[] = TEST_LANGUAGE;

SDialogTemplate PaneTemplate()
{
    SDialogTemplate pane;
    pane.nID = 15107;
    pane.dwStyle = WS_CHILD | DS_CONTROL | DS_SETFONT;
    pane.cx = 100;
    pane.cy = 200;
    SDialogItemTemplate item;
    item.strClassName = L"MatPalTestItem";
    item.nID = 1001;
    item.strText = L"item";
    item.x = 4;
    item.y = 4;
    item.cx = 40;
    item.cy = 12;
    pane.items.push_back(item);
    return pane;
}

const SDialogTemplate kPane = PaneTemplate();

const SResourceEntry kEntries[] = {
    {RT_STRING, MAKEINTRESOURCEW(15473), kCaption, sizeof(kCaption) - sizeof(wchar_t)},
    {RT_STRING, MAKEINTRESOURCEW(100), kLanguage, sizeof(kLanguage) - sizeof(wchar_t)},
    {RT_DIALOG, MAKEINTRESOURCEW(15107), &kPane, sizeof(SDialogTemplate)},
};
} // namespace

extern "C" const SResourceEntry* PlatformResourceEntries(UINT* pnCount)
{
    *pnCount = static_cast<UINT>(std::size(kEntries));
    return kEntries;
}
