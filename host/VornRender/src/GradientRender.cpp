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

double CGradientRamp::Mix(const std::vector<SPoint>& points, int nChannel, double dPosition)
{
    if (dPosition <= points.front().dLocation)
        return points.front().channels[nChannel];
    if (dPosition >= points.back().dLocation)
        return points.back().channels[nChannel];
    // The last stop at or before the position; the one after it lies beyond
    // the position, so the span is never empty.
    size_t i = 0;
    while (i + 1 < points.size() && points[i + 1].dLocation <= dPosition)
        ++i;
    const SPoint& from = points[i];
    const SPoint& to = points[i + 1];
    const double dInside = (dPosition - from.dLocation) / (to.dLocation - from.dLocation);
    const double dWeight = MidpointWeight(dInside, from.dMidpoint);
    return from.channels[nChannel] + (to.channels[nChannel] - from.channels[nChannel]) * dWeight;
}

DWORD CGradientRamp::Sample(double dPosition) const
{
    if (m_colors.empty())
        return 0;
    dPosition = std::clamp(dPosition, 0.0, 1.0);
    const DWORD nRed = ToByte(Mix(m_colors, 0, dPosition));
    const DWORD nGreen = ToByte(Mix(m_colors, 1, dPosition));
    const DWORD nBlue = ToByte(Mix(m_colors, 2, dPosition));
    DWORD nAlpha = 255;
    if (!m_opacities.empty())
        nAlpha = ToByte(Mix(m_opacities, 0, dPosition) * 255.0 / 100.0);
    return (nAlpha << 24) | (nRed << 16) | (nGreen << 8) | nBlue;
}

double GradientPosition(const SGradientLayout& layout, int nWidth, int nHeight, int x, int y)
{
    // Pixel centres, the first one at (0, 0); the box spans the centres.
    const double dBoxWidth = std::max(nWidth - 1, 0);
    const double dBoxHeight = std::max(nHeight - 1, 0);
    const double dCenterX = layout.dCenterX * dBoxWidth;
    const double dCenterY = layout.dCenterY * dBoxHeight;
    const double dX = x - dCenterX;
    // Upwards positive, so that angles turn counter-clockwise on the screen.
    const double dUp = dCenterY - y;
    const double dCos = std::cos(layout.dAngle * kDegrees);
    const double dSin = std::sin(layout.dAngle * kDegrees);

    switch (layout.eType)
    {
        case GRADIENT_LINEAR:
        {
            const double dLength = std::abs(dBoxWidth * dCos) + std::abs(dBoxHeight * dSin);
            if (dLength <= 0.0)
                return 0.0;
            return 0.5 + (dX * dCos + dUp * dSin) / dLength;
        }
        case GRADIENT_ANGULAR:
        {
            if (dX == 0.0 && dUp == 0.0)
                return 0.0;
            double dTurn = std::atan2(dUp, dX) / kDegrees - layout.dAngle;
            dTurn = std::fmod(dTurn, 360.0);
            if (dTurn < 0.0)
                dTurn += 360.0;
            return dTurn / 360.0;
        }
        case GRADIENT_RECTANGULAR:
        {
            const double dAlong = dX * dCos + dUp * dSin;
            const double dAcross = -dX * dSin + dUp * dCos;
            const double dHalfWidth = std::max(dCenterX, dBoxWidth - dCenterX);
            const double dHalfHeight = std::max(dCenterY, dBoxHeight - dCenterY);
            auto part = [](double dOffset, double dHalf)
            {
                if (dHalf <= 0.0)
                    return std::abs(dOffset) < 1e-9 ? 0.0 : 1.0;
                return std::abs(dOffset) / dHalf;
            };
            return std::max(part(dAlong, dHalfWidth), part(dAcross, dHalfHeight));
        }
        case GRADIENT_RADIAL:
        {
            const double dRadius =
                std::max(std::hypot(dCenterX, dCenterY),
                         std::max(std::hypot(dBoxWidth - dCenterX, dCenterY),
                                  std::max(std::hypot(dCenterX, dBoxHeight - dCenterY),
                                           std::hypot(dBoxWidth - dCenterX, dBoxHeight - dCenterY))));
            if (dRadius <= 0.0)
                return 0.0;
            // The focal point, relative to the centre, kept inside the circle.
            double dFocalX = layout.dFocalX * dBoxWidth - dCenterX;
            double dFocalUp = dCenterY - layout.dFocalY * dBoxHeight;
            const double dFocalDistance = std::hypot(dFocalX, dFocalUp);
            const double dLimit = 0.99 * dRadius;
            if (dFocalDistance > dLimit)
            {
                dFocalX *= dLimit / dFocalDistance;
                dFocalUp *= dLimit / dFocalDistance;
            }
            // The ray from the focal point through the pixel meets the circle
            // at focal + s * (pixel - focal); the pixel lies at 1 / s of it.
            const double dRayX = dX - dFocalX;
            const double dRayUp = dUp - dFocalUp;
            const double dA = dRayX * dRayX + dRayUp * dRayUp;
            if (dA <= 0.0)
                return 0.0;
            const double dB = dFocalX * dRayX + dFocalUp * dRayUp;
            const double dC = dFocalX * dFocalX + dFocalUp * dFocalUp - dRadius * dRadius;
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
    const int nWidth = image.Width();
    const int nHeight = image.Height();
    for (int y = 0; y < nHeight; ++y)
    {
        DWORD* pRow = image.Row(y);
        for (int x = 0; x < nWidth; ++x)
            pRow[x] =
                ramp.Sample(ApplyRepeatsAndInvert(layout, GradientPosition(layout, nWidth, nHeight, x, y)));
    }
    return MIRN_ERR_NONE;
}
