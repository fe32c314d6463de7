// The settings pages of the colour, pattern and texture styles. Pages are
// child control dialogs (320 x 170 units) that a properties dialog creates
// inside its page area.
#include "DialogGroups.h"
#include "DialogItems.h"

using namespace dialog_items;

namespace
{
constexpr short kPageWidth = 320;
constexpr short kPageHeight = 170;

SDialogTemplate Page(ResourceNumber nID)
{
    return Template(nID, L"", kPageDialog, kPageWidth, kPageHeight);
}

// Colour control on the left, the basic colours under it, the numeric
// edits with their ramps and the HTML code on the right.
SDialogTemplate Solid24()
{
    SDialogTemplate dialog = Page(IDD_SOLID_24_PAGE);
    dialog.items = {
        Placeholder(IDC_SOLID_COLOR_CONTROL, 5, 5, 120, 116),
        Placeholder(IDC_SOLID_BASIC_COLORS, 5, 125, 120, 40),
        Label(IDC_UNNUMBERED, L"Red:", 135, 8, 40),
        Edit(IDC_SOLID_RED, 178, 6, 40),
        Label(IDC_UNNUMBERED, L"Green:", 135, 26, 40),
        Edit(IDC_SOLID_GREEN, 178, 24, 40),
        Label(IDC_UNNUMBERED, L"Blue:", 135, 44, 40),
        Edit(IDC_SOLID_BLUE, 178, 42, 40),
        Label(IDC_UNNUMBERED, L"Hue:", 228, 8, 44),
        Edit(IDC_SOLID_HUE, 274, 6, 40),
        Label(IDC_UNNUMBERED, L"Saturation:", 228, 26, 44),
        Edit(IDC_SOLID_SATURATION, 274, 24, 40),
        Label(IDC_UNNUMBERED, L"Lightness:", 228, 44, 44),
        Edit(IDC_SOLID_LIGHTNESS, 274, 42, 40),
        CheckBox(IDC_SOLID_LINK, L"Show linked color ramps", 135, 64, 140),
        Label(IDC_UNNUMBERED, L"HTML code:", 135, 84, 44),
        Edit(IDC_HTML_CODE, 182, 82, 50),
    };
    return dialog;
}

// The palette grid (16 cells of 13 pixels a row) with the sort order above
// it and the chosen entry's index and values beside it.
SDialogTemplate SolidPaletted()
{
    SDialogTemplate dialog = Page(IDD_SOLID_PALETTED_PAGE);
    dialog.items = {
        Label(IDC_UNNUMBERED, L"Sort:", 5, 7, 25),       DropDownList(IDC_PALETTED_SORT, 32, 5, 100, 60),
        Placeholder(IDC_PALETTED_GRID, 5, 22, 150, 140), Label(IDC_UNNUMBERED, L"Index:", 165, 24, 30),
        Label(IDC_PALETTED_INDEX, L"", 198, 24, 40),     Label(IDC_PALETTED_VALUES, L"", 165, 40, 150),
        Label(IDC_PALETTED_HTML, L"", 165, 56, 150),
    };
    return dialog;
}

// The wheel with the harmony buttons under it; beside it the slider view
// (model list, tracks and value edits) and the view buttons.
SDialogTemplate ColorWheel()
{
    SDialogTemplate dialog = Page(IDD_COLOR_WHEEL_PAGE);
    const ResourceNumber schemes[] = {IDC_WHEEL_SCHEME_MONO,     IDC_WHEEL_SCHEME_COMPLEMENT,
                                      IDC_WHEEL_SCHEME_TRIAD,    IDC_WHEEL_SCHEME_TETRAD,
                                      IDC_WHEEL_SCHEME_ANALOGIC, IDC_WHEEL_SCHEME_ACCENTED};
    const wchar_t* const schemeTexts[] = {L"Mono",   L"Complement", L"Triad",
                                          L"Tetrad", L"Analogic",   L"Accented"};
    dialog.items = {
        Placeholder(IDC_WHEEL_CONTROL, 5, 5, 130, 130),
        DropDownList(IDC_WHEEL_SLIDER_TYPE, 142, 5, 100, 80),
        Placeholder(IDC_WHEEL_SLIDER_AREA, 142, 22, 66, 96),
        Edit(IDC_WHEEL_SLIDER_EDIT_FIRST + 0, 212, 22, 30),
        Edit(IDC_WHEEL_SLIDER_EDIT_FIRST + 2, 212, 46, 30),
        Edit(IDC_WHEEL_SLIDER_EDIT_FIRST + 4, 212, 70, 30),
        Edit(IDC_WHEEL_SLIDER_EDIT_FIRST + 6, 212, 94, 30),
        Button(IDC_WHEEL_VIEW_WHEEL, L"Wheel", 252, 5, 62, 14, kRadioButton | kPushLike),
        Button(IDC_WHEEL_VIEW_SLIDERS, L"Sliders", 252, 21, 62, 14, kRadioButton | kPushLike),
        Button(IDC_WHEEL_VIEW_SWATCHES, L"Swatches", 252, 37, 62, 14, kRadioButton | kPushLike),
        Label(IDC_UNNUMBERED, L"HTML code:", 252, 60, 62),
        Edit(IDC_HTML_CODE, 252, 70, 62),
        // The wheel type is chosen by the page's settings; the list stays hidden.
        DropDownList(IDC_WHEEL_TYPE, 252, 90, 62, 50, 0),
    };
    for (int i = 0; i < 6; ++i)
    {
        dialog.items.push_back(Button(schemes[i], schemeTexts[i], static_cast<short>(5 + i * 52), 146, 50, 14,
                                      kRadioButton | kPushLike));
    }
    return dialog;
}

// The classic pattern page: a drop-down thumbnail selector, angle and scale,
// and the preview with its angle handle.
SDialogTemplate PatternClassic()
{
    SDialogTemplate dialog = Page(IDD_PATTERN_PAGE);
    dialog.items = {
        Label(IDC_UNNUMBERED, L"Pattern:", 5, 7, 40),
        Button(IDC_PATTERN_DROP, L"", 5, 18, 100, 70, kOwnerDrawButton),
        Label(IDC_UNNUMBERED, L"Angle:", 115, 20, 30),
        Edit(IDC_PATTERN_ANGLE, 148, 18, 30),
        Label(IDC_UNNUMBERED, L"Scale:", 115, 38, 30),
        Edit(IDC_PATTERN_SCALE, 148, 36, 30),
        Label(IDC_UNNUMBERED, L"%", 181, 38, 10),
        Placeholder(IDC_PATTERN_PREVIEW, 200, 5, 115, 115),
    };
    return dialog;
}

// The new pattern page: category, options button and a thumbnail grid on
// the left, angle, scale and the preview on the right.
SDialogTemplate PatternNew()
{
    SDialogTemplate dialog = Page(IDD_PATTERN2_PAGE);
    dialog.items = {
        Label(IDC_RESOURCE_CATEGORY_LABEL, L"Category:", 5, 7, 40),
        DropDownList(IDC_RESOURCE_CATEGORY, 48, 5, 130, 80),
        ImageButton(IDC_RESOURCE_OPTIONS, 181, 4, 16, 14),
        Placeholder(IDC_PATTERN_DROP, 5, 22, 192, 143),
        Label(IDC_UNNUMBERED, L"Angle:", 205, 8, 30),
        Edit(IDC_PATTERN_ANGLE, 238, 6, 30),
        Label(IDC_UNNUMBERED, L"Scale:", 205, 26, 30),
        Edit(IDC_PATTERN_SCALE, 238, 24, 30),
        Label(IDC_UNNUMBERED, L"%", 271, 26, 10),
        Placeholder(IDC_PATTERN_PREVIEW, 205, 44, 110, 110),
    };
    return dialog;
}

// The texture page: the switch, the category and grid of textures, the
// chosen texture's name, angle, scale and preview.
SDialogTemplate Texture()
{
    SDialogTemplate dialog = Page(IDD_TEXTURE_PAGE);
    dialog.items = {
        CheckBox(IDC_PROPS_TEXTURE_ON, L"Use a texture", 5, 5, 100),
        Label(IDC_RESOURCE_CATEGORY_LABEL, L"Category:", 5, 21, 40),
        DropDownList(IDC_RESOURCE_CATEGORY, 48, 19, 130, 80),
        ImageButton(IDC_RESOURCE_OPTIONS, 181, 18, 16, 14),
        Placeholder(IDC_PROPS_TEXTURE_DROP, 5, 36, 192, 129),
        Label(IDC_PROPS_TEXTURE_NAME, L"", 205, 6, 110, 8, kStaticEndEllipsis),
        Label(IDC_UNNUMBERED, L"Angle:", 205, 22, 30),
        Edit(IDC_PROPS_ANGLE, 238, 20, 30),
        Label(IDC_UNNUMBERED, L"Scale:", 205, 40, 30),
        Edit(IDC_PROPS_SCALE, 238, 38, 30),
        Label(IDC_UNNUMBERED, L"%", 271, 40, 10),
        Placeholder(IDC_PROPS_TEXTURE_PREVIEW, 205, 56, 110, 109),
    };
    return dialog;
}
} // namespace

const std::vector<SDialogTemplate>& PageDialogs()
{
    static const std::vector<SDialogTemplate> s_dialogs = {Solid24(),        SolidPaletted(), ColorWheel(),
                                                           PatternClassic(), PatternNew(),    Texture()};
    return s_dialogs;
}
