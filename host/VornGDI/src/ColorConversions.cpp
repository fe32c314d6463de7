#include "ColorConversions.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// Channel values are worked out in units of 1 / (255 × 510), which holds the
// lightness (a half-integer midrange), the chroma (times saturation / 255)
// and the hue position inside its sextant (a multiple of 1/255) exactly.
constexpr int kChannelUnit = 255 * 510;

BYTE RoundChannel(int nUnits)
{
    return static_cast<BYTE>((nUnits + kChannelUnit / 2) / kChannelUnit);
}
} // namespace

void HSL_to_RGB(int nHue, int nSaturation, int nLightness, BYTE& bRed, BYTE& bGreen, BYTE& bBlue)
{
    const int h = ((nHue % 255) + 255) % 255;
    const int s = std::clamp(nSaturation, 0, 255);
    const int l = std::clamp(nLightness, 0, 255);

    // Chroma in units of 1/255 of a channel level, at most 255 × 255.
    const int nChroma = (255 - std::abs(2 * l - 255)) * s;
    const int nCentre = kChannelUnit * l;
    const int nLargest = nCentre + 255 * nChroma;
    const int nSmallest = nCentre - 255 * nChroma;

    // Six sextants of the turn, each 255 / 6 hue steps long; inside one the
    // middle channel rises (even sextants) or falls (odd ones) linearly.
    const int nSextant = 6 * h / 255;
    const int nPosition = 6 * h - 255 * nSextant;
    const int nFraction = (nSextant % 2 == 0) ? nPosition : 255 - nPosition;
    const int nMiddle = nSmallest + 2 * nChroma * nFraction;

    const BYTE bMax = RoundChannel(nLargest);
    const BYTE bMid = RoundChannel(nMiddle);
    const BYTE bMin = RoundChannel(nSmallest);
    switch (nSextant)
    {
        case 0: // red to yellow
            bRed = bMax, bGreen = bMid, bBlue = bMin;
            break;
        case 1: // yellow to green
            bRed = bMid, bGreen = bMax, bBlue = bMin;
            break;
        case 2: // green to cyan
            bRed = bMin, bGreen = bMax, bBlue = bMid;
            break;
        case 3: // cyan to blue
            bRed = bMin, bGreen = bMid, bBlue = bMax;
            break;
        case 4: // blue to magenta
            bRed = bMid, bGreen = bMin, bBlue = bMax;
            break;
        default: // magenta to red
            bRed = bMax, bGreen = bMin, bBlue = bMid;
            break;
    }
}

COLORREF HSL_to_RGB(int nHue, int nSaturation, int nLightness)
{
    BYTE r = 0, g = 0, b = 0;
    HSL_to_RGB(nHue, nSaturation, nLightness, r, g, b);
    return RGB(r, g, b);
}

void RGB_to_HSL(BYTE bRed, BYTE bGreen, BYTE bBlue, BYTE& bHue, BYTE& bSaturation, BYTE& bLightness)
{
    const int r = bRed, g = bGreen, b = bBlue;
    const int nMax = std::max({r, g, b});
    const int nMin = std::min({r, g, b});
    const int nSum = nMax + nMin;
    const int nChroma = nMax - nMin;

    bLightness = static_cast<BYTE>((nSum + 1) / 2);
    if (nChroma == 0)
    {
        bHue = 0;
        bSaturation = 0;
        return;
    }

    // The largest chroma this lightness allows, in channel levels; never
    // below the actual chroma, so saturation stays within 255.
    const int nRoom = nSum <= 255 ? nSum : 510 - nSum;
    bSaturation = static_cast<BYTE>((2 * 255 * nChroma + nRoom) / (2 * nRoom));

    // Position around the turn in units of chroma / 1: 0 … 6 × chroma.
    int nTurn = 0;
    if (r == nMax)
    {
        nTurn = g - b;
        if (nTurn < 0)
            nTurn += 6 * nChroma;
    }
    else if (g == nMax)
        nTurn = 2 * nChroma + b - r;
    else
        nTurn = 4 * nChroma + r - g;
    const int nHue = (2 * 255 * nTurn + 6 * nChroma) / (12 * nChroma);
    bHue = static_cast<BYTE>(nHue == 255 ? 0 : nHue);
}

void RGB_to_HSL(COLORREF clr, BYTE& bHue, BYTE& bSaturation, BYTE& bLightness)
{
    RGB_to_HSL(GetRValue(clr), GetGValue(clr), GetBValue(clr), bHue, bSaturation, bLightness);
}
