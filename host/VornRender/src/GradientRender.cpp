#include "GradientRender.h"

#include "MGLObjects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

bool IsPercent(int nValue)
{
    return nValue >= 0 && nValue <= 100;
}

// Where between two stops the mix stands, given the position inside the span
// (0 to 1) and the span's midpoint (0 to 1): two straight pieces that meet at
// one half on the midpoint, so 0.5 gives an even blend.
double MidpointWeight(double dInside, double dMidpoint)
{
    if (dMidpoint <= 0.0)
        return dInside <= 0.0 ? 0.0 : 0.5 + 0.5 * dInside;
    if (dMidpoint >= 1.0)
        return dInside >= 1.0 ? 1.0 : 0.5 * dInside;
    if (dInside <= dMidpoint)
        return 0.5 * dInside / dMidpoint;
    return 0.5 + 0.5 * (dInside - dMidpoint) / (1.0 - dMidpoint);
}

DWORD ToByte(double dValue)
{
    const double dRounded = std::floor(dValue + 0.5);
    return static_cast<DWORD>(std::clamp(dRounded, 0.0, 255.0));
}

constexpr double kDegrees = std::numbers::pi / 180.0;

} // namespace

CErrorAutoThrow CGradientRamp::Build(const SGradientStops& stops, COLORREF clrForeground,
                                     COLORREF clrBackground)
{
    m_colors.clear();
    m_opacities.clear();
    if (stops.colors.empty())
        return MIRN_ERR_INVALID_ARG;

    int nPrevious = 0;
    for (const SRenderColorStop& stop : stops.colors)
    {
        if (!IsPercent(stop.nLocation) || !IsPercent(stop.nMidpoint) || stop.nLocation < nPrevious)
            return MIRN_ERR_INVALID_ARG;
        COLORREF clrColor = stop.clrColor;
        if (clrColor == MGL_STOP_FOREGROUND)
            clrColor = clrForeground;
        else if (clrColor == MGL_STOP_BACKGROUND)
            clrColor = clrBackground;
        else if ((clrColor & 0xFF000000) != 0)
            return MIRN_ERR_INVALID_ARG;
        nPrevious = stop.nLocation;
        m_colors.push_back(
            SPoint{stop.nLocation / 100.0,
                   stop.nMidpoint / 100.0,
                   {static_cast<double>(GetRValue(clrColor)), static_cast<double>(GetGValue(clrColor)),
                    static_cast<double>(GetBValue(clrColor))}});
    }

    nPrevious = 0;
    for (const SRenderOpacityStop& stop : stops.opacities)
    {
        if (!IsPercent(stop.nLocation) || !IsPercent(stop.nMidpoint) || !IsPercent(stop.nOpacity) ||
            stop.nLocation < nPrevious)
        {
            m_colors.clear();
            m_opacities.clear();
            return MIRN_ERR_INVALID_ARG;
        }
        nPrevious = stop.nLocation;
        m_opacities.push_back(SPoint{
            stop.nLocation / 100.0, stop.nMidpoint / 100.0, {static_cast<double>(stop.nOpacity), 0.0, 0.0}});
    }
    return MIRN_ERR_NONE;
}

void CGradientRamp::Mix(const std::vector<SPoint>& points, int nChannels, double dPosition, double* pResult)
{
    const SPoint* pFrom = &points.front();
    const SPoint* pTo = nullptr;
    if (dPosition > points.front().dLocation && dPosition < points.back().dLocation)
    {
        // The last stop at or before the position; the one after it lies
        // beyond the position, so the span is never empty.
        size_t i = 0;
        while (i + 1 < points.size() && points[i + 1].dLocation <= dPosition)
            ++i;
        pFrom = &points[i];
        pTo = &points[i + 1];
    }
    else if (dPosition >= points.back().dLocation)
    {
        pFrom = &points.back();
    }
    if (pTo == nullptr)
    {
        for (int c = 0; c < nChannels; ++c)
            pResult[c] = pFrom->channels[c];
        return;
    }
    const double dInside = (dPosition - pFrom->dLocation) / (pTo->dLocation - pFrom->dLocation);
    const double dWeight = MidpointWeight(dInside, pFrom->dMidpoint);
    for (int c = 0; c < nChannels; ++c)
        pResult[c] = pFrom->channels[c] + (pTo->channels[c] - pFrom->channels[c]) * dWeight;
}

DWORD CGradientRamp::Sample(double dPosition) const
{
    if (m_colors.empty())
        return 0;
    dPosition = std::clamp(dPosition, 0.0, 1.0);
    double rgb[3];
    Mix(m_colors, 3, dPosition, rgb);
    DWORD nAlpha = 255;
    if (!m_opacities.empty())
    {
        double dOpacity = 100.0;
        Mix(m_opacities, 1, dPosition, &dOpacity);
        nAlpha = ToByte(dOpacity * 255.0 / 100.0);
    }
    return (nAlpha << 24) | (ToByte(rgb[0]) << 16) | (ToByte(rgb[1]) << 8) | ToByte(rgb[2]);
}

CGradientGeometry::CGradientGeometry(const SGradientLayout& layout, int nWidth, int nHeight)
    : m_eType(layout.eType), m_dAngle(layout.dAngle)
{
    // Pixel centres, the first one at (0, 0); the box spans the centres.
    const double dBoxWidth = std::max(nWidth - 1, 0);
    const double dBoxHeight = std::max(nHeight - 1, 0);
    m_dCenterX = layout.dCenterX * dBoxWidth;
    m_dCenterY = layout.dCenterY * dBoxHeight;
    m_dCos = std::cos(layout.dAngle * kDegrees);
    m_dSin = std::sin(layout.dAngle * kDegrees);
    m_dLength = std::abs(dBoxWidth * m_dCos) + std::abs(dBoxHeight * m_dSin);
    m_dHalfWidth = std::max(m_dCenterX, dBoxWidth - m_dCenterX);
    m_dHalfHeight = std::max(m_dCenterY, dBoxHeight - m_dCenterY);
    m_dRadius =
        std::max(std::max(std::hypot(m_dCenterX, m_dCenterY), std::hypot(dBoxWidth - m_dCenterX, m_dCenterY)),
                 std::max(std::hypot(m_dCenterX, dBoxHeight - m_dCenterY),
                          std::hypot(dBoxWidth - m_dCenterX, dBoxHeight - m_dCenterY)));
    // The focal point, kept inside the circle.
    m_dFocalX = layout.dFocalX * dBoxWidth - m_dCenterX;
    m_dFocalUp = m_dCenterY - layout.dFocalY * dBoxHeight;
    const double dFocalDistance = std::hypot(m_dFocalX, m_dFocalUp);
    const double dLimit = 0.99 * m_dRadius;
    if (dFocalDistance > dLimit)
    {
        m_dFocalX = dFocalDistance > 0.0 ? m_dFocalX * dLimit / dFocalDistance : 0.0;
        m_dFocalUp = dFocalDistance > 0.0 ? m_dFocalUp * dLimit / dFocalDistance : 0.0;
    }
}

double CGradientGeometry::Position(int x, int y) const
{
    const double dX = x - m_dCenterX;
    // Upwards positive, so that angles turn counter-clockwise on the screen.
    const double dUp = m_dCenterY - y;

    switch (m_eType)
    {
        case GRADIENT_LINEAR:
            if (m_dLength <= 0.0)
                return 0.0;
            return 0.5 + (dX * m_dCos + dUp * m_dSin) / m_dLength;
        case GRADIENT_ANGULAR:
        {
            if (dX == 0.0 && dUp == 0.0)
                return 0.0;
            double dTurn = std::atan2(dUp, dX) / kDegrees - m_dAngle;
            dTurn = std::fmod(dTurn, 360.0);
            if (dTurn < 0.0)
                dTurn += 360.0;
            return dTurn / 360.0;
        }
        case GRADIENT_RECTANGULAR:
        {
            const double dAlong = dX * m_dCos + dUp * m_dSin;
            const double dAcross = -dX * m_dSin + dUp * m_dCos;
            auto part = [](double dOffset, double dHalf)
            {
                if (dHalf <= 0.0)
                    return std::abs(dOffset) < 1e-9 ? 0.0 : 1.0;
                return std::abs(dOffset) / dHalf;
            };
            return std::max(part(dAlong, m_dHalfWidth), part(dAcross, m_dHalfHeight));
        }
        case GRADIENT_RADIAL:
        {
            if (m_dRadius <= 0.0)
                return 0.0;
            // The ray from the focal point through the pixel meets the circle
            // at focal + s * (pixel - focal); the pixel lies at 1 / s of it.
            const double dRayX = dX - m_dFocalX;
            const double dRayUp = dUp - m_dFocalUp;
            const double dA = dRayX * dRayX + dRayUp * dRayUp;
            if (dA <= 0.0)
                return 0.0;
            const double dB = m_dFocalX * dRayX + m_dFocalUp * dRayUp;
            const double dC = m_dFocalX * m_dFocalX + m_dFocalUp * m_dFocalUp - m_dRadius * m_dRadius;
            const double dReach = (-dB + std::sqrt(std::max(dB * dB - dA * dC, 0.0))) / dA;
            return dReach > 0.0 ? 1.0 / dReach : 1.0;
        }
    }
    return 0.0;
}

double ApplyRepeatsAndInvert(const SGradientLayout& layout, double dPosition)
{
    dPosition = std::clamp(dPosition, 0.0, 1.0);
    if (layout.nRepeats > 1)
    {
        const double dScaled = dPosition * layout.nRepeats;
        dPosition = dScaled >= layout.nRepeats ? 1.0 : dScaled - std::floor(dScaled);
    }
    return layout.bInvert ? 1.0 - dPosition : dPosition;
}

CErrorAutoThrow RenderGradient(CRenderImage& image, const SGradientStops& stops,
                               const SGradientLayout& layout, COLORREF clrForeground, COLORREF clrBackground)
{
    if (image.IsEmpty() || layout.eType < GRADIENT_LINEAR || layout.eType > GRADIENT_RADIAL ||
        !std::isfinite(layout.dAngle))
        return MIRN_ERR_INVALID_ARG;
    CGradientRamp ramp;
    CErrorAutoThrow error = ramp.Build(stops, clrForeground, clrBackground);
    if (error.IsError())
        return error;
    const CGradientGeometry geometry(layout, image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y)
    {
        DWORD* pRow = image.Row(y);
        for (int x = 0; x < image.Width(); ++x)
            pRow[x] = ramp.Sample(ApplyRepeatsAndInvert(layout, geometry.Position(x, y)));
    }
    return MIRN_ERR_NONE;
}
