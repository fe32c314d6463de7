// The dialog templates: each one the palette creates is there with the
// controls the palette looks up, of the kind it treats them as, laid out
// without controls running into each other or out of the dialog.
#include "DialogTemplate.h"
#include "ResourceModuleSupport.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace
{
struct STemplateControls
{
    UINT nTemplate;
    std::vector<UINT> controls;
};

std::vector<UINT> Range(UINT nFirst, UINT nLast)
{
    std::vector<UINT> ids;
    for (UINT n = nFirst; n <= nLast; ++n)
        ids.push_back(n);
    return ids;
}

std::vector<UINT> Join(std::vector<UINT> a, const std::vector<UINT>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<UINT> kClassicDialogControls = {15200, 15201, 15202, 15203, 15204, 15228, 15229,
                                                  15234, 15235, 15250, 15251, 15254, 15255, 15256,
                                                  15262, 15271, 100,   101,   1,     2};

// The controls each template must hold: the identifiers the palette's
// windows look up or place their own windows over.
const std::vector<STemplateControls> kTemplates = {
    {15107, Join(Range(15240, 15248), {15949, 15950})},
    {15108, Range(15283, 15305)},
    {15106, {15236, 1, 2}},
    {15112, {15236, 1, 2}},
    {15113, {15236, 15356, 15326, 1, 2}},
    {15100, kClassicDialogControls},
    {15120, kClassicDialogControls},
    {15121,
     Join(Join(Join({15200, 15203, 15204, 15235, 15254, 15315, 15316, 15317, 1, 2}, Range(15205, 15208)),
               Join(Range(15322, 15325), Range(15336, 15339))),
          Join(Range(15360, 15364), Range(15943, 15947)))},
    {15101, Join(Range(15205, 15212), {15233, 15245})},
    {15109, Range(15306, 15310)},
    {15102, Join(Range(15336, 15342), {15344, 15345, 15346, 15348, 15350, 15352, 15354, 15211, 15492})},
    {15103, Join(Range(15217, 15224), {15257, 15258, 15259, 15279, 15280, 15281, 15282})},
    {15114,
     Join(Join(Range(15218, 15223), {15257, 15258, 15259, 15279, 15280, 15281, 15282, 12004, 12006, 12007,
                                     15319, 15320, 15326, 15345, 15955, 100, 15312, 15313, 15314}),
          Join({15262, 15263}, Range(15265, 15270)))},
    {15104, {15220, 15227, 15225, 100}},
    {15115, {15220, 15227, 12006, 100}},
    {15105, {15202, 15228, 15229, 15234, 12004, 12005, 12006, 100}},
    {15110, Join(Range(15311, 15327), {0xE146, 2})},
    {15111, {15328, 15329, 15491, 1, 2}},
};

const std::set<UINT> kPages = {15101, 15102, 15103, 15104, 15105, 15109, 15114, 15115};

const SDialogTemplate* TemplateOf(UINT nID)
{
    return FindDialogTemplate(ResourceModule(), MAKEINTRESOURCEW(nID));
}

const SDialogItemTemplate* ItemOf(const SDialogTemplate& dialog, UINT nID)
{
    for (const SDialogItemTemplate& item : dialog.items)
    {
        if (item.nID == nID)
            return &item;
    }
    return nullptr;
}

bool IsClass(const SDialogItemTemplate& item, const wchar_t* pszClass)
{
    return item.strClassName == pszClass;
}

// The height a control takes in the dialog: a drop-down list's template
// height includes its opened list.
int ClosedHeight(const SDialogItemTemplate& item)
{
    return IsClass(item, L"COMBOBOX") ? std::min<int>(item.cy, 12) : item.cy;
}

// Group boxes and tab controls hold other controls by design.
bool IsContainer(const SDialogItemTemplate& item)
{
    return (IsClass(item, L"BUTTON") && (item.dwStyle & 0xF) == 0x7) || IsClass(item, L"SysTabControl32");
}

bool Overlap(const SDialogItemTemplate& a, const SDialogItemTemplate& b)
{
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + ClosedHeight(b) && b.y < a.y + ClosedHeight(a);
}

std::size_t VisibleLength(const std::wstring& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](wchar_t c) { return c != L'&'; }));
}
} // namespace

TEST(DialogTemplatesTest, EveryTemplateHoldsTheControlsItsWindowUses)
{
    ASSERT_NE(ResourceModule(), nullptr);
    for (const STemplateControls& expected : kTemplates)
    {
        const SDialogTemplate* pDialog = TemplateOf(expected.nTemplate);
        ASSERT_NE(pDialog, nullptr) << expected.nTemplate;
        EXPECT_EQ(pDialog->nID, expected.nTemplate);
        for (UINT nControl : expected.controls)
            EXPECT_NE(ItemOf(*pDialog, nControl), nullptr) << expected.nTemplate << " lacks " << nControl;
    }
}

TEST(DialogTemplatesTest, ControlNumbersAreUniqueWithinATemplate)
{
    for (const STemplateControls& expected : kTemplates)
    {
        const SDialogTemplate* pDialog = TemplateOf(expected.nTemplate);
        ASSERT_NE(pDialog, nullptr);
        std::set<UINT> seen;
        for (const SDialogItemTemplate& item : pDialog->items)
        {
            if (item.nID == 0xFFFF)
                continue; // labels nobody addresses
            EXPECT_TRUE(seen.insert(item.nID).second) << expected.nTemplate << " repeats " << item.nID;
        }
    }
}

TEST(DialogTemplatesTest, ControlsAreOfTheKindTheirWindowsTreatThemAs)
{
    const SDialogTemplate* pProperties = TemplateOf(15100);
    ASSERT_NE(pProperties, nullptr);
    EXPECT_TRUE(IsClass(*ItemOf(*pProperties, 15201), L"SysTabControl32"));
    EXPECT_EQ(ItemOf(*pProperties, 15202)->dwStyle & 0xF, 0x3u); // automatic check box
    EXPECT_TRUE(IsClass(*ItemOf(*pProperties, 15229), L"EDIT"));
    EXPECT_TRUE(IsClass(*ItemOf(*pProperties, 15228), L"EDIT"));

    const SDialogTemplate* pEditor = TemplateOf(15110);
    ASSERT_NE(pEditor, nullptr);
    const SDialogItemTemplate* pList = ItemOf(*pEditor, 15311);
    EXPECT_TRUE(IsClass(*pList, L"LISTBOX"));
    EXPECT_NE(pList->dwStyle & (0x0800 | 0x0008), 0u); // extended or multiple selection
    for (UINT nRadio : {15323u, 15324u, 15325u})
        EXPECT_EQ(ItemOf(*pEditor, nRadio)->dwStyle & 0xF, 0x9u) << nRadio;
    // The first radio of the group starts it.
    EXPECT_NE(ItemOf(*pEditor, 15324)->dwStyle & WS_GROUP, 0u);

    for (auto [nTemplate, nList] :
         {std::pair{15109u, 15306u}, {15102u, 15346u}, {15102u, 15337u}, {15105u, 12005u}, {15113u, 15236u}})
    {
        const SDialogItemTemplate* pItem = ItemOf(*TemplateOf(nTemplate), nList);
        EXPECT_TRUE(IsClass(*pItem, L"COMBOBOX")) << nList;
        EXPECT_EQ(pItem->dwStyle & 0x3, 0x3u) << nList; // drop-down list
    }
    for (auto [nTemplate, nCheck] : {std::pair{15107u, 15241u},
                                     {15101u, 15212u},
                                     {15103u, 15222u},
                                     {15103u, 15259u},
                                     {15111u, 15491u},
                                     {15105u, 15202u}})
        EXPECT_EQ(ItemOf(*TemplateOf(nTemplate), nCheck)->dwStyle & 0xF, 0x3u) << nCheck;
    // The recently used popup draws its material buttons itself.
    const SDialogTemplate* pRecent = TemplateOf(15108);
    for (UINT nButton = 15283; nButton <= 15304; ++nButton)
        EXPECT_EQ(ItemOf(*pRecent, nButton)->dwStyle & 0xF, 0xBu) << nButton;
    // The pane's separators are lines.
    EXPECT_EQ(ItemOf(*TemplateOf(15107), 15949)->dwStyle & 0x1F, 0x10u);
}

TEST(DialogTemplatesTest, PagesAreChildControlDialogsThatFitThePageAreas)
{
    const SDialogTemplate* pArea = TemplateOf(15121);
    ASSERT_NE(pArea, nullptr);
    const SDialogItemTemplate* pPageArea = ItemOf(*pArea, 15365);
    ASSERT_NE(pPageArea, nullptr);
    const SDialogItemTemplate* pTabs = ItemOf(*TemplateOf(15100), 15201);
    for (UINT nPage : kPages)
    {
        const SDialogTemplate* pPage = TemplateOf(nPage);
        ASSERT_NE(pPage, nullptr) << nPage;
        EXPECT_EQ(pPage->dwStyle & (WS_CHILD | DS_CONTROL), static_cast<DWORD>(WS_CHILD | DS_CONTROL))
            << nPage;
        EXPECT_EQ(pPage->dwStyle & (WS_POPUP | WS_CAPTION | WS_VISIBLE), 0u) << nPage;
        EXPECT_LE(pPage->cx, pPageArea->cx) << nPage;
        EXPECT_LE(pPage->cy, pPageArea->cy) << nPage;
        // The classic dialog's tab control holds a page below its row of tabs.
        EXPECT_LE(pPage->cx + 8, pTabs->cx) << nPage;
        EXPECT_LE(pPage->cy + 18, pTabs->cy) << nPage;
    }
    for (UINT nDialog : {15100u, 15106u, 15110u, 15111u, 15112u, 15113u, 15120u, 15121u})
        EXPECT_NE(TemplateOf(nDialog)->dwStyle & WS_POPUP, 0u) << nDialog;
}

TEST(DialogTemplatesTest, ControlsStayInsideTheirDialogAndApartFromEachOther)
{
    // Overlaps made on purpose: the pane's foreground square and swatch lie
    // over the background ones.
    const std::set<std::pair<UINT, UINT>> kMeant = {{15242, 15243}, {15246, 15247}};
    for (const STemplateControls& expected : kTemplates)
    {
        const SDialogTemplate& dialog = *TemplateOf(expected.nTemplate);
        for (std::size_t i = 0; i < dialog.items.size(); ++i)
        {
            const SDialogItemTemplate& a = dialog.items[i];
            EXPECT_GE(a.x, 0) << dialog.nID << ":" << a.nID;
            EXPECT_GE(a.y, 0) << dialog.nID << ":" << a.nID;
            EXPECT_GT(a.cx, 0) << dialog.nID << ":" << a.nID;
            EXPECT_GT(a.cy, 0) << dialog.nID << ":" << a.nID;
            EXPECT_LE(a.x + a.cx, dialog.cx) << dialog.nID << ":" << a.nID;
            EXPECT_LE(a.y + ClosedHeight(a), dialog.cy) << dialog.nID << ":" << a.nID;
            // Hidden controls are alternatives shown in another control's place.
            if ((a.dwStyle & WS_VISIBLE) == 0 || IsContainer(a))
                continue;
            for (std::size_t j = i + 1; j < dialog.items.size(); ++j)
            {
                const SDialogItemTemplate& b = dialog.items[j];
                if ((b.dwStyle & WS_VISIBLE) == 0 || IsContainer(b))
                    continue;
                if (kMeant.count({a.nID, b.nID}) != 0 || kMeant.count({b.nID, a.nID}) != 0)
                {
                    EXPECT_TRUE(Overlap(a, b)) << "meant to overlap: " << a.nID << " " << b.nID;
                    continue;
                }
                EXPECT_FALSE(Overlap(a, b)) << dialog.nID << ": " << a.nID << " and " << b.nID;
            }
        }
    }
}

TEST(DialogTemplatesTest, TextsFitTheirControls)
{
    // The dialog font's average character is 4 units wide; English text runs
    // a little narrower. Check boxes and radio buttons need room for the box.
    for (const STemplateControls& expected : kTemplates)
    {
        const SDialogTemplate& dialog = *TemplateOf(expected.nTemplate);
        for (const SDialogItemTemplate& item : dialog.items)
        {
            const int nChars = static_cast<int>(VisibleLength(item.strText));
            if (nChars == 0)
                continue;
            int nNeeded = 3 * nChars;
            if (IsClass(item, L"BUTTON"))
            {
                const DWORD dwType = item.dwStyle & 0xF;
                const bool bBox = (dwType == 0x2 || dwType == 0x3 || dwType == 0x4 || dwType == 0x9) &&
                                  (item.dwStyle & 0x1000) == 0;
                nNeeded += bBox ? 12 : 6;
            }
            EXPECT_GE(item.cx, nNeeded)
                << dialog.nID << ":" << item.nID << " \"" << WideToUtf8(item.strText) << "\"";
            EXPECT_GE(item.cy, 8) << dialog.nID << ":" << item.nID;
        }
    }
}

TEST(DialogTemplatesTest, UnknownTemplatesAreNotFound)
{
    SetLastError(0);
    EXPECT_EQ(TemplateOf(15199), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}
