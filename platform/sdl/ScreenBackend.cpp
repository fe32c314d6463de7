#include "ScreenBackend.h"

#include "DebugOutput.h"
#include "Headless.h"
#include "Input.h"
#include "Screen.h"
#include "SdlKeys.h"
#include "Utf8.h"
#include "WinUser.h"

#include <SDL.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace
{

struct SShownWindow
{
    SDL_Window* pWindow = nullptr;
    std::vector<SDL_Rect> damage; // window coordinates
    bool bFullRedraw = true;
};

class CSdlBackend : public IScreenListener
{
public:
    std::map<HWND, SShownWindow> m_windows;
    IScreenListener* m_pPreviousListener = nullptr;

    void OnWindowChanged(HWND hTopLevel) override { Sync(hTopLevel); }
    void OnWindowDestroyed(HWND hTopLevel) override { Forget(hTopLevel); }
    void OnSurfaceDamaged(HWND hTopLevel, const RECT& rcDamage) override
    {
        auto it = m_windows.find(hTopLevel);
        if (it == m_windows.end() || it->second.bFullRedraw)
            return;
        it->second.damage.push_back(SDL_Rect{rcDamage.left, rcDamage.top, rcDamage.right - rcDamage.left,
                                             rcDamage.bottom - rcDamage.top});
    }

    // Makes the SDL window match the top-level window: made when the window
    // is first shown, moved and resized with it, hidden with it.
    void Sync(HWND hWnd)
    {
        const bool bVisible = IsWindow(hWnd) && IsWindowVisible(hWnd) && GetParent(hWnd) == nullptr;
        auto it = m_windows.find(hWnd);
        if (!bVisible)
        {
            if (it != m_windows.end())
                SDL_HideWindow(it->second.pWindow);
            return;
        }
        RECT rc{};
        GetWindowRect(hWnd, &rc);
        const int nWidth = std::max<int>(rc.right - rc.left, 1);
        const int nHeight = std::max<int>(rc.bottom - rc.top, 1);
        if (it == m_windows.end())
        {
            wchar_t szTitle[256] = {};
            GetWindowTextW(hWnd, szTitle, 256);
            SDL_Window* pWindow = SDL_CreateWindow(WideToUtf8(szTitle).c_str(), rc.left, rc.top, nWidth,
                                                   nHeight, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
            if (pWindow == nullptr)
            {
                OutputDebugStringW(
                    (L"[platform] SDL could not make a window: " + Utf8ToWide(SDL_GetError()) + L"\n")
                        .c_str());
                return;
            }
            SDL_SetWindowData(pWindow, "hwnd", hWnd);
            it = m_windows.emplace(hWnd, SShownWindow{pWindow, {}, true}).first;
        }
        SDL_Window* pWindow = it->second.pWindow;
        int nX = 0, nY = 0, nOldWidth = 0, nOldHeight = 0;
        SDL_GetWindowPosition(pWindow, &nX, &nY);
        SDL_GetWindowSize(pWindow, &nOldWidth, &nOldHeight);
        if (nX != rc.left || nY != rc.top)
            SDL_SetWindowPosition(pWindow, rc.left, rc.top);
        if (nOldWidth != nWidth || nOldHeight != nHeight)
            SDL_SetWindowSize(pWindow, nWidth, nHeight);
        if ((SDL_GetWindowFlags(pWindow) & SDL_WINDOW_SHOWN) == 0)
            SDL_ShowWindow(pWindow);
        it->second.bFullRedraw = true;
        it->second.damage.clear();
    }

    void Forget(HWND hWnd)
    {
        auto it = m_windows.find(hWnd);
        if (it == m_windows.end())
            return;
        SDL_DestroyWindow(it->second.pWindow);
        m_windows.erase(it);
    }

    // Copies what changed from each window's surface to its SDL window.
    void Present()
    {
        for (auto& [hWnd, shown] : m_windows)
        {
            if (!shown.bFullRedraw && shown.damage.empty())
                continue;
            cairo_surface_t* pSource = GetWindowSurface(hWnd);
            SDL_Surface* pTarget = SDL_GetWindowSurface(shown.pWindow);
            if (pSource == nullptr || pTarget == nullptr)
                continue;
            cairo_surface_flush(pSource);
            const int nWidth = std::min(cairo_image_surface_get_width(pSource), pTarget->w);
            const int nHeight = std::min(cairo_image_surface_get_height(pSource), pTarget->h);
            std::vector<SDL_Rect> rects =
                shown.bFullRedraw ? std::vector<SDL_Rect>{SDL_Rect{0, 0, nWidth, nHeight}} : shown.damage;
            SDL_Surface* pWrapped = SDL_CreateRGBSurfaceWithFormatFrom(
                cairo_image_surface_get_data(pSource), cairo_image_surface_get_width(pSource),
                cairo_image_surface_get_height(pSource), 32, cairo_image_surface_get_stride(pSource),
                SDL_PIXELFORMAT_ARGB8888);
            if (pWrapped == nullptr)
                continue;
            // Windows are opaque on screen, whatever their alpha says.
            SDL_SetSurfaceBlendMode(pWrapped, SDL_BLENDMODE_NONE);
            std::vector<SDL_Rect> shownRects;
            for (SDL_Rect rc : rects)
            {
                SDL_Rect clipped;
                const SDL_Rect bounds{0, 0, nWidth, nHeight};
                if (!SDL_IntersectRect(&rc, &bounds, &clipped))
                    continue;
                SDL_Rect target = clipped;
                SDL_BlitSurface(pWrapped, &clipped, pTarget, &target);
                shownRects.push_back(clipped);
            }
            SDL_FreeSurface(pWrapped);
            if (!shownRects.empty())
                SDL_UpdateWindowSurfaceRects(shown.pWindow, shownRects.data(),
                                             static_cast<int>(shownRects.size()));
            shown.damage.clear();
            shown.bFullRedraw = false;
        }
    }
};

CSdlBackend* g_pBackend = nullptr;

HWND WindowOfEvent(Uint32 nWindowId)
{
    SDL_Window* pWindow = SDL_GetWindowFromID(nWindowId);
    return pWindow != nullptr ? static_cast<HWND>(SDL_GetWindowData(pWindow, "hwnd")) : nullptr;
}

// A point of an SDL window in screen coordinates.
POINT ScreenPoint(Uint32 nWindowId, int x, int y)
{
    int nLeft = 0, nTop = 0;
    if (SDL_Window* pWindow = SDL_GetWindowFromID(nWindowId))
        SDL_GetWindowPosition(pWindow, &nLeft, &nTop);
    return POINT{nLeft + x, nTop + y};
}

EMouseButton ButtonOf(Uint8 nButton)
{
    switch (nButton)
    {
        case SDL_BUTTON_RIGHT:
            return EMouseButton::Right;
        case SDL_BUTTON_MIDDLE:
            return EMouseButton::Middle;
        default:
            return EMouseButton::Left;
    }
}

void TranslateEvent(const SDL_Event& event)
{
    switch (event.type)
    {
        case SDL_MOUSEMOTION:
            InjectMouseMove(ScreenPoint(event.motion.windowID, event.motion.x, event.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        {
            const bool bDown = event.type == SDL_MOUSEBUTTONDOWN;
            // Keep the pointer's events coming while a button is held, even
            // outside the window, as a drag needs.
            SDL_CaptureMouse(bDown ? SDL_TRUE : SDL_FALSE);
            InjectMouseButton(ButtonOf(event.button.button), bDown,
                              ScreenPoint(event.button.windowID, event.button.x, event.button.y));
            break;
        }
        case SDL_MOUSEWHEEL:
        {
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            const POINT pt = ScreenPoint(event.wheel.windowID, x, y);
            if (event.wheel.y != 0)
                InjectMouseWheel(event.wheel.y * WHEEL_DELTA, pt);
            if (event.wheel.x != 0)
                InjectMouseWheel(event.wheel.x * WHEEL_DELTA, pt, true);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (const UINT nKey = VirtualKeyFromSdl(event.key.keysym.sym))
                InjectKey(nKey, event.type == SDL_KEYDOWN);
            break;
        case SDL_TEXTINPUT:
        {
            // Key translation types the plain characters; the others (accents,
            // other layouts' letters) arrive here only.
            for (wchar_t ch : Utf8ToWide(event.text.text))
            {
                if (!IsTranslatedCharacter(ch))
                    InjectChar(ch);
            }
            break;
        }
        case SDL_WINDOWEVENT:
        {
            const HWND hWnd = WindowOfEvent(event.window.windowID);
            if (hWnd == nullptr)
                break;
            if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                PostMessageW(hWnd, WM_CLOSE, 0, 0);
            else if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            {
                auto it = g_pBackend->m_windows.find(hWnd);
                if (it != g_pBackend->m_windows.end())
                    it->second.bFullRedraw = true;
            }
            break;
        }
        case SDL_QUIT:
            for (const auto& [hWnd, shown] : g_pBackend->m_windows)
                PostMessageW(hWnd, WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

bool WaitForInput(DWORD dwTimeoutMilliseconds)
{
    if (g_pBackend == nullptr)
        return false;
    g_pBackend->Present();
    SDL_Event event;
    const int nTimeout = dwTimeoutMilliseconds == 0xFFFFFFFF ? -1 : static_cast<int>(dwTimeoutMilliseconds);
    if (SDL_WaitEventTimeout(&event, nTimeout) == 0)
        return true; // the time passed: a timer is due
    TranslateEvent(event);
    while (SDL_PollEvent(&event) != 0)
        TranslateEvent(event);
    return true;
}

} // namespace

bool StartScreenBackend()
{
    if (g_pBackend != nullptr)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    g_pBackend = new CSdlBackend;
    float fDpi = 0.0f;
    if (SDL_GetDisplayDPI(0, nullptr, &fDpi, nullptr) == 0 && fDpi >= 48.0f)
        SetSystemDpi(static_cast<int>(fDpi + 0.5f));
    SDL_Rect rcDisplay{};
    SDL_Rect rcUsable{};
    if (SDL_GetDisplayBounds(0, &rcDisplay) == 0 && SDL_GetDisplayUsableBounds(0, &rcUsable) == 0)
        SetHeadlessScreen(SIZE{rcDisplay.w, rcDisplay.h},
                          RECT{rcUsable.x, rcUsable.y, rcUsable.x + rcUsable.w, rcUsable.y + rcUsable.h});
    g_pBackend->m_pPreviousListener = SetScreenListener(g_pBackend);
    SetInputWaitHook(&WaitForInput);
    SetRealTimeClock(true);
    SDL_StartTextInput();
    // Windows already on screen get their SDL windows now.
    for (HWND hWnd = GetTopWindow(nullptr); hWnd != nullptr; hWnd = GetWindow(hWnd, GW_HWNDNEXT))
        g_pBackend->Sync(hWnd);
    return true;
}

void StopScreenBackend()
{
    if (g_pBackend == nullptr)
        return;
    SetInputWaitHook(nullptr);
    SetScreenListener(g_pBackend->m_pPreviousListener);
    SetRealTimeClock(false);
    for (auto& [hWnd, shown] : g_pBackend->m_windows)
        SDL_DestroyWindow(shown.pWindow);
    delete g_pBackend;
    g_pBackend = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool IsScreenBackendRunning()
{
    return g_pBackend != nullptr;
}

SDL_Window* GetBackendWindow(HWND hTopLevel)
{
    if (g_pBackend == nullptr)
        return nullptr;
    auto it = g_pBackend->m_windows.find(hTopLevel);
    return it != g_pBackend->m_windows.end() ? it->second.pWindow : nullptr;
}

bool PumpDisplayEvents(DWORD dwTimeoutMilliseconds)
{
    return WaitForInput(dwTimeoutMilliseconds);
}

void PresentScreenChanges()
{
    if (g_pBackend != nullptr)
        g_pBackend->Present();
}
