// Raster operations on 32-bit pixels (0xAARRGGBB in a DWORD, bytes blue,
// green, red, alpha in memory). Private to the drawing layer.
#pragma once

#include "GdiRecords.h"

#include <algorithm>
#include <memory>
#include <vector>

constexpr DWORD kAlphaMask = 0xFF000000u;
constexpr DWORD kColourMask = 0x00FFFFFFu;

constexpr DWORD PixelFromColour(COLORREF colour)
{
    return kAlphaMask | (static_cast<DWORD>(GetRValue(colour)) << 16) |
           (static_cast<DWORD>(GetGValue(colour)) << 8) | GetBValue(colour);
}

constexpr COLORREF ColourFromPixel(DWORD pixel)
{
    return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
}

// A binary raster operation of a pen. The colour bits follow the operation's
// truth table; alpha is 255 unless the operation reads the destination, whose
// alpha it then keeps (so that exclusive-or twice restores every byte).
inline bool Rop2ReadsDestination(int nRop2)
{
    // The table's bits for destination 1 (3 and 1) against those for 0 (2, 0).
    const int nTable = (nRop2 - 1) & 15;
    return ((nTable >> 1) & 5) != (nTable & 5);
}

inline DWORD Rop2Pixel(int nRop2, DWORD pen, DWORD destination)
{
    DWORD colour;
    switch (nRop2)
    {
        case R2_COPYPEN:
            return (pen & kColourMask) | kAlphaMask;
        case R2_XORPEN:
            return destination ^ (pen & kColourMask);
        case R2_NOT:
            return destination ^ kColourMask;
        case R2_NOP:
            return destination;
        default:
        {
            // Bit 3 of the table: pen 1, destination 1; bit 2: 1, 0; bit 1:
            // 0, 1; bit 0: 0, 0.
            const int nTable = (nRop2 - 1) & 15;
            colour = 0;
            if (nTable & 8)
                colour |= pen & destination;
            if (nTable & 4)
                colour |= pen & ~destination;
            if (nTable & 2)
                colour |= ~pen & destination;
            if (nTable & 1)
                colour |= ~pen & ~destination;
            break;
        }
    }
    const DWORD alpha = Rop2ReadsDestination(nRop2) ? (destination & kAlphaMask) : kAlphaMask;
    return (colour & kColourMask) | alpha;
}

// A ternary raster operation by its index (bits 16 to 23 of the code).
constexpr BYTE Rop3Index(DWORD dwRop)
{
    return static_cast<BYTE>((dwRop >> 16) & 0xFF);
}
constexpr bool Rop3UsesPattern(BYTE index)
{
    return ((index >> 4) & 0x0F) != (index & 0x0F);
}
constexpr bool Rop3UsesSource(BYTE index)
{
    return ((index >> 2) & 0x33) != (index & 0x33);
}
constexpr bool Rop3UsesDestination(BYTE index)
{
    return ((index >> 1) & 0x55) != (index & 0x55);
}

// Alpha: SRCCOPY copies the source's; an operation reading the destination
// keeps the destination's; one reading only the source takes the source's;
// one that paints from the pattern alone (or a constant) is opaque.
inline DWORD Rop3Pixel(BYTE index, DWORD pattern, DWORD source, DWORD destination)
{
    switch (index)
    {
        case 0xCC: // SRCCOPY
            return source;
        case 0x66: // SRCINVERT
            return destination ^ (source & kColourMask);
        case 0x88: // SRCAND
            return (destination & source & kColourMask) | (destination & kAlphaMask);
        case 0xEE: // SRCPAINT
            return ((destination | source) & kColourMask) | (destination & kAlphaMask);
        case 0xF0: // PATCOPY
            return pattern | kAlphaMask;
        case 0x5A: // PATINVERT
            return destination ^ (pattern & kColourMask);
        case 0x55: // DSTINVERT
            return destination ^ kColourMask;
        case 0x00: // BLACKNESS
            return kAlphaMask;
        case 0xFF: // WHITENESS
            return 0xFFFFFFFFu;
        default:
            break;
    }
    DWORD colour = 0;
    for (int k = 0; k < 8; ++k)
    {
        if (((index >> k) & 1) == 0)
            continue;
        const DWORD p = ((0xF0 >> k) & 1) ? pattern : ~pattern;
        const DWORD s = ((0xCC >> k) & 1) ? source : ~source;
        const DWORD d = ((0xAA >> k) & 1) ? destination : ~destination;
        colour |= p & s & d;
    }
    DWORD alpha = kAlphaMask;
    if (Rop3UsesDestination(index))
        alpha = destination & kAlphaMask;
    else if (Rop3UsesSource(index))
        alpha = source & kAlphaMask;
    return (colour & kColourMask) | alpha;
}

// A brush made ready for one device context: its colours resolved and its
// pattern anchored at the brush origin (surface coordinates).
struct SBrushPaint
{
    enum class EKind
    {
        Null,
        Solid,
        Hatch,
        Pattern,
    };
    EKind eKind = EKind::Null;
    DWORD pixel = kAlphaMask;
    DWORD background = 0xFFFFFFFFu;
    bool bOpaqueBackground = true;
    BYTE hatchRows[8] = {};
    std::shared_ptr<const SPatternTile> pTile;
    LONG nOriginX = 0;
    LONG nOriginY = 0;

    // The brush's pixel at a surface point; false where a hatch leaves the
    // destination alone (transparent background mode) or the brush is null.
    bool At(LONG x, LONG y, DWORD& out) const
    {
        switch (eKind)
        {
            case EKind::Solid:
                out = pixel;
                return true;
            case EKind::Hatch:
            {
                const LONG row = ((y - nOriginY) % 8 + 8) % 8;
                const LONG column = ((x - nOriginX) % 8 + 8) % 8;
                if ((hatchRows[row] >> (7 - column)) & 1)
                {
                    out = pixel;
                    return true;
                }
                out = background;
                return bOpaqueBackground;
            }
            case EKind::Pattern:
            {
                const LONG row = ((y - nOriginY) % pTile->nHeight + pTile->nHeight) % pTile->nHeight;
                const LONG column = ((x - nOriginX) % pTile->nWidth + pTile->nWidth) % pTile->nWidth;
                out = pTile->pixels[static_cast<std::size_t>(row * pTile->nWidth + column)];
                return true;
            }
            case EKind::Null:
                break;
        }
        return false;
    }
};

// The eight rows of a hatch, most significant bit leftmost.
void HatchRows(LONG nHatch, BYTE rows[8]);

// Rectangles of a clip list that overlap an area, each cut to the area.
template <class F> void ForEachClipped(const std::vector<RECT>& clip, const RECT& area, F&& f)
{
    for (const RECT& rc : clip)
    {
        RECT part;
        if (::IntersectRect(&part, &rc, &area))
            f(part);
    }
}

inline bool ClipContains(const std::vector<RECT>& clip, LONG x, LONG y)
{
    for (const RECT& rc : clip)
    {
        if (x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom)
            return true;
    }
    return false;
}

// Applies a pattern raster operation (PatBlt and fills) to a rectangle of
// the buffer already inside it.
void PatternRect(const SPixelBuffer& buffer, const RECT& rc, const SBrushPaint& brush, BYTE ropIndex);
// Applies a pen's raster operation to a horizontal run [x0, x1) of row y.
void PenSpan(const SPixelBuffer& buffer, LONG y, LONG x0, LONG x1, DWORD penPixel, int nRop2);
