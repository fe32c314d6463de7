// Pens, brushes and bitmaps as the drawing layer keeps them, and direct
// access to a surface's pixels. Private to the drawing layer.
#pragma once

#include "GdiTable.h"

#include <cairo.h>

#include <memory>
#include <vector>

struct SPenRecord : SGdiRecord
{
    SPenRecord() : SGdiRecord(EGdiKind::Pen) {}
    UINT nStyle = PS_SOLID;
    LONG nWidth = 1;
    COLORREF color = 0;
    bool bDcPen = false; // DC_PEN: the colour is the device context's
};

// The pixels a pattern brush tiles, copied when the brush is made.
struct SPatternTile
{
    LONG nWidth = 0;
    LONG nHeight = 0;
    std::vector<DWORD> pixels;
};

struct SBrushRecord : SGdiRecord
{
    SBrushRecord() : SGdiRecord(EGdiKind::Brush) {}
    UINT nStyle = BS_SOLID;
    COLORREF color = 0;
    LONG nHatch = 0;
    bool bDcBrush = false; // DC_BRUSH: the colour is the device context's
    std::shared_ptr<const SPatternTile> pPattern;
};

// Largest bitmap side and pixel count accepted; Cairo's image surfaces stop
// at 32767 per side.
constexpr LONG kMaxBitmapSide = 32767;
constexpr LONGLONG kMaxBitmapPixels = 1LL << 26;

struct SBitmapRecord : SGdiRecord
{
    SBitmapRecord() : SGdiRecord(EGdiKind::Bitmap) {}
    ~SBitmapRecord() override;

    // The pixels every drawing call works on: ARGB32, rows top-down.
    cairo_surface_t* pSurface = nullptr;
    LONG nWidth = 0;
    LONG nHeight = 0;

    // A DIB section keeps the caller's rows in the layout asked for. Only a
    // 32-bit top-down DIB can share them with the surface; the others are
    // converted in and out around each drawing call, limited to the pixels
    // the call touches.
    std::unique_ptr<BYTE[]> pStorage; // the rows, unless the surface owns them (shared)
    BYTE* pBits = nullptr;
    WORD nDibBitCount = 0; // 0 when the bitmap is not a DIB section
    bool bDibTopDown = true;
    LONG nDibStride = 0;
    bool bSharedBits = false;

    bool IsDibSection() const { return nDibBitCount != 0; }
    bool NeedsConversion() const { return nDibBitCount != 0 && !bSharedBits; }
    // Caller's rows to surface, and back, within a rectangle of the bitmap.
    void ImportBits(const RECT& rc);
    void ExportBits(const RECT& rc);
};

// A new bitmap of that size filled with one pixel value; null when the size
// is out of range or memory runs out.
std::shared_ptr<SBitmapRecord> MakeBitmapRecord(LONG nWidth, LONG nHeight, DWORD fillPixel);

// A view of 32-bit pixels: rows of blue, green, red, alpha.
struct SPixelBuffer
{
    BYTE* pData = nullptr;
    int nStride = 0;
    LONG nWidth = 0;
    LONG nHeight = 0;

    DWORD* Row(LONG y) const
    {
        return reinterpret_cast<DWORD*>(pData + static_cast<std::ptrdiff_t>(y) * nStride);
    }
    RECT Bounds() const { return RECT{0, 0, nWidth, nHeight}; }
};

SPixelBuffer SurfaceBuffer(cairo_surface_t* pSurface);

// Direct access to a surface's pixels within a rectangle for the life of the
// object: Cairo's pending drawing is flushed first, and afterwards Cairo is
// told what changed and a DIB section's own rows are brought up to date.
class CSurfacePixels
{
public:
    CSurfacePixels(cairo_surface_t* pSurface, SBitmapRecord* pDib, const RECT& rcTouched, bool bWrite);
    ~CSurfacePixels();
    CSurfacePixels(const CSurfacePixels&) = delete;
    CSurfacePixels& operator=(const CSurfacePixels&) = delete;

    const SPixelBuffer& Buffer() const { return m_buffer; }
    // Tells Cairo that the pixels were written directly, before Cairo draws
    // on them again within the same access.
    void MarkDirty();

private:
    cairo_surface_t* m_pSurface;
    SBitmapRecord* m_pDib;
    RECT m_rcTouched;
    bool m_bWrite;
    SPixelBuffer m_buffer;
};
