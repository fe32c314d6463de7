// Window surfaces: where painting lands, what clips it, frames, scrolling,
// and what the screen listener hears.
#include "Dc.h"
#include "Gdi.h"
#include "Region.h"
#include "Screen.h"
#include "Wnd.h"
#include "WindowTestSupport.h"

#include <cstdint>

namespace
{

COLORREF SurfaceColour(cairo_surface_t* pSurface, int x, int y)
{
    cairo_surface_flush(pSurface);
    const unsigned char* pRow = cairo_image_surface_get_data(pSurface) +
                                static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(pSurface);
    const uint32_t pixel = reinterpret_cast<const uint32_t*>(pRow)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void FillWith(HDC hdc, const RECT& rc, COLORREF colour)
{
    HBRUSH hBrush = CreateSolidBrush(colour);
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
}

// Makes a window paint rcFill (client coordinates) in one colour.
void PaintWith(HWND hWnd, COLORREF colour, RECT rcFill = {-1000, -1000, 1000, 1000})
{
    Reactions()[hWnd] = [colour, rcFill](HWND h, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_PAINT)
            return false;
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(h, &ps);
        EXPECT_NE(hdc, nullptr);
        FillWith(hdc, rcFill, colour);
        EndPaint(h, &ps);
        lResult = 0;
        return true;
    };
}

// Paints nothing but validates.
void PaintNothing(HWND hWnd)
{
    Reactions()[hWnd] = [](HWND h, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_PAINT)
            return false;
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        lResult = 0;
        return true;
    };
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

using CWindowSurface = CWindowTest;

TEST_F(CWindowSurface, AFillLandsExactlyOnTheTopLevelSurface)
{
    const HWND hTop = CreateTopLevel({10, 10, 110, 90});
    PaintWith(hTop, kRed, {2, 3, 12, 8});
    PumpMessages();
    cairo_surface_t* pSurface = GetWindowSurface(hTop);
    ASSERT_NE(pSurface, nullptr);
    EXPECT_EQ(cairo_image_surface_get_format(pSurface), CAIRO_FORMAT_ARGB32);
    EXPECT_EQ(cairo_image_surface_get_width(pSurface), 100);
    EXPECT_EQ(cairo_image_surface_get_height(pSurface), 80);
    EXPECT_EQ(SurfaceColour(pSurface, 2, 3), kRed);
    EXPECT_EQ(SurfaceColour(pSurface, 11, 7), kRed);
    EXPECT_NE(SurfaceColour(pSurface, 12, 7), kRed);
    EXPECT_NE(SurfaceColour(pSurface, 11, 8), kRed);
    EXPECT_NE(SurfaceColour(pSurface, 1, 3), kRed);
    // Children have none of their own.
    const HWND hChild = CreateChild(hTop, {0, 0, 10, 10}, 1);
    EXPECT_EQ(GetWindowSurface(hChild), nullptr);
}

TEST_F(CWindowSurface, AChildStaysInsideItsRectangleAndRegion)
{
    const HWND hTop = CreateTopLevel({0, 0, 100, 100});
    const HWND hChild = CreateChild(hTop, {10, 10, 40, 40}, 1);
    // The region keeps the left half of the child: x 10..24 on the parent.
    SetWindowRgn(hChild, CreateRectRgn(0, 0, 15, 30), FALSE);
    PaintWith(hTop, kWhite);
    PaintWith(hChild, kBlue);
    PumpMessages();
    cairo_surface_t* pSurface = GetWindowSurface(hTop);
    ASSERT_NE(pSurface, nullptr);
    EXPECT_EQ(SurfaceColour(pSurface, 10, 10), kBlue);
    EXPECT_EQ(SurfaceColour(pSurface, 24, 39), kBlue);
    EXPECT_EQ(SurfaceColour(pSurface, 9, 20), kWhite);
    EXPECT_EQ(SurfaceColour(pSurface, 25, 20), kWhite);
    EXPECT_EQ(SurfaceColour(pSurface, 20, 9), kWhite);
    EXPECT_EQ(SurfaceColour(pSurface, 20, 40), kWhite);
}

TEST_F(CWindowSurface, AGrandchildIsCutByItsParentsClientArea)
{
    const HWND hTop = CreateTopLevel({0, 0, 100, 100});
    // A bordered child: client area 21..49 on the top-level window.
    const HWND hChild = CreateChild(hTop, {20, 20, 50, 50}, 1, WS_CHILD | WS_VISIBLE | WS_BORDER);
    const HWND hGrandchild = CreateChild(hChild, {10, 10, 60, 60}, 2);
    PaintWith(hTop, kWhite);
    PaintWith(hChild, kGreen);
    PaintWith(hGrandchild, kBlue);
    PumpMessages();
    cairo_surface_t* pSurface = GetWindowSurface(hTop);
    // The grandchild starts at 21 + 10 and ends with its parent's client area.
    EXPECT_EQ(SurfaceColour(pSurface, 30, 30), kGreen);
    EXPECT_EQ(SurfaceColour(pSurface, 31, 31), kBlue);
    EXPECT_EQ(SurfaceColour(pSurface, 48, 48), kBlue);
    EXPECT_EQ(SurfaceColour(pSurface, 49, 49), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(SurfaceColour(pSurface, 51, 40), kWhite);
}

TEST_F(CWindowSurface, ClipChildrenKeepsAParentOffItsChildren)
{
    for (const bool bClip : {true, false})
    {
        HeadlessReset();
        const DWORD dwStyle = WS_POPUP | WS_VISIBLE | (bClip ? WS_CLIPCHILDREN : 0);
        const HWND hTop = CreateTopLevel({0, 0, 60, 60}, dwStyle);
        const HWND hChild = CreateChild(hTop, {10, 10, 30, 30}, 1);
        PaintWith(hTop, kRed);
        PaintNothing(hChild);
        PumpMessages();
        cairo_surface_t* pSurface = GetWindowSurface(hTop);
        EXPECT_EQ(SurfaceColour(pSurface, 5, 5), kRed);
        EXPECT_EQ(SurfaceColour(pSurface, 20, 20) == kRed, !bClip) << "clip children " << bClip;
    }
}

TEST_F(CWindowSurface, ClipSiblingsKeepsAWindowUnderTheSiblingsAboveIt)
{
    for (const bool bClip : {true, false})
    {
        HeadlessReset();
        const HWND hTop = CreateTopLevel({0, 0, 100, 60});
        // The first child is above the second, and paints first.
        const HWND hAbove = CreateChild(hTop, {10, 10, 50, 50}, 1);
        const HWND hBelow =
            CreateChild(hTop, {30, 10, 70, 50}, 2, WS_CHILD | WS_VISIBLE | (bClip ? WS_CLIPSIBLINGS : 0));
        PaintWith(hTop, kWhite);
        PaintWith(hAbove, kBlue);
        PaintWith(hBelow, kGreen);
        PumpMessages();
        cairo_surface_t* pSurface = GetWindowSurface(hTop);
        EXPECT_EQ(SurfaceColour(pSurface, 20, 20), kBlue);
        EXPECT_EQ(SurfaceColour(pSurface, 60, 20), kGreen);
        EXPECT_EQ(SurfaceColour(pSurface, 40, 20), bClip ? kBlue : kGreen) << "clip siblings " << bClip;
    }
}

TEST_F(CWindowSurface, ExclusiveOrTwiceRestoresThePixels)
{
    const HWND hTop = CreateTopLevel({0, 0, 40, 40});
    PaintWith(hTop, RGB(0x12, 0x34, 0x56));
    PumpMessages();
    HDC hdc = GetDC(hTop);
    ASSERT_NE(hdc, nullptr);
    HBRUSH hBrush = CreateSolidBrush(RGB(0xFF, 0x0F, 0xF0));
    HGDIOBJ hOld = SelectObject(hdc, hBrush);
    PatBlt(hdc, 5, 5, 10, 10, PATINVERT);
    // 0x12 ^ 0xFF = 0xED, 0x34 ^ 0x0F = 0x3B, 0x56 ^ 0xF0 = 0xA6.
    EXPECT_EQ(GetPixel(hdc, 5, 5), RGB(0xED, 0x3B, 0xA6));
    PatBlt(hdc, 5, 5, 10, 10, PATINVERT);
    EXPECT_EQ(GetPixel(hdc, 5, 5), RGB(0x12, 0x34, 0x56));
    SelectObject(hdc, hOld);
    DeleteObject(hBrush);
    EXPECT_EQ(ReleaseDC(hTop, hdc), 1);
    EXPECT_EQ(ReleaseDC(hTop, hdc), 0) << "a device context is released once";
}

TEST_F(CWindowSurface, GetDcDrawingIsClippedLikePainting)
{
    const HWND hTop = CreateTopLevel({0, 0, 80, 80});
    const HWND hChild = CreateChild(hTop, {20, 20, 40, 40}, 1);
    const HWND hHidden = CreateChild(hTop, {50, 50, 70, 70}, 2, WS_CHILD);
    PaintWith(hTop, kWhite);
    PaintWith(hChild, kWhite);
    PumpMessages();
    HDC hdc = GetDC(hChild);
    FillWith(hdc, {-50, -50, 200, 200}, kRed);
    ReleaseDC(hChild, hdc);
    hdc = GetDC(hHidden);
    ASSERT_NE(hdc, nullptr);
    FillWith(hdc, {-50, -50, 200, 200}, kGreen);
    ReleaseDC(hHidden, hdc);
    cairo_surface_t* pSurface = GetWindowSurface(hTop);
    EXPECT_EQ(SurfaceColour(pSurface, 20, 20), kRed);
    EXPECT_EQ(SurfaceColour(pSurface, 39, 39), kRed);
    EXPECT_EQ(SurfaceColour(pSurface, 19, 30), kWhite);
    EXPECT_EQ(SurfaceColour(pSurface, 40, 30), kWhite);
    EXPECT_EQ(SurfaceColour(pSurface, 60, 60), kWhite) << "a hidden window draws nowhere";

    // The class library's device contexts do the same.
    CWnd wnd;
    wnd.Attach(hChild);
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(0, 0, 100, 100, kBlue);
    }
    wnd.Detach();
    EXPECT_EQ(SurfaceColour(pSurface, 30, 30), kBlue);
    EXPECT_EQ(SurfaceColour(pSurface, 41, 30), kWhite);
}

TEST_F(CWindowSurface, FramesFollowTheStyle)
{
    const HWND hBordered = CreateTopLevel({0, 0, 30, 30}, WS_POPUP | WS_VISIBLE | WS_BORDER);
    const HWND hSunken = CreateTopLevel({0, 0, 30, 30}, WS_POPUP | WS_VISIBLE);
    SetWindowLongPtrW(hSunken, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(hSunken, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PaintNothing(hBordered);
    PaintNothing(hSunken);
    PumpMessages();
    EXPECT_EQ(SurfaceColour(GetWindowSurface(hBordered), 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(SurfaceColour(GetWindowSurface(hBordered), 29, 15), GetSysColor(COLOR_WINDOWFRAME));
    // A sunken edge: shadow outside, dark shadow inside, top and left.
    EXPECT_EQ(SurfaceColour(GetWindowSurface(hSunken), 0, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(SurfaceColour(GetWindowSurface(hSunken), 1, 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(SurfaceColour(GetWindowSurface(hSunken), 29, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(CWindowSurface, TheCaptionShowsWhetherTheWindowIsActive)
{
    const HWND hFirst = CreateTopLevel({0, 0, 200, 100}, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
    PaintNothing(hFirst);
    PumpMessages();
    ASSERT_EQ(GetActiveWindow(), hFirst);
    // Frame 3 pixels, caption 23: the caption runs from y 3 to 25.
    EXPECT_EQ(SurfaceColour(GetWindowSurface(hFirst), 100, 4), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(SurfaceColour(GetWindowSurface(hFirst), 100, 25), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_FALSE(MessagesTo(hFirst, WM_NCPAINT).empty());

    const HWND hSecond = CreateTopLevel({300, 0, 400, 100}, WS_POPUP | WS_VISIBLE | WS_CAPTION);
    PaintNothing(hSecond);
    PumpMessages();
    ASSERT_EQ(GetActiveWindow(), hSecond);
    EXPECT_EQ(SurfaceColour(GetWindowSurface(hFirst), 100, 4), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(CWindowSurface, ScrollingMovesPixelsAndInvalidatesWhatItUncovers)
{
    const HWND hTop = CreateTopLevel({0, 0, 100, 20});
    PaintWith(hTop, kRed, {0, 0, 50, 20});
    PumpMessages();
    HDC hdc = GetDC(hTop);
    FillWith(hdc, {50, 0, 100, 20}, kBlue);
    ReleaseDC(hTop, hdc);

    RECT rcUpdate{};
    EXPECT_EQ(ScrollWindowEx(hTop, -10, 0, nullptr, nullptr, nullptr, &rcUpdate, 0), SIMPLEREGION);
    EXPECT_EQ(CRect(rcUpdate), CRect(90, 0, 100, 20));
    cairo_surface_t* pSurface = GetWindowSurface(hTop);
    // Each pixel now shows what was 10 to its right.
    EXPECT_EQ(SurfaceColour(pSurface, 39, 5), kRed);
    EXPECT_EQ(SurfaceColour(pSurface, 40, 5), kBlue);
    EXPECT_EQ(SurfaceColour(pSurface, 89, 5), kBlue);
    EXPECT_FALSE(GetUpdateRect(hTop, nullptr, FALSE));

    EXPECT_TRUE(ScrollWindow(hTop, 0, 5, nullptr, nullptr));
    RECT rcPending{};
    EXPECT_TRUE(GetUpdateRect(hTop, &rcPending, FALSE));
    EXPECT_EQ(CRect(rcPending), CRect(0, 0, 100, 5));
}

TEST_F(CWindowSurface, AResizedSurfaceKeepsWhatOverlapsAndRepaintsTheRest)
{
    const HWND hTop = CreateTopLevel({0, 0, 20, 20});
    PaintWith(hTop, kGreen);
    PumpMessages();
    SetWindowPos(hTop, nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    ASSERT_FALSE(GetUpdateRect(hTop, nullptr, FALSE));
    cairo_surface_t* pSurface = GetWindowSurface(hTop);
    EXPECT_EQ(cairo_image_surface_get_width(pSurface), 40);
    EXPECT_EQ(cairo_image_surface_get_height(pSurface), 30);
    EXPECT_EQ(SurfaceColour(pSurface, 19, 19), kGreen);
    RECT rcPending{};
    EXPECT_TRUE(GetUpdateRect(hTop, &rcPending, FALSE));
    EXPECT_EQ(CRect(rcPending), CRect(0, 0, 40, 30));
    PumpMessages();
    EXPECT_EQ(SurfaceColour(pSurface = GetWindowSurface(hTop), 39, 29), kGreen);
}

struct SRecordingListener : IScreenListener
{
    std::vector<std::string> events;
    void OnWindowChanged(HWND) override { events.push_back("changed"); }
    void OnWindowDestroyed(HWND) override { events.push_back("destroyed"); }
    void OnSurfaceDamaged(HWND, const RECT& rc) override
    {
        events.push_back("damaged " + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
                         std::to_string(rc.right) + "," + std::to_string(rc.bottom));
    }
};

TEST_F(CWindowSurface, TheListenerHearsPlacementPaintsAndDestruction)
{
    SRecordingListener listener;
    IScreenListener* pPrevious = SetScreenListener(&listener);
    const HWND hTop = CreateTopLevel({0, 0, 50, 40}, WS_POPUP);
    ShowWindow(hTop, SW_SHOWNOACTIVATE);
    PaintWith(hTop, kRed, {5, 5, 10, 10});
    listener.events.clear();
    PumpMessages();
    // The paint could reach its whole update region, the client area.
    EXPECT_EQ(listener.events, std::vector<std::string>{"damaged 0,0,50,40"});
    listener.events.clear();
    MoveWindow(hTop, 10, 10, 50, 40, TRUE);
    ShowWindow(hTop, SW_HIDE);
    DestroyWindow(hTop);
    EXPECT_EQ(listener.events, (std::vector<std::string>{"changed", "changed", "destroyed"}));
    SetScreenListener(pPrevious);
}

} // namespace
