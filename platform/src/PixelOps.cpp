#include "PixelOps.h"

#include <algorithm>

void HatchRows(LONG nHatch, BYTE rows[8])
{
    for (int y = 0; y < 8; ++y)
    {
        const BYTE horizontal = y == 0 ? 0xFF : 0x00;
        const BYTE vertical = 0x80;
        const auto forward = static_cast<BYTE>(0x80 >> y);  // top left to bottom right
        const auto backward = static_cast<BYTE>(0x01 << y); // bottom left to top right
        switch (nHatch)
        {
            case HS_HORIZONTAL:
                rows[y] = horizontal;
                break;
            case HS_VERTICAL:
                rows[y] = vertical;
                break;
            case HS_FDIAGONAL:
                rows[y] = forward;
                break;
            case HS_BDIAGONAL:
                rows[y] = backward;
                break;
            case HS_CROSS:
                rows[y] = static_cast<BYTE>(horizontal | vertical);
                break;
            default:
                rows[y] = static_cast<BYTE>(forward | backward);
                break;
        }
    }
}

void PatternRect(const SPixelBuffer& buffer, const RECT& rc, const SBrushPaint& brush, BYTE ropIndex)
{
    const bool bUsesPattern = Rop3UsesPattern(ropIndex);
    if (bUsesPattern && brush.eKind == SBrushPaint::EKind::Null)
        return;
    const LONG nWidth = rc.right - rc.left;
    for (LONG y = rc.top; y < rc.bottom; ++y)
    {
        DWORD* pRow = buffer.Row(y) + rc.left;
        if (brush.eKind == SBrushPaint::EKind::Solid || !bUsesPattern)
        {
            const DWORD pattern = brush.pixel;
            if (ropIndex == Rop3Index(PATCOPY))
                std::fill_n(pRow, nWidth, pattern | kAlphaMask);
            else if (ropIndex == Rop3Index(PATINVERT))
            {
                for (LONG i = 0; i < nWidth; ++i)
                    pRow[i] ^= pattern & kColourMask;
            }
            else
            {
                for (LONG i = 0; i < nWidth; ++i)
                    pRow[i] = Rop3Pixel(ropIndex, pattern, 0, pRow[i]);
            }
            continue;
        }
        for (LONG i = 0; i < nWidth; ++i)
        {
            DWORD pattern;
            if (brush.At(rc.left + i, y, pattern))
                pRow[i] = Rop3Pixel(ropIndex, pattern, 0, pRow[i]);
        }
    }
}

void PenSpan(const SPixelBuffer& buffer, LONG y, LONG x0, LONG x1, DWORD penPixel, int nRop2)
{
    DWORD* pRow = buffer.Row(y);
    if (nRop2 == R2_COPYPEN)
    {
        std::fill(pRow + x0, pRow + x1, penPixel | kAlphaMask);
        return;
    }
    for (LONG x = x0; x < x1; ++x)
        pRow[x] = Rop2Pixel(nRop2, penPixel, pRow[x]);
}
