#include "MnePainters.h"

#include "ColorConversions.h"
#include "Dc.h"
#include "XUIDraw.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr COLORREF kTriangleInk = RGB(0, 0, 0);
constexpr COLORREF kTriangleFill = RGB(255, 255, 255);
constexpr int kTriangleHeight = CMnePainterHorz::kTriangleHalfWidth + 1;

int Limit(int nLevel)
{
    return std::clamp(nLevel, 0, 255);
}
} // namespace

// ---------------------------------------------------------------------------
// CMnePainterHorz

CMnePainterHorz::~CMnePainterHorz()
{
    SetThumbImage(nullptr);
}

void CMnePainterHorz::SetThumbImage(HBITMAP hThumb, bool bOwn)
{
    if (m_hThumb != nullptr && m_bOwnThumb && m_hThumb != hThumb)
        DeleteObject(m_hThumb);
    m_hThumb = hThumb;
    m_bOwnThumb = bOwn && hThumb != nullptr;
}

int CMnePainterHorz::FractionToLevel(double dFraction)
{
    if (!(dFraction > 0.0)) // also NaN
        return 0;
    if (dFraction >= 1.0)
        return 255;
    return static_cast<int>(std::lround(dFraction * 255.0));
}

int CMnePainterHorz::ValueColumn(int nRampWidth, int nValue, int nMin, int nMax)
{
    if (nRampWidth <= 0)
        return -1;
    if (nMax <= nMin)
        return 0;
    const double dFraction =
        (static_cast<double>(std::clamp(nValue, nMin, nMax)) - nMin) / (static_cast<double>(nMax) - nMin);
    return std::min(static_cast<int>(dFraction * nRampWidth), nRampWidth - 1);
}

void CMnePainterHorz::PaintRamp(CDC& dc, const CRect& rcRamp) const
{
    const int nWidth = rcRamp.Width();
    if (nWidth <= 0 || rcRamp.Height() <= 0)
        return;
    for (int i = 0; i < nWidth; ++i)
    {
        const double dFraction = (i + 0.5) / nWidth;
        dc.FillSolidRect(rcRamp.left + i, rcRamp.top, 1, rcRamp.Height(), GetColorAt(dFraction));
    }
}

void CMnePainterHorz::PaintThumb(CDC& dc, const CRect& rcRamp, int nValue, int nMin, int nMax) const
{
    const int nColumn = ValueColumn(rcRamp.Width(), nValue, nMin, nMax);
    if (nColumn < 0 || rcRamp.Height() <= 0)
        return;
    const int xCentre = rcRamp.left + nColumn;
    const SIZE sizeThumb = XUIBitmapSize(m_hThumb);
    if (sizeThumb.cx > 0 && sizeThumb.cy > 0)
    {
        const int x = xCentre - sizeThumb.cx / 2;
        const int y = rcRamp.top + (rcRamp.Height() - sizeThumb.cy) / 2;
        XUIDrawBitmapCentred(dc.GetSafeHdc(), m_hThumb, RECT{x, y, x + sizeThumb.cx, y + sizeThumb.cy},
                             false);
        return;
    }
    // Row k of the triangle (k = 0 at the apex) is 2k + 1 pixels wide:
    // outlined at both ends, filled between, the base row all outline.
    const int yBase = rcRamp.bottom - 1;
    for (int k = 0; k < kTriangleHeight; ++k)
    {
        const int y = yBase - (kTriangleHeight - 1) + k;
        if (k == kTriangleHeight - 1 || k == 0)
        {
            dc.FillSolidRect(xCentre - k, y, 2 * k + 1, 1, kTriangleInk);
            continue;
        }
        dc.FillSolidRect(xCentre - k, y, 1, 1, kTriangleInk);
        dc.FillSolidRect(xCentre - k + 1, y, 2 * k - 1, 1, kTriangleFill);
        dc.FillSolidRect(xCentre + k, y, 1, 1, kTriangleInk);
    }
}

void CMnePainterHorz::PaintSlider(CDC& dc, const CRect& rcRamp, int nValue, int nMax, int nMin) const
{
    PaintRamp(dc, rcRamp);
    PaintThumb(dc, rcRamp, nValue, nMin, nMax);
}

// ---------------------------------------------------------------------------
// The plain painters

COLORREF CMnePainterRedHorz::GetColorAt(double dFraction) const
{
    return RGB(FractionToLevel(dFraction), 0, 0);
}

COLORREF CMnePainterGreenHorz::GetColorAt(double dFraction) const
{
    return RGB(0, FractionToLevel(dFraction), 0);
}

COLORREF CMnePainterBlueHorz::GetColorAt(double dFraction) const
{
    return RGB(0, 0, FractionToLevel(dFraction));
}

COLORREF CMnePainterHueHorz::GetColorAt(double dFraction) const
{
    return HSL_to_RGB(FractionToLevel(dFraction), 255, 128);
}

COLORREF CMnePainterSaturationHorz::GetColorAt(double dFraction) const
{
    return HSL_to_RGB(0, FractionToLevel(dFraction), 128);
}

COLORREF CMnePainterLuminanceHorz::GetColorAt(double dFraction) const
{
    return HSL_to_RGB(0, 255, FractionToLevel(dFraction));
}

// ---------------------------------------------------------------------------
// The linked painters

int CMneLinkedValues::Component(EMneComponent eComponent) const
{
    return m_pRGBHSL != nullptr ? Limit(m_pRGBHSL[eComponent]) : 0;
}

COLORREF CMnePainterLinkedRedHorz::GetColorAt(double dFraction) const
{
    if (!HasValues())
        return CMnePainterRedHorz::GetColorAt(dFraction);
    return RGB(FractionToLevel(dFraction), Component(MNE_GREEN), Component(MNE_BLUE));
}

COLORREF CMnePainterLinkedGreenHorz::GetColorAt(double dFraction) const
{
    if (!HasValues())
        return CMnePainterGreenHorz::GetColorAt(dFraction);
    return RGB(Component(MNE_RED), FractionToLevel(dFraction), Component(MNE_BLUE));
}

COLORREF CMnePainterLinkedBlueHorz::GetColorAt(double dFraction) const
{
    if (!HasValues())
        return CMnePainterBlueHorz::GetColorAt(dFraction);
    return RGB(Component(MNE_RED), Component(MNE_GREEN), FractionToLevel(dFraction));
}

COLORREF CMnePainterLinkedHueHorz::GetColorAt(double dFraction) const
{
    if (!HasValues())
        return CMnePainterHueHorz::GetColorAt(dFraction);
    return HSL_to_RGB(FractionToLevel(dFraction), Component(MNE_SATURATION), Component(MNE_LIGHTNESS));
}

COLORREF CMnePainterLinkedSaturationHorz::GetColorAt(double dFraction) const
{
    if (!HasValues())
        return CMnePainterSaturationHorz::GetColorAt(dFraction);
    return HSL_to_RGB(Component(MNE_HUE), FractionToLevel(dFraction), Component(MNE_LIGHTNESS));
}

COLORREF CMnePainterLinkedLuminanceHorz::GetColorAt(double dFraction) const
{
    if (!HasValues())
        return CMnePainterLuminanceHorz::GetColorAt(dFraction);
    return HSL_to_RGB(Component(MNE_HUE), Component(MNE_SATURATION), FractionToLevel(dFraction));
}
