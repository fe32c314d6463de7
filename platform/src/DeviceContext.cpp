// Device contexts: creation, selection, attributes, saved states and the
// mapping from logical to surface coordinates.
#include "DeviceContext.h"

#include "Dc.h"
#include "FontEngine.h"
#include "LastError.h"
#include "Screen.h"
#include "StockObjects.h"
#include "WinUser.h"

namespace
{

void SelectDefaults(SDcState& state)
{
    state.hPen = static_cast<HPEN>(StockObjectHandle(BLACK_PEN));
    state.pPen = GdiPeekAs<SPenRecord>(state.hPen);
    state.hBrush = static_cast<HBRUSH>(StockObjectHandle(WHITE_BRUSH));
    state.pBrush = GdiPeekAs<SBrushRecord>(state.hBrush);
    state.hFont = static_cast<HFONT>(StockObjectHandle(SYSTEM_FONT));
    state.pFont = GdiPeekAs<SFontRecord>(state.hFont);
}

HDC PublishDC(std::shared_ptr<SDeviceContext> pDC)
{
    return static_cast<HDC>(GdiInsert(std::move(pDC)));
}

} // namespace

SDeviceContext::SDeviceContext(EGdiKind eKindIn) : SGdiRecord(eKindIn) {}

SDeviceContext::~SDeviceContext()
{
    if (pSurface != nullptr)
        cairo_surface_destroy(pSurface);
    if (pTemporaryDC != nullptr)
        pTemporaryDC->m_hDC = nullptr;
}

cairo_surface_t* SDeviceContext::Surface() const
{
    if (eKind == EGdiKind::MemoryDC)
        return state.pBitmap != nullptr ? state.pBitmap->pSurface : nullptr;
    return pSurface;
}

SBitmapRecord* SDeviceContext::Dib() const
{
    return eKind == EGdiKind::MemoryDC ? state.pBitmap.get() : nullptr;
}

RECT SDeviceContext::ToSurface(const RECT& rc) const
{
    return RECT{rc.left + OffsetX(), rc.top + OffsetY(), rc.right + OffsetX(), rc.bottom + OffsetY()};
}

RECT SDeviceContext::ToLogical(const RECT& rcSurface) const
{
    return RECT{rcSurface.left - OffsetX(), rcSurface.top - OffsetY(), rcSurface.right - OffsetX(),
                rcSurface.bottom - OffsetY()};
}

const std::vector<RECT>& SDeviceContext::SurfaceClip()
{
    if (m_bClipValid)
        return m_surfaceClip;
    m_surfaceClip.clear();
    cairo_surface_t* pTarget = Surface();
    const SPixelBuffer buffer = SurfaceBuffer(pTarget);
    if (buffer.pData != nullptr)
    {
        m_surfaceClip.push_back(buffer.Bounds());
        auto intersect = [&](const std::vector<RECT>& deviceRects)
        {
            std::vector<RECT> moved = deviceRects;
            for (RECT& rc : moved)
                ::OffsetRect(&rc, ptOrigin.x, ptOrigin.y);
            m_surfaceClip = CombineRectLists(m_surfaceClip, moved, RGN_AND);
        };
        if (bHasBaseClip)
            intersect(baseClip);
        if (state.bHasClip)
            intersect(state.clip);
    }
    m_bClipValid = true;
    return m_surfaceClip;
}

RECT SDeviceContext::SurfaceClipBox()
{
    return BoundingRect(SurfaceClip());
}

SBrushPaint SDeviceContext::BrushPaint(const SBrushRecord* pBrush) const
{
    SBrushPaint paint;
    if (pBrush == nullptr || pBrush->nStyle == BS_NULL)
        return paint;
    const COLORREF colour = pBrush->bDcBrush ? state.dcBrushColour : pBrush->color;
    paint.pixel = PixelFromColour(colour);
    paint.nOriginX = state.ptBrushOrigin.x + ptOrigin.x;
    paint.nOriginY = state.ptBrushOrigin.y + ptOrigin.y;
    switch (pBrush->nStyle)
    {
        case BS_SOLID:
            paint.eKind = SBrushPaint::EKind::Solid;
            break;
        case BS_HATCHED:
            paint.eKind = SBrushPaint::EKind::Hatch;
            paint.background = PixelFromColour(state.backgroundColour);
            paint.bOpaqueBackground = state.nBackgroundMode == OPAQUE;
            HatchRows(pBrush->nHatch, paint.hatchRows);
            break;
        case BS_PATTERN:
            if (pBrush->pPattern != nullptr && pBrush->pPattern->nWidth > 0 && pBrush->pPattern->nHeight > 0)
            {
                paint.eKind = SBrushPaint::EKind::Pattern;
                paint.pTile = pBrush->pPattern;
            }
            break;
        default:
            break;
    }
    return paint;
}

COLORREF SDeviceContext::PenColour() const
{
    if (state.pPen == nullptr)
        return 0;
    return state.pPen->bDcPen ? state.dcPenColour : state.pPen->color;
}

std::shared_ptr<SDeviceContext> FindDC(HDC hdc)
{
    std::shared_ptr<SDeviceContext> pDC = GdiFindAs<SDeviceContext>(hdc);
    if (pDC == nullptr)
        SetLastError(ERROR_INVALID_HANDLE);
    return pDC;
}

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc != nullptr && FindDC(hdc) == nullptr)
        return nullptr;
    auto pDC = std::make_shared<SDeviceContext>(EGdiKind::MemoryDC);
    SelectDefaults(pDC->state);
    pDC->state.hBitmap = DefaultBitmapHandle();
    pDC->state.pBitmap = GdiPeekAs<SBitmapRecord>(pDC->state.hBitmap);
    return PublishDC(std::move(pDC));
}

HDC CreateSurfaceDC(cairo_surface_t* pSurface, POINT ptOrigin, const std::vector<RECT>* pClipRects)
{
    if (pSurface == nullptr || SurfaceBuffer(pSurface).pData == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto pDC = std::make_shared<SDeviceContext>(EGdiKind::SurfaceDC);
    pDC->pSurface = cairo_surface_reference(pSurface);
    pDC->ptOrigin = ptOrigin;
    if (pClipRects != nullptr)
    {
        pDC->bHasBaseClip = true;
        pDC->baseClip = CombineRectLists(*pClipRects, {}, RGN_OR);
    }
    SelectDefaults(pDC->state);
    return PublishDC(std::move(pDC));
}

BOOL DeleteDC(HDC hdc)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    if (pDC->pAttachedDC != nullptr)
        pDC->pAttachedDC->m_hDC = nullptr;
    pDC->pAttachedDC = nullptr;
    return GdiRemove(hdc) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || h == nullptr)
    {
        if (pDC != nullptr)
            SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (IsRegionHandle(h))
    {
        const int nResult = SelectClipRgn(hdc, static_cast<HRGN>(h));
        return reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(nResult));
    }
    std::shared_ptr<SGdiRecord> pRecord = GdiFind(h);
    if (pRecord == nullptr)
        return nullptr;
    SDcState& state = pDC->state;
    HGDIOBJ hOld = nullptr;
    if (auto pPen = std::dynamic_pointer_cast<SPenRecord>(pRecord))
    {
        hOld = state.hPen;
        state.hPen = static_cast<HPEN>(h);
        state.pPen = std::move(pPen);
    }
    else if (auto pBrush = std::dynamic_pointer_cast<SBrushRecord>(pRecord))
    {
        hOld = state.hBrush;
        state.hBrush = static_cast<HBRUSH>(h);
        state.pBrush = std::move(pBrush);
    }
    else if (auto pFont = std::dynamic_pointer_cast<SFontRecord>(pRecord))
    {
        hOld = state.hFont;
        state.hFont = static_cast<HFONT>(h);
        state.pFont = std::move(pFont);
    }
    else if (auto pBitmap = std::dynamic_pointer_cast<SBitmapRecord>(pRecord))
    {
        // Only memory device contexts have a bitmap to exchange.
        if (pDC->eKind != EGdiKind::MemoryDC)
        {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        hOld = state.hBitmap;
        state.hBitmap = static_cast<HBITMAP>(h);
        state.pBitmap = std::move(pBitmap);
        pDC->ClipChanged();
    }
    else
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return hOld;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return nullptr;
    switch (type)
    {
        case OBJ_PEN:
            return pDC->state.hPen;
        case OBJ_BRUSH:
            return pDC->state.hBrush;
        case OBJ_FONT:
            return pDC->state.hFont;
        case OBJ_BITMAP:
            return pDC->state.hBitmap;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

int SaveDC(HDC hdc)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return 0;
    pDC->savedStates.push_back(pDC->state);
    return static_cast<int>(pDC->savedStates.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    const int nCount = static_cast<int>(pDC->savedStates.size());
    // A positive number names a level SaveDC returned; a negative one counts
    // back from the latest.
    const int nIndex = nSavedDC < 0 ? nCount + nSavedDC : nSavedDC - 1;
    if (nSavedDC == 0 || nIndex < 0 || nIndex >= nCount)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    pDC->state = std::move(pDC->savedStates[static_cast<std::size_t>(nIndex)]);
    pDC->savedStates.resize(static_cast<std::size_t>(nIndex));
    pDC->ClipChanged();
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index)
{
    if (FindDC(hdc) == nullptr)
        return 0;
    switch (index)
    {
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZRES:
            return GetSystemMetrics(SM_CXSCREEN);
        case VERTRES:
            return GetSystemMetrics(SM_CYSCREEN);
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case RASTERCAPS:
            return RC_BITBLT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return GetSystemDpi();
        case SHADEBLENDCAPS:
            return SB_CONST_ALPHA | SB_PIXEL_ALPHA;
        default:
            return 0;
    }
}

// Attribute setters: each returns the previous value, or the failure value
// GDI gives for a bad handle.
#define DC_ATTRIBUTE(Type, SetName, GetName, member, failure)                                                \
    Type SetName(HDC hdc, Type value)                                                                        \
    {                                                                                                        \
        std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);                                                   \
        if (pDC == nullptr)                                                                                  \
            return failure;                                                                                  \
        const Type old = pDC->state.member;                                                                  \
        pDC->state.member = value;                                                                           \
        return old;                                                                                          \
    }                                                                                                        \
    Type GetName(HDC hdc)                                                                                    \
    {                                                                                                        \
        std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);                                                   \
        return pDC != nullptr ? pDC->state.member : failure;                                                 \
    }

DC_ATTRIBUTE(COLORREF, SetTextColor, GetTextColor, textColour, CLR_INVALID)
DC_ATTRIBUTE(COLORREF, SetBkColor, GetBkColor, backgroundColour, CLR_INVALID)
DC_ATTRIBUTE(COLORREF, SetDCBrushColor, GetDCBrushColor, dcBrushColour, CLR_INVALID)
DC_ATTRIBUTE(COLORREF, SetDCPenColor, GetDCPenColor, dcPenColour, CLR_INVALID)
DC_ATTRIBUTE(UINT, SetTextAlign, GetTextAlign, nTextAlign, static_cast<UINT>(-1))
#undef DC_ATTRIBUTE

namespace
{

// Modes with a range: out-of-range values are refused and change nothing.
int SetMode(HDC hdc, int value, int nLow, int nHigh, int SDcState::*pMember)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return 0;
    if (value < nLow || value > nHigh)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int old = pDC->state.*pMember;
    pDC->state.*pMember = value;
    return old;
}

int GetMode(HDC hdc, int SDcState::*pMember)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    return pDC != nullptr ? pDC->state.*pMember : 0;
}

} // namespace

int SetBkMode(HDC hdc, int mode)
{
    return SetMode(hdc, mode, TRANSPARENT, OPAQUE, &SDcState::nBackgroundMode);
}
int GetBkMode(HDC hdc)
{
    return GetMode(hdc, &SDcState::nBackgroundMode);
}
int SetROP2(HDC hdc, int rop2)
{
    return SetMode(hdc, rop2, R2_BLACK, R2_WHITE, &SDcState::nRop2);
}
int GetROP2(HDC hdc)
{
    return GetMode(hdc, &SDcState::nRop2);
}
int SetPolyFillMode(HDC hdc, int mode)
{
    return SetMode(hdc, mode, ALTERNATE, WINDING, &SDcState::nPolyFillMode);
}
int GetPolyFillMode(HDC hdc)
{
    return GetMode(hdc, &SDcState::nPolyFillMode);
}
int SetStretchBltMode(HDC hdc, int mode)
{
    return SetMode(hdc, mode, BLACKONWHITE, HALFTONE, &SDcState::nStretchMode);
}
int GetStretchBltMode(HDC hdc)
{
    return GetMode(hdc, &SDcState::nStretchMode);
}
int SetArcDirection(HDC hdc, int dir)
{
    return SetMode(hdc, dir, AD_COUNTERCLOCKWISE, AD_CLOCKWISE, &SDcState::nArcDirection);
}
int GetArcDirection(HDC hdc)
{
    return GetMode(hdc, &SDcState::nArcDirection);
}

namespace
{

BOOL SetPoint(HDC hdc, POINT SDcState::*pMember, int x, int y, bool bOffset, LPPOINT lppt)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    POINT& pt = pDC->state.*pMember;
    if (lppt != nullptr)
        *lppt = pt;
    pt = bOffset ? POINT{pt.x + x, pt.y + y} : POINT{x, y};
    return TRUE;
}

BOOL GetPoint(HDC hdc, POINT SDcState::*pMember, LPPOINT lppt)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || lppt == nullptr)
        return FALSE;
    *lppt = pDC->state.*pMember;
    return TRUE;
}

} // namespace

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetPoint(hdc, &SDcState::ptBrushOrigin, x, y, false, lppt);
}
BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt)
{
    return GetPoint(hdc, &SDcState::ptBrushOrigin, lppt);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetPoint(hdc, &SDcState::ptViewportOrigin, x, y, false, lppt);
}
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetPoint(hdc, &SDcState::ptViewportOrigin, x, y, true, lppt);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt)
{
    return GetPoint(hdc, &SDcState::ptViewportOrigin, lppt);
}
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetPoint(hdc, &SDcState::ptWindowOrigin, x, y, false, lppt);
}
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetPoint(hdc, &SDcState::ptWindowOrigin, x, y, true, lppt);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt)
{
    return GetPoint(hdc, &SDcState::ptWindowOrigin, lppt);
}
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return SetPoint(hdc, &SDcState::ptCurrent, x, y, false, lppt);
}
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt)
{
    return GetPoint(hdc, &SDcState::ptCurrent, lppt);
}

int SetMapMode(HDC hdc, int iMode)
{
    if (FindDC(hdc) == nullptr)
        return 0;
    if (iMode != MM_TEXT)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return MM_TEXT;
}

int GetMapMode(HDC hdc)
{
    return FindDC(hdc) != nullptr ? MM_TEXT : 0;
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || (lppt == nullptr && c > 0))
        return FALSE;
    const LONG dx = pDC->state.ptViewportOrigin.x - pDC->state.ptWindowOrigin.x;
    const LONG dy = pDC->state.ptViewportOrigin.y - pDC->state.ptWindowOrigin.y;
    for (int i = 0; i < c; ++i)
    {
        lppt[i].x += dx;
        lppt[i].y += dy;
    }
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || (lppt == nullptr && c > 0))
        return FALSE;
    const LONG dx = pDC->state.ptViewportOrigin.x - pDC->state.ptWindowOrigin.x;
    const LONG dy = pDC->state.ptViewportOrigin.y - pDC->state.ptWindowOrigin.y;
    for (int i = 0; i < c; ++i)
    {
        lppt[i].x -= dx;
        lppt[i].y -= dy;
    }
    return TRUE;
}
