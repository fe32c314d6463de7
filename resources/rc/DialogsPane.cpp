// The Materials pane and the recently used materials popup.
#include "DialogGroups.h"
#include "DialogItems.h"

using namespace dialog_items;

namespace
{
// The pane in its first, narrow form: the new tab set on top, the two
// material squares below it with the solid colour swatches at their top
// right, then the apply-to-all box between two lines. The pane creates its
// material controls and buttons over the placeholders, adds the tool buttons
// and the recently used strip itself, and lays everything out again on every
// size change; the template's width and height are the pane's first size,
// against which that layout measures.
SDialogTemplate Pane()
{
    SDialogTemplate dialog =
        Template(IDD_MATERIALS_PANE, L"", WS_CHILD | WS_CLIPCHILDREN | DS_CONTROL | DS_SETFONT, 80, 200);
    dialog.items = {
        Placeholder(IDC_PANE_TAB_SET, 9, 0, 62, 68),
        // The two squares overlap on purpose: the foreground lies over the
        // background's top left corner, and so do the two swatches.
        Placeholder(IDC_PANE_FORE_MATERIAL, 9, 73, 34, 34),
        Placeholder(IDC_PANE_BACK_MATERIAL, 25, 89, 34, 34),
        Placeholder(IDC_PANE_FORE_SOLID, 62, 76, 10, 10),
        Placeholder(IDC_PANE_BACK_SOLID, 67, 81, 10, 10),
        Placeholder(IDC_PANE_SWAP, 62, 95, 11, 10),
        Placeholder(IDC_PANE_SWAP_SMALL, 62, 108, 7, 7),
        Placeholder(IDC_PANE_BLACK_WHITE, 9, 111, 11, 10),
        Separator(IDC_PANE_SEPARATOR_TOOLS, 9, 127, 62),
        CheckBox(IDC_PANE_APPLY_TO_ALL, L"All tools", 9, 130, 62),
        Separator(IDC_PANE_SEPARATOR_RECENT, 9, 160, 62),
    };
    return dialog;
}

// Three groups of material buttons (ten, ten and two) and the button that
// leaves the popup for the full material dialog.
SDialogTemplate RecentMaterials()
{
    SDialogTemplate dialog =
        Template(IDD_RECENT_MATERIALS, L"Recent Materials",
                 WS_POPUP | WS_BORDER | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 176, 64);
    for (int i = 0; i < kRecentGroup0Count; ++i)
    {
        dialog.items.push_back(Button(IDC_RECENT_GROUP0_FIRST + i, L"", static_cast<short>(4 + i * 17), 4, 16,
                                      16, kOwnerDrawButton));
    }
    for (int i = 0; i < kRecentGroup1Count; ++i)
    {
        dialog.items.push_back(Button(IDC_RECENT_GROUP1_FIRST + i, L"", static_cast<short>(4 + i * 17), 24,
                                      16, 16, kOwnerDrawButton));
    }
    for (int i = 0; i < kRecentGroup2Count; ++i)
    {
        dialog.items.push_back(Button(IDC_RECENT_GROUP2_FIRST + i, L"", static_cast<short>(4 + i * 17), 44,
                                      16, 16, kOwnerDrawButton));
    }
    dialog.items.push_back(Button(IDC_RECENT_OTHER, L"Other Material...", 96, 45, 76, 14));
    return dialog;
}
} // namespace

const std::vector<SDialogTemplate>& PaneDialogs()
{
    static const std::vector<SDialogTemplate> s_dialogs = {Pane(), RecentMaterials()};
    return s_dialogs;
}
