// The swatch name, palette name and add-swatch dialogs.
#include "DialogGroups.h"
#include "DialogItems.h"

using namespace dialog_items;

namespace
{
SDialogTemplate NameDialog(ResourceNumber nID, const wchar_t* pszCaption, const wchar_t* pszPrompt)
{
    SDialogTemplate dialog = Template(nID, pszCaption, kModalDialog, 180, 54);
    dialog.items = {
        Label(IDC_SWATCH_NAME_PROMPT, pszPrompt, 7, 7, 166),
        Edit(IDC_SWATCH_NAME_EDIT, 7, 18, 166),
        OkButton(69, 35),
        CancelButton(123, 35),
    };
    return dialog;
}

// The category list and the note are alternatives: the dialog shows the list
// when the user has palettes to choose from and the note otherwise.
SDialogTemplate AddSwatch()
{
    SDialogTemplate dialog = Template(IDD_ADD_SWATCH, L"Add Swatch", kModalDialog, 200, 84);
    dialog.items = {
        Label(IDC_UNNUMBERED, L"Add the swatch to this palette:", 7, 7, 186),
        DropDownList(IDC_ADD_SWATCH_LIST, 7, 18, 186, 80),
        Label(IDC_ADD_SWATCH_NOTE, L"", 7, 34, 186, 24),
        Button(IDC_ADD_SWATCH_NEW, L"New Palette...", 7, 64, 60),
        OkButton(89, 64),
        CancelButton(143, 64),
    };
    return dialog;
}
} // namespace

const std::vector<SDialogTemplate>& SwatchDialogs()
{
    static const std::vector<SDialogTemplate> s_dialogs = {
        NameDialog(IDD_SWATCH_NAME, L"Swatch Name", L"Swatch name:"),
        NameDialog(IDD_PALETTE_NAME, L"Swatch Palette Name", L"Palette name:"),
        AddSwatch(),
    };
    return s_dialogs;
}
