#include "RainbowPickerWnd.h"

#include "ColorConversions.h"
#include "Dc.h"
#include "MirnMaterialPalette.h"
#include "PaintWindow.h"
#include "PaneMessages.h"
#include "RTRACE.h"
#include "Resources.h"
#include "XUIVisualManager.h"

#include <algorithm>
#include <cmath>
#include <vector>

IMPLEMENT_DYNAMIC(CRainbowPickerWnd, CWnd)

BEGIN_MESSAGE_MAP(CRainbowPickerWnd, CWnd)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_SETCURSOR()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
constexpr LPCWSTR kBuildFunction = L"CRainbowPickerWnd::BuildPickerDIB";

void PutPixel(BYTE* pRow, int x, BYTE bRed, BYTE bGreen, BYTE bBlue)
{
    BYTE* p = pRow + 3 * static_cast<size_t>(x);
    p[0] = bBlue;
    p[1] = bGreen;
    p[2] = bRed;
}

void TraceRowFailure(int y)
{
    RTRACE(kBuildFunction, nullptr, RTRACE_LEVEL_ERROR, 0)
    (L"Fail in m_oPickerDIB.GetRow(pbyPixels, %d)  \n", y);
}

// Saturation and lightness of each column of a rainbow row. They are the
// same for every row, so they are worked out once; the accumulators are
// single precision and stepped exactly as a row is walked, so every row
// gets the values a per-row walk would give.
void ColumnSaturationAndLightness(int nWidth, std::vector<int>& arrSaturation, std::vector<int>& arrLightness)
{
    arrSaturation.resize(static_cast<size_t>(nWidth));
    arrLightness.resize(static_cast<size_t>(nWidth));
    // The saturation angle rises from 76.5 to about 255 at the middle
    // column and falls back; its cosine makes a bump from about 116 at
    // the edges to 255 in the middle. Lightness rises linearly.
    const float fAngleStep = static_cast<float>(178.0 / (nWidth * 0.5 - 1.0));
    const float fLightStep = 255.0f / static_cast<float>(nWidth);
    const int nHalf = static_cast<int>(nWidth * 0.5);
    float fAngleSum = 76.5f;
    float fLightSum = 0.0f;
    for (int x = 0; x < nWidth; ++x)
    {
        const float fAngle = static_cast<float>(1.57 * (255.0 - fAngleSum) / 255.0);
        const float fCosine = static_cast<float>(std::cos(static_cast<double>(fAngle)));
        const float fScaled = fCosine * 255.0f;
        arrSaturation[static_cast<size_t>(x)] = static_cast<int>(fScaled + 0.5);
        arrLightness[static_cast<size_t>(x)] = static_cast<int>(fLightSum + 0.5);
        if (x < nHalf)
            fAngleSum += fAngleStep;
        else
            fAngleSum -= fAngleStep;
        fLightSum += fLightStep;
    }
}
} // namespace

CRainbowPickerWnd::~CRainbowPickerWnd()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CRainbowPickerWnd::Create(CWnd* pParent, UINT nID, const CRect& rect)
{
    if (pParent == nullptr || !::IsWindow(pParent->GetSafeHwnd()) || m_hWnd != nullptr)
        return FALSE;
    static const LPCWSTR s_pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(0, s_pszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, pParent, nID))
        return FALSE;
    m_pToolTip = std::make_unique<CFlexibleToolTipContainer>();
    m_pToolTip->Create(this);
    return TRUE;
}

void CRainbowPickerWnd::SetAppContext(IMatPalAppContext* pAppContext)
{
    m_pAppContext = pAppContext;
}

CRect CRainbowPickerWnd::GetCellRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_arrCellRects.size()))
        return CRect();
    return CRect(m_arrCellRects[static_cast<size_t>(nIndex)]);
}

void CRainbowPickerWnd::BuildPickerDIB()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    // One pixel of frame on each side.
    const int nWidth = rcClient.Width() - 2;
    const int nHeight = rcClient.Height() - 2;
    if (nWidth < kMinImageSide || nHeight < kMinImageSide)
        return;

    m_oPickerDIB.Detach();
    if (!m_oPickerDIB.CreateRGB(nWidth, nHeight))
    {
        RTRACE(kBuildFunction, nullptr, RTRACE_LEVEL_ERROR, 0)
        (L"Fail in m_oPickerDIB.CreateRGB(%d, %d)  \n", nWidth, nHeight);
        return;
    }

    // A full-colour image, or one that is neither paletted nor greyscale,
    // gets the rainbow; the others a grid of what they can hold. The host's
    // errors are dropped: its answers stand as given.
    bool bRainbow = true;
    bool bGreyscale = false;
    if (m_pAppContext != nullptr)
    {
        CErrorAutoThrow error;
        if (!m_pAppContext->IsFullColorDocument(error))
        {
            const bool bPaletted = m_pAppContext->HasDocumentPalette(error);
            bGreyscale = m_pAppContext->IsGreyscaleDocument(error);
            bRainbow = !bPaletted && !bGreyscale;
        }
    }

    if (bRainbow)
    {
        BuildRainbow(nHeight - kGreyStripRows);
        BuildGreyStrip();
        m_bRainbow = true;
        return;
    }

    std::array<PALETTEENTRY, 256> aEntries{};
    if (bGreyscale)
    {
        BuildGrid(nHeight - kGreyStripRows, 13, 20, 255, true, aEntries);
        BuildGreyStrip();
    }
    else
    {
        CErrorAutoThrow error;
        CMPalette palette;
        m_pAppContext->GetDocumentPalette(error, palette);
        // A failed query leaves the table zeroed: the cells show black.
        int nCount = 0;
        if (error.IsOk())
            nCount = palette.GetEntries(0, static_cast<int>(aEntries.size()), aEntries.data());
        if (nCount < 3)
            BuildGrid(nHeight, 1, 2, 2, false, aEntries);
        else if (nCount <= 16)
            BuildGrid(nHeight, 2, 8, 16, false, aEntries);
        else
            BuildGrid(nHeight, 13, 20, 255, false, aEntries);
    }
    m_bRainbow = false;
}

void CRainbowPickerWnd::BuildRainbow(int nRows)
{
    const int nWidth = m_oPickerDIB.Width();
    std::vector<int> arrSaturation;
    std::vector<int> arrLightness;
    ColumnSaturationAndLightness(nWidth, arrSaturation, arrLightness);

    // Hue runs from 0 at the top to about 254 at the bottom.
    const float fHueStep = 255.0f / static_cast<float>(nRows);
    float fHueSum = 0.0f;
    for (int y = 0; y < nRows; ++y, fHueSum += fHueStep)
    {
        BYTE* pRow = m_oPickerDIB.GetRow(y);
        if (pRow == nullptr)
        {
            TraceRowFailure(y);
            continue;
        }
        const int nHue = static_cast<int>(fHueSum + 0.5);
        for (int x = 0; x < nWidth; ++x)
        {
            BYTE bRed = 0, bGreen = 0, bBlue = 0;
            HSL_to_RGB(nHue, arrSaturation[static_cast<size_t>(x)], arrLightness[static_cast<size_t>(x)],
                       bRed, bGreen, bBlue);
            PutPixel(pRow, x, bRed, bGreen, bBlue);
        }
        // White at the right end, black at the left (black wins when the
        // two are the same column).
        PutPixel(pRow, nWidth - 1, 255, 255, 255);
        PutPixel(pRow, 0, 0, 0, 0);
        m_oPickerDIB.ReleaseRow(y);
    }
}

void CRainbowPickerWnd::BuildGrid(int nRows, int nColumns, int nGridRows, int nMaxIndex, bool bGrey,
                                  const std::array<PALETTEENTRY, 256>& aEntries)
{
    const int nWidth = m_oPickerDIB.Width();
    const int nHeight = m_oPickerDIB.Height();
    const double dCellWidth = static_cast<double>(nWidth) / nColumns;
    const double dCellHeight = static_cast<double>(nRows) / nGridRows;
    // Empty boxes (inverted), widened below by every pixel of their index.
    m_arrCellRects.fill(RECT{nWidth, nHeight, 0, 0});
    for (int y = 0; y < nRows; ++y)
    {
        BYTE* pRow = m_oPickerDIB.GetRow(y);
        if (pRow == nullptr)
        {
            TraceRowFailure(y);
            continue;
        }
        const int nRowStart = static_cast<int>(y / dCellHeight) * nColumns;
        for (int x = 0; x < nWidth; ++x)
        {
            const int nIndex = std::min(nRowStart + static_cast<int>(x / dCellWidth), nMaxIndex);
            if (bGrey)
            {
                const BYTE bLevel = static_cast<BYTE>(nIndex);
                PutPixel(pRow, x, bLevel, bLevel, bLevel);
            }
            else
            {
                const PALETTEENTRY& entry = aEntries[static_cast<size_t>(nIndex)];
                PutPixel(pRow, x, entry.peRed, entry.peGreen, entry.peBlue);
            }
            RECT& rcCell = m_arrCellRects[static_cast<size_t>(nIndex)];
            rcCell.left = std::min(rcCell.left, static_cast<LONG>(x));
            rcCell.right = std::max(rcCell.right, static_cast<LONG>(x + 1));
            rcCell.top = std::min(rcCell.top, static_cast<LONG>(y));
            rcCell.bottom = std::max(rcCell.bottom, static_cast<LONG>(y + 1));
        }
        m_oPickerDIB.ReleaseRow(y);
    }
}

void CRainbowPickerWnd::BuildGreyStrip()
{
    static constexpr BYTE s_aLevels[5] = {0, 64, 128, 192, 255};
    const int nWidth = m_oPickerDIB.Width();
    const int nHeight = m_oPickerDIB.Height();
    const int nBlockWidth = (nWidth + 4) / 5;
    for (int y = nHeight - kGreyStripRows; y < nHeight; ++y)
    {
        BYTE* pRow = m_oPickerDIB.GetRow(y);
        if (pRow == nullptr)
        {
            TraceRowFailure(y);
            continue;
        }
        for (int x = 0; x < nWidth; ++x)
        {
            const BYTE bLevel = s_aLevels[std::min(x / nBlockWidth, 4)];
            PutPixel(pRow, x, bLevel, bLevel, bLevel);
        }
        m_oPickerDIB.ReleaseRow(y);
    }
}

COLORREF CRainbowPickerWnd::GetColorAtPoint(CPoint point) const
{
    if (!m_oPickerDIB.IsAttached() || m_oPickerDIB.BitsPerPixel() != 24)
        return 0;
    if (point.x < 0 || point.x >= m_oPickerDIB.Width() || point.y < 0 || point.y >= m_oPickerDIB.Height())
        return 0;
    const BYTE* pRow = m_oPickerDIB.GetRow(point.y);
    if (pRow == nullptr)
        return 0;
    const BYTE* p = pRow + 3 * static_cast<size_t>(point.x);
    const COLORREF clrColor = RGB(p[2], p[1], p[0]);
    m_oPickerDIB.ReleaseRow(point.y);
    return clrColor;
}

void CRainbowPickerWnd::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CRainbowPickerWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

void CRainbowPickerWnd::Paint(HDC hdc)
{
    if (m_pAppContext == nullptr)
        return;
    if (!m_oPickerDIB.IsAttached())
        BuildPickerDIB();
    if (m_oPickerDIB.IsAttached())
        m_oPickerDIB.Draw(hdc, 1, 1);
    CRect rcClient;
    GetClientRect(&rcClient);
    const COLORREF clrFrame = XUIGetThemeColor(XUI_COLOR_PICKER_FRAME);
    CDC::FromHandle(hdc)->Draw3dRect(&rcClient, clrFrame, clrFrame);
}

void CRainbowPickerWnd::PostColor(COLORREF clrColor, bool bForeground) const
{
    if (m_pPaletteWnd == nullptr || !::IsWindow(m_pPaletteWnd->GetSafeHwnd()))
        return;
    ::PostMessageW(m_pPaletteWnd->GetSafeHwnd(), WM_RAINBOW_CLICK, static_cast<WPARAM>(clrColor),
                   bForeground ? 1 : 0);
}

void CRainbowPickerWnd::OnLButtonDown(UINT, CPoint point)
{
    if (m_pAppContext != nullptr)
        PostColor(GetColorAtPoint(point), true);
}

void CRainbowPickerWnd::OnLButtonDblClk(UINT, CPoint point)
{
    if (m_pAppContext != nullptr)
        PostColor(GetColorAtPoint(point), true);
}

void CRainbowPickerWnd::OnRButtonDown(UINT, CPoint point)
{
    if (m_pAppContext != nullptr)
        PostColor(GetColorAtPoint(point), false);
}

void CRainbowPickerWnd::OnRButtonDblClk(UINT, CPoint point)
{
    if (m_pAppContext != nullptr)
        PostColor(GetColorAtPoint(point), false);
}

COLORREF CRainbowPickerWnd::FindPointedColor(CPoint point, int& nPaletteIndex) const
{
    nPaletteIndex = -1;
    if (m_bRainbow || m_pAppContext == nullptr)
        return GetColorAtPoint(point);
    CErrorAutoThrow error;
    if (m_pAppContext->IsGreyscaleDocument(error))
        return GetColorAtPoint(point);

    // A palette grid: the palette's own entry for the first cell holding the
    // point, so the tooltip can name its index.
    CMPalette palette;
    m_pAppContext->GetDocumentPalette(error, palette);
    const int nCount = palette.GetEntryCount();
    if (error.IsError() || nCount <= 0)
        return GetColorAtPoint(point);
    for (size_t i = 0; i < m_arrCellRects.size(); ++i)
    {
        const RECT& rcCell = m_arrCellRects[i];
        if (point.x >= rcCell.left && point.x < rcCell.right && point.y >= rcCell.top &&
            point.y < rcCell.bottom)
        {
            nPaletteIndex = std::min(static_cast<int>(i), nCount - 1);
            return palette.GetEntry(nPaletteIndex);
        }
    }
    return GetColorAtPoint(point);
}

void CRainbowPickerWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_pAppContext == nullptr || !IsWindowVisible())
        return;
    int nPaletteIndex = -1;
    const COLORREF clrColor = FindPointedColor(point, nPaletteIndex);
    if (m_pToolTip != nullptr)
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        m_pToolTip->ShowToolTipColor(clrColor, CString(), nPaletteIndex, &ptScreen);
    }
    // Dragging picks as it goes; the left button wins when both are held.
    if ((nFlags & (MK_LBUTTON | MK_RBUTTON)) != 0)
        PostColor(clrColor, (nFlags & MK_LBUTTON) != 0);
    if (!m_bTracking)
    {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        if (::_TrackMouseEvent(&tme))
            m_bTracking = true;
    }
}

void CRainbowPickerWnd::OnMouseLeave()
{
    m_bTracking = false;
    if (m_pAppContext != nullptr && m_pToolTip != nullptr)
        m_pToolTip->HideToolTip();
    CWnd::OnMouseLeave();
}

HCURSOR CRainbowPickerWnd::DropperCursor()
{
    // The pane loads the cursor once for everyone; without a pane the
    // picker loads it from the language module itself.
    if (CMirnMaterialPalette::InstanceExists())
    {
        if (HCURSOR hCursor = CMirnMaterialPalette::Instance()->GetSampleCursor())
            return hCursor;
    }
    if (m_hDropperCursor == nullptr)
    {
        const LPCWSTR lpszCursor = MAKEINTRESOURCEW(IDC_MATERIALS_SAMPLE_CURSOR);
        // The language module keeps its cursors as RT_CURSOR resources.
        m_hDropperCursor = ::LoadCursorW(AfxFindResourceHandle(lpszCursor, RT_CURSOR), lpszCursor);
    }
    return m_hDropperCursor;
}

BOOL CRainbowPickerWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_pAppContext != nullptr)
    {
        if (HCURSOR hCursor = DropperCursor())
        {
            ::SetCursor(hCursor);
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CRainbowPickerWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_hWnd != nullptr && m_oPickerDIB.IsAttached())
    {
        BuildPickerDIB();
        Invalidate(FALSE);
    }
}

void CRainbowPickerWnd::OnDestroy()
{
    if (m_pToolTip != nullptr)
        m_pToolTip->HideToolTip();
    m_pToolTip.reset();
    m_pAppContext = nullptr;
    m_oPickerDIB.Detach();
    m_bTracking = false;
    CWnd::OnDestroy();
}
