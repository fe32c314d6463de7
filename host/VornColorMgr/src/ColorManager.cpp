#include "ColorManager.h"

#include <algorithm>

namespace
{
CColorManager& BuiltInManager()
{
    static CColorManager manager;
    return manager;
}

CColorManager*& CurrentManager()
{
    static CColorManager* pManager = &BuiltInManager();
    return pManager;
}

// a × b / 255 for bytes, rounded to nearest, halves upwards.
BYTE ScaleByte(int a, int b)
{
    return static_cast<BYTE>((2 * a * b + 255) / (2 * 255));
}
} // namespace

CColorManager* CColorManager::Instance()
{
    return CurrentManager();
}

CColorManager* CColorManager::SetInstance(CColorManager* pManager)
{
    CColorManager* pPrevious = CurrentManager();
    CurrentManager() = pManager;
    return pPrevious;
}

void CColorManager::ResetInstance()
{
    CurrentManager() = &BuiltInManager();
}

CErrorAutoThrow CColorManager::ConvertCMYKtoRGB(const BYTE* pSource, BYTE* pTarget, int nWidth,
                                                int nSourceBytes, int nTargetBytes, int nHeight) const
{
    if (pSource == nullptr || pTarget == nullptr || nWidth < 1 || nHeight < 1 || nSourceBytes < 4 ||
        nTargetBytes < 3)
        return MIRN_ERR_INVALID_ARG;

    const long long nPixels = static_cast<long long>(nWidth) * nHeight;
    for (long long i = 0; i < nPixels; ++i)
    {
        const BYTE* pCMYK = pSource + i * nSourceBytes;
        BYTE* pBGR = pTarget + i * nTargetBytes;
        // Inverted bytes are the light each ink lets through.
        const int nBlackLight = pCMYK[3];
        pBGR[2] = ScaleByte(pCMYK[0], nBlackLight);
        pBGR[1] = ScaleByte(pCMYK[1], nBlackLight);
        pBGR[0] = ScaleByte(pCMYK[2], nBlackLight);
    }
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CColorManager::ColorTransformRGBtoCMYK(COLORREF clr, BYTE* pCMYK, bool bInverted) const
{
    if (pCMYK == nullptr)
        return MIRN_ERR_INVALID_ARG;

    const int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    const int nMax = std::max({r, g, b});
    BYTE aInk[4] = {0, 0, 0, static_cast<BYTE>(255 - nMax)};
    if (nMax > 0)
    {
        const int aChannel[3] = {r, g, b};
        for (int i = 0; i < 3; ++i)
            aInk[i] = static_cast<BYTE>((2 * 255 * (nMax - aChannel[i]) + nMax) / (2 * nMax));
    }
    for (int i = 0; i < 4; ++i)
        pCMYK[i] = bInverted ? static_cast<BYTE>(255 - aInk[i]) : aInk[i];
    return MIRN_ERR_NONE;
}
