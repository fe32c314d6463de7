#include "MaterialSampleWnd.h"

#include "Placeholder.h"

#include "Dc.h"
#include "MirnMaterialPalette.h"
#include "PaintWindow.h"
#include "RTRACE.h"
#include "XUIDPI.h"
#include "XUIDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

IMPLEMENT_DYNAMIC(CMaterialSampleWnd, CWnd)

BEGIN_MESSAGE_MAP(CMaterialSampleWnd, CWnd)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_CAPTURECHANGED()
ON_WM_KEYDOWN()
ON_WM_SETCURSOR()
ON_WM_ENABLE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
// The width of the sign's outline and stroke, 96-DPI pixels.
constexpr int kNoneSignPen = 2;
// The focus rectangle lies this far inside the client area.
constexpr int kFocusInset = 2;

void SetCairoColor(cairo_t* pCairo, COLORREF clrColor)
{
    cairo_set_source_rgb(pCairo, GetRValue(clrColor) / 255.0, GetGValue(clrColor) / 255.0,
                         GetBValue(clrColor) / 255.0);
}
} // namespace

SNoneSignGeometry NoneSignGeometry(int nWidth, int nHeight)
{
    SNoneSignGeometry sign;
    sign.dCenterX = std::max(nWidth, 0) / 2.0;
    sign.dCenterY = std::max(nHeight, 0) / 2.0;
    sign.dRadius = std::max(nHeight, 0) / 3.0;
    const double dX = sign.dRadius * std::cos(MATSAMPLE_NONE_ANGLE);
    const double dY = sign.dRadius * std::sin(MATSAMPLE_NONE_ANGLE);
    sign.dStrokeX1 = sign.dCenterX + dX;
    sign.dStrokeY1 = sign.dCenterY + dY;
    sign.dStrokeX2 = sign.dCenterX - dX;
    sign.dStrokeY2 = sign.dCenterY - dY;
    return sign;
}

COLORREF NoneSignOutlineColor(COLORREF clrFace, COLORREF clrText)
{
    const auto mix = [](BYTE face, BYTE text) { return static_cast<BYTE>((4 * face + text) / 5); };
    return RGB(mix(GetRValue(clrFace), GetRValue(clrText)), mix(GetGValue(clrFace), GetGValue(clrText)),
               mix(GetBValue(clrFace), GetBValue(clrText)));
}

UINT SampleToolTipInitialDelay()
{
    return GetDoubleClickTime();
}

UINT SampleToolTipAutoPopDelay()
{
    return 10 * GetDoubleClickTime();
}

CMaterialSampleWnd::~CMaterialSampleWnd()
{
    if (m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    DropImage();
}

BOOL CMaterialSampleWnd::Create(UINT nPlaceholderId, CWnd* pParent, bool bShowTooltip, bool bUseCursor)
{
    m_bShowTooltip = bShowTooltip;
    m_bUseCursor = bUseCursor;
    if (m_hWnd != nullptr)
        return FALSE;
    const SPlaceholderSpot spot = TakePlaceholder(pParent, nPlaceholderId);
    if (!spot.bFound)
        return FALSE;

    // The palette keeps the sampling cursor once its pane exists; before
    // that it comes straight from the language resources.
    if (m_bUseCursor)
    {
        CMirnMaterialPalette* pPalette = CMirnMaterialPalette::Instance();
        m_hCursor = pPalette != nullptr ? pPalette->GetSampleCursor() : nullptr;
        const LPCWSTR lpszCursor = MAKEINTRESOURCEW(IDC_MATERIALS_SAMPLE_CURSOR);
        if (m_hCursor == nullptr)
            m_hCursor = LoadCursorW(AfxFindResourceHandle(lpszCursor, RT_CURSOR), lpszCursor);
    }

    LPCWSTR pszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(0, pszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, spot.rect, pParent,
                  nPlaceholderId))
        return FALSE;
    if (m_bShowTooltip)
        m_toolTip.Create(this);

    RestoreTabOrder(m_hWnd, spot);
    if (m_pMaterial != nullptr)
        Render();
    return TRUE;
}

void CMaterialSampleWnd::SetMaterial(IMGLMaterial* pMaterial)
{
    // Held again even when it is the same object: it may have changed.
    m_pMaterial = pMaterial;
    m_bSolidColor = pMaterial != nullptr && pMaterial->GetStyle() == 1;
    if (m_bSolidColor)
        m_clrSolid = pMaterial->GetSolidColor() & 0x00FFFFFFu;
    Render();
    UpdateTTText();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMaterialSampleWnd::GetMaterial(CComPtr<IMGLMaterial>& pMaterial) const
{
    pMaterial = m_pMaterial;
}

void CMaterialSampleWnd::UpdateTTText()
{
    m_strTTText =
        m_pMaterial != nullptr ? CFlexibleToolTipContainer::GetMaterialToolTipString(m_pMaterial) : CString();
    // A tooltip on show follows the material.
    if (m_toolTip.IsToolTipVisible())
        ShowToolTip();
}

void CMaterialSampleWnd::SetBorderCount(int nCount)
{
    nCount = std::max(nCount, 0);
    if (nCount == m_nBorderCount)
        return;
    m_nBorderCount = nCount;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMaterialSampleWnd::SetDrawBorder(bool bDraw)
{
    if (bDraw == m_bDrawBorder)
        return;
    m_bDrawBorder = bDraw;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMaterialSampleWnd::SetDrawFocus(bool bDraw)
{
    if (bDraw == m_bDrawFocus)
        return;
    m_bDrawFocus = bDraw;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMaterialSampleWnd::DropImage()
{
    if (m_hImage != nullptr)
    {
        DeleteObject(m_hImage);
        m_hImage = nullptr;
    }
}

void CMaterialSampleWnd::Render()
{
    DropImage();
    if (m_pMaterial == nullptr || m_hWnd == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    HBITMAP hImage = CreateCompatibleBitmap(nullptr, rcClient.Width(), rcClient.Height());
    HDC hdcImage = CreateCompatibleDC(nullptr);
    if (hImage == nullptr || hdcImage == nullptr)
    {
        if (hImage != nullptr)
            DeleteObject(hImage);
        if (hdcImage != nullptr)
            DeleteDC(hdcImage);
        return;
    }
    HGDIOBJ hOld = SelectObject(hdcImage, hImage);
    CDC dc;
    dc.Attach(hdcImage);
    // What no engine can draw shows the background.
    dc.FillSolidRect(&rcClient, GetSysColor(COLOR_BTNFACE));
    CMirnMaterialPalette* pPalette = CMirnMaterialPalette::Instance();
    CMGLMGDIRenderEngine* pEngine = pPalette != nullptr ? pPalette->GetRenderEngine() : nullptr;
    bool bRendered = false;
    if (pEngine != nullptr)
    {
        CErrorAutoThrow error;
        pEngine->RenderMaterial(error, m_pMaterial, dc, rcClient);
        bRendered = !error.IsError();
        if (!bRendered)
        {
            RTRACE(L"CMaterialSampleWnd::Render", nullptr, RTRACE_LEVEL_ERROR, 0)
            (L"The render engine failed with %d\n", static_cast<int>(error.GetError()));
            dc.FillSolidRect(&rcClient, GetSysColor(COLOR_BTNFACE));
        }
    }
    if (!bRendered && m_bSolidColor)
        dc.FillSolidRect(&rcClient, m_clrSolid);
    dc.Detach();
    SelectObject(hdcImage, hOld);
    DeleteDC(hdcImage);
    m_hImage = hImage;
    ++m_nRenderCount;
}

void CMaterialSampleWnd::PaintNoneSign(HDC hdc, const CRect& rcClient)
{
    const COLORREF clrFace = GetSysColor(COLOR_BTNFACE);
    const COLORREF clrOutline = NoneSignOutlineColor(clrFace, GetSysColor(COLOR_BTNTEXT));
    XUIFillSolid(hdc, rcClient, clrFace);
    CCairoDrawing drawing(hdc);
    if (!drawing)
        return;
    cairo_t* pCairo = drawing.Get();
    const SNoneSignGeometry sign = NoneSignGeometry(rcClient.Width(), rcClient.Height());
    cairo_translate(pCairo, rcClient.left, rcClient.top);
    cairo_set_line_width(pCairo, XUIScale(kNoneSignPen));
    cairo_arc(pCairo, sign.dCenterX, sign.dCenterY, sign.dRadius, 0.0, 2.0 * std::numbers::pi);
    SetCairoColor(pCairo, clrFace);
    cairo_fill_preserve(pCairo);
    SetCairoColor(pCairo, clrOutline);
    cairo_stroke(pCairo);
    cairo_move_to(pCairo, sign.dStrokeX1, sign.dStrokeY1);
    cairo_line_to(pCairo, sign.dStrokeX2, sign.dStrokeY2);
    cairo_stroke(pCairo);
}

void CMaterialSampleWnd::PaintBorder(HDC hdc, const CRect& rcClient)
{
    CDC dc;
    dc.Attach(hdc);
    if (m_nBorderCount == 0)
    {
        dc.Draw3dRect(&rcClient, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    else
    {
        const COLORREF clrHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
        CRect rc = rcClient;
        for (int i = 0; i < m_nBorderCount && !rc.IsRectEmpty(); ++i)
        {
            dc.Draw3dRect(&rc, clrHighlight, clrHighlight);
            rc.DeflateRect(1, 1);
        }
    }
    dc.Detach();
}

void CMaterialSampleWnd::Paint(HDC hdc)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    // The border is drawn last over the content, which comes to the same as
    // the content clipped inside it.
    if (!IsWindowEnabled())
    {
        PaintNoneSign(hdc, rcClient);
    }
    else if (m_hImage != nullptr)
    {
        HDC hdcImage = CreateCompatibleDC(hdc);
        HGDIOBJ hOld = SelectObject(hdcImage, m_hImage);
        BitBlt(hdc, 0, 0, rcClient.Width(), rcClient.Height(), hdcImage, 0, 0, SRCCOPY);
        SelectObject(hdcImage, hOld);
        DeleteDC(hdcImage);
    }
    else
    {
        XUIFillSolid(hdc, rcClient, GetSysColor(COLOR_BTNFACE));
    }
    if (m_bDrawBorder)
        PaintBorder(hdc, rcClient);
    if (m_bDrawFocus && ::GetFocus() == m_hWnd)
    {
        CRect rcFocus = rcClient;
        rcFocus.DeflateRect(kFocusInset, kFocusInset);
        DrawFocusRect(hdc, &rcFocus);
    }
}

void CMaterialSampleWnd::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CMaterialSampleWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

BOOL CMaterialSampleWnd::OnEraseBkgnd(CDC*)
{
    // Painting covers the whole client area.
    return TRUE;
}

void CMaterialSampleWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pMaterial != nullptr)
        Render();
    Invalidate(FALSE);
}

bool CMaterialSampleWnd::IsCursorOver() const
{
    POINT pt{};
    if (!::GetCursorPos(&pt))
        return false;
    CRect rc;
    GetWindowRect(&rc);
    return rc.PtInRect(pt) != FALSE;
}

void CMaterialSampleWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (!m_bShowTooltip || (nFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0)
        return;
    if (!m_bTrackingLeave)
    {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        m_bTrackingLeave = ::_TrackMouseEvent(&track) != FALSE;
    }
    // A tooltip on show stays; otherwise the delay starts again from here.
    if (m_nToolTipTimer == MATSAMPLE_TIMER_POP)
        return;
    m_nToolTipTimer = SetTimer(MATSAMPLE_TIMER_SHOW, SampleToolTipInitialDelay(), nullptr);
}

void CMaterialSampleWnd::OnMouseLeave()
{
    m_bTrackingLeave = false;
    // A tooltip not yet shown is not wanted any more; one on show goes at
    // the next tick, which sees the pointer gone.
    if (m_nToolTipTimer == MATSAMPLE_TIMER_SHOW)
    {
        KillTimer(MATSAMPLE_TIMER_SHOW);
        m_nToolTipTimer = 0;
    }
}

void CMaterialSampleWnd::ShowToolTip()
{
    if (m_bSolidColor)
        m_toolTip.ShowToolTipColor(m_clrSolid);
    else
        m_toolTip.ShowToolTip(m_strTTText);
}

void CMaterialSampleWnd::StopToolTip()
{
    if (m_nToolTipTimer != 0)
    {
        KillTimer(m_nToolTipTimer);
        m_nToolTipTimer = 0;
    }
    m_nToolTipElapsed = 0;
    m_toolTip.HideToolTip();
}

void CMaterialSampleWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == MATSAMPLE_TIMER_SHOW)
    {
        KillTimer(MATSAMPLE_TIMER_SHOW);
        m_nToolTipTimer = 0;
        if (!m_bShowTooltip || !IsCursorOver())
            return;
        ShowToolTip();
        m_nToolTipElapsed = 0;
        m_nToolTipTimer = SetTimer(MATSAMPLE_TIMER_POP, MATSAMPLE_POP_TICK, nullptr);
        return;
    }
    if (nIDEvent == MATSAMPLE_TIMER_POP)
    {
        m_nToolTipElapsed += MATSAMPLE_POP_TICK;
        if (m_nToolTipElapsed > static_cast<int>(SampleToolTipAutoPopDelay()) || !IsCursorOver())
            StopToolTip();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CMaterialSampleWnd::PostClicked()
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr)
    {
        ::PostMessageW(hParent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_hWnd));
    }
}

void CMaterialSampleWnd::OnLButtonDown(UINT, CPoint)
{
    StopToolTip();
    m_bPressed = true;
    SetCapture();
}

void CMaterialSampleWnd::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bPressed)
        return;
    m_bPressed = false;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    CRect rc;
    GetClientRect(&rc);
    // Released outside, the press is taken back.
    if (rc.PtInRect(point))
        PostClicked();
}

void CMaterialSampleWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    StopToolTip();
    CWnd::OnRButtonDown(nFlags, point);
}

void CMaterialSampleWnd::OnCaptureChanged(CWnd*)
{
    m_bPressed = false;
}

void CMaterialSampleWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    StopToolTip();
    if (nChar == VK_SPACE)
    {
        PostClicked();
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CMaterialSampleWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bUseCursor && m_hCursor != nullptr && nHitTest == HTCLIENT)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CMaterialSampleWnd::OnEnable(BOOL bEnable)
{
    if (!bEnable)
    {
        m_bPressed = false;
        StopToolTip();
    }
    Invalidate(FALSE);
}

void CMaterialSampleWnd::OnSetFocus(CWnd*)
{
    Invalidate(FALSE);
}

void CMaterialSampleWnd::OnKillFocus(CWnd*)
{
    Invalidate(FALSE);
}

void CMaterialSampleWnd::OnDestroy()
{
    StopToolTip();
    DropImage();
    CWnd::OnDestroy();
}
