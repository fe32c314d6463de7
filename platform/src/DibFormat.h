// The layout of device-independent bitmap rows, as BMP files, DIB sections
// and SetDIBitsToDevice/StretchDIBits describe them, and decoding of one row
// into 32-bit pixels. Private to the drawing layer.
#pragma once

#include "Gdi.h"

#include <cstddef>
#include <string>
#include <vector>

#define BI_ALPHABITFIELDS 6

struct SDibFormat
{
    LONG nWidth = 0;
    LONG nHeight = 0; // always positive; see bTopDown
    bool bTopDown = false;
    WORD nBitCount = 0;
    DWORD nCompression = BI_RGB;
    // Channel masks for 16 and 32 bits per pixel (alpha 0: no alpha channel).
    DWORD redMask = 0;
    DWORD greenMask = 0;
    DWORD blueMask = 0;
    DWORD alphaMask = 0;
    // 32 bits with BI_RGB: the fourth byte is passed through as it is.
    bool bRawFourthByte = false;
    std::vector<RGBQUAD> palette;
    LONG nStride = 0;
    // Bytes the header and its colour table or masks take.
    std::size_t nHeaderBytes = 0;

    std::size_t ImageBytes() const
    {
        return static_cast<std::size_t>(nStride) * static_cast<std::size_t>(nHeight);
    }
};

// Reads a BITMAPINFOHEADER (or a larger version of it, or the 12-byte core
// header when bAllowCoreHeader) and the colour table or masks after it from
// nAvailable bytes. False with a reason when the header is damaged, too
// large or of a kind this layer does not read (run-length compression).
// *pbTruncated tells a header cut short from one that is wrong.
bool ParseDibHeader(const BYTE* pHeader, std::size_t nAvailable, bool bAllowCoreHeader, SDibFormat& format,
                    std::string& strError, bool* pbTruncated = nullptr);

// Decodes one row into nWidth pixels 0xAARRGGBB with straight alpha (255
// where the format has none).
void DecodeDibRow(const SDibFormat& format, const BYTE* pRow, DWORD* pOut);
