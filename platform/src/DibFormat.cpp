#include "DibFormat.h"

#include <cstring>

namespace
{

DWORD ReadDword(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

WORD ReadWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

int LowestBit(DWORD mask)
{
    int n = 0;
    while (mask != 0 && (mask & 1) == 0)
    {
        mask >>= 1;
        ++n;
    }
    return n;
}

int BitCount(DWORD mask)
{
    int n = 0;
    for (; mask != 0; mask &= mask - 1)
        ++n;
    return n;
}

// A masked channel scaled to eight bits.
BYTE Channel(DWORD value, DWORD mask)
{
    if (mask == 0)
        return 0;
    const DWORD raw = (value & mask) >> LowestBit(mask);
    const int nBits = BitCount(mask);
    if (nBits >= 8)
        return static_cast<BYTE>(raw >> (nBits - 8));
    const DWORD maxValue = (1u << nBits) - 1;
    return static_cast<BYTE>((raw * 255 + maxValue / 2) / maxValue);
}

bool MasksContiguous(DWORD mask)
{
    if (mask == 0)
        return true;
    const DWORD shifted = mask >> LowestBit(mask);
    return (shifted & (shifted + 1)) == 0;
}

} // namespace

bool ParseDibHeader(const BYTE* pHeader, std::size_t nAvailable, bool bAllowCoreHeader, SDibFormat& format,
                    std::string& strError, bool* pbTruncated)
{
    format = SDibFormat{};
    if (pbTruncated != nullptr)
        *pbTruncated = false;
    auto truncated = [&](const char* pszWhat)
    {
        strError = pszWhat;
        if (pbTruncated != nullptr)
            *pbTruncated = true;
        return false;
    };
    if (pHeader == nullptr || nAvailable < 4)
        return truncated("the bitmap header is missing");
    const DWORD nHeaderSize = ReadDword(pHeader);
    LONGLONG width = 0;
    LONGLONG height = 0;
    WORD nPlanes = 1;
    DWORD nColoursUsed = 0;
    bool bCore = false;
    if (nHeaderSize == 12 && bAllowCoreHeader)
    {
        if (nAvailable < 12)
            return truncated("the bitmap header is truncated");
        bCore = true;
        width = ReadWord(pHeader + 4);
        height = static_cast<SHORT>(ReadWord(pHeader + 6));
        nPlanes = ReadWord(pHeader + 8);
        format.nBitCount = ReadWord(pHeader + 10);
    }
    else if (nHeaderSize >= 40 && nHeaderSize <= 1024)
    {
        if (nAvailable < nHeaderSize)
            return truncated("the bitmap header is truncated");
        width = static_cast<LONG>(ReadDword(pHeader + 4));
        height = static_cast<LONG>(ReadDword(pHeader + 8));
        nPlanes = ReadWord(pHeader + 12);
        format.nBitCount = ReadWord(pHeader + 14);
        format.nCompression = ReadDword(pHeader + 16);
        nColoursUsed = ReadDword(pHeader + 32);
    }
    else
    {
        strError = "the bitmap header has an unknown size (" + std::to_string(nHeaderSize) + " bytes)";
        return false;
    }
    if (nPlanes != 1)
    {
        strError = "the bitmap has " + std::to_string(nPlanes) + " planes; one is expected";
        return false;
    }
    if (width <= 0 || height == 0 || height == -2147483648LL)
    {
        strError =
            "the bitmap has no pixels (" + std::to_string(width) + " x " + std::to_string(height) + ")";
        return false;
    }
    format.nWidth = static_cast<LONG>(width);
    format.bTopDown = height < 0;
    format.nHeight = static_cast<LONG>(height < 0 ? -height : height);
    switch (format.nBitCount)
    {
        case 1:
        case 4:
        case 8:
        case 24:
            if (format.nCompression != BI_RGB)
            {
                strError = format.nCompression == BI_RLE8 || format.nCompression == BI_RLE4
                               ? "run-length compressed bitmaps are not supported"
                               : "the bitmap's compression does not fit its bit count";
                return false;
            }
            break;
        case 16:
        case 32:
            if (format.nCompression != BI_RGB && format.nCompression != BI_BITFIELDS &&
                format.nCompression != BI_ALPHABITFIELDS)
            {
                strError = "the bitmap's compression does not fit its bit count";
                return false;
            }
            break;
        default:
            strError = "bitmaps of " + std::to_string(format.nBitCount) + " bits per pixel are not supported";
            return false;
    }
    if (format.bTopDown && format.nCompression != BI_RGB && format.nCompression != BI_BITFIELDS &&
        format.nCompression != BI_ALPHABITFIELDS)
    {
        strError = "a top-down bitmap cannot be compressed";
        return false;
    }
    const LONGLONG stride = (width * format.nBitCount + 31) / 32 * 4;
    if (stride > 0x7FFFFFFF)
    {
        strError = "the bitmap is too wide";
        return false;
    }
    format.nStride = static_cast<LONG>(stride);

    std::size_t nOffset = bCore ? 12 : nHeaderSize;
    if (format.nBitCount == 16 || format.nBitCount == 32)
    {
        if (format.nCompression == BI_RGB)
        {
            if (format.nBitCount == 16)
            {
                format.redMask = 0x7C00;
                format.greenMask = 0x03E0;
                format.blueMask = 0x001F;
            }
            else
            {
                format.redMask = 0x00FF0000;
                format.greenMask = 0x0000FF00;
                format.blueMask = 0x000000FF;
                format.bRawFourthByte = true;
            }
        }
        else
        {
            // Masks sit inside the larger headers, or follow the 40-byte one.
            const BYTE* pMasks = nullptr;
            bool bAlphaIncluded;
            if (nHeaderSize >= 52)
            {
                pMasks = pHeader + 40;
                bAlphaIncluded = nHeaderSize >= 56;
            }
            else
            {
                bAlphaIncluded = format.nCompression == BI_ALPHABITFIELDS;
                const std::size_t nMaskBytes = format.nCompression == BI_ALPHABITFIELDS ? 16 : 12;
                if (nAvailable < nOffset + nMaskBytes)
                    return truncated("the bitmap's colour masks are truncated");
                pMasks = pHeader + nOffset;
                nOffset += nMaskBytes;
            }
            format.redMask = ReadDword(pMasks);
            format.greenMask = ReadDword(pMasks + 4);
            format.blueMask = ReadDword(pMasks + 8);
            format.alphaMask = bAlphaIncluded ? ReadDword(pMasks + 12) : 0;
            if (format.nBitCount == 16)
            {
                format.redMask &= 0xFFFF;
                format.greenMask &= 0xFFFF;
                format.blueMask &= 0xFFFF;
                format.alphaMask &= 0xFFFF;
            }
            if (!MasksContiguous(format.redMask) || !MasksContiguous(format.greenMask) ||
                !MasksContiguous(format.blueMask) || !MasksContiguous(format.alphaMask))
            {
                strError = "the bitmap's colour masks are not contiguous";
                return false;
            }
        }
    }
    else if (format.nBitCount <= 8)
    {
        const DWORD nMaxColours = 1u << format.nBitCount;
        if (nColoursUsed > nMaxColours)
        {
            strError = "the bitmap's colour table is larger than its bit count allows";
            return false;
        }
        const DWORD nColours = nColoursUsed != 0 ? nColoursUsed : nMaxColours;
        const std::size_t nEntryBytes = bCore ? 3 : 4;
        if (nAvailable < nOffset + nColours * nEntryBytes)
            return truncated("the bitmap's colour table is truncated");
        format.palette.resize(nColours);
        for (DWORD i = 0; i < nColours; ++i)
        {
            const BYTE* pEntry = pHeader + nOffset + i * nEntryBytes;
            format.palette[i] = RGBQUAD{pEntry[0], pEntry[1], pEntry[2], 0};
        }
        nOffset += nColours * nEntryBytes;
    }
    format.nHeaderBytes = nOffset;
    return true;
}

void DecodeDibRow(const SDibFormat& format, const BYTE* pRow, DWORD* pOut)
{
    const LONG nWidth = format.nWidth;
    auto fromPalette = [&](unsigned index) -> DWORD
    {
        if (index >= format.palette.size())
            return 0xFF000000u;
        const RGBQUAD& q = format.palette[index];
        return 0xFF000000u | (static_cast<DWORD>(q.rgbRed) << 16) | (static_cast<DWORD>(q.rgbGreen) << 8) |
               q.rgbBlue;
    };
    switch (format.nBitCount)
    {
        case 1:
            for (LONG x = 0; x < nWidth; ++x)
                pOut[x] = fromPalette((pRow[x >> 3] >> (7 - (x & 7))) & 1);
            break;
        case 4:
            for (LONG x = 0; x < nWidth; ++x)
                pOut[x] = fromPalette((x & 1) ? (pRow[x >> 1] & 0x0F) : (pRow[x >> 1] >> 4));
            break;
        case 8:
            for (LONG x = 0; x < nWidth; ++x)
                pOut[x] = fromPalette(pRow[x]);
            break;
        case 24:
            for (LONG x = 0; x < nWidth; ++x)
            {
                const BYTE* p = pRow + x * 3;
                pOut[x] =
                    0xFF000000u | (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[1]) << 8) | p[0];
            }
            break;
        case 16:
        case 32:
            for (LONG x = 0; x < nWidth; ++x)
            {
                DWORD value;
                if (format.nBitCount == 16)
                    value = ReadWord(pRow + x * 2);
                else
                    value = ReadDword(pRow + x * 4);
                if (format.bRawFourthByte)
                {
                    pOut[x] = value;
                    continue;
                }
                const DWORD alpha = format.alphaMask != 0 ? Channel(value, format.alphaMask) : 255u;
                pOut[x] = (alpha << 24) | (static_cast<DWORD>(Channel(value, format.redMask)) << 16) |
                          (static_cast<DWORD>(Channel(value, format.greenMask)) << 8) |
                          Channel(value, format.blueMask);
            }
            break;
        default:
            std::memset(pOut, 0, static_cast<std::size_t>(nWidth) * sizeof(DWORD));
            break;
    }
}
