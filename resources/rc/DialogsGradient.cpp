// The gradient pages, the gradient editor and the gradient name dialog.
#include "DialogGroups.h"
#include "DialogItems.h"

using namespace dialog_items;

namespace
{
constexpr DWORD kTypeButton = kCheckBox | kPushLike | kButtonBitmap;

// Type, angle, repeats, centre, focal point, link and invert: the settings
// both gradient pages share, placed from (x, y).
void AppendSettings(std::vector<SDialogItemTemplate>& items, short x, short y)
{
    const short edit = static_cast<short>(x + 38);
    const short second = static_cast<short>(x + 71);
    const short unit = static_cast<short>(x + 104);
    const std::vector<SDialogItemTemplate> settings = {
        Label(IDC_GRADIENT_TYPE_LABEL, L"Type:", x, static_cast<short>(y + 3), 24),
        Item(L"BUTTON", IDC_GRADIENT_LINEAR, L"", edit, y, 16, 16, kVisibleChild | WS_TABSTOP | kTypeButton),
        Item(L"BUTTON", IDC_GRADIENT_RECTANGULAR, L"", static_cast<short>(edit + 18), y, 16, 16,
             kVisibleChild | WS_TABSTOP | kTypeButton),
        Item(L"BUTTON", IDC_GRADIENT_RADIAL, L"", static_cast<short>(edit + 36), y, 16, 16,
             kVisibleChild | WS_TABSTOP | kTypeButton),
        Item(L"BUTTON", IDC_GRADIENT_ANGULAR, L"", static_cast<short>(edit + 54), y, 16, 16,
             kVisibleChild | WS_TABSTOP | kTypeButton),
        Label(IDC_GRADIENT_ANGLE_LABEL, L"Angle:", x, static_cast<short>(y + 22), 36),
        Edit(IDC_GRADIENT_ANGLE, edit, static_cast<short>(y + 20), 30),
        Label(IDC_GRADIENT_ANGLE_UNIT, L"\u00B0", static_cast<short>(edit + 33), static_cast<short>(y + 22),
              8),
        Label(IDC_GRADIENT_REPEATS_LABEL, L"Repeats:", x, static_cast<short>(y + 38), 36),
        Edit(IDC_GRADIENT_REPEATS, edit, static_cast<short>(y + 36), 30),
        Label(IDC_GRADIENT_CENTER_LABEL, L"Center:", x, static_cast<short>(y + 54), 36),
        Edit(IDC_GRADIENT_CENTER_X, edit, static_cast<short>(y + 52), 30),
        Edit(IDC_GRADIENT_CENTER_Y, second, static_cast<short>(y + 52), 30),
        Label(IDC_GRADIENT_CENTER_UNIT, L"%", unit, static_cast<short>(y + 54), 8),
        Label(IDC_GRADIENT_FOCAL_LABEL, L"Focal:", x, static_cast<short>(y + 70), 36),
        Edit(IDC_GRADIENT_FOCAL_X, edit, static_cast<short>(y + 68), 30),
        Edit(IDC_GRADIENT_FOCAL_Y, second, static_cast<short>(y + 68), 30),
        Label(IDC_GRADIENT_FOCAL_UNIT, L"%", unit, static_cast<short>(y + 70), 8),
        CheckBox(IDC_GRADIENT_LINK, L"Link", x, static_cast<short>(y + 86), 36),
        CheckBox(IDC_GRADIENT_INVERT, L"Invert", edit, static_cast<short>(y + 86), 40),
    };
    items.insert(items.end(), settings.begin(), settings.end());
}

// The classic page: the gradient drop list with the editor button on the
// left, the settings in the middle and the preview on the right.
SDialogTemplate GradientClassic()
{
    SDialogTemplate dialog = Template(IDD_GRADIENT_PAGE, L"", kPageDialog, 320, 170);
    dialog.items = {
        Label(IDC_UNNUMBERED, L"Gradient:", 5, 7, 40),
        Button(IDC_GRADIENT_DROP, L"", 5, 18, 100, 70, kOwnerDrawButton),
        Label(IDC_GRADIENT_NAME, L"", 5, 92, 100, 8, kStaticEndEllipsis),
        Button(IDC_GRADIENT_EDIT, L"Edit Gradients...", 5, 104, 100),
    };
    AppendSettings(dialog.items, 112, 5);
    dialog.items.push_back(Placeholder(IDC_GRADIENT_PREVIEW, 230, 5, 85, 85));
    return dialog;
}

// The new page: the stop bars across the top, the thumbnail grid with its
// buttons at the bottom left, the expand button, and the settings panel
// (settings, drop list and preview) that the expand button hides.
SDialogTemplate GradientNew()
{
    SDialogTemplate dialog = Template(IDD_GRADIENT2_PAGE, L"", kPageDialog, 320, 170);
    dialog.items = {
        Frame(IDC_GRADEDIT_COLOR_BAR, 10, 8, 300, 10),
        Frame(IDC_GRADEDIT_PREVIEW, 10, 26, 300, 8),
        Frame(IDC_GRADEDIT_OPACITY_BAR, 10, 44, 300, 10),
        Placeholder(IDC_GRADIENT2_GRID, 5, 66, 150, 82),
        ImageButton(IDC_RESOURCE_OPTIONS, 5, 152, 16, 14),
        Button(IDC_GRADIENT2_NEW, L"New", 24, 152, 30),
        Button(IDC_GRADIENT2_DELETE, L"Delete", 57, 152, 30),
        Button(IDC_GRADIENT2_RESET, L"Reset", 90, 152, 30),
        Button(IDC_GRADIENT2_SAVE, L"Save", 123, 152, 30),
        ImageButton(IDC_GRADIENT2_EXPAND, 158, 66, 12, 14),
        Label(IDC_GRADIENT2_DIRTY, L"", 158, 84, 12),
    };
    AppendSettings(dialog.items, 174, 66);
    dialog.items.push_back(Button(IDC_GRADIENT_DROP, L"", 288, 66, 28, 16, kOwnerDrawButton));
    dialog.items.push_back(Placeholder(IDC_GRADIENT_PREVIEW, 288, 86, 28, 60));
    dialog.items.push_back(Button(IDC_GRADIENT2_SMART, L"From Colors", 255, 152, 60));
    return dialog;
}

// The editor: the list of gradients with their file operations on the left,
// the stop bars, the combined preview and the stop fields on the right.
SDialogTemplate Editor()
{
    SDialogTemplate dialog = Template(IDD_GRADIENT_EDITOR, L"Gradient Editor", kModalDialog, 330, 230);
    dialog.items = {
        Label(IDC_UNNUMBERED, L"Gradients:", 7, 7, 100),
        ListBox(IDC_GRADEDIT_LIST, 7, 18, 110, 170, kListExtendedSelection),
        Button(IDC_GRADEDIT_NEW, L"New...", 7, 192, 54),
        Button(IDC_GRADEDIT_COPY, L"Copy...", 63, 192, 54),
        Button(IDC_GRADEDIT_RENAME, L"Rename...", 7, 209, 54),
        Button(IDC_GRADEDIT_DELETE, L"Delete", 63, 209, 54),
        Label(IDC_UNNUMBERED, L"Color stops", 125, 7, 100),
        Frame(IDC_GRADEDIT_COLOR_BAR, 130, 24, 188, 12),
        Frame(IDC_GRADEDIT_PREVIEW, 130, 52, 188, 10),
        Label(IDC_UNNUMBERED, L"Opacity stops", 125, 66, 100),
        Frame(IDC_GRADEDIT_OPACITY_BAR, 130, 84, 188, 12),
        Label(IDC_UNNUMBERED, L"Color location:", 125, 116, 60),
        Edit(IDC_STOP_COLOR_LOCATION, 188, 114, 30),
        Label(IDC_UNNUMBERED, L"Opacity location:", 125, 132, 60),
        Edit(IDC_STOP_OPACITY_LOCATION, 188, 130, 30),
        Label(IDC_UNNUMBERED, L"Opacity:", 228, 132, 36),
        Edit(IDC_STOP_OPACITY, 266, 130, 30),
        Radio(IDC_STOP_USE_FOREGROUND, L"Foreground", 125, 150, 70, true),
        Radio(IDC_STOP_USE_BACKGROUND, L"Background", 125, 162, 70, false),
        Radio(IDC_STOP_USE_USER_COLOR, L"Custom", 125, 174, 70, false),
        Placeholder(IDC_STOP_USER_COLOR, 200, 160, 40, 24),
        Button(IDC_GRADEDIT_IMPORT, L"Import...", 125, 192, 60),
        Button(IDC_GRADEDIT_EXPORT, L"Export...", 189, 192, 60),
        Button(IDC_HELP_COMMAND, L"Help", 219, 209, 50),
        CancelButton(273, 209, L"Close"),
    };
    return dialog;
}

SDialogTemplate Rename()
{
    SDialogTemplate dialog = Template(IDD_GRADIENT_RENAME, L"", kModalDialog, 200, 68);
    dialog.items = {
        Label(IDC_RENAME_PROMPT, L"", 7, 7, 186),
        Edit(IDC_RENAME_EDIT, 7, 18, 186),
        CheckBox(IDC_RENAME_APPEND_NUMBER, L"Add a number when the name is taken", 7, 35, 186),
        OkButton(89, 49),
        CancelButton(143, 49),
    };
    return dialog;
}
} // namespace

const std::vector<SDialogTemplate>& GradientDialogs()
{
    static const std::vector<SDialogTemplate> s_dialogs = {GradientClassic(), GradientNew(), Editor(),
                                                           Rename()};
    return s_dialogs;
}
