// The screen: the desktop composition that GetDC(NULL) reads and draws on,
// screenshots, and the listener an on-screen backend installs.
#include "Screen.h"

#include "Dc.h"
#include "DeviceContext.h"
#include "Gdi.h"
#include "LastError.h"
#include "Region.h"
#include "WindowSurfaces.h"

#include <algorithm>
#include <memory>

namespace
{

IScreenListener* g_pListener = nullptr;
int g_nSystemDpi = 96;

// Counts every change that can alter what the screen shows; the
// composition is made again when the count moved since it was last made.
unsigned long long g_nChanges = 1;
unsigned long long g_nComposedAt = 0;
cairo_surface_t* g_pComposedSurface = nullptr;

// The desktop surface the screen device contexts draw on; replaced when the
// screen changes size (device contexts still out keep the old one).
std::shared_ptr<cairo_surface_t>& DesktopSurface()
{
    static std::shared_ptr<cairo_surface_t> s_pSurface;
    return s_pSurface;
}

cairo_surface_t* CurrentDesktopSurface()
{
    const SIZE size = CWindowManager::Get().m_screenSize;
    std::shared_ptr<cairo_surface_t>& pSurface = DesktopSurface();
    if (pSurface != nullptr && cairo_image_surface_get_width(pSurface.get()) == size.cx &&
        cairo_image_surface_get_height(pSurface.get()) == size.cy)
        return pSurface.get();
    if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxImageSide || size.cy > kMaxImageSide)
        return nullptr;
    cairo_surface_t* pNew = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.cx, size.cy);
    if (cairo_surface_status(pNew) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(pNew);
        return nullptr;
    }
    pSurface = std::shared_ptr<cairo_surface_t>(pNew, cairo_surface_destroy);
    g_pComposedSurface = nullptr;
    return pNew;
}

void Compose(cairo_surface_t* pTarget)
{
    CWindowManager& manager = CWindowManager::Get();
    cairo_t* pCairo = cairo_create(pTarget);
    cairo_set_operator(pCairo, CAIRO_OPERATOR_SOURCE);
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    cairo_set_source_rgb(pCairo, GetRValue(desktop) / 255.0, GetGValue(desktop) / 255.0,
                         GetBValue(desktop) / 255.0);
    cairo_paint(pCairo);
    // Bottom first, so windows higher in the Z-order cover those below.
    const std::vector<HWND> topLevels = manager.Desktop().children;
    for (auto it = topLevels.rbegin(); it != topLevels.rend(); ++it)
    {
        const SWindowRecord* pRecord = manager.FindQuiet(*it);
        if (pRecord == nullptr || (pRecord->dwStyle & WS_VISIBLE) == 0 ||
            (pRecord->dwStyle & WS_MINIMIZE) != 0)
            continue;
        cairo_surface_t* pWindow = EnsureWindowSurface(*it);
        pRecord = manager.FindQuiet(*it);
        if (pWindow == nullptr || pRecord == nullptr)
            continue;
        const RECT& rcWindow = pRecord->rcWindow;
        cairo_save(pCairo);
        if (pRecord->hRegion != nullptr)
        {
            const std::vector<RECT> shape = GetRegionRects(pRecord->hRegion);
            for (const RECT& rc : shape)
                cairo_rectangle(pCairo, rcWindow.left + rc.left, rcWindow.top + rc.top, rc.right - rc.left,
                                rc.bottom - rc.top);
            if (shape.empty())
                cairo_rectangle(pCairo, 0, 0, 0, 0);
        }
        else
            cairo_rectangle(pCairo, rcWindow.left, rcWindow.top, rcWindow.right - rcWindow.left,
                            rcWindow.bottom - rcWindow.top);
        cairo_clip(pCairo);
        cairo_surface_flush(pWindow);
        cairo_set_source_surface(pCairo, pWindow, rcWindow.left, rcWindow.top);
        cairo_paint(pCairo);
        cairo_restore(pCairo);
    }
    cairo_destroy(pCairo);
    cairo_surface_flush(pTarget);
    cairo_surface_mark_dirty(pTarget);
}

// Called before the pixels of a screen device context are touched.
void RefreshComposition(cairo_surface_t* pSurface)
{
    if (pSurface == g_pComposedSurface && g_nComposedAt == g_nChanges && !AnyWindowDCOpen())
        return;
    Compose(pSurface);
    g_pComposedSurface = pSurface;
    g_nComposedAt = g_nChanges;
}

void NoteChange()
{
    ++g_nChanges;
}

BOOL WriteImage(LPCWSTR pszPath, const SImage& image)
{
    if (pszPath == nullptr || image.IsEmpty())
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SImageResult result = WritePngFile(pszPath, image, true);
    if (!result)
    {
        SetLastError(result.eError == EImageError::CannotOpen ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

// The pixels of a surface within a rectangle (surface coordinates), made
// opaque; what lies outside the surface is black.
SImage CopyOpaque(cairo_surface_t* pSurface, const RECT& rcArea)
{
    SImage image;
    image.nWidth = std::max(LONG{0}, rcArea.right - rcArea.left);
    image.nHeight = std::max(LONG{0}, rcArea.bottom - rcArea.top);
    if (image.IsEmpty() || static_cast<LONGLONG>(image.nWidth) * image.nHeight > kMaxImagePixels)
        return SImage{};
    image.pixels.assign(static_cast<std::size_t>(image.nWidth) * image.nHeight, 0xFF000000u);
    if (pSurface == nullptr)
        return image;
    cairo_surface_flush(pSurface);
    const unsigned char* pData = cairo_image_surface_get_data(pSurface);
    const int nStride = cairo_image_surface_get_stride(pSurface);
    const LONG nWidth = cairo_image_surface_get_width(pSurface);
    const LONG nHeight = cairo_image_surface_get_height(pSurface);
    if (pData == nullptr)
        return image;
    for (LONG y = std::max(rcArea.top, LONG{0}); y < std::min(rcArea.bottom, nHeight); ++y)
    {
        const auto* pRow =
            reinterpret_cast<const uint32_t*>(pData + static_cast<std::ptrdiff_t>(y) * nStride);
        for (LONG x = std::max(rcArea.left, LONG{0}); x < std::min(rcArea.right, nWidth); ++x)
            image.At(x - rcArea.left, y - rcArea.top) = pRow[x] | 0xFF000000u;
    }
    return image;
}

} // namespace

HDC CreateScreenDC()
{
    cairo_surface_t* pDesktop = CurrentDesktopSurface();
    if (pDesktop == nullptr)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HDC hdc = CreateSurfaceDC(pDesktop, {0, 0}, nullptr);
    std::shared_ptr<SDeviceContext> pDC = GdiFindAs<SDeviceContext>(hdc);
    if (pDC == nullptr)
        return nullptr;
    pDC->pfnRefresh = &RefreshComposition;
    RefreshComposition(pDesktop);
    RegisterScreenDC(hdc);
    return hdc;
}

void NoteSurfaceDamage(HWND hTopLevel, const RECT& rcDamage)
{
    NoteChange();
    if (g_pListener != nullptr)
        g_pListener->OnSurfaceDamaged(hTopLevel, rcDamage);
}

void ScreenWindowChanged(HWND hTopLevel)
{
    NoteChange();
    if (g_pListener != nullptr)
        g_pListener->OnWindowChanged(hTopLevel);
}

void ScreenWindowDestroyed(HWND hTopLevel)
{
    NoteChange();
    if (g_pListener != nullptr)
        g_pListener->OnWindowDestroyed(hTopLevel);
}

cairo_surface_t* GetWindowSurface(HWND hTopLevel)
{
    return EnsureWindowSurface(hTopLevel);
}

BOOL WriteWindowPng(HWND hWnd, LPCWSTR pszPath)
{
    CWindowManager& manager = CWindowManager::Get();
    const SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || hWnd == manager.DesktopHandle())
        return FALSE;
    SDrawableOptions options;
    options.bWholeWindow = true;
    const SDrawableArea area = DrawableArea(hWnd, options);
    cairo_surface_t* pSurface = EnsureWindowSurface(area.hTopLevel);
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return FALSE;
    const RECT rcWindow{area.ptOrigin.x, area.ptOrigin.y,
                        area.ptOrigin.x + pRecord->rcWindow.right - pRecord->rcWindow.left,
                        area.ptOrigin.y + pRecord->rcWindow.bottom - pRecord->rcWindow.top};
    return WriteImage(pszPath, CopyOpaque(pSurface, rcWindow));
}

SImage CaptureScreen(const RECT& rcArea)
{
    cairo_surface_t* pDesktop = CurrentDesktopSurface();
    if (pDesktop != nullptr)
        RefreshComposition(pDesktop);
    return CopyOpaque(pDesktop, rcArea);
}

BOOL WriteScreenPng(LPCWSTR pszPath, const RECT* pArea)
{
    const SIZE size = CWindowManager::Get().m_screenSize;
    RECT rcArea{0, 0, size.cx, size.cy};
    if (pArea != nullptr && !IntersectRect(&rcArea, &rcArea, pArea))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return WriteImage(pszPath, CaptureScreen(rcArea));
}

IScreenListener* SetScreenListener(IScreenListener* pListener)
{
    IScreenListener* pPrevious = g_pListener;
    g_pListener = pListener;
    return pPrevious;
}

void SetSystemDpi(int nDpi)
{
    g_nSystemDpi = std::clamp(nDpi, 48, 960);
}

int GetSystemDpi()
{
    return g_nSystemDpi;
}
