#include "HSBMapPickerWnd.h"

#include "ColorConversions.h"
#include "Dc.h"
#include "ErrorAutoThrow.h"
#include "GdiObjects.h"
#include "MatPalAppContext.h"
#include "PaneMessages.h"
#include "XUIDraw.h"
#include "XUIVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CHSBMapPickerWnd, CWnd)

BEGIN_MESSAGE_MAP(CHSBMapPickerWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace
{
// Resources of the language module.
constexpr UINT kHueThumbBitmap = 15951;
constexpr UINT kMarkerBitmap = 15934;
constexpr UINT kArrowRightBitmap = 15929;
constexpr UINT kArrowBottomBitmap = 15930;
constexpr UINT kDropperCursor = 15901;

// Theme colours: the picker's background, and the frames of the map and
// of the hue bar.
constexpr int kBackgroundColor = XUI_COLOR_PANE_BACKGROUND;
constexpr int kMapFrameColor = XUI_COLOR_PICKER_MAP_FRAME;

// The greyscale grid: 13 columns by 20 rows of cells, 256 levels.
constexpr int kGreyColumns = 13;
constexpr int kGreyRows = 20;

// How near the marker a press grabs it instead of jumping.
constexpr int kGrabDistance = 3;
// The marker bitmap's hot spot.
constexpr int kMarkerHotSpot = 3;
// How far around the map a marker move repaints (the marker reaches over
// the map's edge).
constexpr int kMarkerRepaintMargin = 14;

constexpr BYTE kGreyBlockLevels[CHSBMapPickerWnd::kGreyBlocks] = {0, 64, 128, 192, 255};

HBITMAP LoadResourceBitmap(UINT nId)
{
    const LPCWSTR pszName = MAKEINTRESOURCEW(nId);
    return ::LoadBitmapW(AfxFindResourceHandle(pszName, RT_BITMAP), pszName);
}

LPCWSTR ClassName()
{
    static const bool s_bRegistered = []
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"MirnHSBMapPicker";
        return RegisterClassExW(&wc) != 0;
    }();
    return s_bRegistered ? L"MirnHSBMapPicker" : nullptr;
}

// The palette grid of an image palette: columns, rows and largest index by
// the palette's size.
struct SPaletteGrid
{
    int nColumns;
    int nRows;
    int nLargest;
};

SPaletteGrid PaletteGridFor(int nEntries)
{
    if (nEntries < 3)
        return {1, 2, 2};
    if (nEntries <= 16)
        return {2, 8, 16};
    return {13, 20, 255};
}
} // namespace

CHSBMapPickerWnd::CHSBMapPickerWnd()
{
    LoadImages();
}

CHSBMapPickerWnd::~CHSBMapPickerWnd()
{
    if (m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    SetAppContext(nullptr);
    m_huePainter.SetThumbImage(nullptr);
    FreeImages();
}

void CHSBMapPickerWnd::LoadImages()
{
    // Loaded bitmaps of 32 bits hold pre-multiplied alpha already, which is
    // what the painter blends.
    if (m_hHueThumb == nullptr)
    {
        m_hHueThumb = LoadResourceBitmap(kHueThumbBitmap);
        m_huePainter.SetThumbImage(m_hHueThumb, false);
    }
    if (m_hMarker == nullptr)
        m_hMarker = LoadResourceBitmap(kMarkerBitmap);
    if (m_hArrowRight == nullptr)
        m_hArrowRight = LoadResourceBitmap(kArrowRightBitmap);
    if (m_hArrowBottom == nullptr)
        m_hArrowBottom = LoadResourceBitmap(kArrowBottomBitmap);
}

void CHSBMapPickerWnd::FreeImages()
{
    for (HBITMAP* phBitmap : {&m_hHueThumb, &m_hMarker, &m_hArrowRight, &m_hArrowBottom})
    {
        if (*phBitmap != nullptr)
            ::DeleteObject(*phBitmap);
        *phBitmap = nullptr;
    }
}

BOOL CHSBMapPickerWnd::Create(CWnd* pParent, UINT nID, const CRect& rect)
{
    LPCWSTR pszClass = ClassName();
    if (pszClass == nullptr || pParent == nullptr || pParent->GetSafeHwnd() == nullptr || m_hWnd != nullptr)
        return FALSE;
    return CWnd::Create(pszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, pParent, nID);
}

void CHSBMapPickerWnd::SetPaletteWnd(CWnd* pPalette)
{
    m_pPalette = pPalette;
    m_hPalette = pPalette != nullptr ? pPalette->GetSafeHwnd() : nullptr;
}

HWND CHSBMapPickerWnd::PaletteHwnd() const
{
    if (m_hPalette != nullptr)
        return m_hPalette;
    return m_pPalette != nullptr ? m_pPalette->GetSafeHwnd() : nullptr;
}

void CHSBMapPickerWnd::SetAppContext(IMatPalAppContext* pAppContext)
{
    if (pAppContext == m_pAppContext)
        return;
    if (pAppContext != nullptr)
        pAppContext->AddRef();
    if (m_pAppContext != nullptr)
        m_pAppContext->Release();
    m_pAppContext = pAppContext;
    m_bMapBuilt = false;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CHSBMapPickerWnd::SetGreyscaleMode(bool bGreyscale)
{
    if (bGreyscale == m_bGreyscaleMode)
        return;
    m_bGreyscaleMode = bGreyscale;
    m_bMapBuilt = false;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

int CHSBMapPickerWnd::GetGreyBlockWidth(int nBlock) const
{
    return nBlock >= 0 && nBlock < kGreyBlocks ? m_anGreyBlockWidth[nBlock] : 0;
}

int CHSBMapPickerWnd::GetGreyBlockRight(int nBlock) const
{
    return nBlock >= 0 && nBlock < kGreyBlocks ? m_anGreyBlockRight[nBlock] : 0;
}

void CHSBMapPickerWnd::SetPickerColor(BYTE bRed, BYTE bGreen, BYTE bBlue)
{
    if (m_bSending)
    {
        // The palette hands back the colour this picker is sending.
        m_bSending = false;
        return;
    }
    m_bRed = bRed;
    m_bGreen = bGreen;
    m_bBlue = bBlue;
    m_clrColor = RGB(bRed, bGreen, bBlue);
    RGB_to_HSL(bRed, bGreen, bBlue, m_bHue, m_bSaturation, m_bLightness);
    m_bMapBuilt = false;
    if (m_hWnd == nullptr)
        return;
    BuildMap();
    if (m_bGreyscaleMode)
    {
        const int gw = m_rcMap.Width() / kGreyColumns;
        const int gh = m_rcMap.Height() / kGreyRows;
        m_ptMarker.x = (bRed % kGreyColumns) * gw + gw / 2;
        m_ptMarker.y = (bRed / kGreyColumns) * gh + gh / 2;
    }
    else
    {
        PlaceMarkerFromColor();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CHSBMapPickerWnd::PlaceMarkerFromColor()
{
    m_ptMarker.x = m_rcMap.left + ((m_rcMap.Width() - 1) * m_bSaturation + 128) / 255;
    m_ptMarker.y = m_rcMap.top + ((m_rcMap.Height() - 1) * m_bLightness + 128) / 255;
}

void CHSBMapPickerWnd::Layout(int cx, int cy)
{
    m_sizeClient = CSize(cx, cy);
    m_rcMap.SetRect(2, 2, cx - 2, cy - 31);
    m_rcHueBar.SetRect(2, cy - 20, cx - 2, cy - 7);
    m_rcGreyStrip.SetRect(0, cy - 8, cx, cy);
    m_rcUpperArea.SetRect(0, 0, cx - 1, cy - 9);
    // The first four blocks are a fifth of the strip rounded up, the fifth
    // that width less the remainder, so the blocks may end a few pixels
    // short of the strip's right edge or past it (picking gives any columns
    // left over to the last block).
    const int nStrip = std::max(m_rcGreyStrip.Width(), 0);
    const int nBase = nStrip / kGreyBlocks;
    const int nRemainder = nStrip % kGreyBlocks;
    const int nWide = nBase + (nRemainder >= 1 ? 1 : 0);
    int nRight = m_rcGreyStrip.left;
    for (int i = 0; i < kGreyBlocks; ++i)
    {
        m_anGreyBlockWidth[i] = i < kGreyBlocks - 1 ? nWide : nWide - nRemainder;
        nRight += m_anGreyBlockWidth[i];
        m_anGreyBlockRight[i] = nRight;
    }
}

bool CHSBMapPickerWnd::IsMapUsable() const
{
    if (m_bGreyscaleMode)
        return m_rcMap.Width() / kGreyColumns > 0 && m_rcMap.Height() / kGreyRows > 0;
    return m_rcMap.Width() > 1 && m_rcMap.Height() > 1;
}

bool CHSBMapPickerWnd::BuildMap()
{
    if (m_bMapBuilt)
        return true;
    if (!IsMapUsable())
        return false;
    const int nWidth = m_rcMap.Width();
    const int nHeight = m_rcMap.Height();

    m_bPaletteMode = false;
    if (m_pAppContext != nullptr)
    {
        CErrorAutoThrow error;
        m_bPaletteMode = m_pAppContext->HasDocumentPalette(error) && error.IsOk();
        if (m_bPaletteMode)
        {
            CErrorAutoThrow paletteError;
            m_pAppContext->GetDocumentPalette(paletteError, m_palette);
            if (paletteError.IsError())
                m_palette.Clear();
        }
    }

    if (!m_oMapDIB.IsAttached() || m_oMapDIB.Width() != nWidth || m_oMapDIB.Height() != nHeight)
    {
        if (!m_oMapDIB.CreateRGB(nWidth, nHeight))
            return false;
    }

    const int gw = nWidth / kGreyColumns;
    const int gh = nHeight / kGreyRows;
    const SPaletteGrid grid = PaletteGridFor(m_palette.GetEntryCount());
    const double dCellWidth = static_cast<double>(nWidth) / grid.nColumns;
    const double dCellHeight = static_cast<double>(nHeight) / grid.nRows;
    for (int y = 0; y < nHeight; ++y)
    {
        BYTE* pRow = m_oMapDIB.GetRow(y);
        if (pRow == nullptr)
            return false;
        for (int x = 0; x < nWidth; ++x)
        {
            COLORREF clr = 0;
            if (m_bGreyscaleMode)
            {
                const int nLevel = std::min(
                    std::min(y / gh, kGreyRows - 1) * kGreyColumns + std::min(x / gw, kGreyColumns - 1), 255);
                clr = RGB(nLevel, nLevel, nLevel);
            }
            else if (m_bPaletteMode)
            {
                const int nIndex =
                    static_cast<int>(y / dCellHeight) * grid.nColumns + static_cast<int>(x / dCellWidth);
                clr = m_palette.GetEntry(std::min(nIndex, grid.nLargest));
            }
            else
            {
                clr = HSL_to_RGB(m_bHue, x * 255 / (nWidth - 1), y * 255 / (nHeight - 1));
            }
            pRow[3 * x] = GetBValue(clr);
            pRow[3 * x + 1] = GetGValue(clr);
            pRow[3 * x + 2] = GetRValue(clr);
        }
        m_oMapDIB.ReleaseRow(y);
    }
    m_bMapBuilt = true;
    return true;
}

bool CHSBMapPickerWnd::RebuildMap()
{
    m_bMapBuilt = false;
    return BuildMap();
}

COLORREF CHSBMapPickerWnd::MapPixel(int x, int y) const
{
    if (!m_oMapDIB.IsAttached() || x < 0 || y < 0 || x >= m_oMapDIB.Width() || y >= m_oMapDIB.Height())
        return 0;
    const BYTE* pRow = m_oMapDIB.GetRow(y);
    if (pRow == nullptr)
        return 0;
    const COLORREF clr = RGB(pRow[3 * x + 2], pRow[3 * x + 1], pRow[3 * x]);
    m_oMapDIB.ReleaseRow(y);
    return clr;
}

int CHSBMapPickerWnd::GreyLevelAt(CPoint point) const
{
    const int gw = m_rcMap.Width() / kGreyColumns;
    const int gh = m_rcMap.Height() / kGreyRows;
    if (gw <= 0 || gh <= 0)
        return 0;
    const int nLevel = std::min(std::max(point.y, 0) / gh, kGreyRows - 1) * kGreyColumns +
                       std::min(std::max(point.x, 0) / gw, kGreyColumns - 1);
    return std::min(nLevel, 255);
}

// ---------------------------------------------------------------------------
// Messages

int CHSBMapPickerWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The language module may have come after the picker was made.
    LoadImages();
    m_toolTip.Create(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    Layout(rcClient.Width(), rcClient.Height());
    PlaceMarkerFromColor();
    return 0;
}

void CHSBMapPickerWnd::OnDestroy()
{
    if (GetCapture() == this)
        ReleaseCapture();
    m_eDragState = DRAG_NONE;
    m_toolTip.HideToolTip();
    if (m_pAppContext != nullptr)
    {
        m_pAppContext->Release();
        m_pAppContext = nullptr;
    }
    CWnd::OnDestroy();
}

void CHSBMapPickerWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (cx == m_sizeClient.cx && cy == m_sizeClient.cy)
        return;
    Layout(cx, cy);
    m_bMapBuilt = false;
    BuildMap();
    PlaceMarkerFromColor();
    Invalidate(FALSE);
}

BOOL CHSBMapPickerWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CHSBMapPickerWnd::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CHSBMapPickerWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

void CHSBMapPickerWnd::Paint(HDC hdc)
{
    CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    CRect rcClient;
    GetClientRect(&rcClient);
    XUIFillSolid(hdc, rcClient, manager.GetThemeColor(kBackgroundColor));

    if (BuildMap())
    {
        CRect rcFrame = m_rcMap;
        rcFrame.InflateRect(1, 1);
        XUIFillSolid(hdc, rcFrame, manager.GetThemeColor(kMapFrameColor));
        m_oMapDIB.Draw(hdc, m_rcMap.left, m_rcMap.top);
    }

    const SIZE sizeMarker = XUIBitmapSize(m_hMarker);
    if (sizeMarker.cx > 0 && sizeMarker.cy > 0)
    {
        HDC hdcMarker = ::CreateCompatibleDC(hdc);
        HGDIOBJ hOld = ::SelectObject(hdcMarker, m_hMarker);
        ::BitBlt(hdc, m_ptMarker.x - kMarkerHotSpot, m_ptMarker.y - kMarkerHotSpot, sizeMarker.cx,
                 sizeMarker.cy, hdcMarker, 0, 0, SRCINVERT);
        ::SelectObject(hdcMarker, hOld);
        ::DeleteDC(hdcMarker);
    }

    if (m_bGreyscaleMode)
    {
        int nLeft = m_rcGreyStrip.left;
        for (int i = 0; i < kGreyBlocks; ++i)
        {
            const BYTE bLevel = kGreyBlockLevels[i];
            XUIFillSolid(hdc, RECT{nLeft, m_rcGreyStrip.top, m_anGreyBlockRight[i], m_rcGreyStrip.bottom},
                         RGB(bLevel, bLevel, bLevel));
            nLeft = m_anGreyBlockRight[i];
        }
    }
    else if (!m_bPaletteMode && m_rcHueBar.Width() > 0 && m_rcHueBar.Height() > 0)
    {
        CRect rcFrame = m_rcHueBar;
        rcFrame.InflateRect(1, 1);
        XUIFillSolid(hdc, rcFrame, manager.GetThemeColor(kMapFrameColor));
        CDC dc;
        dc.Attach(hdc);
        m_huePainter.PaintSlider(dc, m_rcHueBar, m_bHue, 255, 0);
        dc.Detach();
    }
}

bool CHSBMapPickerWnd::StartDrag(bool bLeft, CPoint point)
{
    // The hue bar is hidden in greyscale and palette modes, and so are the
    // areas that would start a hue drag; the grey strip is only shown (and
    // so only picks) in greyscale mode.
    const bool bHueShown = !m_bPaletteMode && !m_bGreyscaleMode && m_rcHueBar.Width() > 0;
    const bool bInMap = IsMapUsable() && m_rcMap.PtInRect(point);
    if (bHueShown && bLeft && m_rcHueBar.PtInRect(point))
        m_eDragState = DRAG_HUE_BAR;
    else if (bHueShown && !bLeft && m_rcUpperArea.PtInRect(point) && !m_rcMap.PtInRect(point))
        m_eDragState = DRAG_HUE_BAR;
    else if (bInMap)
    {
        m_eDragState = DRAG_MAP;
        // Within the distance on every side, both ends included.
        const CRect rcGrab(m_ptMarker.x - kGrabDistance, m_ptMarker.y - kGrabDistance,
                           m_ptMarker.x + kGrabDistance + 1, m_ptMarker.y + kGrabDistance + 1);
        m_ptGrabOffset =
            rcGrab.PtInRect(point) ? CPoint(point.x - m_ptMarker.x, point.y - m_ptMarker.y) : CPoint(0, 0);
    }
    else if (m_bGreyscaleMode && m_rcGreyStrip.PtInRect(point) && m_rcGreyStrip.Width() > 0)
        m_eDragState = DRAG_GREY_STRIP;
    else
        return false;
    SetCapture();
    ProcessPoint(m_eDragState, point);
    return true;
}

void CHSBMapPickerWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_eDragState != DRAG_NONE)
        return;
    m_nButtonFlag = 1;
    if (!StartDrag(true, point))
        CWnd::OnLButtonDown(nFlags, point);
}

void CHSBMapPickerWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_eDragState != DRAG_NONE)
        return;
    m_nButtonFlag = 0;
    if (!StartDrag(false, point))
        CWnd::OnRButtonDown(nFlags, point);
}

void CHSBMapPickerWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_eDragState != DRAG_NONE)
        ProcessPoint(m_eDragState, point);
    else
        CWnd::OnMouseMove(nFlags, point);
}

void CHSBMapPickerWnd::ProcessPoint(EDragState eState, CPoint point)
{
    switch (eState)
    {
        case DRAG_HUE_BAR:
        {
            const int nWidth = m_rcHueBar.Width();
            if (nWidth <= 0)
                return;
            const int nOffset = std::min(std::max(point.x - m_rcHueBar.left, 0), nWidth - 1);
            m_bHue = static_cast<BYTE>(static_cast<double>(nOffset) / nWidth * 256.0);
            StoreColor(HSL_to_RGB(m_bHue, m_bSaturation, m_bLightness));
            m_bMapBuilt = false;
            Invalidate(FALSE);
            SendColor();
            break;
        }
        case DRAG_MAP:
        {
            if (!IsMapUsable())
                return;
            CPoint ptNew(point.x - m_ptGrabOffset.x, point.y - m_ptGrabOffset.y);
            ptNew.x = std::clamp(static_cast<int>(ptNew.x), static_cast<int>(m_rcMap.left),
                                 static_cast<int>(m_rcMap.right) - 1);
            ptNew.y = std::clamp(static_cast<int>(ptNew.y), static_cast<int>(m_rcMap.top),
                                 static_cast<int>(m_rcMap.bottom) - 1);
            if (ptNew == m_ptMarker)
                return;
            m_ptMarker = ptNew;
            CRect rcRepaint = m_rcMap;
            rcRepaint.InflateRect(kMarkerRepaintMargin, kMarkerRepaintMargin);
            InvalidateRect(&rcRepaint, FALSE);
            UpdateWindow();
            if (m_bGreyscaleMode)
            {
                const int nLevel = GreyLevelAt(m_ptMarker);
                StoreColor(RGB(nLevel, nLevel, nLevel));
            }
            else if (m_bPaletteMode)
            {
                // The entry under the marker, as the map shows it.
                StoreColor(MapPixel(m_ptMarker.x - m_rcMap.left, m_ptMarker.y - m_rcMap.top));
            }
            else
            {
                m_bSaturation =
                    static_cast<BYTE>(MulDiv(m_ptMarker.x - m_rcMap.left, 255, m_rcMap.Width() - 1));
                m_bLightness =
                    static_cast<BYTE>(MulDiv(m_ptMarker.y - m_rcMap.top, 255, m_rcMap.Height() - 1));
                StoreColor(HSL_to_RGB(m_bHue, m_bSaturation, m_bLightness));
            }
            SendColor();
            break;
        }
        case DRAG_GREY_STRIP:
        {
            if (m_rcGreyStrip.Width() <= 0)
                return;
            const int x = std::clamp(static_cast<int>(point.x), static_cast<int>(m_rcGreyStrip.left),
                                     static_cast<int>(m_rcGreyStrip.right) - 1);
            // A strip whose fifth block ends short of its right edge leaves
            // the last columns to the white block.
            int nBlock = kGreyBlocks - 1;
            for (int i = 0; i < kGreyBlocks; ++i)
            {
                if (m_anGreyBlockRight[i] > x)
                {
                    nBlock = i;
                    break;
                }
            }
            const int nLevel = std::min(nBlock * 64, 255);
            StoreColor(RGB(nLevel, nLevel, nLevel));
            if (HWND hPalette = PaletteHwnd())
                ::PostMessageW(hPalette, WM_RAINBOW_CLICK, m_clrColor, m_nButtonFlag);
            break;
        }
        case DRAG_NONE:
            break;
    }
}

void CHSBMapPickerWnd::StoreColor(COLORREF clr)
{
    m_clrColor = clr;
    m_bRed = GetRValue(clr);
    m_bGreen = GetGValue(clr);
    m_bBlue = GetBValue(clr);
}

void CHSBMapPickerWnd::SendColor()
{
    m_toolTip.ShowToolTipColor(m_clrColor);
    HWND hPalette = PaletteHwnd();
    if (hPalette == nullptr)
        return;
    m_bSending = true;
    ::SendMessageW(hPalette, WM_RAINBOW_CLICK, m_clrColor, m_nButtonFlag);
    m_bSending = false;
}

void CHSBMapPickerWnd::EndDrag(CPoint point)
{
    const EDragState eState = m_eDragState;
    m_eDragState = DRAG_NONE;
    m_ptGrabOffset = CPoint(0, 0);
    if (GetCapture() == this)
        ReleaseCapture();
    if (eState == DRAG_HUE_BAR)
        ProcessPoint(eState, point);
    else if (eState == DRAG_MAP)
        ProcessPoint(eState, m_ptMarker);
    m_toolTip.HideToolTip();
}

void CHSBMapPickerWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_eDragState != DRAG_NONE)
        EndDrag(point);
    else
        CWnd::OnLButtonUp(nFlags, point);
}

void CHSBMapPickerWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (m_eDragState != DRAG_NONE)
        EndDrag(point);
    else
        CWnd::OnRButtonUp(nFlags, point);
}

void CHSBMapPickerWnd::OnCaptureChanged(CWnd* pWnd)
{
    // Capture taken away in the middle of a drag (another window grabbed
    // it): the drag ends without a last colour.
    if (m_eDragState != DRAG_NONE && pWnd != this)
    {
        m_eDragState = DRAG_NONE;
        m_ptGrabOffset = CPoint(0, 0);
        m_toolTip.HideToolTip();
    }
    CWnd::OnCaptureChanged(pWnd);
}

BOOL CHSBMapPickerWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const bool bOverMap = IsMapUsable() && m_rcMap.PtInRect(point);
        const bool bOverStrip = m_bGreyscaleMode && m_rcGreyStrip.PtInRect(point);
        if (bOverMap || bOverStrip)
        {
            if (m_hDropper == nullptr)
            {
                const LPCWSTR pszName = MAKEINTRESOURCEW(kDropperCursor);
                m_hDropper = ::LoadCursorW(AfxFindResourceHandle(pszName, RT_CURSOR), pszName);
            }
            if (m_hDropper != nullptr)
            {
                ::SetCursor(m_hDropper);
                return TRUE;
            }
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CHSBMapPickerWnd::OnSysColorChange()
{
    CWnd::OnSysColorChange();
}
