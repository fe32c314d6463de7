// Images in memory and in PNG and BMP files.
//
// An SImage holds rows top to bottom; each pixel is a DWORD 0xAARRGGBB (in
// memory the bytes blue, green, red, alpha) with the colour pre-multiplied by
// alpha: the layout of a Cairo ARGB32 surface and of the source pixels
// AlphaBlend takes with AC_SRC_ALPHA. Readers pre-multiply what the files
// hold (straight alpha); the PNG writer divides it out again.
//
// Readers accept PNG (palette, grey, grey and alpha, RGB, RGBA; 16-bit
// channels reduced to 8) and BMP (1, 4, 8, 16, 24 and 32 bits per pixel,
// bottom-up and top-down, BI_RGB and BI_BITFIELDS, with or without the file
// header). A 32-bit BMP whose fourth bytes are all zero is opaque. Damaged,
// truncated, empty or oversized files give an error, never a crash.
#pragma once

#include "WinDef.h"

#include <cstddef>
#include <string>
#include <vector>

struct SImage
{
    LONG nWidth = 0;
    LONG nHeight = 0;
    std::vector<DWORD> pixels;

    bool IsEmpty() const { return nWidth <= 0 || nHeight <= 0; }
    DWORD& At(LONG x, LONG y) { return pixels[static_cast<std::size_t>(y) * nWidth + x]; }
    DWORD At(LONG x, LONG y) const { return pixels[static_cast<std::size_t>(y) * nWidth + x]; }
};

// The largest images accepted, per side and in pixels.
constexpr LONG kMaxImageSide = 16384;
constexpr LONGLONG kMaxImagePixels = 1LL << 25;

enum class EImageError
{
    None,
    CannotOpen,
    CannotWrite,
    UnknownFormat,
    Truncated,
    Corrupt,
    Unsupported,
    TooLarge,
    OutOfMemory,
};

struct SImageResult
{
    EImageError eError = EImageError::None;
    std::string strMessage; // what went wrong, for a person to read

    bool Succeeded() const { return eError == EImageError::None; }
    explicit operator bool() const { return Succeeded(); }
};

// Recognises PNG and BMP by their first bytes.
SImageResult ReadImageMemory(const void* pData, std::size_t nSize, SImage& image);
SImageResult ReadImageFile(LPCWSTR pszPath, SImage& image);
SImageResult ReadPngMemory(const void* pData, std::size_t nSize, SImage& image);
SImageResult ReadBmpMemory(const void* pData, std::size_t nSize, SImage& image);

// bOpaque writes RGB without alpha, ignoring the alpha bytes (screenshots).
SImageResult WritePngMemory(const SImage& image, std::vector<BYTE>& data, bool bOpaque = false);
SImageResult WritePngFile(LPCWSTR pszPath, const SImage& image, bool bOpaque = false);

// A 32-bit top-down DIB section holding the image's pixels; null when the
// image is empty or too large.
HBITMAP CreateBitmapFromImage(const SImage& image);
// The pixels of a bitmap; false for a bad handle.
bool CopyBitmapToImage(HBITMAP hBitmap, SImage& image);

// Straight alpha to pre-multiplied and back, rounding to nearest.
DWORD PremultiplyPixel(DWORD straight);
DWORD UnpremultiplyPixel(DWORD premultiplied);
