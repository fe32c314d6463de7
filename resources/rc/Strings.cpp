// The English string table. Texts that the palette formats keep the
// conversions it formats into them (noted beside each); all others hold no
// conversion at all, so that a stray "%" can never be read as one.
#include "ResourceIds.h"
#include "ResourceTables.h"

#include <cwchar>
#include <iterator>

namespace
{
struct SStringText
{
    ResourceNumber nId;
    const wchar_t* pszText;
};

const SStringText kStrings[] = {
    // Styles.
    {IDS_STYLE_SOLID_TOOLTIP, L"Color"},
    {IDS_STYLE_GRADIENT_TOOLTIP, L"Gradient"},
    {IDS_STYLE_PATTERN_TOOLTIP, L"Pattern"},
    {IDS_STYLE_ART_MEDIA_TOOLTIP, L"Art Media Color"},
    {IDS_STYLE_TEXTURE_TOOLTIP, L"Texture"},
    {IDS_STYLE_SOLID_NAME, L"Color"},
    {IDS_STYLE_GRADIENT_NAME, L"Gradient"},
    {IDS_STYLE_PATTERN_NAME, L"Pattern"},
    {IDS_STYLE_TEXTURE_NAME, L"Texture"},

    // The Materials pane.
    {IDS_PANE_CAPTION, L"Materials"},
    {IDS_TAB_RAINBOW, L"Rainbow"},
    {IDS_TAB_SWATCHES, L"Swatches"},
    {IDS_TAB_RING, L"Frame"},
    {IDS_TAB_HSL_MAP, L"HSL Map"},
    {IDS_TAB_SLIDERS, L"Sliders"},
    {IDS_TT_SWAP, L"Swap the foreground and background materials"},
    {IDS_TT_SWAP_SMALL, L"Swap the foreground and background colors"},
    {IDS_TT_APPLY_TO_ALL, L"Use these materials for all tools"},
    {IDS_TT_BLACK_WHITE, L"Black foreground and white background"},
    {IDS_TT_ADD_SWATCH, L"Add the foreground material to the swatches"},
    {IDS_TT_REMOVE_SWATCH, L"Remove the selected swatch"},
    {IDS_TT_DROPPER, L"Pick a color from anywhere on the screen"},
    {IDS_NAME_BACK_MATERIAL, L"Background and Fill Properties"},
    {IDS_NAME_FORE_MATERIAL, L"Foreground and Stroke Properties"},
    {IDS_NAME_FORE_SOLID, L"Foreground Color"},
    {IDS_NAME_BACK_SOLID, L"Background Color"},
    {IDS_RECENTLY_USED_TITLE, L"Recent Materials"},

    // Swatches.
    {IDS_TT_SWATCH_OPTIONS, L"Swatch options"},
    {IDS_BUILTIN_CATEGORY_NAME, L"Standard Swatches"},
    {IDS_SWATCH_REFUSED, L"This material cannot be kept as a swatch:"},
    {IDS_SWATCH_REFUSED_GRADIENT, L"\n- its gradient has not been saved"},
    {IDS_SWATCH_REFUSED_PATTERN, L"\n- its pattern is not one of the pattern resources"},
    {IDS_SWATCH_REFUSED_TEXTURE, L"\n- its texture has not been saved"},
    {IDS_SWATCH_NAME_TAKEN, L"Another swatch in this palette already has that name."},
    {IDS_SWATCH_RENAME_FAILED, L"The swatch could not be renamed."},
    {IDS_SWATCH_ERROR_CAPTION, L"Swatch Palettes"},
    {IDS_CONFIRM_DELETE_CATEGORY, L"Delete the swatch palette \"%s\" with all of its swatches?"}, // %s name
    {IDS_RENAME_CATEGORY_TITLE, L"Rename Swatch Palette"},
    {IDS_RENAME_SWATCH_TITLE, L"Rename Swatch"},
    {IDS_NAME_EMPTY, L"Please type a name."},
    {IDS_NAME_INVALID_CHARACTERS, L"A name cannot contain any of these characters:\n%s"}, // %s characters
    {IDS_NAME_EXISTS, L"The name \"%s\" is already in use. Please choose another name."}, // %s name
    {IDS_DEFAULT_SWATCH_NAME, L"Swatch %d"},                                              // %d counter
    {IDS_DEFAULT_PALETTE_NAME, L"Palette %d"},                                            // %d counter
    {IDS_ADD_SWATCH_NO_PALETTE,
     L"Swatches are kept in palettes of your own. You have none yet: choose New Palette to make one."},

    // The Material Properties dialogs.
    {IDS_SOLID_ONLY_NOTE, L"This tool takes a solid color only."},
    {IDS_UNSAVED_TEXTURE, L"Texture from the image"},
    {IDS_TEXTURE_ANGLE, L"Angle"},
    {IDS_TEXTURE_SCALE, L"Scale"},
    {IDS_TT_ADD_CURRENT_TITLE, L"Add Current"},
    {IDS_TT_ADD_CURRENT, L"Add the current material to the swatches"},

    // Colour wheel page.
    {IDS_WHEEL_PLAIN, L"Color Wheel"},
    {IDS_WHEEL_ARTISTS, L"Artist's Wheel"},
    {IDS_SLIDER_TYPE_GREYSCALE, L"Grayscale"},
    {IDS_SLIDER_TYPE_RGB, L"RGB"},
    {IDS_SLIDER_TYPE_CMYK, L"CMYK"},
    {IDS_SLIDER_TYPE_HSL, L"HSL"},
    {IDS_SLIDER_TYPE_LAB, L"Lab"},
    {IDS_SLIDER_TYPE_WEB, L"Web-safe RGB"},

    // Solid colour pages.
    {IDS_EDIT_RED, L"Red"},
    {IDS_EDIT_GREEN, L"Green"},
    {IDS_EDIT_BLUE, L"Blue"},
    {IDS_EDIT_HUE, L"Hue"},
    {IDS_EDIT_SATURATION, L"Saturation"},
    {IDS_EDIT_LIGHTNESS, L"Lightness"},
    {IDS_SORT_PALETTE_ORDER, L"Palette Order"},
    {IDS_SORT_BY_HUE, L"By Hue"},
    {IDS_SORT_BY_LUMINANCE, L"By Luminance"},
    {IDS_FORMAT_RGB_HEX, L"R: %02X   G: %02X   B: %02X"},
    {IDS_FORMAT_HSL_HEX, L"H: %02X   S: %02X   L: %02X"},
    {IDS_FORMAT_HSL_DECIMAL, L"H: %d   S: %d   L: %d"},
    {IDS_FORMAT_RGB_DECIMAL, L"R: %d   G: %d   B: %d"},
    {IDS_FORMAT_HTML, L"HTML: #%02X%02X%02X"},

    // Patterns.
    {IDS_UNSAVED_PATTERN, L"Pattern from the image"},

    // Gradients.
    {IDS_UNSAVED_GRADIENT, L"Unsaved Gradient"},
    {IDS_GRADIENT_FILE_FILTER, L"Gradient Files (*.grd)|*.grd|All Files (*.*)|*.*||"},
    {IDS_GRADIENT_NAME_PROMPT, L"Gradient name:"},
    {IDS_CAPTION_NEW_GRADIENT, L"New Gradient"},
    {IDS_CAPTION_SAVE_GRADIENT_AS, L"Save Gradient As"},
    {IDS_CAPTION_RENAME_GRADIENT, L"Rename Gradient"},
    {IDS_GRADIENT_READ_ONLY, L"The gradient \"%s\" cannot be saved because its file is read-only.\nSave it "
                             L"under another name?"}, // %s
    {IDS_GRADIENT_WRITE_FAILED, L"The gradient could not be saved."},
    {IDS_SAVE_GRADIENT_CHANGES, L"The gradient \"%s\" has changed. Keep the changes?"}, // %s name
    {IDS_CONFIRM_DELETE_GRADIENT, L"Delete the gradient \"%s\"?"},                      // %s name
    {IDS_EXPORT_GRADIENT_TITLE, L"Export Gradients"},
    {IDS_IMPORT_GRADIENT_TITLE, L"Import Gradients"},
    {IDS_IMPORT_PARTIAL, L"The file could be read only in part. The gradients read so far are imported."},
    {IDS_IMPORT_FAILED, L"The file could not be read as a gradient file."},

    // Names of numeric edits for their tooltips.
    {IDS_EDIT_CENTER_X, L"Horizontal center"},
    {IDS_EDIT_CENTER_Y, L"Vertical center"},
    {IDS_EDIT_GRADIENT_ANGLE, L"Angle"},
    {IDS_EDIT_REPEATS, L"Repeats"},
    {IDS_EDIT_PATTERN_SCALE, L"Scale"},
    {IDS_EDIT_TEXTURE_SCALE, L"Scale"},
    {IDS_EDIT_TEXTURE_ANGLE, L"Angle"},
    {IDS_EDIT_FOCAL_X, L"Horizontal focal point"},
    {IDS_EDIT_FOCAL_Y, L"Vertical focal point"},
    {IDS_EDIT_COLOR_LOCATION, L"Location"},
    {IDS_EDIT_OPACITY_LOCATION, L"Location"},
    {IDS_EDIT_OPACITY, L"Opacity"},
};
} // namespace

void AppendStringEntries(std::vector<SResourceEntry>& entries)
{
    for (const SStringText& text : kStrings)
    {
        // String data is the text without its terminator; the size is in bytes.
        entries.push_back({RT_STRING, MAKEINTRESOURCEW(text.nId), text.pszText,
                           static_cast<DWORD>(std::wcslen(text.pszText) * sizeof(wchar_t))});
    }
}
