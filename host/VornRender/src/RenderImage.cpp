#include "RenderImage.h"

#include "RowIterator.h"

#include <algorithm>

bool CRenderImage::Create(int nWidth, int nHeight)
{
    Clear();
    if (nWidth <= 0 || nHeight <= 0 || nWidth > kMaxSide || nHeight > kMaxSide ||
        static_cast<long long>(nWidth) * nHeight > kMaxPixels)
        return false;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_pixels.assign(static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight), 0);
    return true;
}

void CRenderImage::Clear()
{
    m_nWidth = 0;
    m_nHeight = 0;
    m_pixels.clear();
}

DWORD CRenderImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return 0;
    return Row(y)[x];
}

void CRenderImage::Set(int x, int y, DWORD argb)
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return;
    Row(y)[x] = argb;
}

void CRenderImage::Fill(DWORD argb)
{
    std::fill(m_pixels.begin(), m_pixels.end(), argb);
}

std::vector<DWORD> CRenderImage::PremultipliedPixels() const
{
    std::vector<DWORD> result(m_pixels.size());
    for (size_t i = 0; i < m_pixels.size(); ++i)
    {
        const DWORD argb = m_pixels[i];
        const DWORD nAlpha = argb >> 24;
        if (nAlpha == 255)
        {
            result[i] = argb;
            continue;
        }
        // Channel * alpha / 255 to the nearest integer.
        auto scale = [nAlpha](DWORD nChannel) { return (nChannel * nAlpha * 2 + 255) / 510; };
        result[i] = (nAlpha << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) |
                    scale(argb & 0xFF);
    }
    return result;
}

bool CRenderImage::CopyFrom(const CRowIterator& source)
{
    Clear();
    if (!source.IsAttached())
        return false;
    const int nBits = source.BitsPerPixel();
    if ((nBits != 8 && nBits != 24) || !Create(source.Width(), source.Height()))
    {
        Clear();
        return false;
    }
    for (int y = 0; y < m_nHeight; ++y)
    {
        const BYTE* pRow = source.GetRow(y);
        if (pRow == nullptr)
        {
            Clear();
            return false;
        }
        DWORD* pOut = Row(y);
        for (int x = 0; x < m_nWidth; ++x)
        {
            if (nBits == 24)
            {
                const BYTE* pPixel = pRow + 3 * x;
                pOut[x] = 0xFF000000u | (static_cast<DWORD>(pPixel[2]) << 16) |
                          (static_cast<DWORD>(pPixel[1]) << 8) | pPixel[0];
            }
            else
            {
                const DWORD nGrey = pRow[x];
                pOut[x] = 0xFF000000u | (nGrey << 16) | (nGrey << 8) | nGrey;
            }
        }
        source.ReleaseRow(y);
    }
    return true;
}
