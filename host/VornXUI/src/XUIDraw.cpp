#include "XUIDraw.h"

#include "Image.h"

#include <algorithm>

namespace
{
// The pixels to blend: all-zero alpha means a bitmap drawn without alpha,
// which is opaque.
bool PixelsToBlend(HBITMAP hBitmap, bool bGreyed, SImage& image)
{
    if (!CopyBitmapToImage(hBitmap, image) || image.IsEmpty())
        return false;
    const bool bNoAlpha =
        std::all_of(image.pixels.begin(), image.pixels.end(), [](DWORD pixel) { return (pixel >> 24) == 0; });
    for (DWORD& pixel : image.pixels)
    {
        if (bNoAlpha)
            pixel |= 0xFF000000u;
        if (bGreyed)
        {
            const DWORD alpha = pixel >> 24;
            const DWORD r = (pixel >> 16) & 0xFF;
            const DWORD g = (pixel >> 8) & 0xFF;
            const DWORD b = pixel & 0xFF;
            // Brightness of the pre-multiplied colour, then lifted into the
            // upper half of the grey range (still pre-multiplied).
            const DWORD level = (r * 299 + g * 587 + b * 114) / 1000;
            const DWORD grey = (128 * alpha) / 255 + level / 2;
            pixel = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
        }
    }
    return true;
}

void Blend(HDC hdc, const SImage& image, const RECT& rcDest)
{
    HBITMAP hTemporary = CreateBitmapFromImage(image);
    if (hTemporary == nullptr)
        return;
    HDC hdcSource = CreateCompatibleDC(hdc);
    HGDIOBJ hOld = SelectObject(hdcSource, hTemporary);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hdc, rcDest.left, rcDest.top, rcDest.right - rcDest.left, rcDest.bottom - rcDest.top,
               hdcSource, 0, 0, image.nWidth, image.nHeight, blend);
    SelectObject(hdcSource, hOld);
    DeleteDC(hdcSource);
    DeleteObject(hTemporary);
}
} // namespace

void XUIFillSolid(HDC hdc, const RECT& rc, COLORREF clr)
{
    HBRUSH hBrush = CreateSolidBrush(clr);
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
}

void XUIFrame(HDC hdc, const RECT& rc, COLORREF clr)
{
    HBRUSH hBrush = CreateSolidBrush(clr);
    FrameRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
}

SIZE XUIBitmapSize(HBITMAP hBitmap)
{
    BITMAP bm{};
    if (hBitmap == nullptr || GetObjectW(hBitmap, sizeof(bm), &bm) == 0)
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
}

void XUIDrawBitmapCentred(HDC hdc, HBITMAP hBitmap, const RECT& rc, bool bGreyed)
{
    SImage image;
    if (!PixelsToBlend(hBitmap, bGreyed, image))
        return;
    const int x = rc.left + (rc.right - rc.left - image.nWidth) / 2;
    const int y = rc.top + (rc.bottom - rc.top - image.nHeight) / 2;
    const int nSaved = SaveDC(hdc);
    IntersectClipRect(hdc, rc.left, rc.top, rc.right, rc.bottom);
    Blend(hdc, image, RECT{x, y, x + image.nWidth, y + image.nHeight});
    RestoreDC(hdc, nSaved);
}

void XUIDrawBitmapStretched(HDC hdc, HBITMAP hBitmap, const RECT& rc, bool bGreyed)
{
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    SImage image;
    if (!PixelsToBlend(hBitmap, bGreyed, image))
        return;
    Blend(hdc, image, rc);
}

HBITMAP XUIMapBitmapColors(HBITMAP hBitmap, COLORREF clrForGrey, COLORREF clrForBlack)
{
    SImage image;
    if (!CopyBitmapToImage(hBitmap, image) || image.IsEmpty())
        return nullptr;
    const auto toPixel = [](COLORREF clr)
    { return 0xFF000000u | (DWORD{GetRValue(clr)} << 16) | (DWORD{GetGValue(clr)} << 8) | GetBValue(clr); };
    const bool bNoAlpha =
        std::all_of(image.pixels.begin(), image.pixels.end(), [](DWORD pixel) { return (pixel >> 24) == 0; });
    for (DWORD& pixel : image.pixels)
    {
        if (bNoAlpha)
            pixel |= 0xFF000000u;
        const DWORD rgb = pixel & 0x00FFFFFFu;
        if ((pixel >> 24) != 0xFF)
            continue; // only opaque pixels carry a colour to map
        if (rgb == 0x00C0C0C0u)
            pixel = toPixel(clrForGrey);
        else if (rgb == 0)
            pixel = toPixel(clrForBlack);
    }
    return CreateBitmapFromImage(image);
}

HFONT XUIControlFont(HFONT hFont)
{
    return hFont != nullptr ? hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
