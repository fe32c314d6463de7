#include "SliderColorModels.h"

#include "ColorConversions.h"
#include "ColorManager.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr SSliderModelInfo kModels[kSliderModelCount] = {
    {L"Grayscale", SLIDER_VALUE_GREY, 1}, {L"RGB", SLIDER_VALUE_RED, 3},   {L"HSL", SLIDER_VALUE_HUE, 3},
    {L"CMYK", SLIDER_VALUE_CYAN, 4},      {L"LAB", SLIDER_VALUE_LAB_L, 3}, {L"WEB", SLIDER_VALUE_WEB_RED, 3},
};

constexpr SSliderChannel kChannels[kSliderValueCount] = {
    {SLIDER_VALUE_GREY, L"K", 0, 255, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_RED, L"R", 0, 255, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_GREEN, L"G", 0, 255, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_BLUE, L"B", 0, 255, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_HUE, L"H", 0, 359, SLIDER_KIND_DEGREES},
    {SLIDER_VALUE_SATURATION, L"S", 0, 255, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_LIGHTNESS, L"L", 0, 255, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_CYAN, L"C", 0, 100, SLIDER_KIND_PERCENT},
    {SLIDER_VALUE_MAGENTA, L"M", 0, 100, SLIDER_KIND_PERCENT},
    {SLIDER_VALUE_YELLOW, L"Y", 0, 100, SLIDER_KIND_PERCENT},
    {SLIDER_VALUE_BLACK, L"K", 0, 100, SLIDER_KIND_PERCENT},
    {SLIDER_VALUE_LAB_L, L"L", 0, 100, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_LAB_A, L"A", -128, 127, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_LAB_B, L"B", -128, 127, SLIDER_KIND_PLAIN},
    {SLIDER_VALUE_WEB_RED, L"R", 0, 255, SLIDER_KIND_HEXADECIMAL},
    {SLIDER_VALUE_WEB_GREEN, L"G", 0, 255, SLIDER_KIND_HEXADECIMAL},
    {SLIDER_VALUE_WEB_BLUE, L"B", 0, 255, SLIDER_KIND_HEXADECIMAL},
};

// D65 reference white of the L*a*b* conversions.
constexpr double kWhiteX = 0.950456;
constexpr double kWhiteZ = 1.088754;

BYTE ToByte(int n)
{
    return static_cast<BYTE>(std::clamp(n, 0, 255));
}

// Truncates a value already known to lie well within int's range.
int Truncate(double d)
{
    return static_cast<int>(d);
}

double LabInverse(double f)
{
    return f > 0.206893 ? f * f * f : (f - 16.0 / 116.0) / 7.787;
}

double LabForward(double t)
{
    return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0;
}

int CompandToByte(double dLinear)
{
    const double dCompanded =
        (dLinear > 0.00313 ? 1.055 * std::pow(dLinear, 1.0 / 2.4) - 0.055 : 12.92 * dLinear) * 255.0;
    if (!(dCompanded >= 0.0)) // also catches NaN
        return 0;
    if (dCompanded > 255.0)
        return 255;
    return Truncate(dCompanded + 0.5);
}

double Linearise(int nChannel)
{
    const double c = nChannel / 255.0;
    return c > 0.04045 ? std::pow((c + 0.055) / 1.055, 2.4) : c / 12.92;
}

// Rounds a*, b* after limiting them to their range, truncating toward zero.
int LimitLabAxis(double d)
{
    return Truncate(std::clamp(d, -128.0, 127.0) + 0.5);
}

COLORREF FromInts(int nRed, int nGreen, int nBlue)
{
    return RGB(ToByte(nRed), ToByte(nGreen), ToByte(nBlue));
}
} // namespace

const SSliderModelInfo& GetSliderModelInfo(ESliderModel eModel)
{
    return kModels[std::clamp(static_cast<int>(eModel), 0, kSliderModelCount - 1)];
}

const SSliderChannel& GetSliderChannel(int nValueIndex)
{
    return kChannels[std::clamp(nValueIndex, 0, kSliderValueCount - 1)];
}

ESliderModel GetSliderModelOfValue(int nValueIndex)
{
    for (int m = kSliderModelCount - 1; m >= 0; --m)
        if (nValueIndex >= kModels[m].nFirstValue)
            return static_cast<ESliderModel>(m);
    return SLIDER_MODEL_GRAYSCALE;
}

bool IsValidSliderModel(int nModel)
{
    return nModel >= 0 && nModel < kSliderModelCount;
}

int GreyFromRGB(int nRed, int nGreen, int nBlue)
{
    return (ToByte(nRed) + ToByte(nGreen) + ToByte(nBlue)) / 3;
}

void HSLDegreesFromRGB(int nRed, int nGreen, int nBlue, int& nHue, int& nSaturation, int& nLightness)
{
    nRed = ToByte(nRed);
    nGreen = ToByte(nGreen);
    nBlue = ToByte(nBlue);
    const int nMax = std::max({nRed, nGreen, nBlue});
    const int nMin = std::min({nRed, nGreen, nBlue});
    const int d = nMax - nMin;
    nLightness = (nMax + nMin) / 2;
    if (d == 0)
    {
        nHue = 0;
        nSaturation = 0;
        return;
    }

    // Single precision on purpose: the numbers shown must match what the
    // picker has always shown, rounding included.
    const float fRoom = 1.0f - std::fabs(static_cast<float>(nLightness) / 128.0f - 1.0f);
    const float fSaturation = static_cast<float>(d) / fRoom;
    if (!(fRoom > 0.0f) || !(fSaturation < 255.0f))
        nSaturation = 255;
    else
        nSaturation = std::max(0, static_cast<int>(fSaturation));

    double h = 0.0;
    if (nRed == nMax)
        h = static_cast<double>(nGreen - nBlue) / d;
    else if (nGreen == nMax)
        h = static_cast<double>(nBlue - nRed) / d + 2.0;
    else
        h = static_cast<double>(nRed - nGreen) / d + 4.0;
    int nDegrees = Truncate(h * 60.0 + 0.5);
    while (nDegrees < 0)
        nDegrees += 360;
    while (nDegrees >= 360)
        nDegrees -= 360;
    nHue = nDegrees;
}

COLORREF HSLDegreesToRGB(int nHue, int nSaturation, int nLightness)
{
    // In 64 bits so that no typed hue can overflow; the host conversion
    // takes any hue modulo its turn.
    return HSL_to_RGB(static_cast<int>(static_cast<long long>(nHue) * 255 / 360 % 255), nSaturation,
                      nLightness);
}

void LabFromRGB(int nRed, int nGreen, int nBlue, int& nL, int& nA, int& nB)
{
    const double r = Linearise(std::clamp(nRed, 0, 255));
    const double g = Linearise(std::clamp(nGreen, 0, 255));
    const double b = Linearise(std::clamp(nBlue, 0, 255));
    const double x = (0.412453 * r + 0.35758 * g + 0.180423 * b) / kWhiteX;
    const double y = 0.212671 * r + 0.71516 * g + 0.072169 * b;
    const double z = (0.019334 * r + 0.119193 * g + 0.950227 * b) / kWhiteZ;

    const double dL = y > 0.008856 ? 116.0 * std::cbrt(y) - 16.0 : 903.3 * y;
    const double dA = 500.0 * (LabForward(x) - LabForward(y));
    const double dB = 200.0 * (LabForward(y) - LabForward(z));
    nL = Truncate(dL + 0.5);
    nA = LimitLabAxis(dA);
    nB = LimitLabAxis(dB);
}

COLORREF LabToRGB(int nL, int nA, int nB)
{
    const double dL = nL;
    const double y = dL > 7.9996248 ? std::pow((dL + 16.0) / 116.0, 3.0) : dL / 903.3;
    const double fy = LabForward(y);
    const double fx = fy + nA / 500.0;
    const double fz = fy - nB / 200.0;
    const double x = LabInverse(fx) * kWhiteX;
    const double z = LabInverse(fz) * kWhiteZ;

    const double r = 3.240478 * x - 1.53715 * y - 0.498535 * z;
    const double g = -0.969256 * x + 1.875992 * y + 0.041556 * z;
    const double b = 0.055648 * x - 0.204043 * y + 1.057311 * z;
    return FromInts(CompandToByte(r), CompandToByte(g), CompandToByte(b));
}

int WebSafeLevel(int nChannel)
{
    static constexpr int kThresholds[] = {25, 76, 127, 178, 229};
    for (int i = 0; i < 5; ++i)
        if (nChannel <= kThresholds[i])
            return 51 * i;
    return 255;
}

bool IsWebSafeLevel(int nChannel)
{
    return nChannel >= 0 && nChannel <= 255 && nChannel % 51 == 0;
}

bool CMYKToRGB(const int aCMYK[4], int& nRed, int& nGreen, int& nBlue)
{
    const CColorManager* pManager = CColorManager::Instance();
    if (pManager == nullptr || aCMYK == nullptr)
        return false;
    // The manager reads ink as light let through: 255 for none.
    BYTE aInverted[4];
    for (int i = 0; i < 4; ++i)
        aInverted[i] = static_cast<BYTE>(255 - std::clamp(aCMYK[i], 0, 100) * 255 / 100);
    BYTE aBGR[3] = {0, 0, 0};
    if (pManager->ConvertCMYKtoRGB(aInverted, aBGR, 1, 4, 3, 1).IsError())
        return false;
    nRed = aBGR[2];
    nGreen = aBGR[1];
    nBlue = aBGR[0];
    return true;
}

bool CMYKFromRGB(int nRed, int nGreen, int nBlue, int aCMYK[4])
{
    const CColorManager* pManager = CColorManager::Instance();
    if (pManager == nullptr || aCMYK == nullptr)
        return false;
    BYTE aInk[4] = {0, 0, 0, 0};
    if (pManager->ColorTransformRGBtoCMYK(FromInts(nRed, nGreen, nBlue), aInk, false).IsError())
        return false;
    for (int i = 0; i < 4; ++i)
        aCMYK[i] = Truncate(aInk[i] * 100.0 / 255.0 + 0.5);
    return true;
}

bool SliderModelFromRGB(int nModel, SliderValueBlock& values)
{
    const int r = values[SLIDER_VALUE_RED], g = values[SLIDER_VALUE_GREEN], b = values[SLIDER_VALUE_BLUE];
    switch (nModel)
    {
        case SLIDER_MODEL_GRAYSCALE:
            values[SLIDER_VALUE_GREY] = GreyFromRGB(r, g, b);
            return true;
        case SLIDER_MODEL_RGB:
            return true;
        case SLIDER_MODEL_HSL:
            HSLDegreesFromRGB(r, g, b, values[SLIDER_VALUE_HUE], values[SLIDER_VALUE_SATURATION],
                              values[SLIDER_VALUE_LIGHTNESS]);
            return true;
        case SLIDER_MODEL_CMYK:
            return CMYKFromRGB(r, g, b, &values[SLIDER_VALUE_CYAN]);
        case SLIDER_MODEL_LAB:
            LabFromRGB(r, g, b, values[SLIDER_VALUE_LAB_L], values[SLIDER_VALUE_LAB_A],
                       values[SLIDER_VALUE_LAB_B]);
            return true;
        case SLIDER_MODEL_WEB:
            values[SLIDER_VALUE_WEB_RED] = WebSafeLevel(r);
            values[SLIDER_VALUE_WEB_GREEN] = WebSafeLevel(g);
            values[SLIDER_VALUE_WEB_BLUE] = WebSafeLevel(b);
            return true;
        default:
            return false;
    }
}

bool SliderModelToRGB(int nModel, SliderValueBlock& values)
{
    COLORREF clr = 0;
    switch (nModel)
    {
        case SLIDER_MODEL_GRAYSCALE:
        {
            const int k = values[SLIDER_VALUE_GREY];
            clr = FromInts(k, k, k);
            break;
        }
        case SLIDER_MODEL_RGB:
            return true;
        case SLIDER_MODEL_HSL:
            clr = HSLDegreesToRGB(values[SLIDER_VALUE_HUE], values[SLIDER_VALUE_SATURATION],
                                  values[SLIDER_VALUE_LIGHTNESS]);
            break;
        case SLIDER_MODEL_CMYK:
            return CMYKToRGB(&values[SLIDER_VALUE_CYAN], values[SLIDER_VALUE_RED], values[SLIDER_VALUE_GREEN],
                             values[SLIDER_VALUE_BLUE]);
        case SLIDER_MODEL_LAB:
            clr =
                LabToRGB(values[SLIDER_VALUE_LAB_L], values[SLIDER_VALUE_LAB_A], values[SLIDER_VALUE_LAB_B]);
            break;
        case SLIDER_MODEL_WEB:
            clr = FromInts(values[SLIDER_VALUE_WEB_RED], values[SLIDER_VALUE_WEB_GREEN],
                           values[SLIDER_VALUE_WEB_BLUE]);
            break;
        default:
            return false;
    }
    values[SLIDER_VALUE_RED] = GetRValue(clr);
    values[SLIDER_VALUE_GREEN] = GetGValue(clr);
    values[SLIDER_VALUE_BLUE] = GetBValue(clr);
    return true;
}

COLORREF SliderTrackColor(int nValueIndex, double dFraction)
{
    const double f = std::isnan(dFraction) ? 0.0 : std::clamp(dFraction, 0.0, 1.0);
    const int t = Truncate(f * 255.0);
    const int n = static_cast<int>(std::rint(f * 255.0));
    const int u = static_cast<int>(std::rint((1.0 - f) * 255.0));
    switch (nValueIndex)
    {
        case SLIDER_VALUE_GREY:
        case SLIDER_VALUE_LAB_L:
            return FromInts(t, t, t);
        case SLIDER_VALUE_RED:
            return FromInts(t, 0, 0);
        case SLIDER_VALUE_GREEN:
            return FromInts(0, t, 0);
        case SLIDER_VALUE_BLUE:
            return FromInts(0, 0, t);
        case SLIDER_VALUE_HUE:
            return HSL_to_RGB(n, 255, 128);
        case SLIDER_VALUE_SATURATION:
            return HSL_to_RGB(0, n, 128);
        case SLIDER_VALUE_LIGHTNESS:
            return HSL_to_RGB(0, 255, n);
        case SLIDER_VALUE_CYAN:
            return FromInts(u, 255, 255);
        case SLIDER_VALUE_MAGENTA:
            return FromInts(255, u, 255);
        case SLIDER_VALUE_YELLOW:
            return FromInts(255, 255, u);
        case SLIDER_VALUE_BLACK:
            return FromInts(u, u, u);
        case SLIDER_VALUE_LAB_A:
            return LabToRGB(100, n - 128, 0);
        case SLIDER_VALUE_LAB_B:
            return LabToRGB(100, 0, n - 128);
        case SLIDER_VALUE_WEB_RED:
        case SLIDER_VALUE_WEB_GREEN:
        case SLIDER_VALUE_WEB_BLUE:
        {
            const int nLevel = std::min(Truncate(f * 6.0), 5) * 51;
            if (nValueIndex == SLIDER_VALUE_WEB_RED)
                return FromInts(nLevel, 0, 0);
            if (nValueIndex == SLIDER_VALUE_WEB_GREEN)
                return FromInts(0, nLevel, 0);
            return FromInts(0, 0, nLevel);
        }
        default:
            return FromInts(t, t, t);
    }
}
