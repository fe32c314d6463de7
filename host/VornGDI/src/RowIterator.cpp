#include "RowIterator.h"

#include "Gdi.h"

#include <limits>

namespace
{

// Images larger than this many bytes are refused rather than attempted.
constexpr size_t kMaxImageBytes = size_t{1} << 30;

} // namespace

CRowIterator& CRowIterator::operator=(const CRowIterator& other)
{
    if (this != &other)
        m_pImage = other.m_pImage;
    return *this;
}

bool CRowIterator::Create(int nWidth, int nHeight, int nBitsPerPixel)
{
    Detach();
    if (nWidth <= 0 || nHeight <= 0 || (nBitsPerPixel != 8 && nBitsPerPixel != 24))
        return false;
    const size_t nStride = ((static_cast<size_t>(nWidth) * nBitsPerPixel / 8) + 3) & ~size_t{3};
    if (nStride > static_cast<size_t>(std::numeric_limits<int>::max()) ||
        nStride > kMaxImageBytes / static_cast<size_t>(nHeight))
        return false;
    auto pImage = std::make_shared<SImageData>();
    pImage->nWidth = nWidth;
    pImage->nHeight = nHeight;
    pImage->nBitsPerPixel = nBitsPerPixel;
    pImage->nStride = static_cast<int>(nStride);
    pImage->bytes.assign(nStride * static_cast<size_t>(nHeight), 0);
    m_pImage = std::move(pImage);
    return true;
}

void CRowIterator::Detach()
{
    m_pImage.reset();
}

int CRowIterator::Width() const
{
    return m_pImage != nullptr ? m_pImage->nWidth : 0;
}

int CRowIterator::Height() const
{
    return m_pImage != nullptr ? m_pImage->nHeight : 0;
}

int CRowIterator::BitsPerPixel() const
{
    return m_pImage != nullptr ? m_pImage->nBitsPerPixel : 0;
}

int CRowIterator::Stride() const
{
    return m_pImage != nullptr ? m_pImage->nStride : 0;
}

BYTE* CRowIterator::GetRow(int y)
{
    if (m_pImage == nullptr || y < 0 || y >= m_pImage->nHeight)
        return nullptr;
    ++m_pImage->nRowsOut;
    return m_pImage->bytes.data() + static_cast<size_t>(y) * m_pImage->nStride;
}

const BYTE* CRowIterator::GetRow(int y) const
{
    return const_cast<CRowIterator*>(this)->GetRow(y);
}

void CRowIterator::ReleaseRow(int y) const
{
    if (m_pImage == nullptr || y < 0 || y >= m_pImage->nHeight || m_pImage->nRowsOut == 0)
        return;
    --m_pImage->nRowsOut;
}

int CRowIterator::RowsOut() const
{
    return m_pImage != nullptr ? m_pImage->nRowsOut : 0;
}

bool CRowIterator::Draw(HDC hdc, int x, int y) const
{
    if (m_pImage == nullptr)
        return false;
    struct SInfo
    {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = m_pImage->nWidth;
    info.header.biHeight = -m_pImage->nHeight; // top-down
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(m_pImage->nBitsPerPixel);
    info.header.biCompression = BI_RGB;
    if (m_pImage->nBitsPerPixel == 8)
    {
        info.header.biClrUsed = 256;
        for (int i = 0; i < 256; ++i)
            info.colours[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    }
    const int nLines = SetDIBitsToDevice(hdc, x, y, static_cast<DWORD>(m_pImage->nWidth),
                                         static_cast<DWORD>(m_pImage->nHeight), 0, 0, 0,
                                         static_cast<UINT>(m_pImage->nHeight), m_pImage->bytes.data(),
                                         reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
    return nLines > 0;
}
