// Helpers for the drawing tests: a memory device context on a bitmap of a
// known colour, and reading its pixels back without going through the
// device context (so the clip cannot hide anything).
#pragma once

#include "Dc.h"
#include "Gdi.h"
#include "Image.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// A pixel as GetPixel reports it.
inline COLORREF ColourOf(DWORD pixel)
{
    return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
}

class CTestCanvas
{
public:
    CTestCanvas(int nWidth, int nHeight, COLORREF background = RGB(255, 255, 255))
        : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        m_hBitmap = CreateCompatibleBitmap(nullptr, nWidth, nHeight);
        m_hdc = CreateCompatibleDC(nullptr);
        m_hOldBitmap = SelectObject(m_hdc, m_hBitmap);
        Fill(background);
    }
    ~CTestCanvas()
    {
        SelectObject(m_hdc, m_hOldBitmap);
        DeleteDC(m_hdc);
        DeleteObject(m_hBitmap);
    }
    CTestCanvas(const CTestCanvas&) = delete;
    CTestCanvas& operator=(const CTestCanvas&) = delete;

    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    void Fill(COLORREF colour)
    {
        const RECT rc{0, 0, m_nWidth, m_nHeight};
        HBRUSH hBrush = CreateSolidBrush(colour);
        // The selected clip must not limit the fill.
        SaveDC(m_hdc);
        SelectClipRgn(m_hdc, nullptr);
        SetViewportOrgEx(m_hdc, 0, 0, nullptr);
        SetWindowOrgEx(m_hdc, 0, 0, nullptr);
        FillRect(m_hdc, &rc, hBrush);
        RestoreDC(m_hdc, -1);
        DeleteObject(hBrush);
    }

    SImage Snapshot() const
    {
        SImage image;
        CopyBitmapToImage(m_hBitmap, image);
        return image;
    }
    COLORREF At(int x, int y) const { return ColourOf(Snapshot().At(x, y)); }

private:
    int m_nWidth;
    int m_nHeight;
    HBITMAP m_hBitmap = nullptr;
    HDC m_hdc = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// The points of an image whose colour satisfies a test, as "x,y" text lists
// are easy to compare and to read in a failure message.
inline std::string PointsWhere(const SImage& image, const std::function<bool(COLORREF)>& test)
{
    std::string points;
    for (LONG y = 0; y < image.nHeight; ++y)
    {
        for (LONG x = 0; x < image.nWidth; ++x)
        {
            if (test(ColourOf(image.At(x, y))))
                points += std::to_string(x) + "," + std::to_string(y) + " ";
        }
    }
    return points;
}

// The smallest rectangle holding every pixel that differs from a colour.
inline RECT InkBounds(const SImage& image, COLORREF background)
{
    RECT rc{image.nWidth, image.nHeight, 0, 0};
    for (LONG y = 0; y < image.nHeight; ++y)
    {
        for (LONG x = 0; x < image.nWidth; ++x)
        {
            if (ColourOf(image.At(x, y)) != background)
            {
                rc.left = std::min(rc.left, x);
                rc.top = std::min(rc.top, y);
                rc.right = std::max(rc.right, x + 1);
                rc.bottom = std::max(rc.bottom, y + 1);
            }
        }
    }
    if (rc.right <= rc.left)
        rc = RECT{0, 0, 0, 0};
    return rc;
}
