// The device context record: where it draws, its selected objects and
// attributes, its clip, and the saved states. Private to the drawing layer.
#pragma once

#include "GdiRecords.h"
#include "PixelOps.h"

#include <memory>
#include <vector>

class CDC;
struct SFontRecord;

// What SaveDC keeps and RestoreDC brings back.
struct SDcState
{
    HPEN hPen = nullptr;
    std::shared_ptr<SPenRecord> pPen;
    HBRUSH hBrush = nullptr;
    std::shared_ptr<SBrushRecord> pBrush;
    HFONT hFont = nullptr;
    std::shared_ptr<SFontRecord> pFont;
    HBITMAP hBitmap = nullptr;
    std::shared_ptr<SBitmapRecord> pBitmap; // memory device contexts only

    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backgroundColour = RGB(255, 255, 255);
    int nBackgroundMode = OPAQUE;
    int nRop2 = R2_COPYPEN;
    int nPolyFillMode = ALTERNATE;
    int nStretchMode = BLACKONWHITE;
    int nArcDirection = AD_COUNTERCLOCKWISE;
    UINT nTextAlign = TA_LEFT | TA_TOP;
    COLORREF dcBrushColour = RGB(255, 255, 255);
    COLORREF dcPenColour = RGB(0, 0, 0);
    POINT ptCurrent{0, 0};
    POINT ptViewportOrigin{0, 0};
    POINT ptWindowOrigin{0, 0};
    POINT ptBrushOrigin{0, 0};

    // The selected clip region in device coordinates, when there is one.
    bool bHasClip = false;
    std::vector<RECT> clip;
};

struct SDeviceContext : SGdiRecord
{
    explicit SDeviceContext(EGdiKind eKindIn);
    ~SDeviceContext() override;

    // A surface device context draws on a surface it holds a reference to,
    // with device (0, 0) at ptOrigin and everything outside baseClip
    // (device coordinates) out of reach. A memory device context draws on
    // its selected bitmap.
    cairo_surface_t* pSurface = nullptr;
    POINT ptOrigin{0, 0};
    bool bHasBaseClip = false;
    std::vector<RECT> baseClip;

    // Brings the pixels up to date before they are read or drawn on: the
    // screen's device context composes the windows here.
    void (*pfnRefresh)(cairo_surface_t* pSurface) = nullptr;

    SDcState state;
    std::vector<SDcState> savedStates;

    // The class-library objects for this handle: the one attached (not
    // owned) and the temporary one CDC::FromHandle made.
    CDC* pAttachedDC = nullptr;
    std::unique_ptr<CDC> pTemporaryDC;

    cairo_surface_t* Surface() const;
    cairo_surface_t* RefreshedSurface()
    {
        if (pfnRefresh != nullptr && pSurface != nullptr)
            pfnRefresh(pSurface);
        return Surface();
    }
    SBitmapRecord* Dib() const;
    // Logical to surface coordinates.
    LONG OffsetX() const { return state.ptViewportOrigin.x - state.ptWindowOrigin.x + ptOrigin.x; }
    LONG OffsetY() const { return state.ptViewportOrigin.y - state.ptWindowOrigin.y + ptOrigin.y; }
    POINT ToSurface(POINT pt) const { return POINT{pt.x + OffsetX(), pt.y + OffsetY()}; }
    RECT ToSurface(const RECT& rc) const;
    RECT ToLogical(const RECT& rcSurface) const;

    // Everything the device context may touch, in surface coordinates:
    // the surface, the base clip and the selected clip together.
    const std::vector<RECT>& SurfaceClip();
    RECT SurfaceClipBox();
    void ClipChanged() { m_bClipValid = false; }

    // The selected objects made ready for drawing.
    SBrushPaint BrushPaint(const SBrushRecord* pBrush) const;
    SBrushPaint BrushPaint() const { return BrushPaint(state.pBrush.get()); }
    COLORREF PenColour() const;

private:
    bool m_bClipValid = false;
    std::vector<RECT> m_surfaceClip;
};

// The device context behind a handle; null with ERROR_INVALID_HANDLE.
std::shared_ptr<SDeviceContext> FindDC(HDC hdc);

// Pixels of the device context's surface within a rectangle (surface
// coordinates), for the life of the object.
class CDcPixels : public CSurfacePixels
{
public:
    CDcPixels(SDeviceContext& dc, const RECT& rcTouched, bool bWrite)
        : CSurfacePixels(dc.RefreshedSurface(), dc.Dib(), rcTouched, bWrite)
    {
    }
};

// Sorts two coordinates so that the first is the smaller.
inline void OrderPair(LONG& a, LONG& b)
{
    if (a > b)
        std::swap(a, b);
}

// Runs f(buffer, part) for every part of a surface rectangle that lies in
// the device context's clip, with the pixels open for the whole rectangle.
template <class F> void ForEachClipPart(SDeviceContext& dc, const RECT& rcSurface, bool bWrite, F&& f)
{
    const RECT clipBox = dc.SurfaceClipBox();
    RECT area;
    if (!::IntersectRect(&area, &rcSurface, &clipBox))
        return;
    CDcPixels pixels(dc, area, bWrite);
    if (pixels.Buffer().pData == nullptr)
        return;
    ForEachClipped(dc.SurfaceClip(), area, [&](const RECT& part) { f(pixels.Buffer(), part); });
}

// A brush handle, or a system colour index plus one passed as a brush, as
// window classes and FillRect accept.
std::shared_ptr<SBrushRecord> ResolveBrush(HBRUSH hBrush);
