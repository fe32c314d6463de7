// Pop-up menus as windows: one "#32768" window per open level (the menu and
// the submenus opened from it), laid out from the menu's items, drawn flat,
// and driven by a nested loop that reads the mouse and keyboard itself.
#include "controls/PopupMenuWindow.h"

#include "Gdi.h"
#include "GdiObjects.h"
#include "controls/BuiltInControls.h"
#include "controls/ControlPaint.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

namespace
{

const wchar_t kMenuClass[] = L"#32768";

// Layout, in pixels.
constexpr int kBorder = 1;
constexpr int kPadding = 2;      // between the border and the items
constexpr int kCheckColumn = 22; // check marks and radio dots
constexpr int kArrowColumn = 18; // submenu arrows
constexpr int kAcceleratorGap = 24;
constexpr int kTextMargin = 6;
constexpr int kSeparatorHeight = 9;

struct SMenuItemView
{
    UINT nFlags = 0;
    UINT nID = 0;
    HMENU hSubMenu = nullptr;
    std::wstring strText;        // before the tab
    std::wstring strAccelerator; // after the tab
    HBITMAP hBitmap = nullptr;
    RECT rc{};

    bool IsSeparator() const { return (nFlags & MF_SEPARATOR) != 0; }
    bool IsDisabled() const { return (nFlags & (MF_GRAYED | MF_DISABLED)) != 0; }
    bool IsPopup() const { return hSubMenu != nullptr; }
};

struct SMenuLoop;

struct SMenuLevel
{
    HMENU hMenu = nullptr;
    HWND hWnd = nullptr;
    int nHot = -1;
    int nTextWidth = 0; // the text column's width
    std::vector<SMenuItemView> items;
    SMenuLoop* pLoop = nullptr;
};

struct SMenuLoop
{
    HWND hOwner = nullptr;
    UINT uFlags = 0;
    bool bNotify = true;
    bool bDone = false;
    bool bClosing = false; // tearing down: lost capture means nothing
    UINT nChoice = 0;
    std::vector<std::unique_ptr<SMenuLevel>> levels;
};

struct SMenuWindowState : SControlState
{
    SMenuLevel* pLevel = nullptr;
};

HFONT MenuFont()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The default item's text is bold; made once and kept for the process.
HFONT BoldMenuFont()
{
    static const HFONT s_hBold = []
    {
        LOGFONTW lf{};
        GetObjectW(MenuFont(), sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        return CreateFontIndirectW(&lf);
    }();
    return s_hBold != nullptr ? s_hBold : MenuFont();
}

RECT WorkArea()
{
    RECT rc{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

// The letter after a single '&', lower-cased, or 0.
wchar_t MnemonicOf(const std::wstring& strText)
{
    for (size_t i = 0; i + 1 < strText.size(); ++i)
    {
        if (strText[i] != L'&')
            continue;
        if (strText[i + 1] == L'&')
        {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(std::towlower(strText[i + 1]));
    }
    return 0;
}

// Reads the items of a menu and lays them out from (0, 0) in the window.
void LayOut(SMenuLevel& level, SIZE& windowSize)
{
    level.items.clear();
    const int nCount = std::max(GetMenuItemCount(level.hMenu), 0);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOldFont = SelectObject(hdc, MenuFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(hdc, &tm);
    const int nTextHeight = tm.tmHeight + 8;

    int nTextWidth = 0;
    int nAcceleratorWidth = 0;
    std::vector<int> heights;
    for (int i = 0; i < nCount; ++i)
    {
        SMenuItemView item;
        const UINT nState = GetMenuState(level.hMenu, static_cast<UINT>(i), MF_BYPOSITION);
        item.hSubMenu = GetSubMenu(level.hMenu, i);
        item.nFlags = item.hSubMenu != nullptr ? (nState & 0xFF) | MF_POPUP : nState;
        item.nID = item.hSubMenu != nullptr ? 0 : GetMenuItemID(level.hMenu, i);
        int nHeight = nTextHeight;
        if (item.IsSeparator())
            nHeight = kSeparatorHeight;
        else if ((item.nFlags & MF_BITMAP) != 0)
        {
            item.hBitmap = MenuItemBitmap(level.hMenu, static_cast<UINT>(i));
            const SIZE size = BitmapSize(item.hBitmap);
            nTextWidth = std::max(nTextWidth, static_cast<int>(size.cx));
            nHeight = std::max(nTextHeight, static_cast<int>(size.cy) + 4);
        }
        else
        {
            const int nLength = GetMenuStringW(level.hMenu, static_cast<UINT>(i), nullptr, 0, MF_BYPOSITION);
            std::wstring strAll(static_cast<size_t>(nLength) + 1, L'\0');
            strAll.resize(static_cast<size_t>(GetMenuStringW(level.hMenu, static_cast<UINT>(i), strAll.data(),
                                                             nLength + 1, MF_BYPOSITION)));
            const size_t nTab = strAll.find(L'\t');
            item.strText = strAll.substr(0, nTab);
            if (nTab != std::wstring::npos)
                item.strAccelerator = strAll.substr(nTab + 1);
            RECT rcText{0, 0, 0, 0};
            const bool bDefault = (item.nFlags & MF_DEFAULT) != 0;
            if (bDefault)
                SelectObject(hdc, BoldMenuFont());
            DrawTextW(hdc, item.strText.c_str(), static_cast<int>(item.strText.size()), &rcText,
                      DT_SINGLELINE | DT_CALCRECT);
            if (bDefault)
                SelectObject(hdc, MenuFont());
            nTextWidth = std::max(nTextWidth, static_cast<int>(rcText.right));
            if (!item.strAccelerator.empty())
            {
                RECT rcAccel{0, 0, 0, 0};
                DrawTextW(hdc, item.strAccelerator.c_str(), static_cast<int>(item.strAccelerator.size()),
                          &rcAccel, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
                nAcceleratorWidth = std::max(nAcceleratorWidth, static_cast<int>(rcAccel.right));
            }
        }
        heights.push_back(nHeight);
        level.items.push_back(std::move(item));
    }
    SelectObject(hdc, hOldFont);
    DeleteDC(hdc);

    level.nTextWidth = nTextWidth;
    const int nWidth = 2 * (kBorder + kPadding) + kCheckColumn + nTextWidth +
                       (nAcceleratorWidth > 0 ? kAcceleratorGap + nAcceleratorWidth : 0) + kTextMargin +
                       kArrowColumn;
    int y = kBorder + kPadding;
    for (size_t i = 0; i < level.items.size(); ++i)
    {
        level.items[i].rc = RECT{kBorder + kPadding, y, nWidth - kBorder - kPadding, y + heights[i]};
        y += heights[i];
    }
    windowSize = SIZE{std::max(nWidth, 60), y + kBorder + kPadding};
}

// ---------------------------------------------------------------------------
// Painting

void DrawTick(HDC hdc, int x, int y, COLORREF colour)
{
    static const int s_anTop[7] = {2, 3, 4, 3, 2, 1, 0};
    HBRUSH hBrush = CreateSolidBrush(colour);
    for (int i = 0; i < 7; ++i)
    {
        const RECT rc{x + i, y + s_anTop[i], x + i + 1, y + s_anTop[i] + 3};
        FillRect(hdc, &rc, hBrush);
    }
    DeleteObject(hBrush);
}

void DrawDot(HDC hdc, int cx, int cy, COLORREF colour)
{
    HBRUSH hBrush = CreateSolidBrush(colour);
    HPEN hPen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ hOldBrush = SelectObject(hdc, hBrush);
    HGDIOBJ hOldPen = SelectObject(hdc, hPen);
    Ellipse(hdc, cx - 3, cy - 3, cx + 3, cy + 3);
    SelectObject(hdc, hOldPen);
    SelectObject(hdc, hOldBrush);
    DeleteObject(hPen);
    DeleteObject(hBrush);
}

// A small triangle pointing right, four pixels wide.
void DrawArrow(HDC hdc, int x, int cy, COLORREF colour)
{
    HBRUSH hBrush = CreateSolidBrush(colour);
    for (int i = 0; i < 4; ++i)
    {
        const RECT rc{x + i, cy - 3 + i, x + i + 1, cy + 4 - i};
        FillRect(hdc, &rc, hBrush);
    }
    DeleteObject(hBrush);
}

void PaintMenu(HDC hdc, const SMenuLevel& level)
{
    RECT rcClient{};
    GetClientRect(level.hWnd, &rcClient);
    FillRect(hdc, &rcClient, GetSysColorBrush(COLOR_MENU));
    FrameRect(hdc, &rcClient, GetSysColorBrush(COLOR_BTNSHADOW));
    SelectObject(hdc, MenuFont());
    SetBkMode(hdc, TRANSPARENT);

    for (size_t i = 0; i < level.items.size(); ++i)
    {
        const SMenuItemView& item = level.items[i];
        const RECT& rc = item.rc;
        if (item.IsSeparator())
        {
            const int y = (rc.top + rc.bottom) / 2;
            const RECT rcLine{rc.left + kCheckColumn, y, rc.right - kTextMargin, y + 1};
            FillRect(hdc, &rcLine, GetSysColorBrush(COLOR_BTNSHADOW));
            continue;
        }
        const bool bHot = static_cast<int>(i) == level.nHot;
        if (bHot)
            FillRect(hdc, &rc, GetSysColorBrush(COLOR_MENUHILIGHT));
        COLORREF textColour = GetSysColor(bHot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        if (item.IsDisabled())
            textColour = GetSysColor(COLOR_GRAYTEXT);
        SetTextColor(hdc, textColour);

        const int cy = (rc.top + rc.bottom) / 2;
        if ((item.nFlags & MF_CHECKED) != 0)
        {
            if ((item.nFlags & MFT_RADIOCHECK) != 0)
                DrawDot(hdc, rc.left + kCheckColumn / 2, cy, textColour);
            else
                DrawTick(hdc, rc.left + (kCheckColumn - 7) / 2, cy - 3, textColour);
        }
        RECT rcText{rc.left + kCheckColumn, rc.top, rc.right - kArrowColumn, rc.bottom};
        if (item.hBitmap != nullptr)
        {
            const SIZE size = BitmapSize(item.hBitmap);
            const RECT rcImage{rcText.left, rc.top, rcText.left + size.cx, rc.bottom};
            DrawBitmapCentred(hdc, item.hBitmap, rcImage, item.IsDisabled());
        }
        else
        {
            SelectObject(hdc, (item.nFlags & MF_DEFAULT) != 0 ? BoldMenuFont() : MenuFont());
            DrawTextW(hdc, item.strText.c_str(), static_cast<int>(item.strText.size()), &rcText,
                      DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            SelectObject(hdc, MenuFont());
            if (!item.strAccelerator.empty())
            {
                RECT rcAccel{rcText.left + level.nTextWidth + kAcceleratorGap, rc.top, rcText.right,
                             rc.bottom};
                DrawTextW(hdc, item.strAccelerator.c_str(), static_cast<int>(item.strAccelerator.size()),
                          &rcAccel, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
            }
        }
        if (item.IsPopup())
            DrawArrow(hdc, rc.right - kArrowColumn / 2 - 2, cy, textColour);
    }
}

LRESULT MenuWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto* pState = ControlStateOf<SMenuWindowState>(hWnd);
    if (pState == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    switch (nMessage)
    {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWindow(hWnd, nMessage, wParam,
                         [&](HDC hdc)
                         {
                             if (pState->pLevel != nullptr)
                                 PaintMenu(hdc, *pState->pLevel);
                         });
            return 0;
        case WM_CAPTURECHANGED:
        {
            // Someone else took the mouse: the menu closes, unless it is a
            // menu opened from inside this one, which gives it back.
            const auto hNewCapture = reinterpret_cast<HWND>(lParam);
            wchar_t szClass[16] = {};
            if (hNewCapture != nullptr)
                GetClassNameW(hNewCapture, szClass, 16);
            if (std::wstring(szClass) == kMenuClass)
                return 0;
            if (pState->pLevel != nullptr && !pState->pLevel->pLoop->bClosing)
                pState->pLevel->pLoop->bDone = true;
            return 0;
        }
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

void RegisterMenuClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS | CS_DROPSHADOW;
    wc.lpfnWndProc = MenuWndProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kMenuClass;
    RegisterClassExW(&wc);
}

const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterMenuClass);

// ---------------------------------------------------------------------------
// The loop

void SendMenuSelect(SMenuLoop& loop, SMenuLevel& level)
{
    if (!loop.bNotify || !IsWindow(loop.hOwner))
        return;
    if (level.nHot < 0)
        return;
    const SMenuItemView& item = level.items[static_cast<size_t>(level.nHot)];
    const UINT nFlags = (item.nFlags & 0xFFFF & ~static_cast<UINT>(MF_HILITE)) | MF_HILITE;
    const UINT nItem = item.IsPopup() ? static_cast<UINT>(level.nHot) : item.nID;
    SendMessageW(loop.hOwner, WM_MENUSELECT, MAKEWPARAM(nItem, nFlags),
                 reinterpret_cast<LPARAM>(level.hMenu));
}

void SetHot(SMenuLoop& loop, SMenuLevel& level, int nHot)
{
    if (level.nHot == nHot)
        return;
    level.nHot = nHot;
    InvalidateRect(level.hWnd, nullptr, FALSE);
    SendMenuSelect(loop, level);
}

// Places a window of a size at a point, kept inside the work area: it
// flips to the other side of the point when it does not fit, then is pushed
// inside.
POINT PlaceOnScreen(POINT pt, SIZE size, UINT uFlags, int nFlipWidth)
{
    const RECT rcWork = WorkArea();
    int x = pt.x;
    int y = pt.y;
    if ((uFlags & TPM_CENTERALIGN) != 0)
        x -= size.cx / 2;
    else if ((uFlags & TPM_RIGHTALIGN) != 0)
        x -= size.cx;
    if ((uFlags & TPM_VCENTERALIGN) != 0)
        y -= size.cy / 2;
    else if ((uFlags & TPM_BOTTOMALIGN) != 0)
        y -= size.cy;
    if (x + size.cx > rcWork.right && x - size.cx - nFlipWidth >= rcWork.left)
        x = x - size.cx - nFlipWidth;
    if (y + size.cy > rcWork.bottom && y - size.cy >= rcWork.top)
        y = y - size.cy;
    x = std::max(static_cast<int>(rcWork.left), std::min(x, static_cast<int>(rcWork.right) - size.cx));
    y = std::max(static_cast<int>(rcWork.top), std::min(y, static_cast<int>(rcWork.bottom) - size.cy));
    return POINT{x, y};
}

// Moves a placed menu off a rectangle it must not cover (the button that
// opened it, say): below or above it with TPM_VERTICAL, else right or left
// of it, on whichever side fits the work area.
POINT AvoidRectangle(POINT ptAt, SIZE size, UINT uFlags, const RECT& rcExclude)
{
    const RECT rcMenu{ptAt.x, ptAt.y, ptAt.x + size.cx, ptAt.y + size.cy};
    RECT rcOverlap{};
    if (!IntersectRect(&rcOverlap, &rcMenu, &rcExclude))
        return ptAt;
    const RECT rcWork = WorkArea();
    if ((uFlags & TPM_VERTICAL) != 0)
    {
        if (rcExclude.bottom + size.cy <= rcWork.bottom)
            ptAt.y = rcExclude.bottom;
        else if (rcExclude.top - size.cy >= rcWork.top)
            ptAt.y = rcExclude.top - size.cy;
    }
    else
    {
        if (rcExclude.right + size.cx <= rcWork.right)
            ptAt.x = rcExclude.right;
        else if (rcExclude.left - size.cx >= rcWork.left)
            ptAt.x = rcExclude.left - size.cx;
    }
    return ptAt;
}

SMenuLevel* OpenLevel(SMenuLoop& loop, HMENU hMenu, POINT pt, UINT uFlags, int nFlipWidth,
                      const RECT* prcExclude = nullptr)
{
    auto pLevel = std::make_unique<SMenuLevel>();
    pLevel->hMenu = hMenu;
    pLevel->pLoop = &loop;
    SIZE size{};
    LayOut(*pLevel, size);
    POINT ptAt = PlaceOnScreen(pt, size, uFlags, nFlipWidth);
    if (prcExclude != nullptr)
        ptAt = AvoidRectangle(ptAt, size, uFlags, *prcExclude);
    pLevel->hWnd =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kMenuClass, L"", WS_POPUP,
                        ptAt.x, ptAt.y, size.cx, size.cy, loop.hOwner, nullptr, nullptr, nullptr);
    if (pLevel->hWnd == nullptr)
        return nullptr;
    if (auto* pState = ControlStateOf<SMenuWindowState>(pLevel->hWnd))
        pState->pLevel = pLevel.get();
    SetWindowPos(pLevel->hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    loop.levels.push_back(std::move(pLevel));
    return loop.levels.back().get();
}

void CloseLevelsAfter(SMenuLoop& loop, size_t nKeep)
{
    while (loop.levels.size() > nKeep)
    {
        std::unique_ptr<SMenuLevel> pLevel = std::move(loop.levels.back());
        loop.levels.pop_back();
        if (auto* pState = ControlStateOf<SMenuWindowState>(pLevel->hWnd))
            pState->pLevel = nullptr;
        // The first level holds the capture; closing it is the loop's end.
        const bool bWasClosing = loop.bClosing;
        loop.bClosing = true;
        DestroyWindow(pLevel->hWnd);
        loop.bClosing = bWasClosing;
        if (loop.bNotify && IsWindow(loop.hOwner) && !loop.levels.empty())
            SendMessageW(loop.hOwner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(pLevel->hMenu), 0);
    }
}

int IndexOfLevel(const SMenuLoop& loop, const SMenuLevel* pLevel)
{
    for (size_t i = 0; i < loop.levels.size(); ++i)
    {
        if (loop.levels[i].get() == pLevel)
            return static_cast<int>(i);
    }
    return -1;
}

// Opens the submenu of a level's hot item, optionally with its first item
// hot (as the keyboard does).
void OpenSubMenu(SMenuLoop& loop, SMenuLevel& level, bool bSelectFirst)
{
    if (level.nHot < 0)
        return;
    const SMenuItemView& item = level.items[static_cast<size_t>(level.nHot)];
    if (!item.IsPopup() || item.IsDisabled())
        return;
    const int nIndex = IndexOfLevel(loop, &level);
    CloseLevelsAfter(loop, static_cast<size_t>(nIndex) + 1);
    if (loop.bNotify && IsWindow(loop.hOwner))
        SendMessageW(loop.hOwner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.hSubMenu),
                     MAKELPARAM(static_cast<WORD>(level.nHot), FALSE));
    if (!IsMenu(item.hSubMenu) || !IsWindow(level.hWnd))
        return;
    RECT rcWindow{};
    GetWindowRect(level.hWnd, &rcWindow);
    const POINT pt{rcWindow.left + item.rc.right + kPadding, rcWindow.top + item.rc.top - kBorder - kPadding};
    const HMENU hSubMenu = item.hSubMenu;
    SMenuLevel* pSub = OpenLevel(loop, hSubMenu, pt, 0, rcWindow.right - rcWindow.left);
    if (pSub != nullptr && bSelectFirst)
    {
        for (size_t i = 0; i < pSub->items.size(); ++i)
        {
            if (!pSub->items[i].IsSeparator())
            {
                SetHot(loop, *pSub, static_cast<int>(i));
                break;
            }
        }
    }
}

bool IsOpenSubMenuOf(const SMenuLoop& loop, size_t nLevel, int nItem)
{
    if (nLevel + 1 >= loop.levels.size() || nItem < 0)
        return false;
    return loop.levels[nLevel + 1]->hMenu == loop.levels[nLevel]->items[static_cast<size_t>(nItem)].hSubMenu;
}

void Choose(SMenuLoop& loop, SMenuLevel& level, int nItem, bool bSelectFirstOfSubMenu)
{
    if (nItem < 0)
        return;
    const SMenuItemView& item = level.items[static_cast<size_t>(nItem)];
    if (item.IsSeparator() || item.IsDisabled())
        return;
    if (item.IsPopup())
    {
        SetHot(loop, level, nItem);
        if (!IsOpenSubMenuOf(loop, static_cast<size_t>(IndexOfLevel(loop, &level)), nItem))
            OpenSubMenu(loop, level, bSelectFirstOfSubMenu);
        return;
    }
    loop.nChoice = item.nID;
    loop.bDone = true;
}

// The level and item under a point on the screen (the deepest level first).
SMenuLevel* LevelAt(SMenuLoop& loop, POINT ptScreen, int& nItem)
{
    nItem = -1;
    for (size_t i = loop.levels.size(); i-- > 0;)
    {
        SMenuLevel& level = *loop.levels[i];
        RECT rcWindow{};
        GetWindowRect(level.hWnd, &rcWindow);
        if (!PtInRect(&rcWindow, ptScreen))
            continue;
        const POINT pt{ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top};
        for (size_t j = 0; j < level.items.size(); ++j)
        {
            if (PtInRect(&level.items[j].rc, pt))
            {
                nItem = static_cast<int>(j);
                break;
            }
        }
        return &level;
    }
    return nullptr;
}

void HandleMouse(SMenuLoop& loop, const MSG& msg)
{
    POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(msg.hwnd, &pt);
    int nItem = -1;
    SMenuLevel* pLevel = LevelAt(loop, pt, nItem);
    switch (msg.message)
    {
        case WM_MOUSEMOVE:
        {
            if (pLevel == nullptr)
            {
                // Outside the menus only an item with its submenu open stays
                // highlighted.
                SMenuLevel& deepest = *loop.levels.back();
                if (deepest.nHot >= 0 && !IsOpenSubMenuOf(loop, loop.levels.size() - 1, deepest.nHot))
                    SetHot(loop, deepest, -1);
                return;
            }
            const auto nLevel = static_cast<size_t>(IndexOfLevel(loop, pLevel));
            if (nItem >= 0 && pLevel->items[static_cast<size_t>(nItem)].IsSeparator())
                nItem = -1;
            if (nItem < 0 || nItem == pLevel->nHot)
                return;
            // Hovering another item closes what the old one opened and
            // opens the new one's submenu.
            if (!IsOpenSubMenuOf(loop, nLevel, nItem))
                CloseLevelsAfter(loop, nLevel + 1);
            SetHot(loop, *pLevel, nItem);
            if (pLevel->items[static_cast<size_t>(nItem)].IsPopup())
                OpenSubMenu(loop, *pLevel, false);
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            // A press outside every level dismisses the menu (and is eaten).
            if (pLevel == nullptr)
                loop.bDone = true;
            else if (nItem >= 0 && pLevel->items[static_cast<size_t>(nItem)].IsPopup())
                Choose(loop, *pLevel, nItem, false);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (msg.message == WM_RBUTTONUP && (loop.uFlags & TPM_RIGHTBUTTON) == 0)
                return;
            if (pLevel != nullptr && nItem >= 0 && !pLevel->items[static_cast<size_t>(nItem)].IsPopup())
                Choose(loop, *pLevel, nItem, false);
            return;
        default:
            return;
    }
}

// The next item that is not a separator, going one way round; -1 if none.
int NextSelectable(const SMenuLevel& level, int nFrom, int nStep)
{
    const int nCount = static_cast<int>(level.items.size());
    if (nCount == 0)
        return -1;
    int nIndex = nFrom;
    for (int i = 0; i < nCount; ++i)
    {
        if (nIndex < 0)
            nIndex = nStep > 0 ? 0 : nCount - 1;
        else
            nIndex = (nIndex + nStep + nCount) % nCount;
        if (!level.items[static_cast<size_t>(nIndex)].IsSeparator())
            return nIndex;
    }
    return -1;
}

void HandleKey(SMenuLoop& loop, UINT nKey)
{
    SMenuLevel& level = *loop.levels.back();
    switch (nKey)
    {
        case VK_DOWN:
            SetHot(loop, level, NextSelectable(level, level.nHot, 1));
            break;
        case VK_UP:
            SetHot(loop, level, NextSelectable(level, level.nHot, -1));
            break;
        case VK_HOME:
            SetHot(loop, level, NextSelectable(level, -1, 1));
            break;
        case VK_END:
            SetHot(loop, level, NextSelectable(level, -1, -1));
            break;
        case VK_RIGHT:
            if (level.nHot >= 0 && level.items[static_cast<size_t>(level.nHot)].IsPopup())
                OpenSubMenu(loop, level, true);
            break;
        case VK_LEFT:
            if (loop.levels.size() > 1)
                CloseLevelsAfter(loop, loop.levels.size() - 1);
            break;
        case VK_ESCAPE:
            if (loop.levels.size() > 1)
                CloseLevelsAfter(loop, loop.levels.size() - 1);
            else
                loop.bDone = true;
            break;
        case VK_RETURN:
            Choose(loop, level, level.nHot, true);
            break;
        case VK_MENU:
        case VK_F10:
            loop.bDone = true;
            break;
        default:
            break;
    }
}

void HandleChar(SMenuLoop& loop, wchar_t chTyped)
{
    // Control characters (Enter, Escape) came with keys already handled.
    if (chTyped < L' ')
        return;
    SMenuLevel& level = *loop.levels.back();
    const auto chKey = static_cast<wchar_t>(std::towlower(chTyped));
    std::vector<int> matches;
    for (size_t i = 0; i < level.items.size(); ++i)
    {
        if (!level.items[i].IsSeparator() && MnemonicOf(level.items[i].strText) == chKey)
            matches.push_back(static_cast<int>(i));
    }
    if (matches.empty())
    {
        MessageBeep(0);
        return;
    }
    if (matches.size() == 1)
    {
        SetHot(loop, level, matches.front());
        Choose(loop, level, matches.front(), true);
        return;
    }
    // Several items share the letter: it moves among them.
    auto it = std::upper_bound(matches.begin(), matches.end(), level.nHot);
    SetHot(loop, level, it != matches.end() ? *it : matches.front());
}

int g_nOpenLoops = 0;

struct SOpenLoopCount
{
    SOpenLoopCount() { ++g_nOpenLoops; }
    ~SOpenLoopCount() { --g_nOpenLoops; }
    SOpenLoopCount(const SOpenLoopCount&) = delete;
    SOpenLoopCount& operator=(const SOpenLoopCount&) = delete;
};

bool IsMouseMessage(UINT nMessage)
{
    return nMessage >= WM_MOUSEFIRST && nMessage <= WM_MOUSELAST;
}

} // namespace

UINT RunPopupMenuWindow(HMENU hMenu, UINT uFlags, POINT pt, HWND hOwner, const RECT* prcExclude, bool bNotify)
{
    const SOpenLoopCount openLoop;
    SMenuLoop loop;
    loop.hOwner = hOwner;
    loop.uFlags = uFlags;
    loop.bNotify = bNotify;
    // A menu opened from inside another takes the mouse from it and gives
    // it back at the end.
    const HWND hOuterCapture = GetCapture();
    SMenuLevel* pTop = OpenLevel(loop, hMenu, pt, uFlags, 0, prcExclude);
    if (pTop == nullptr)
        return 0;
    SetCapture(pTop->hWnd);

    while (!loop.bDone && !loop.levels.empty())
    {
        MSG msg{};
        if (!GetMessageW(&msg, nullptr, 0, 0))
        {
            // The application is quitting: the loop that owns it gets it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_CANCELMODE)
            break;
        if (IsMouseMessage(msg.message) && msg.hwnd != nullptr)
            HandleMouse(loop, msg);
        else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
            HandleKey(loop, static_cast<UINT>(msg.wParam));
        else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
            HandleChar(loop, static_cast<wchar_t>(msg.wParam));
        else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP)
            continue;
        else
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // Keys become characters only when translated; the loop reads the
        // characters itself.
        if (msg.message == WM_KEYDOWN)
            TranslateMessage(&msg);
        if (!IsWindow(hOwner))
            break;
    }

    loop.bClosing = true;
    if (!loop.levels.empty() && GetCapture() == loop.levels.front()->hWnd)
        ReleaseCapture();
    CloseLevelsAfter(loop, 0);
    if (hOuterCapture != nullptr && IsWindow(hOuterCapture))
        SetCapture(hOuterCapture);
    if (bNotify && IsWindow(hOwner))
        SendMessageW(hOwner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    return loop.nChoice;
}

bool IsPopupMenuWindowOpen()
{
    return g_nOpenLoops > 0;
}
