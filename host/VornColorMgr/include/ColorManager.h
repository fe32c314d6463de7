// The host's colour manager: conversions between RGB and CMYK.
//
// The conversion is the device-independent "naive" one with full grey
// component replacement: the inks are the complements of red, green and blue,
// their common part (the grey component) is printed with black alone, and
// cyan, magenta and yellow only carry what is left, scaled to the room the
// black leaves:
//     k = 255 − max(r, g, b)
//     c = 255 × (max − r) / max,  m and y likewise (all 0 for black),
// and back
//     r = (255 − c) × (255 − k) / 255,  g and b likewise,
// each rounded to the nearest byte, halves upwards. RGB → CMYK → RGB gives the
// colour back within one level per channel; CMYK → RGB → CMYK does not give
// back a CMYK value whose grey is not all in k (that information is not in
// the RGB colour), which is why callers that must keep CMYK numbers keep them
// themselves.
//
// Byte forms. Ink amounts are bytes 0 (no ink) … 255 (full ink). CMYK pixels
// handed to ConvertCMYKtoRGB are stored inverted, as CMYK images keep them:
// each byte is 255 − the ink amount, so 255 means no ink. RGB pixels are
// stored blue, green, red as the module's row images are.
//
// The host may run without colour management: then Instance() is null and
// callers leave their CMYK values as they were. A process starts with the
// built-in manager; SetInstance replaces it (tests install failing or absent
// managers this way) and ResetInstance brings it back.
#pragma once

#include "ErrorAutoThrow.h"
#include "WinDef.h"

class CColorManager
{
public:
    CColorManager() = default;
    virtual ~CColorManager() = default;
    CColorManager(const CColorManager&) = delete;
    CColorManager& operator=(const CColorManager&) = delete;

    // The process's colour manager, or null when there is none.
    static CColorManager* Instance();
    // Makes pManager (not owned; null for none) the process's manager and
    // gives the one it replaces.
    static CColorManager* SetInstance(CColorManager* pManager);
    // Makes the built-in manager current again.
    static void ResetInstance();

    // Converts nHeight rows of nWidth CMYK pixels to RGB. Source pixels are
    // nSourceBytes apart (at least 4: inverted c, m, y, k first), target
    // pixels nTargetBytes apart (at least 3: blue, green, red first; further
    // bytes are left alone); rows follow each other without padding. Error
    // 101 for a null buffer, a size below 1 or pixels too small to hold their
    // channels; nothing is written then.
    virtual CErrorAutoThrow ConvertCMYKtoRGB(const BYTE* pSource, BYTE* pTarget, int nWidth, int nSourceBytes,
                                             int nTargetBytes, int nHeight) const;

    // The four ink amounts c, m, y, k of a colour into pCMYK[0 … 3]; with
    // bInverted each is given as 255 − amount, the form ConvertCMYKtoRGB
    // reads. Error 101 for a null buffer.
    virtual CErrorAutoThrow ColorTransformRGBtoCMYK(COLORREF clr, BYTE* pCMYK, bool bInverted) const;
};
