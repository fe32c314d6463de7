// Drawing helpers shared by the button and static controls.
#include "controls/ControlPaint.h"

#include <algorithm>
#include <cstdlib>

HFONT ControlFontOr(HFONT hFont)
{
    return hFont != nullptr ? hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HBRUSH ControlColourBrush(HWND hControl, HDC hdc, UINT nMessage)
{
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
    SetBkMode(hdc, OPAQUE);
    const HWND hParent = GetParent(hControl);
    HBRUSH hBrush = nullptr;
    if (hParent != nullptr)
        hBrush = reinterpret_cast<HBRUSH>(SendMessageW(hParent, nMessage, reinterpret_cast<WPARAM>(hdc),
                                                       reinterpret_cast<LPARAM>(hControl)));
    return hBrush != nullptr ? hBrush : GetSysColorBrush(COLOR_BTNFACE);
}

SIZE BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm{};
    if (hBitmap == nullptr || GetObjectType(hBitmap) != OBJ_BITMAP ||
        GetObjectW(hBitmap, sizeof(bm), &bm) == 0)
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
}

void DrawBitmapCentred(HDC hdc, HBITMAP hBitmap, const RECT& rc, bool bGreyed)
{
    const SIZE size = BitmapSize(hBitmap);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    const int x = rc.left + (rc.right - rc.left - size.cx) / 2;
    const int y = rc.top + (rc.bottom - rc.top - size.cy) / 2;

    const int nSaved = SaveDC(hdc);
    IntersectClipRect(hdc, rc.left, rc.top, rc.right, rc.bottom);
    HDC hdcSource = CreateCompatibleDC(hdc);
    if (!bGreyed)
    {
        HGDIOBJ hOld = SelectObject(hdcSource, hBitmap);
        BitBlt(hdc, x, y, size.cx, size.cy, hdcSource, 0, 0, SRCCOPY);
        SelectObject(hdcSource, hOld);
    }
    else
    {
        // Copy into 32-bit pixels we can reach, grey them, then draw.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = -size.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pvBits = nullptr;
        HBITMAP hCopy = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &pvBits, nullptr, 0);
        HDC hdcCopy = CreateCompatibleDC(hdc);
        if (hCopy != nullptr && pvBits != nullptr)
        {
            HGDIOBJ hOldSource = SelectObject(hdcSource, hBitmap);
            HGDIOBJ hOldCopy = SelectObject(hdcCopy, hCopy);
            BitBlt(hdcCopy, 0, 0, size.cx, size.cy, hdcSource, 0, 0, SRCCOPY);
            auto* pPixels = static_cast<DWORD*>(pvBits);
            const size_t nCount = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
            for (size_t i = 0; i < nCount; ++i)
            {
                const DWORD p = pPixels[i];
                const DWORD r = (p >> 16) & 0xFF;
                const DWORD g = (p >> 8) & 0xFF;
                const DWORD b = p & 0xFF;
                // Brightness, then two thirds of the way to white.
                const DWORD nLuma = (r * 299 + g * 587 + b * 114) / 1000;
                const DWORD nGrey = (nLuma + 2 * 255) / 3;
                pPixels[i] = (p & 0xFF000000u) | (nGrey << 16) | (nGrey << 8) | nGrey;
            }
            BitBlt(hdc, x, y, size.cx, size.cy, hdcCopy, 0, 0, SRCCOPY);
            SelectObject(hdcCopy, hOldCopy);
            SelectObject(hdcSource, hOldSource);
        }
        DeleteDC(hdcCopy);
        if (hCopy != nullptr)
            DeleteObject(hCopy);
    }
    DeleteDC(hdcSource);
    RestoreDC(hdc, nSaved);
}

void SendDrawItem(HWND hControl, HDC hdc, UINT nControlType, UINT nAction, UINT nState)
{
    const HWND hParent = GetParent(hControl);
    if (hParent == nullptr)
        return;
    DRAWITEMSTRUCT dis{};
    dis.CtlType = nControlType;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hControl));
    dis.itemID = 0;
    dis.itemAction = nAction;
    dis.itemState = nState;
    dis.hwndItem = hControl;
    dis.hDC = hdc;
    GetClientRect(hControl, &dis.rcItem);
    SendMessageW(hParent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}
