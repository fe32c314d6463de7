// The Material Properties dialogs: the classic one with a tab per style and a
// texture section, the colour editor built the same way, and the new-style
// one with tab buttons, harmony samples and the stop editor's fields.
#include "DialogGroups.h"
#include "DialogItems.h"

using namespace dialog_items;

namespace
{
// The pages (320 x 170 units) go inside the tab control's display area.
SDialogTemplate Classic(ResourceNumber nID, const wchar_t* pszCaption)
{
    SDialogTemplate dialog = Template(nID, pszCaption, kModalDialog, 426, 268);
    dialog.items = {
        TabControl(IDC_PROPS_STYLE_TABS, 7, 7, 330, 190),
        Label(IDC_PROPS_CURRENT_LABEL, L"Current:", 345, 7, 60),
        Placeholder(IDC_PROPS_CURRENT_SAMPLE, 345, 18, 60, 40),
        ImageButton(IDC_PROPS_SWATCH_FLYOUT, 407, 18, 12, 12),
        Label(IDC_PROPS_PREVIOUS_LABEL, L"Original:", 345, 62, 60),
        Placeholder(IDC_PROPS_PREVIOUS_SAMPLE, 345, 73, 60, 40),
        Button(IDC_PROPS_ADD_SWATCH, L"Add to Swatches", 345, 118, 74),
        // The note takes the texture section's place in single-page mode.
        Hidden(Label(IDC_PROPS_NOTE, L"", 7, 204, 330)),
        GroupBox(IDC_PROPS_TEXTURE_GROUP, L"Texture", 7, 202, 412, 40),
        CheckBox(IDC_PROPS_TEXTURE_ON, L"Use a texture", 14, 215, 70),
        Placeholder(IDC_PROPS_TEXTURE_PREVIEW, 90, 212, 24, 24),
        Button(IDC_PROPS_TEXTURE_DROP, L"", 120, 212, 70, 24, kOwnerDrawButton),
        Label(IDC_PROPS_TEXTURE_NAME, L"", 195, 215, 90, 8, kStaticEndEllipsis),
        Label(IDC_PROPS_ANGLE_LABEL, L"Angle:", 290, 213, 30),
        Edit(IDC_PROPS_ANGLE, 322, 211, 30),
        Label(IDC_PROPS_SCALE_LABEL, L"Scale:", 290, 228, 30),
        Edit(IDC_PROPS_SCALE, 322, 226, 30),
        Button(IDC_PROPS_HELP, L"Help", 7, 248, 50),
        OkButton(315, 248),
        CancelButton(369, 248),
    };
    return dialog;
}

SDialogTemplate NewStyle()
{
    SDialogTemplate dialog =
        Template(IDD_MATERIAL_PROPERTIES2, L"Material Properties", kModalDialog, 430, 268);
    dialog.items = {
        // Tab buttons: the dialog shows those of the styles it was given and
        // checks one at a time.
        Hidden(Button(IDC_PROPS2_TAB_COLOR, L"Color", 7, 7, 50, 14, kCheckBox | kPushLike)),
        Hidden(Button(IDC_PROPS2_TAB_GRADIENT, L"Gradient", 59, 7, 50, 14, kCheckBox | kPushLike)),
        Hidden(Button(IDC_PROPS2_TAB_PATTERN, L"Pattern", 111, 7, 50, 14, kCheckBox | kPushLike)),
        Hidden(Button(IDC_PROPS2_TAB_TEXTURE, L"Texture", 163, 7, 50, 14, kCheckBox | kPushLike)),
        // Where the pages go; never shown itself.
        Placeholder(IDC_PROPS2_PAGE_AREA, 7, 24, 320, 170, 0),
        Label(IDC_PROPS_CURRENT_LABEL, L"Current:", 335, 24, 60),
        Placeholder(IDC_PROPS_CURRENT_SAMPLE, 335, 34, 60, 36),
        ImageButton(IDC_PROPS_SWATCH_FLYOUT, 397, 34, 12, 12),
        Label(IDC_PROPS_PREVIOUS_LABEL, L"Original:", 335, 74, 60),
        Placeholder(IDC_PROPS_PREVIOUS_SAMPLE, 335, 84, 60, 36),
        // Harmony sample cells, painted by the dialog.
        Item(L"STATIC", IDC_PROPS2_SAMPLE_FIRST + 0, L"", 335, 126, 20, 14,
             kVisibleChild | kStaticOwnerDraw | kStaticNotify),
        Item(L"STATIC", IDC_PROPS2_SAMPLE_FIRST + 1, L"", 357, 126, 20, 14,
             kVisibleChild | kStaticOwnerDraw | kStaticNotify),
        Item(L"STATIC", IDC_PROPS2_SAMPLE_FIRST + 2, L"", 379, 126, 20, 14,
             kVisibleChild | kStaticOwnerDraw | kStaticNotify),
        Item(L"STATIC", IDC_PROPS2_SAMPLE_FIRST + 3, L"", 401, 126, 20, 14,
             kVisibleChild | kStaticOwnerDraw | kStaticNotify),
        ImageButton(IDC_PROPS2_ADD_CURRENT, 335, 144, 16, 14),
        Button(IDC_PROPS_ADD_SWATCH, L"Add to Swatches", 353, 144, 70),
        // The new gradient page's stop editor fields, shown with that page.
        Label(IDC_STOP_LOCATION_LABEL, L"Location:", 335, 166, 36),
        Edit(IDC_STOP_COLOR_LOCATION, 373, 164, 24),
        Edit(IDC_STOP_OPACITY_LOCATION, 399, 164, 24),
        Label(IDC_STOP_OPACITY_LABEL, L"Opacity:", 335, 181, 36),
        Edit(IDC_STOP_OPACITY, 373, 179, 24),
        Radio(IDC_STOP_USE_FOREGROUND, L"", 335, 196, 10, true),
        Label(IDC_STOP_FOREGROUND_LABEL, L"Foreground", 347, 197, 50),
        Radio(IDC_STOP_USE_BACKGROUND, L"", 335, 208, 10, false),
        Label(IDC_STOP_BACKGROUND_LABEL, L"Background", 347, 209, 50),
        Radio(IDC_STOP_USE_USER_COLOR, L"", 335, 220, 10, false),
        Label(IDC_STOP_USER_COLOR_LABEL, L"Custom", 347, 221, 34),
        Button(IDC_STOP_USER_COLOR, L"", 385, 218, 38, 14),
        // Notes and captions that pages show when they need them.
        Hidden(Label(IDC_PROPS_NOTE, L"", 7, 198, 320)),
        Hidden(Label(IDC_PROPS2_PAGE_NOTE_FIRST + 0, L"Color stops", 7, 208, 100)),
        Hidden(Label(IDC_PROPS2_PAGE_NOTE_FIRST + 1, L"Opacity stops", 110, 208, 100)),
        Hidden(Label(IDC_PROPS2_PAGE_NOTE_FIRST + 2, L"Stop color", 7, 218, 100)),
        Hidden(Label(IDC_PROPS2_PAGE_NOTE_FIRST + 3, L"Stop opacity", 110, 218, 100)),
        Button(IDC_PROPS_HELP, L"Help", 7, 248, 50),
        OkButton(319, 248),
        CancelButton(373, 248),
    };
    return dialog;
}
} // namespace

const std::vector<SDialogTemplate>& PropertiesDialogs()
{
    static const std::vector<SDialogTemplate> s_dialogs = {
        Classic(IDD_MATERIAL_PROPERTIES, L"Material Properties"),
        Classic(IDD_COLOR_EDITOR, L"Edit Color"),
        NewStyle(),
    };
    return s_dialogs;
}
