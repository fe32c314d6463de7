#include "ScreenBackend.h"

#include "Gdi.h"
#include "SdlKeys.h"
#include "WindowTestSupport.h"

#include <SDL.h>

#include <cstdlib>

namespace
{

class ScreenBackendTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        // No display here: SDL's dummy driver keeps windows in memory.
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_TRUE(StartScreenBackend()) << SDL_GetError();
    }
    void TearDown() override
    {
        CWindowTest::TearDown();
        StopScreenBackend();
    }

    void PushWindowEvent(HWND hWnd, SDL_Event event)
    {
        SDL_Window* pWindow = GetBackendWindow(hWnd);
        ASSERT_NE(pWindow, nullptr);
        const Uint32 nId = SDL_GetWindowID(pWindow);
        switch (event.type)
        {
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                event.button.windowID = nId;
                break;
            case SDL_MOUSEMOTION:
                event.motion.windowID = nId;
                break;
            case SDL_WINDOWEVENT:
                event.window.windowID = nId;
                break;
            default:
                break;
        }
        ASSERT_EQ(SDL_PushEvent(&event), 1);
        ASSERT_TRUE(PumpDisplayEvents(0));
        PumpMessages();
    }
};

} // namespace

TEST_F(ScreenBackendTest, AShownWindowGetsAnSdlWindowThatFollowsIt)
{
    EXPECT_TRUE(IsScreenBackendRunning());
    EXPECT_TRUE(IsRealTimeClock());
    const HWND hWnd = CreateTopLevel(RECT{100, 80, 420, 320}, WS_POPUP);
    EXPECT_EQ(GetBackendWindow(hWnd), nullptr);
    ShowWindow(hWnd, SW_SHOW);
    SDL_Window* pWindow = GetBackendWindow(hWnd);
    ASSERT_NE(pWindow, nullptr);
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(pWindow, &x, &y);
    SDL_GetWindowSize(pWindow, &w, &h);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 80);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);

    SetWindowPos(hWnd, nullptr, 10, 20, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    SDL_GetWindowPosition(pWindow, &x, &y);
    SDL_GetWindowSize(pWindow, &w, &h);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 100);

    ShowWindow(hWnd, SW_HIDE);
    EXPECT_EQ(SDL_GetWindowFlags(pWindow) & SDL_WINDOW_SHOWN, 0u);
    DestroyWindow(hWnd);
    EXPECT_EQ(GetBackendWindow(hWnd), nullptr);
}

TEST_F(ScreenBackendTest, WhatTheWindowPaintsReachesTheDisplay)
{
    const HWND hWnd = CreateTopLevel(RECT{0, 0, 40, 30});
    HDC hdc = GetDC(hWnd);
    const RECT rc{0, 0, 40, 30};
    HBRUSH hBrush = CreateSolidBrush(RGB(200, 10, 30));
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
    ReleaseDC(hWnd, hdc);
    PresentScreenChanges();

    SDL_Surface* pShown = SDL_GetWindowSurface(GetBackendWindow(hWnd));
    ASSERT_NE(pShown, nullptr);
    ASSERT_EQ(SDL_LockSurface(pShown), 0);
    Uint8 r = 0, g = 0, b = 0;
    const Uint32 nPixel = *reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(pShown->pixels) +
                                                           10 * pShown->pitch + 20 * 4);
    SDL_GetRGB(nPixel, pShown->format, &r, &g, &b);
    SDL_UnlockSurface(pShown);
    EXPECT_EQ(RGB(r, g, b), RGB(200, 10, 30));
}

TEST_F(ScreenBackendTest, DisplayEventsBecomeWindowMessages)
{
    const HWND hWnd = CreateTopLevel(RECT{50, 60, 250, 160});
    PumpMessages();
    RecordedMessages().clear();

    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = SDL_PRESSED;
    event.button.x = 12;
    event.button.y = 7;
    PushWindowEvent(hWnd, event);
    const auto downs = MessagesTo(hWnd, WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 12);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 7);
    event.type = SDL_MOUSEBUTTONUP;
    event.button.state = SDL_RELEASED;
    PushWindowEvent(hWnd, event);

    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    PushWindowEvent(hWnd, close);
    EXPECT_EQ(MessagesTo(hWnd, WM_CLOSE).size(), 1u);
}

TEST(SdlKeys, KeysMapToVirtualKeys)
{
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), static_cast<UINT>('A'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), static_cast<UINT>('Z'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_7), static_cast<UINT>('7'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F4), static_cast<UINT>(VK_F4));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), static_cast<UINT>(VK_RETURN));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RCTRL), static_cast<UINT>(VK_CONTROL));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0), static_cast<UINT>(VK_NUMPAD0));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9), static_cast<UINT>(VK_NUMPAD9));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_MINUS), static_cast<UINT>(VK_OEM_MINUS));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_AUDIOPLAY), 0u);
    EXPECT_TRUE(IsTranslatedCharacter(L'a'));
    EXPECT_TRUE(IsTranslatedCharacter(L'~'));
    EXPECT_FALSE(IsTranslatedCharacter(L'\u00E9'));
}
