// The screen device context, captures and PNG screenshots.
#include "Gdi.h"
#include "Image.h"
#include "Screen.h"
#include "TemporaryFolder.h"
#include "WindowTestSupport.h"

namespace
{

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

void PaintWith(HWND hWnd, COLORREF colour)
{
    Reactions()[hWnd] = [colour](HWND h, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_PAINT)
            return false;
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(h, &ps);
        HBRUSH hBrush = CreateSolidBrush(colour);
        const RECT rc{0, 0, 1000, 1000};
        FillRect(hdc, &rc, hBrush);
        DeleteObject(hBrush);
        EndPaint(h, &ps);
        lResult = 0;
        return true;
    };
}

COLORREF ImageColour(const SImage& image, int x, int y)
{
    const DWORD pixel = image.At(x, y);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

using CScreen = CWindowTest;

TEST_F(CScreen, TheScreenShowsTheTopmostWindowOverTheDesktop)
{
    const HWND hLower = CreateTopLevel({100, 100, 200, 200});
    const HWND hUpper = CreateTopLevel({150, 150, 250, 250});
    PaintWith(hLower, kRed);
    PaintWith(hUpper, kBlue);
    PumpMessages();
    HDC hScreen = GetDC(nullptr);
    ASSERT_NE(hScreen, nullptr);
    EXPECT_EQ(GetPixel(hScreen, 120, 120), kRed);
    EXPECT_EQ(GetPixel(hScreen, 175, 175), kBlue);
    EXPECT_EQ(GetPixel(hScreen, 249, 249), kBlue);
    EXPECT_EQ(GetPixel(hScreen, 250, 250), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(GetPixel(hScreen, 99, 150), GetSysColor(COLOR_DESKTOP));

    // Between reads the windows change: the screen follows.
    BringWindowToTop(hLower);
    PumpMessages();
    EXPECT_EQ(GetPixel(hScreen, 175, 175), kRed);
    PaintWith(hLower, kYellow);
    InvalidateRect(hLower, nullptr, TRUE);
    PumpMessages();
    EXPECT_EQ(GetPixel(hScreen, 175, 175), kYellow);
    ShowWindow(hLower, SW_HIDE);
    EXPECT_EQ(GetPixel(hScreen, 175, 175), kBlue) << "a hidden window is not seen";
    EXPECT_EQ(GetPixel(hScreen, 120, 120), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(ReleaseDC(nullptr, hScreen), 1);
}

TEST_F(CScreen, AWindowRegionShapesWhatTheScreenShows)
{
    const HWND hTop = CreateTopLevel({10, 10, 50, 50});
    SetWindowRgn(hTop, CreateRectRgn(0, 0, 20, 40), FALSE);
    PaintWith(hTop, kRed);
    PumpMessages();
    const SImage image = CaptureScreen({0, 0, 60, 60});
    ASSERT_EQ(image.nWidth, 60);
    ASSERT_EQ(image.nHeight, 60);
    EXPECT_EQ(ImageColour(image, 10, 10), kRed);
    EXPECT_EQ(ImageColour(image, 29, 49), kRed);
    EXPECT_EQ(ImageColour(image, 30, 20), GetSysColor(COLOR_DESKTOP));
}

TEST_F(CScreen, DrawingOnTheScreenLastsUntilTheWindowsChange)
{
    const HWND hTop = CreateTopLevel({0, 0, 40, 40});
    PaintWith(hTop, kRed);
    PumpMessages();
    HDC hScreen = GetDC(nullptr);
    // An exclusive-or outline drawn twice leaves the screen as it was.
    PatBlt(hScreen, 10, 10, 5, 5, DSTINVERT);
    EXPECT_EQ(GetPixel(hScreen, 12, 12), RGB(0, 255, 255));
    PatBlt(hScreen, 10, 10, 5, 5, DSTINVERT);
    EXPECT_EQ(GetPixel(hScreen, 12, 12), kRed);
    PatBlt(hScreen, 10, 10, 5, 5, DSTINVERT);
    InvalidateRect(hTop, nullptr, TRUE);
    PumpMessages();
    EXPECT_EQ(GetPixel(hScreen, 12, 12), kRed);
    ReleaseDC(nullptr, hScreen);
}

TEST_F(CScreen, CapturesOutsideTheScreenAreBlack)
{
    SetHeadlessScreen({200, 100}, {0, 0, 200, 100});
    const SImage image = CaptureScreen({190, 90, 210, 110});
    ASSERT_EQ(image.nWidth, 20);
    EXPECT_EQ(ImageColour(image, 5, 5), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(image.At(15, 15), 0xFF000000u);
    EXPECT_TRUE(CaptureScreen({5, 5, 5, 9}).IsEmpty());
}

TEST_F(CScreen, ScreenshotsRoundTripThroughPng)
{
    CTemporaryFolder folder;
    const HWND hTop = CreateTopLevel({30, 40, 130, 100});
    const HWND hChild = CreateChild(hTop, {10, 5, 30, 25}, 1);
    PaintWith(hTop, kRed);
    PaintWith(hChild, kBlue);
    PumpMessages();

    const std::wstring strWindow = (folder / "window.png").wstring();
    ASSERT_TRUE(WriteWindowPng(hTop, strWindow.c_str()));
    SImage image;
    ASSERT_TRUE(ReadImageFile(strWindow.c_str(), image));
    ASSERT_EQ(image.nWidth, 100);
    ASSERT_EQ(image.nHeight, 60);
    EXPECT_EQ(ImageColour(image, 0, 0), kRed);
    EXPECT_EQ(ImageColour(image, 10, 5), kBlue);
    EXPECT_EQ(ImageColour(image, 30, 25), kRed);

    const std::wstring strChild = (folder / "child.png").wstring();
    ASSERT_TRUE(WriteWindowPng(hChild, strChild.c_str()));
    ASSERT_TRUE(ReadImageFile(strChild.c_str(), image));
    EXPECT_EQ(image.nWidth, 20);
    EXPECT_EQ(image.nHeight, 20);
    EXPECT_EQ(ImageColour(image, 19, 19), kBlue);

    const std::wstring strScreen = (folder / "screen.png").wstring();
    const RECT rcArea{20, 30, 50, 60};
    ASSERT_TRUE(WriteScreenPng(strScreen.c_str(), &rcArea));
    ASSERT_TRUE(ReadImageFile(strScreen.c_str(), image));
    EXPECT_EQ(image.nWidth, 30);
    EXPECT_EQ(ImageColour(image, 0, 0), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(ImageColour(image, 10, 10), kRed);
    EXPECT_EQ(ImageColour(image, 20, 15), kBlue);

    EXPECT_FALSE(WriteScreenPng((folder / "missing/folder/screen.png").wstring().c_str()));
    const RECT rcOff{5000, 5000, 5010, 5010};
    EXPECT_FALSE(WriteScreenPng(strScreen.c_str(), &rcOff));
    DestroyWindow(hChild);
    EXPECT_FALSE(WriteWindowPng(hChild, strChild.c_str()));
}

} // namespace
