// The host's visual colour manager: the colours of the skinned user
// interface by number, for a light and a dark theme; the visual theme applied
// to each window; and the "in error" state of edit windows, which skinned
// edits and their parents paint in the error colours.
#pragma once

#include "WinUser.h"

#include <map>

// The colour numbers and what each one paints.
enum EXUIColor : int
{
    XUI_COLOR_ERROR_TEXT = 8,             // text on an error background (an edit in error)
    XUI_COLOR_EDIT_FRAME_DARK = 16,       // bottom and right edges of a skinned edit's frame
    XUI_COLOR_GLYPH = 18,                 // glyphs of skinned buttons; black in a mapped bitmap
    XUI_COLOR_EDIT_FRAME_LIGHT = 20,      // top and left edges of a skinned edit's frame
    XUI_COLOR_TAB_NORMAL = 1216,          // a tab or tab button at rest
    XUI_COLOR_TAB_BORDER = 1217,          // frames of tabs, check boxes and pressed tool buttons
    XUI_COLOR_TAB_TEXT = 1219,            // text of a tab at rest
    XUI_COLOR_TAB_CHECKED = 1221,         // the selected tab, a pushed button, the check box's box
    XUI_COLOR_TAB_TEXT_CHECKED = 1224,    // text of the selected tab
    XUI_COLOR_TAB_HOT = 1226,             // a tab or tool button under the pointer
    XUI_COLOR_TAB_TEXT_DISABLED = 1229,   // text and glyphs of disabled tabs and buttons
    XUI_COLOR_PANE_BACKGROUND = 1282,     // background of panes, pickers and property pages
    XUI_COLOR_PANE_TEXT = 1284,           // text drawn on the pane background
    XUI_COLOR_PAGE_TEXT = 1285,           // text of property pages
    XUI_COLOR_STATIC_BACKGROUND = 1286,   // the brush static controls of a pane are painted on
    XUI_COLOR_MATERIAL_BUTTON = 1607,     // background of a material control's small buttons
    XUI_COLOR_MATERIAL_BACKGROUND = 1608, // background of a material control and of an empty well
    XUI_COLOR_MATERIAL_FRAME = 1609,      // frame around a material well
    XUI_COLOR_MATERIAL_HIGHLIGHT = 1610,  // a checked or pressed material control button
    XUI_COLOR_PICKER_FRAME = 1611,        // the one-pixel frame around colour pickers
    XUI_COLOR_PICKER_MAP_FRAME = 1815,    // the frame around a picker's colour map and hue bar
};

enum class EXUITheme
{
    Light,
    Dark,
};

// The theme a property page applies to itself.
constexpr int XUI_THEME_PROPERTY_PAGE = 6;

class CXUIVisualManager
{
public:
    // The process-wide manager.
    static CXUIVisualManager& GetInstance();

    // The colour of a number in the current theme (an override first). An
    // unknown number gives the pane background colour, so that a caller
    // still paints something readable, and a debugger line names it.
    COLORREF GetThemeColor(int nColorId) const;
    bool IsThemeColor(int nColorId) const;

    // Overrides one colour until the theme is switched or overrides are
    // cleared. Windows are told with WM_SYSCOLORCHANGE, as they are when the
    // system's colours change, so they can pick the new colours up.
    void SetThemeColor(int nColorId, COLORREF clrColor);
    void ClearThemeColorOverrides();

    // Switches between the light and dark colour sets (overrides cleared);
    // windows are told as above when the theme changes.
    void SetTheme(EXUITheme eTheme);
    EXUITheme GetTheme() const { return m_eTheme; }

    // Applies a visual theme to a window and remembers it; the window is
    // repainted. A stale window is refused (false).
    bool ApplyTheme(HWND hWnd, int nThemeId);
    // The theme applied to a window, or -1 when none (or it is gone).
    int GetAppliedTheme(HWND hWnd) const;

    // The "in error" state of an edit window (a typed value out of range);
    // the edit is repainted when it changes. A stale window is never in
    // error.
    void SetEditInError(HWND hEdit, bool bInError);
    bool IsEditInError(HWND hEdit) const;

    // Back to the light theme with nothing remembered (tests, host restart).
    void Reset();

private:
    CXUIVisualManager() = default;
    static void TellWindows();

    EXUITheme m_eTheme = EXUITheme::Light;
    std::map<int, COLORREF> m_overrides;
    mutable std::map<HWND, int> m_appliedThemes;
    mutable std::map<HWND, bool> m_editErrors;
};

// Shorthands for the colour of a number in the current theme.
inline COLORREF XUIGetThemeColor(int nColorId)
{
    return CXUIVisualManager::GetInstance().GetThemeColor(nColorId);
}
