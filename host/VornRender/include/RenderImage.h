// The image the material renderer draws into: 32-bit pixels 0xAARRGGBB in
// straight (not pre-multiplied) alpha, rows top-down with no padding. In
// memory on a little-endian machine a pixel's bytes are blue, green, red,
// alpha, the order of the platform's surfaces, so a row converts to a
// device-independent bitmap row by pre-multiplying alone.
#pragma once

#include "WinDef.h"

#include <cstdint>
#include <vector>

class CRowIterator;

// 0xAARRGGBB from a COLORREF (0x00BBGGRR) and an alpha.
constexpr DWORD ArgbFromColor(COLORREF clrColor, BYTE nAlpha = 255)
{
    return (static_cast<DWORD>(nAlpha) << 24) | ((clrColor & 0xFF) << 16) | (clrColor & 0xFF00) |
           ((clrColor >> 16) & 0xFF);
}

// The COLORREF of a pixel, alpha dropped.
constexpr COLORREF ColorFromArgb(DWORD argb)
{
    return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}

constexpr BYTE AlphaOf(DWORD argb)
{
    return static_cast<BYTE>(argb >> 24);
}

class CRenderImage
{
public:
    // The largest side and the most pixels accepted, so that a typing slip
    // cannot ask for gigabytes (16M pixels are 64 MiB).
    static constexpr int kMaxSide = 16384;
    static constexpr long long kMaxPixels = 16LL * 1024 * 1024;

    CRenderImage() = default;

    // A new image of the size, every pixel transparent black. False, leaving
    // the image empty, for a side that is not positive or above kMaxSide, or
    // more than kMaxPixels pixels.
    bool Create(int nWidth, int nHeight);
    void Clear();

    bool IsEmpty() const { return m_pixels.empty(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    DWORD* Row(int y) { return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_nWidth); }
    const DWORD* Row(int y) const
    {
        return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_nWidth);
    }
    // Out-of-range coordinates read transparent black and write nothing.
    DWORD At(int x, int y) const;
    void Set(int x, int y, DWORD argb);
    void Fill(DWORD argb);

    const std::vector<DWORD>& Pixels() const { return m_pixels; }

    // The pixels pre-multiplied by their alpha, rounding to nearest, for
    // blending with AlphaBlend.
    std::vector<DWORD> PremultipliedPixels() const;

    // An opaque copy of a row image: 24-bit rows (blue, green, red) as they
    // are, 8-bit rows as greys. False, leaving this image empty, when the
    // iterator holds no image or a depth other than 8 or 24.
    bool CopyFrom(const CRowIterator& source);

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<DWORD> m_pixels;
};
