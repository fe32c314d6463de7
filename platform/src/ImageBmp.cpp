// BMP files and packed DIBs (a header, colour table and rows without the
// file header, as bitmap resources hold them).
#include "DibFormat.h"
#include "Image.h"

#include <new>

namespace
{

DWORD ReadDword(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

} // namespace

SImageResult ReadBmpMemory(const void* pData, std::size_t nSize, SImage& image)
{
    image = SImage{};
    const auto* pBytes = static_cast<const BYTE*>(pData);
    if (pBytes == nullptr || nSize < 4)
        return SImageResult{EImageError::Truncated, "the BMP data is too short to hold a header"};
    const bool bFileHeader = pBytes[0] == 'B' && pBytes[1] == 'M';
    const std::size_t nHeaderStart = bFileHeader ? 14 : 0;
    if (nSize < nHeaderStart + 4)
        return SImageResult{EImageError::Truncated, "the BMP file ends inside its file header"};

    SDibFormat format;
    std::string strError;
    bool bTruncated = false;
    if (!ParseDibHeader(pBytes + nHeaderStart, nSize - nHeaderStart, true, format, strError, &bTruncated))
    {
        EImageError eError = bTruncated ? EImageError::Truncated : EImageError::Corrupt;
        if (strError.find("not supported") != std::string::npos)
            eError = EImageError::Unsupported;
        return SImageResult{eError, strError};
    }
    if (format.nWidth > kMaxImageSide || format.nHeight > kMaxImageSide ||
        static_cast<LONGLONG>(format.nWidth) * format.nHeight > kMaxImagePixels)
        return SImageResult{EImageError::TooLarge, "the BMP image is " + std::to_string(format.nWidth) +
                                                       " x " + std::to_string(format.nHeight) +
                                                       " pixels, more than is accepted"};

    // The pixels start where the file header says, or right after the
    // header and colour table.
    std::size_t nPixelStart = nHeaderStart + format.nHeaderBytes;
    if (bFileHeader)
    {
        const DWORD nOffset = ReadDword(pBytes + 10);
        if (nOffset != 0)
        {
            if (nOffset < nHeaderStart + 12 || nOffset > nSize)
                return SImageResult{EImageError::Corrupt,
                                    "the BMP file's pixel offset lies outside the file"};
            nPixelStart = nOffset;
        }
    }
    // The last row may lack its padding.
    const std::size_t nLastRowBytes = (static_cast<std::size_t>(format.nWidth) * format.nBitCount + 7) / 8;
    const std::size_t nNeeded =
        static_cast<std::size_t>(format.nStride) * static_cast<std::size_t>(format.nHeight - 1) +
        nLastRowBytes;
    if (nPixelStart > nSize || nSize - nPixelStart < nNeeded)
        return SImageResult{EImageError::Truncated, "the BMP data ends before its last row of pixels"};

    try
    {
        image.pixels.resize(static_cast<std::size_t>(format.nWidth) * format.nHeight);
    }
    catch (const std::bad_alloc&)
    {
        image = SImage{};
        return SImageResult{EImageError::OutOfMemory, "not enough memory for the BMP image"};
    }
    image.nWidth = format.nWidth;
    image.nHeight = format.nHeight;
    std::vector<BYTE> lastRow;
    DWORD alphaSeen = 0;
    for (LONG y = 0; y < format.nHeight; ++y)
    {
        const LONG nFileRow = format.bTopDown ? y : format.nHeight - 1 - y;
        const BYTE* pRow = pBytes + nPixelStart + static_cast<std::size_t>(nFileRow) * format.nStride;
        if (static_cast<std::size_t>(pRow - pBytes) + static_cast<std::size_t>(format.nStride) > nSize)
        {
            // The unpadded last row: decode from a padded copy.
            lastRow.assign(static_cast<std::size_t>(format.nStride), 0);
            std::copy(pRow, pBytes + nSize, lastRow.begin());
            pRow = lastRow.data();
        }
        DWORD* pOut = &image.At(0, y);
        DecodeDibRow(format, pRow, pOut);
        for (LONG x = 0; x < format.nWidth; ++x)
            alphaSeen |= pOut[x];
    }
    // A 32-bit BI_RGB file whose fourth bytes are all zero has no alpha.
    const bool bRawAlphaUnused = format.bRawFourthByte && (alphaSeen >> 24) == 0;
    for (DWORD& pixel : image.pixels)
        pixel = bRawAlphaUnused ? (pixel | 0xFF000000u) : PremultiplyPixel(pixel);
    return SImageResult{};
}
