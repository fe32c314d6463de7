#include "XUIVisualManager.h"

#include "DebugOutput.h"
#include "CString.h"

#include <set>

namespace
{
struct SThemeColor
{
    int nId;
    COLORREF clrLight;
    COLORREF clrDark;
};

// The two colour sets. The light one keeps glyphs black so that bitmaps
// drawn for a light interface look as drawn; the dark one turns them light.
constexpr SThemeColor kThemeColors[] = {
    {XUI_COLOR_ERROR_TEXT, RGB(255, 255, 255), RGB(255, 255, 255)},
    {XUI_COLOR_EDIT_FRAME_DARK, RGB(160, 160, 160), RGB(40, 40, 40)},
    {XUI_COLOR_GLYPH, RGB(0, 0, 0), RGB(230, 230, 230)},
    {XUI_COLOR_EDIT_FRAME_LIGHT, RGB(105, 105, 105), RGB(90, 90, 90)},
    {XUI_COLOR_TAB_NORMAL, RGB(225, 225, 225), RGB(66, 66, 66)},
    {XUI_COLOR_TAB_BORDER, RGB(172, 172, 172), RGB(30, 30, 30)},
    {XUI_COLOR_TAB_TEXT, RGB(30, 30, 30), RGB(220, 220, 220)},
    {XUI_COLOR_TAB_CHECKED, RGB(255, 255, 255), RGB(95, 95, 95)},
    {XUI_COLOR_TAB_TEXT_CHECKED, RGB(0, 0, 0), RGB(255, 255, 255)},
    {XUI_COLOR_TAB_HOT, RGB(236, 236, 236), RGB(80, 80, 80)},
    {XUI_COLOR_TAB_TEXT_DISABLED, RGB(150, 150, 150), RGB(120, 120, 120)},
    {XUI_COLOR_PANE_BACKGROUND, RGB(240, 240, 240), RGB(56, 56, 56)},
    {XUI_COLOR_PANE_TEXT, RGB(30, 30, 30), RGB(225, 225, 225)},
    {XUI_COLOR_PAGE_TEXT, RGB(0, 0, 0), RGB(235, 235, 235)},
    {XUI_COLOR_STATIC_BACKGROUND, RGB(240, 240, 240), RGB(56, 56, 56)},
    {XUI_COLOR_MATERIAL_BUTTON, RGB(228, 228, 228), RGB(70, 70, 70)},
    {XUI_COLOR_MATERIAL_BACKGROUND, RGB(240, 240, 240), RGB(56, 56, 56)},
    {XUI_COLOR_MATERIAL_FRAME, RGB(128, 128, 128), RGB(20, 20, 20)},
    {XUI_COLOR_MATERIAL_HIGHLIGHT, RGB(204, 228, 247), RGB(38, 79, 120)},
    {XUI_COLOR_PICKER_FRAME, RGB(160, 160, 160), RGB(24, 24, 24)},
    {XUI_COLOR_PICKER_MAP_FRAME, RGB(112, 112, 112), RGB(16, 16, 16)},
};

const SThemeColor* FindThemeColor(int nColorId)
{
    for (const SThemeColor& color : kThemeColors)
    {
        if (color.nId == nColorId)
            return &color;
    }
    return nullptr;
}

BOOL TellChild(HWND hWnd, LPARAM)
{
    SendMessageW(hWnd, WM_SYSCOLORCHANGE, 0, 0);
    InvalidateRect(hWnd, nullptr, TRUE);
    return TRUE;
}

BOOL TellTopLevel(HWND hWnd, LPARAM lParam)
{
    TellChild(hWnd, lParam);
    EnumChildWindows(hWnd, TellChild, 0);
    return TRUE;
}
} // namespace

CXUIVisualManager& CXUIVisualManager::GetInstance()
{
    static CXUIVisualManager s_manager;
    return s_manager;
}

COLORREF CXUIVisualManager::GetThemeColor(int nColorId) const
{
    const auto it = m_overrides.find(nColorId);
    if (it != m_overrides.end())
        return it->second;
    if (const SThemeColor* pColor = FindThemeColor(nColorId))
        return m_eTheme == EXUITheme::Light ? pColor->clrLight : pColor->clrDark;
    // Name each unknown number once rather than on every paint.
    static std::set<int> s_reported;
    if (s_reported.insert(nColorId).second)
    {
        CString strLine;
        strLine.Format(L"[VornXUI] no visual colour %d\n", nColorId);
        OutputDebugStringW(strLine);
    }
    return GetThemeColor(XUI_COLOR_PANE_BACKGROUND);
}

bool CXUIVisualManager::IsThemeColor(int nColorId) const
{
    return FindThemeColor(nColorId) != nullptr || m_overrides.count(nColorId) != 0;
}

void CXUIVisualManager::SetThemeColor(int nColorId, COLORREF clrColor)
{
    const auto it = m_overrides.find(nColorId);
    if (it != m_overrides.end() && it->second == clrColor)
        return;
    m_overrides[nColorId] = clrColor;
    TellWindows();
}

void CXUIVisualManager::ClearThemeColorOverrides()
{
    if (m_overrides.empty())
        return;
    m_overrides.clear();
    TellWindows();
}

void CXUIVisualManager::SetTheme(EXUITheme eTheme)
{
    if (eTheme == m_eTheme && m_overrides.empty())
        return;
    m_eTheme = eTheme;
    m_overrides.clear();
    TellWindows();
}

bool CXUIVisualManager::ApplyTheme(HWND hWnd, int nThemeId)
{
    if (!IsWindow(hWnd))
        return false;
    m_appliedThemes[hWnd] = nThemeId;
    InvalidateRect(hWnd, nullptr, TRUE);
    return true;
}

int CXUIVisualManager::GetAppliedTheme(HWND hWnd) const
{
    const auto it = m_appliedThemes.find(hWnd);
    if (it == m_appliedThemes.end())
        return -1;
    if (!IsWindow(hWnd))
    {
        m_appliedThemes.erase(it);
        return -1;
    }
    return it->second;
}

void CXUIVisualManager::SetEditInError(HWND hEdit, bool bInError)
{
    if (!IsWindow(hEdit))
        return;
    if (IsEditInError(hEdit) == bInError)
        return;
    if (bInError)
        m_editErrors[hEdit] = true;
    else
        m_editErrors.erase(hEdit);
    InvalidateRect(hEdit, nullptr, TRUE);
}

bool CXUIVisualManager::IsEditInError(HWND hEdit) const
{
    const auto it = m_editErrors.find(hEdit);
    if (it == m_editErrors.end())
        return false;
    if (!IsWindow(hEdit))
    {
        m_editErrors.erase(it);
        return false;
    }
    return true;
}

void CXUIVisualManager::Reset()
{
    m_eTheme = EXUITheme::Light;
    m_overrides.clear();
    m_appliedThemes.clear();
    m_editErrors.clear();
}

void CXUIVisualManager::TellWindows()
{
    EnumWindows(TellTopLevel, 0);
}
