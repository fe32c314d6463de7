#include "ColorSlider.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CColorSlider, CSliderCtrl)

BEGIN_MESSAGE_MAP(CColorSlider, CSliderCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

COLORREF GreyTrackColor(double dFraction, int)
{
    const double f = std::isnan(dFraction) ? 0.0 : std::clamp(dFraction, 0.0, 1.0);
    const auto t = static_cast<BYTE>(f * 255.0);
    return RGB(t, t, t);
}

void CColorSlider::SetTrackColorFunction(PFN_TRACKCOLOR pfnTrackColor, int nParameter)
{
    m_pfnTrackColor = pfnTrackColor != nullptr ? pfnTrackColor : &GreyTrackColor;
    m_nParameter = nParameter;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

CString CColorSlider::FormatValue(int nValue) const
{
    CString strText;
    strText.Format(m_eKind == SLIDER_KIND_HEXADECIMAL ? L"%02X" : L"%d", nValue);
    return strText;
}

void CColorSlider::PaintChannel(HDC hdc, const RECT& rcChannel) const
{
    const int nLeft = rcChannel.left + 3;
    const int nRight = rcChannel.right - 3;
    if (nRight <= nLeft || rcChannel.bottom <= rcChannel.top)
        return;
    const int n = nRight - nLeft - 1;
    for (int i = 0; i <= n; ++i)
    {
        const double f = n > 0 ? static_cast<double>(i) / n : 0.0;
        HBRUSH hBrush = CreateSolidBrush(GetTrackColor(f));
        const RECT rcColumn{nLeft + i, rcChannel.top, nLeft + i + 1, rcChannel.bottom};
        FillRect(hdc, &rcColumn, hBrush);
        DeleteObject(hBrush);
    }
}

void CColorSlider::PaintThumb(HDC hdc, const RECT& rcThumb)
{
    CRect rc(rcThumb);
    rc.InflateRect(2, 2);
    rc.OffsetRect(0, -4);
    if (rc.Width() < 2 || rc.Height() < 2)
        return;
    const POINT points[3] = {
        {rc.left, rc.bottom - 1}, {rc.right - 1, rc.bottom - 1}, {rc.CenterPoint().x, rc.top}};
    HPEN hPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    HBRUSH hBrush = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ hOldPen = SelectObject(hdc, hPen);
    HGDIOBJ hOldBrush = SelectObject(hdc, hBrush);
    Polygon(hdc, points, 3);
    SelectObject(hdc, hOldPen);
    SelectObject(hdc, hOldBrush);
    DeleteObject(hPen);
    DeleteObject(hBrush);
}

void CColorSlider::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pDraw = reinterpret_cast<const NMCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->dwDrawStage == CDDS_PREPAINT)
    {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (pDraw->dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    if (pDraw->dwItemSpec == TBCD_CHANNEL)
    {
        PaintChannel(pDraw->hdc, pDraw->rc);
        *pResult = CDRF_SKIPDEFAULT;
    }
    else if (pDraw->dwItemSpec == TBCD_THUMB)
    {
        PaintThumb(pDraw->hdc, pDraw->rc);
        *pResult = CDRF_SKIPDEFAULT;
    }
}
