// Shared by the built-in control tests: a recording parent window at a known
// place on the virtual screen, controls made inside it, the notifications it
// received, and painting a control into a canvas.
#pragma once

#include "../DrawingTestSupport.h"
#include "../WindowTestSupport.h"
#include "CommCtrl.h"
#include "Input.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

class CControlTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        // A frameless parent: its client area starts at (100, 100) on screen.
        m_hParent = CreateTopLevel(RECT{100, 100, 500, 400});
        ASSERT_NE(m_hParent, nullptr);
        PumpMessages();
        RecordedMessages().clear();
    }

    HWND MakeControl(const wchar_t* pszClass, const wchar_t* pszText, DWORD dwStyle, RECT rc, int nID)
    {
        HWND hWnd = CreateWindowExW(0, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top,
                                    rc.right - rc.left, rc.bottom - rc.top, m_hParent,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
        EXPECT_NE(hWnd, nullptr);
        return hWnd;
    }

    // A point of a control in screen coordinates.
    static POINT OnScreen(HWND hWnd, int x, int y)
    {
        POINT pt{x, y};
        ClientToScreen(hWnd, &pt);
        return pt;
    }

    // The (control id, notification code) pairs of WM_COMMAND the parent got.
    std::vector<std::pair<int, int>> Commands() const
    {
        std::vector<std::pair<int, int>> out;
        for (const SRecordedMessage& m : MessagesTo(m_hParent, WM_COMMAND))
            out.emplace_back(LOWORD(m.wParam), HIWORD(m.wParam));
        return out;
    }

    // Paints a control into a canvas of its client size through WM_PRINTCLIENT.
    static SImage Print(HWND hWnd, COLORREF background = RGB(1, 2, 3))
    {
        RECT rc{};
        GetClientRect(hWnd, &rc);
        CTestCanvas canvas(rc.right, rc.bottom, background);
        SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        return canvas.Snapshot();
    }

    static COLORREF PixelOf(const SImage& image, int x, int y) { return ColourOf(image.At(x, y)); }

    // The darkest grey level (of the three channels' mean) inside a rectangle.
    static int DarkestLevel(const SImage& image, RECT rc)
    {
        int nDarkest = 255;
        for (LONG y = rc.top; y < rc.bottom; ++y)
        {
            for (LONG x = rc.left; x < rc.right; ++x)
            {
                const COLORREF c = ColourOf(image.At(x, y));
                nDarkest = std::min(nDarkest, (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3);
            }
        }
        return nDarkest;
    }

    // The bounds of the pixels darker than a grey level (text ink).
    static RECT DarkBounds(const SImage& image, int nBelow)
    {
        RECT rc{image.nWidth, image.nHeight, 0, 0};
        for (LONG y = 0; y < image.nHeight; ++y)
        {
            for (LONG x = 0; x < image.nWidth; ++x)
            {
                const COLORREF c = ColourOf(image.At(x, y));
                if ((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3 < nBelow)
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

    HWND m_hParent = nullptr;
};

// A solid bitmap of one colour.
inline HBITMAP MakeSolidBitmap(int nWidth, int nHeight, COLORREF colour)
{
    HBITMAP hBitmap = CreateCompatibleBitmap(nullptr, nWidth, nHeight);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hBitmap);
    HBRUSH hBrush = CreateSolidBrush(colour);
    const RECT rc{0, 0, nWidth, nHeight};
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return hBitmap;
}
