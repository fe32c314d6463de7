// Block transfers between device contexts and from DIB rows in memory:
// raster operations, nearest-neighbour stretching, alpha blending and
// transparent copies.
#include "DeviceContext.h"
#include "DibFormat.h"
#include "LastError.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace
{

// One axis of a transfer. A GDI origin and extent name the pixels origin,
// origin + 1, ... for a positive extent and origin, origin - 1, ... for a
// negative one; opposite signs on the two sides mirror the image.
struct SAxis
{
    LONG nDestStart = 0;
    LONG nDestStep = 1;
    LONG nDestCount = 0;
    LONG nSourceStart = 0;
    LONG nSourceStep = 1;
    LONG nSourceCount = 0;
};

SAxis MakeAxis(LONG nDestOrigin, LONG nDestExtent, LONG nSourceOrigin, LONG nSourceExtent)
{
    SAxis axis;
    axis.nDestStart = nDestOrigin;
    axis.nDestStep = nDestExtent < 0 ? -1 : 1;
    axis.nDestCount = nDestExtent < 0 ? -nDestExtent : nDestExtent;
    axis.nSourceStart = nSourceOrigin;
    axis.nSourceStep = nSourceExtent < 0 ? -1 : 1;
    axis.nSourceCount = nSourceExtent < 0 ? -nSourceExtent : nSourceExtent;
    return axis;
}

bool IsIdentity(const SAxis& axis)
{
    return axis.nDestCount == axis.nSourceCount && axis.nDestStep == 1 && axis.nSourceStep == 1;
}

// For every destination coordinate from nLow, the source coordinate whose
// pixel it shows (the nearest, sampled at pixel centres), or -1 when that
// falls outside [0, nSourceLimit).
std::vector<LONG> AxisMap(const SAxis& axis, LONG nLow, LONG nHigh, LONG nSourceLimit)
{
    std::vector<LONG> map(static_cast<std::size_t>(nHigh - nLow), -1);
    if (axis.nDestCount == 0)
        return map;
    for (LONG d = nLow; d < nHigh; ++d)
    {
        const LONGLONG i = static_cast<LONGLONG>(d - axis.nDestStart) * axis.nDestStep;
        if (i < 0 || i >= axis.nDestCount)
            continue;
        const LONGLONG j = ((2 * i + 1) * axis.nSourceCount) / (2LL * axis.nDestCount);
        const LONGLONG s = axis.nSourceStart + j * axis.nSourceStep;
        if (s >= 0 && s < nSourceLimit)
            map[static_cast<std::size_t>(d - nLow)] = static_cast<LONG>(s);
    }
    return map;
}

RECT DestinationRange(const SAxis& ax, const SAxis& ay)
{
    const LONG x0 = ax.nDestStart;
    const LONG x1 = ax.nDestStart + (ax.nDestCount - 1) * ax.nDestStep;
    const LONG y0 = ay.nDestStart;
    const LONG y1 = ay.nDestStart + (ay.nDestCount - 1) * ay.nDestStep;
    return RECT{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
}

RECT SourceRange(const SAxis& ax, const SAxis& ay)
{
    const LONG x0 = ax.nSourceStart;
    const LONG x1 = ax.nSourceStart + (ax.nSourceCount - 1) * ax.nSourceStep;
    const LONG y0 = ay.nSourceStart;
    const LONG y1 = ay.nSourceStart + (ay.nSourceCount - 1) * ay.nSourceStep;
    return RECT{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
}

// Runs op(destination pixel, source pixel, x, y) for every destination
// pixel in the clip whose source pixel exists. Axes are in destination
// surface and source buffer coordinates. bPlainCopy asks for whole-row
// copies where the mapping allows.
template <class F>
void TransferPixels(SDeviceContext& dest, const SAxis& ax, const SAxis& ay, const SPixelBuffer* pSource,
                    bool bPlainCopy, F&& op)
{
    if (ax.nDestCount == 0 || ay.nDestCount == 0 || ax.nSourceCount == 0 || ay.nSourceCount == 0)
        return;
    const RECT range = DestinationRange(ax, ay);
    const RECT clipBox = dest.SurfaceClipBox();
    RECT area;
    if (!::IntersectRect(&area, &range, &clipBox))
        return;
    const LONG nSourceWidth = pSource != nullptr ? pSource->nWidth : INT_MAX;
    const LONG nSourceHeight = pSource != nullptr ? pSource->nHeight : INT_MAX;
    const std::vector<LONG> columns = AxisMap(ax, area.left, area.right, nSourceWidth);
    const std::vector<LONG> rows = AxisMap(ay, area.top, area.bottom, nSourceHeight);
    const bool bRowCopy = bPlainCopy && pSource != nullptr && IsIdentity(ax);
    ForEachClipPart(
        dest, area, true,
        [&](const SPixelBuffer& buffer, const RECT& part)
        {
            for (LONG y = part.top; y < part.bottom; ++y)
            {
                const LONG sy = rows[static_cast<std::size_t>(y - area.top)];
                if (sy < 0)
                    continue;
                DWORD* pRow = buffer.Row(y);
                const DWORD* pSourceRow = pSource != nullptr ? pSource->Row(sy) : nullptr;
                LONG x = part.left;
                if (bRowCopy)
                {
                    // Columns map one to one: copy the run whose
                    // source exists in one go.
                    while (x < part.right && columns[static_cast<std::size_t>(x - area.left)] < 0)
                        ++x;
                    LONG xEnd = x;
                    while (xEnd < part.right && columns[static_cast<std::size_t>(xEnd - area.left)] >= 0)
                        ++xEnd;
                    if (xEnd > x)
                        std::memcpy(pRow + x, pSourceRow + columns[static_cast<std::size_t>(x - area.left)],
                                    static_cast<std::size_t>(xEnd - x) * 4);
                    continue;
                }
                for (; x < part.right; ++x)
                {
                    const LONG sx = columns[static_cast<std::size_t>(x - area.left)];
                    if (sx >= 0)
                        op(pRow[x], pSourceRow != nullptr ? pSourceRow[sx] : 0u, x, y);
                }
            }
        });
}

// A private copy of part of a buffer, for transfers within one surface.
struct SPixelCopy
{
    std::vector<DWORD> pixels;
    SPixelBuffer buffer;
};

void CopyArea(const SPixelBuffer& source, const RECT& area, SPixelCopy& copy)
{
    const LONG nWidth = area.right - area.left;
    const LONG nHeight = area.bottom - area.top;
    copy.pixels.resize(static_cast<std::size_t>(nWidth) * nHeight);
    for (LONG y = 0; y < nHeight; ++y)
        std::memcpy(&copy.pixels[static_cast<std::size_t>(y) * nWidth], source.Row(area.top + y) + area.left,
                    static_cast<std::size_t>(nWidth) * 4);
    copy.buffer.pData = reinterpret_cast<BYTE*>(copy.pixels.data());
    copy.buffer.nStride = nWidth * 4;
    copy.buffer.nWidth = nWidth;
    copy.buffer.nHeight = nHeight;
}

// Carries out a transfer from a device context: the source pixels are read
// within the source range only, and copied aside when both sides share a
// surface. Returns false when a source is needed and missing.
template <class F>
bool TransferFromDC(SDeviceContext& dest, SAxis ax, SAxis ay, SDeviceContext* pSourceDC, bool bPlainCopy,
                    F&& op)
{
    if (pSourceDC == nullptr)
    {
        TransferPixels(dest, ax, ay, nullptr, false, op);
        return true;
    }
    const SPixelBuffer whole = SurfaceBuffer(pSourceDC->Surface());
    if (whole.pData == nullptr)
        return false;
    RECT sourceArea;
    const RECT wanted = SourceRange(ax, ay);
    const RECT bounds = whole.Bounds();
    if (!::IntersectRect(&sourceArea, &wanted, &bounds))
        return true;
    CDcPixels sourcePixels(*pSourceDC, sourceArea, false);
    if (pSourceDC->Surface() == dest.Surface())
    {
        SPixelCopy copy;
        CopyArea(sourcePixels.Buffer(), sourceArea, copy);
        ax.nSourceStart -= sourceArea.left;
        ay.nSourceStart -= sourceArea.top;
        TransferPixels(dest, ax, ay, &copy.buffer, bPlainCopy, op);
    }
    else
        TransferPixels(dest, ax, ay, &sourcePixels.Buffer(), bPlainCopy, op);
    return true;
}

BOOL RasterTransfer(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                    int wSrc, int hSrc, DWORD rop)
{
    std::shared_ptr<SDeviceContext> pDest = FindDC(hdcDest);
    if (pDest == nullptr)
        return FALSE;
    const BYTE index = Rop3Index(rop);
    std::shared_ptr<SDeviceContext> pSource;
    if (Rop3UsesSource(index))
    {
        pSource = FindDC(hdcSrc);
        if (pSource == nullptr)
            return FALSE;
    }
    const POINT destOrigin = pDest->ToSurface(POINT{xDest, yDest});
    POINT sourceOrigin{xSrc, ySrc};
    if (pSource != nullptr)
        sourceOrigin = pSource->ToSurface(sourceOrigin);
    const SAxis ax = MakeAxis(destOrigin.x, wDest, sourceOrigin.x, wSrc);
    const SAxis ay = MakeAxis(destOrigin.y, hDest, sourceOrigin.y, hSrc);
    const SBrushPaint brush = pDest->BrushPaint();
    const bool bPattern = Rop3UsesPattern(index);
    if (bPattern && brush.eKind == SBrushPaint::EKind::Null)
        return TRUE;
    const bool bOk = TransferFromDC(*pDest, ax, ay, pSource.get(), index == Rop3Index(SRCCOPY),
                                    [&](DWORD& pixel, DWORD source, LONG x, LONG y)
                                    {
                                        DWORD pattern = 0;
                                        if (bPattern && !brush.At(x, y, pattern))
                                            return;
                                        pixel = Rop3Pixel(index, pattern, source, pixel);
                                    });
    return bOk ? TRUE : FALSE;
}

BYTE Scale255(DWORD value, DWORD factor)
{
    return static_cast<BYTE>((value * factor + 127) / 255);
}

// GDI's blend of a (pre-multiplied when bPerPixel) source over a pixel.
DWORD Blend(DWORD destination, DWORD source, BYTE constantAlpha, bool bPerPixel)
{
    DWORD result = 0;
    if (bPerPixel)
    {
        const DWORD alpha = Scale255(source >> 24, constantAlpha);
        for (int shift = 0; shift < 32; shift += 8)
        {
            const DWORD s = Scale255((source >> shift) & 0xFF, constantAlpha);
            const DWORD d = (destination >> shift) & 0xFF;
            result |= std::min<DWORD>(255, s + Scale255(d, 255 - alpha)) << shift;
        }
        return result;
    }
    for (int shift = 0; shift < 32; shift += 8)
    {
        const DWORD s = shift == 24 ? 255 : (source >> shift) & 0xFF;
        const DWORD d = (destination >> shift) & 0xFF;
        result |= ((s * constantAlpha + d * (255 - constantAlpha) + 127) / 255) << shift;
    }
    return result;
}

// The rows of a DIB in memory that a transfer reads, decoded into pixels.
// Rows outside the band of scans the caller supplied stay absent.
struct SDecodedRows
{
    std::vector<DWORD> pixels;
    std::vector<bool> present;
    SPixelBuffer buffer;
};

bool DecodeDibArea(const BITMAPINFO* lpbmi, const void* lpBits, UINT nFirstScan, UINT nScans, LONG nTop,
                   LONG nBottom, SDibFormat& format, SDecodedRows& rows)
{
    std::string strError;
    if (lpbmi == nullptr || lpBits == nullptr ||
        !ParseDibHeader(reinterpret_cast<const BYTE*>(lpbmi), lpbmi->bmiHeader.biSize + 16 + 256 * 4, false,
                        format, strError))
        return false;
    nTop = std::max<LONG>(0, nTop);
    nBottom = std::min(format.nHeight, nBottom);
    const LONG nRows = std::max<LONG>(0, nBottom - nTop);
    rows.pixels.assign(static_cast<std::size_t>(format.nWidth) * nRows, 0);
    rows.present.assign(static_cast<std::size_t>(nRows), false);
    const auto* pBits = static_cast<const BYTE*>(lpBits);
    for (LONG r = 0; r < nRows; ++r)
    {
        const LONG y = nTop + r;
        // Scans count in memory order: from the bottom for a bottom-up DIB.
        const LONG nScan = format.bTopDown ? y : format.nHeight - 1 - y;
        if (nScan < static_cast<LONGLONG>(nFirstScan) || nScan >= static_cast<LONGLONG>(nFirstScan) + nScans)
            continue;
        DecodeDibRow(format, pBits + static_cast<std::ptrdiff_t>(nScan - nFirstScan) * format.nStride,
                     &rows.pixels[static_cast<std::size_t>(r) * format.nWidth]);
        rows.present[static_cast<std::size_t>(r)] = true;
    }
    rows.buffer.pData = reinterpret_cast<BYTE*>(rows.pixels.data());
    rows.buffer.nStride = format.nWidth * 4;
    rows.buffer.nWidth = format.nWidth;
    rows.buffer.nHeight = nRows;
    return true;
}

// The source's vertical axis in top-down rows. For a bottom-up DIB GDI
// takes the source origin from the lower-left corner, with y growing up.
void TopDownSourceAxis(const SDibFormat& format, LONG ySrc, LONG hSrc, LONG& nStart, LONG& nExtent)
{
    if (format.bTopDown)
    {
        nStart = ySrc;
        nExtent = hSrc;
        return;
    }
    // Row v (from the bottom) is top-down row H - 1 - v; a positive extent
    // shows v = ySrc + h - 1 at the top, a negative one v = ySrc + h + 1.
    nStart = hSrc >= 0 ? format.nHeight - ySrc - hSrc : format.nHeight - ySrc - hSrc - 2;
    nExtent = hSrc;
}

} // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    if (cx <= 0 || cy <= 0)
        return FindDC(hdc) != nullptr ? TRUE : FALSE;
    return RasterTransfer(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, DWORD rop)
{
    return RasterTransfer(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn)
{
    std::shared_ptr<SDeviceContext> pDest = FindDC(hdcDest);
    std::shared_ptr<SDeviceContext> pSource = pDest != nullptr ? FindDC(hdcSrc) : nullptr;
    if (pSource == nullptr)
        return FALSE;
    const SPixelBuffer whole = SurfaceBuffer(pSource->Surface());
    const POINT sourceOrigin = pSource->ToSurface(POINT{xoriginSrc, yoriginSrc});
    // As in GDI: no mirroring, and the source must lie inside its surface.
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0 || ftn.BlendOp != AC_SRC_OVER ||
        whole.pData == nullptr || sourceOrigin.x < 0 || sourceOrigin.y < 0 ||
        sourceOrigin.x + wSrc > whole.nWidth || sourceOrigin.y + hSrc > whole.nHeight)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const POINT destOrigin = pDest->ToSurface(POINT{xoriginDest, yoriginDest});
    const SAxis ax = MakeAxis(destOrigin.x, wDest, sourceOrigin.x, wSrc);
    const SAxis ay = MakeAxis(destOrigin.y, hDest, sourceOrigin.y, hSrc);
    const bool bPerPixel = (ftn.AlphaFormat & AC_SRC_ALPHA) != 0;
    const BYTE constantAlpha = ftn.SourceConstantAlpha;
    TransferFromDC(*pDest, ax, ay, pSource.get(), false,
                   [&](DWORD& pixel, DWORD source, LONG, LONG)
                   { pixel = Blend(pixel, source, constantAlpha, bPerPixel); });
    return TRUE;
}

BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                    int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent)
{
    std::shared_ptr<SDeviceContext> pDest = FindDC(hdcDest);
    std::shared_ptr<SDeviceContext> pSource = pDest != nullptr ? FindDC(hdcSrc) : nullptr;
    if (pSource == nullptr)
        return FALSE;
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const POINT destOrigin = pDest->ToSurface(POINT{xoriginDest, yoriginDest});
    const POINT sourceOrigin = pSource->ToSurface(POINT{xoriginSrc, yoriginSrc});
    const SAxis ax = MakeAxis(destOrigin.x, wDest, sourceOrigin.x, wSrc);
    const SAxis ay = MakeAxis(destOrigin.y, hDest, sourceOrigin.y, hSrc);
    const DWORD transparent = PixelFromColour(crTransparent) & kColourMask;
    TransferFromDC(*pDest, ax, ay, pSource.get(), false,
                   [&](DWORD& pixel, DWORD source, LONG, LONG)
                   {
                       if ((source & kColourMask) != transparent)
                           pixel = source;
                   });
    return TRUE;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return 0;
    if (ColorUse != DIB_RGB_COLORS || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    SDibFormat format;
    if (lpbmi == nullptr || lpvBits == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string strError;
    if (!ParseDibHeader(reinterpret_cast<const BYTE*>(lpbmi), lpbmi->bmiHeader.biSize + 16 + 256 * 4, false,
                        format, strError))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LONG nStart = 0;
    LONG nExtent = 0;
    TopDownSourceAxis(format, ySrc, static_cast<LONG>(h), nStart, nExtent);
    SDecodedRows rows;
    if (!DecodeDibArea(lpbmi, lpvBits, StartScan, cLines, nStart, nStart + nExtent, format, rows))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const LONG nFirstRow = std::max<LONG>(0, nStart);
    const POINT destOrigin = pDC->ToSurface(POINT{xDest, yDest});
    const SAxis ax = MakeAxis(destOrigin.x, static_cast<LONG>(w), xSrc, static_cast<LONG>(w));
    const SAxis ay = MakeAxis(destOrigin.y, static_cast<LONG>(h), nStart - nFirstRow, static_cast<LONG>(h));
    TransferPixels(*pDC, ax, ay, &rows.buffer, false,
                   [&](DWORD& pixel, DWORD source, LONG, LONG y)
                   {
                       const LONG r = ay.nSourceStart + (y - ay.nDestStart);
                       if (r >= 0 && r < static_cast<LONG>(rows.present.size()) &&
                           rows.present[static_cast<std::size_t>(r)])
                           pixel = source;
                   });
    return static_cast<int>(cLines);
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                  int SrcWidth, int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage,
                  DWORD rop)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return 0;
    SDibFormat format;
    std::string strError;
    if (iUsage != DIB_RGB_COLORS || lpbmi == nullptr || lpBits == nullptr ||
        !ParseDibHeader(reinterpret_cast<const BYTE*>(lpbmi), lpbmi->bmiHeader.biSize + 16 + 256 * 4, false,
                        format, strError))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LONG nStart = 0;
    LONG nExtent = 0;
    TopDownSourceAxis(format, ySrc, SrcHeight, nStart, nExtent);
    const LONG nLast = nStart + (nExtent >= 0 ? nExtent - 1 : nExtent + 1);
    SDecodedRows rows;
    if (!DecodeDibArea(lpbmi, lpBits, 0, static_cast<UINT>(format.nHeight), std::min(nStart, nLast),
                       std::max(nStart, nLast) + 1, format, rows))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const LONG nFirstRow = std::max<LONG>(0, std::min(nStart, nLast));
    const POINT destOrigin = pDC->ToSurface(POINT{xDest, yDest});
    const SAxis ax = MakeAxis(destOrigin.x, DestWidth, xSrc, SrcWidth);
    const SAxis ay = MakeAxis(destOrigin.y, DestHeight, nStart - nFirstRow, nExtent);
    const BYTE index = Rop3Index(rop);
    const SBrushPaint brush = pDC->BrushPaint();
    const bool bPattern = Rop3UsesPattern(index);
    TransferPixels(*pDC, ax, ay, &rows.buffer, index == Rop3Index(SRCCOPY),
                   [&](DWORD& pixel, DWORD source, LONG x, LONG y)
                   {
                       DWORD pattern = 0;
                       if (bPattern && !brush.At(x, y, pattern))
                           return;
                       pixel = Rop3Pixel(index, pattern, source, pixel);
                   });
    return std::abs(SrcHeight);
}
