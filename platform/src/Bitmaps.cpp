// Bitmaps: the surfaces behind them, DIB sections with the caller's own row
// layout, and the calls that create and copy them.
#include "DibFormat.h"
#include "GdiRecords.h"
#include "LastError.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace
{

bool ClampToBitmap(const SBitmapRecord& bitmap, const RECT& rc, RECT& out)
{
    const RECT bounds{0, 0, bitmap.nWidth, bitmap.nHeight};
    return ::IntersectRect(&out, &rc, &bounds) != FALSE;
}

bool SizeAllowed(LONGLONG width, LONGLONG height)
{
    return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
           width * height <= kMaxBitmapPixels;
}

HBITMAP Publish(std::shared_ptr<SBitmapRecord> pRecord)
{
    if (pRecord == nullptr)
        return nullptr;
    return static_cast<HBITMAP>(GdiInsert(std::move(pRecord)));
}

} // namespace

SBitmapRecord::~SBitmapRecord()
{
    if (pSurface != nullptr)
        cairo_surface_destroy(pSurface);
}

void SBitmapRecord::ImportBits(const RECT& rc)
{
    RECT area;
    if (!NeedsConversion() || !ClampToBitmap(*this, rc, area))
        return;
    const SPixelBuffer buffer = SurfaceBuffer(pSurface);
    for (LONG y = area.top; y < area.bottom; ++y)
    {
        const LONG nDibRow = bDibTopDown ? y : nHeight - 1 - y;
        const BYTE* pSource = pBits + static_cast<std::ptrdiff_t>(nDibRow) * nDibStride;
        DWORD* pTarget = buffer.Row(y);
        if (nDibBitCount == 24)
        {
            for (LONG x = area.left; x < area.right; ++x)
            {
                const BYTE* p = pSource + x * 3;
                pTarget[x] =
                    0xFF000000u | (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[1]) << 8) | p[0];
            }
        }
        else
        {
            std::memcpy(pTarget + area.left, pSource + area.left * 4,
                        static_cast<std::size_t>(area.right - area.left) * 4);
        }
    }
}

void SBitmapRecord::ExportBits(const RECT& rc)
{
    RECT area;
    if (!NeedsConversion() || !ClampToBitmap(*this, rc, area))
        return;
    const SPixelBuffer buffer = SurfaceBuffer(pSurface);
    for (LONG y = area.top; y < area.bottom; ++y)
    {
        const LONG nDibRow = bDibTopDown ? y : nHeight - 1 - y;
        BYTE* pTarget = pBits + static_cast<std::ptrdiff_t>(nDibRow) * nDibStride;
        const DWORD* pSource = buffer.Row(y);
        if (nDibBitCount == 24)
        {
            for (LONG x = area.left; x < area.right; ++x)
            {
                BYTE* p = pTarget + x * 3;
                p[0] = static_cast<BYTE>(pSource[x]);
                p[1] = static_cast<BYTE>(pSource[x] >> 8);
                p[2] = static_cast<BYTE>(pSource[x] >> 16);
            }
        }
        else
        {
            std::memcpy(pTarget + area.left * 4, pSource + area.left,
                        static_cast<std::size_t>(area.right - area.left) * 4);
        }
    }
}

std::shared_ptr<SBitmapRecord> MakeBitmapRecord(LONG nWidth, LONG nHeight, DWORD fillPixel)
{
    if (!SizeAllowed(nWidth, nHeight))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    cairo_surface_t* pSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, nWidth, nHeight);
    if (cairo_surface_status(pSurface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(pSurface);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto pRecord = std::make_shared<SBitmapRecord>();
    pRecord->pSurface = pSurface;
    pRecord->nWidth = nWidth;
    pRecord->nHeight = nHeight;
    if (fillPixel != 0)
    {
        const SPixelBuffer buffer = SurfaceBuffer(pSurface);
        for (LONG y = 0; y < nHeight; ++y)
            std::fill_n(buffer.Row(y), nWidth, fillPixel);
        cairo_surface_mark_dirty(pSurface);
    }
    return pRecord;
}

SPixelBuffer SurfaceBuffer(cairo_surface_t* pSurface)
{
    SPixelBuffer buffer;
    if (pSurface == nullptr || cairo_surface_get_type(pSurface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(pSurface) != CAIRO_FORMAT_ARGB32)
        return buffer;
    buffer.pData = cairo_image_surface_get_data(pSurface);
    buffer.nStride = cairo_image_surface_get_stride(pSurface);
    buffer.nWidth = cairo_image_surface_get_width(pSurface);
    buffer.nHeight = cairo_image_surface_get_height(pSurface);
    if (buffer.pData == nullptr)
        buffer = SPixelBuffer{};
    return buffer;
}

CSurfacePixels::CSurfacePixels(cairo_surface_t* pSurface, SBitmapRecord* pDib, const RECT& rcTouched,
                               bool bWrite)
    : m_pSurface(pSurface), m_pDib(pDib), m_rcTouched(rcTouched), m_bWrite(bWrite)
{
    if (m_pSurface == nullptr)
        return;
    cairo_surface_flush(m_pSurface);
    m_buffer = SurfaceBuffer(m_pSurface);
    if (m_pDib != nullptr && m_pDib->NeedsConversion())
    {
        m_pDib->ImportBits(m_rcTouched);
        m_bWrite = true; // the import itself changed the surface
        MarkDirty();
    }
}

void CSurfacePixels::MarkDirty()
{
    const RECT bounds = m_buffer.Bounds();
    RECT area;
    if (m_pSurface != nullptr && ::IntersectRect(&area, &m_rcTouched, &bounds))
        cairo_surface_mark_dirty_rectangle(m_pSurface, area.left, area.top, area.right - area.left,
                                           area.bottom - area.top);
}

CSurfacePixels::~CSurfacePixels()
{
    if (m_pSurface == nullptr || !m_bWrite)
        return;
    // Cairo may have drawn on the surface meanwhile (text, curves).
    cairo_surface_flush(m_pSurface);
    const RECT bounds = m_buffer.Bounds();
    RECT area;
    if (!::IntersectRect(&area, &m_rcTouched, &bounds))
        return;
    cairo_surface_mark_dirty_rectangle(m_pSurface, area.left, area.top, area.right - area.left,
                                       area.bottom - area.top);
    if (m_pDib != nullptr)
        m_pDib->ExportBits(area);
}

HBITMAP CreateCompatibleBitmap(HDC, int cx, int cy)
{
    if (cx < 0 || cy < 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // An empty size gives the one-pixel bitmap GDI gives.
    if (cx == 0 || cy == 0)
        cx = cy = 1;
    return Publish(MakeBitmapRecord(cx, cy, 0xFF000000u));
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (nPlanes != 1 || (nBitCount != 1 && nBitCount != 24 && nBitCount != 32))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (nWidth == 0 || nHeight == 0)
        nWidth = nHeight = 1;
    std::shared_ptr<SBitmapRecord> pRecord = MakeBitmapRecord(nWidth, nHeight, 0xFF000000u);
    if (pRecord == nullptr || lpBits == nullptr)
        return Publish(std::move(pRecord));
    // Device-dependent rows are padded to 16 bits.
    const LONG nStride = ((static_cast<LONG>(nWidth) * static_cast<LONG>(nBitCount) + 15) / 16) * 2;
    const auto* pSource = static_cast<const BYTE*>(lpBits);
    const SPixelBuffer buffer = SurfaceBuffer(pRecord->pSurface);
    for (LONG y = 0; y < nHeight; ++y)
    {
        const BYTE* pRow = pSource + static_cast<std::ptrdiff_t>(y) * nStride;
        DWORD* pTarget = buffer.Row(y);
        for (LONG x = 0; x < nWidth; ++x)
        {
            if (nBitCount == 1)
                pTarget[x] = ((pRow[x >> 3] >> (7 - (x & 7))) & 1) ? 0xFFFFFFFFu : 0xFF000000u;
            else if (nBitCount == 24)
                pTarget[x] = 0xFF000000u | (static_cast<DWORD>(pRow[x * 3 + 2]) << 16) |
                             (static_cast<DWORD>(pRow[x * 3 + 1]) << 8) | pRow[x * 3];
            else
                std::memcpy(&pTarget[x], pRow + x * 4, 4);
        }
    }
    cairo_surface_mark_dirty(pRecord->pSurface);
    return Publish(std::move(pRecord));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD)
{
    if (ppvBits != nullptr)
        *ppvBits = nullptr;
    if (pbmi == nullptr || usage != DIB_RGB_COLORS || hSection != nullptr || pbmi->bmiHeader.biSize < 40)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BITMAPINFOHEADER& header = pbmi->bmiHeader;
    const bool b32 = header.biBitCount == 32;
    bool bLayoutKnown =
        header.biBitCount == 24 ? header.biCompression == BI_RGB : b32 && header.biCompression == BI_RGB;
    if (b32 && header.biCompression == BI_BITFIELDS)
    {
        // Only the masks that match the plain 32-bit layout.
        DWORD masks[3];
        std::memcpy(masks,
                    header.biSize >= 52 ? reinterpret_cast<const BYTE*>(pbmi) + 40
                                        : reinterpret_cast<const BYTE*>(pbmi->bmiColors),
                    sizeof(masks));
        bLayoutKnown = masks[0] == 0x00FF0000u && masks[1] == 0x0000FF00u && masks[2] == 0x000000FFu;
    }
    const LONGLONG height = header.biHeight < 0 ? -static_cast<LONGLONG>(header.biHeight) : header.biHeight;
    if (!bLayoutKnown || header.biPlanes != 1 || !SizeAllowed(header.biWidth, height))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const LONG nWidth = header.biWidth;
    const auto nHeight = static_cast<LONG>(height);
    const LONG nStride = DibRowBytes(nWidth, header.biBitCount);
    auto pRecord = std::make_shared<SBitmapRecord>();
    pRecord->nWidth = nWidth;
    pRecord->nHeight = nHeight;
    pRecord->nDibBitCount = header.biBitCount;
    pRecord->bDibTopDown = header.biHeight < 0;
    pRecord->nDibStride = nStride;
    pRecord->bSharedBits = b32 && pRecord->bDibTopDown;
    auto* pBuffer = new (std::nothrow) BYTE[static_cast<std::size_t>(nStride) * nHeight]();
    if (pBuffer == nullptr)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    pRecord->pBits = pBuffer;
    if (pRecord->bSharedBits)
    {
        // The surface owns the shared rows, so that a device context made on
        // the surface keeps them even after the bitmap is deleted.
        static const cairo_user_data_key_t s_storageKey{};
        pRecord->pSurface =
            cairo_image_surface_create_for_data(pBuffer, CAIRO_FORMAT_ARGB32, nWidth, nHeight, nStride);
        if (cairo_surface_set_user_data(pRecord->pSurface, &s_storageKey, pBuffer,
                                        [](void* pData)
                                        { delete[] static_cast<BYTE*>(pData); }) != CAIRO_STATUS_SUCCESS)
        {
            cairo_surface_destroy(pRecord->pSurface);
            pRecord->pSurface = nullptr;
            delete[] pBuffer;
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
    }
    else
    {
        pRecord->pStorage.reset(pBuffer);
        pRecord->pSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, nWidth, nHeight);
    }
    if (cairo_surface_status(pRecord->pSurface) != CAIRO_STATUS_SUCCESS)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    {
        CSurfacePixels pixels(pRecord->pSurface, pRecord.get(), RECT{0, 0, nWidth, nHeight}, false);
    }
    void* pBits = pRecord->pBits;
    HBITMAP hBitmap = Publish(std::move(pRecord));
    if (hBitmap != nullptr && ppvBits != nullptr)
        *ppvBits = pBits;
    return hBitmap;
}

int GetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, BITMAPINFO* lpbmi, UINT usage)
{
    std::shared_ptr<SBitmapRecord> pBitmap = GdiFindAs<SBitmapRecord>(hbm);
    if (pBitmap == nullptr || lpbmi == nullptr || usage != DIB_RGB_COLORS || lpbmi->bmiHeader.biSize < 40)
    {
        SetLastError(pBitmap == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return 0;
    }
    BITMAPINFOHEADER& header = lpbmi->bmiHeader;
    if (header.biBitCount == 0)
    {
        // Describe the bitmap only.
        header.biWidth = pBitmap->nWidth;
        header.biHeight = pBitmap->nHeight;
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(DibRowBytes(pBitmap->nWidth, 32) * pBitmap->nHeight);
        return 1;
    }
    if ((header.biBitCount != 24 && header.biBitCount != 32) || header.biCompression != BI_RGB)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const bool bTopDown = header.biHeight < 0;
    header.biWidth = pBitmap->nWidth;
    header.biHeight = bTopDown ? -pBitmap->nHeight : pBitmap->nHeight;
    header.biPlanes = 1;
    const LONG nStride = DibRowBytes(pBitmap->nWidth, header.biBitCount);
    header.biSizeImage = static_cast<DWORD>(nStride * pBitmap->nHeight);
    if (lpvBits == nullptr)
        return static_cast<int>(pBitmap->nHeight);
    if (start >= static_cast<UINT>(pBitmap->nHeight))
        return 0;
    const UINT nLines = std::min<UINT>(cLines, static_cast<UINT>(pBitmap->nHeight) - start);
    CSurfacePixels pixels(pBitmap->pSurface, pBitmap.get(), RECT{0, 0, pBitmap->nWidth, pBitmap->nHeight},
                          false);
    auto* pTarget = static_cast<BYTE*>(lpvBits);
    for (UINT i = 0; i < nLines; ++i)
    {
        const UINT nScan = start + i;
        const LONG y = bTopDown ? static_cast<LONG>(nScan) : pBitmap->nHeight - 1 - static_cast<LONG>(nScan);
        const DWORD* pSource = pixels.Buffer().Row(y);
        BYTE* pRow = pTarget + static_cast<std::ptrdiff_t>(i) * nStride;
        for (LONG x = 0; x < pBitmap->nWidth; ++x)
        {
            if (header.biBitCount == 24)
            {
                pRow[x * 3] = static_cast<BYTE>(pSource[x]);
                pRow[x * 3 + 1] = static_cast<BYTE>(pSource[x] >> 8);
                pRow[x * 3 + 2] = static_cast<BYTE>(pSource[x] >> 16);
            }
            else
                std::memcpy(pRow + x * 4, &pSource[x], 4);
        }
    }
    return static_cast<int>(nLines);
}

int SetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse)
{
    std::shared_ptr<SBitmapRecord> pBitmap = GdiFindAs<SBitmapRecord>(hbm);
    if (pBitmap == nullptr)
        return 0;
    SDibFormat format;
    std::string strError;
    if (lpbmi == nullptr || lpBits == nullptr || ColorUse != DIB_RGB_COLORS ||
        !ParseDibHeader(reinterpret_cast<const BYTE*>(lpbmi), lpbmi->bmiHeader.biSize + 16 + 256 * 4, false,
                        format, strError))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (start >= static_cast<UINT>(format.nHeight))
        return 0;
    const UINT nLines = std::min<UINT>(cLines, static_cast<UINT>(format.nHeight) - start);
    CSurfacePixels pixels(pBitmap->pSurface, pBitmap.get(), RECT{0, 0, pBitmap->nWidth, pBitmap->nHeight},
                          true);
    std::vector<DWORD> row(static_cast<std::size_t>(format.nWidth));
    const auto* pSource = static_cast<const BYTE*>(lpBits);
    const LONG nColumns = std::min(format.nWidth, pBitmap->nWidth);
    for (UINT i = 0; i < nLines; ++i)
    {
        const UINT nScan = start + i;
        const LONG y =
            format.bTopDown ? static_cast<LONG>(nScan) : format.nHeight - 1 - static_cast<LONG>(nScan);
        if (y < 0 || y >= pBitmap->nHeight)
            continue;
        DecodeDibRow(format, pSource + static_cast<std::ptrdiff_t>(i) * format.nStride, row.data());
        std::memcpy(pixels.Buffer().Row(y), row.data(), static_cast<std::size_t>(nColumns) * 4);
    }
    return static_cast<int>(nLines);
}
