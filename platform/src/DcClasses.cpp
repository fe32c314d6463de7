// CDC and its kin, Cairo drawing on a device context, and the pieces the
// window manager joins in with.
#include "Dc.h"

#include "DeviceContext.h"
#include "DialogTemplate.h"
#include "LastError.h"
#include "MessageMap.h"
#include "Wnd.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
// CClientDC and CWindowDC (their run-time class included) are defined by
// the window manager, next to GetDC and ReleaseDC.

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC)
{
    std::shared_ptr<SDeviceContext> pDC = GdiPeekAs<SDeviceContext>(hDC);
    if (pDC == nullptr)
        return nullptr;
    if (pDC->pAttachedDC != nullptr)
        return pDC->pAttachedDC;
    if (pDC->pTemporaryDC == nullptr)
    {
        pDC->pTemporaryDC = std::make_unique<CDC>();
        pDC->pTemporaryDC->m_hDC = hDC;
        pDC->pTemporaryDC->m_hAttribDC = hDC;
    }
    return pDC->pTemporaryDC.get();
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC != nullptr || hDC == nullptr)
        return FALSE;
    std::shared_ptr<SDeviceContext> pDC = FindDC(hDC);
    if (pDC == nullptr || pDC->pAttachedDC != nullptr)
        return FALSE;
    pDC->pAttachedDC = this;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (std::shared_ptr<SDeviceContext> pDC = GdiPeekAs<SDeviceContext>(hDC))
    {
        if (pDC->pAttachedDC == this)
            pDC->pAttachedDC = nullptr;
    }
    m_hDC = m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen != nullptr ? CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen->m_hObject)))
                           : nullptr;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush != nullptr
               ? CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush->m_hObject)))
               : nullptr;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont != nullptr ? CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont->m_hObject)))
                            : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap != nullptr
               ? CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->m_hObject)))
               : nullptr;
}

int CDC::SelectObject(CRgn* pRgn)
{
    return SelectClipRgn(pRgn);
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return pObject != nullptr ? CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->m_hObject)) : nullptr;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    return hObject != nullptr ? CGdiObject::FromHandle(::SelectObject(m_hDC, hObject)) : nullptr;
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::GetBrushOrg() const
{
    POINT pt{0, 0};
    ::GetBrushOrgEx(m_hDC, &pt);
    return pt;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old{0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old{0, 0};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt{0, 0};
    ::GetViewportOrgEx(m_hDC, &pt);
    return pt;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old{0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT old{0, 0};
    ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &old);
    return old;
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt{0, 0};
    ::GetWindowOrgEx(m_hDC, &pt);
    return pt;
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return ::SelectClipRgn(m_hDC, pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr);
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return ::ExtSelectClipRgn(m_hDC, pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr, nMode);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old{0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::GetCurrentPosition() const
{
    POINT pt{0, 0};
    ::GetCurrentPositionEx(m_hDC, &pt);
    return pt;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush != nullptr)
        ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush != nullptr)
        ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    if (lpRect == nullptr)
        return;
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rc{x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect != nullptr)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // The bottom-right colour takes the top-right and bottom-left corners.
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    if (pRgn == nullptr || pBrush == nullptr)
        return FALSE;
    return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    if (pRgn == nullptr || pBrush == nullptr)
        return FALSE;
    return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject),
                      nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
    return pRgn != nullptr ? ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)) : FALSE;
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    return pRgn != nullptr ? ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)) : FALSE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                    dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight,
                        pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth, nSrcHeight,
                        blend);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                         int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight,
                            pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth, nSrcHeight,
                            clrTransparent);
}

BOOL CDC::TextOutW(int x, int y, const CString& str)
{
    return ::TextOutW(m_hDC, x, y, str.GetString(), str.GetLength());
}

BOOL CDC::ExtTextOutW(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, const INT* lpDxWidths)
{
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, str.GetString(), static_cast<UINT>(str.GetLength()),
                         lpDxWidths);
}

int CDC::DrawTextW(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextW(m_hDC, str.GetString(), str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE size{0, 0};
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

int CDC::GetTextFace(CString& rString) const
{
    WCHAR szFace[LF_FACESIZE * 2] = {};
    const int n = ::GetTextFaceW(m_hDC, LF_FACESIZE * 2, szFace);
    rString = szFace;
    return n;
}

CPaintDC::CPaintDC(CWnd* pWnd)
{
    m_hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    HDC hDC = ::BeginPaint(m_hWnd, &m_ps);
    if (hDC != nullptr)
        Attach(hDC);
}

CPaintDC::~CPaintDC()
{
    // EndPaint gives the device context back to the window manager, which
    // deletes it: the object only lets go.
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CMemDC::CMemDC(CDC& dc, CWnd* pWnd) : m_dcOriginal(dc)
{
    RECT rc{0, 0, 0, 0};
    if (pWnd != nullptr)
        ::GetClientRect(pWnd->GetSafeHwnd(), &rc);
    m_rect = rc;
    Begin();
}

CMemDC::CMemDC(CDC& dc, const CRect& rect) : m_dcOriginal(dc), m_rect(rect)
{
    m_rect.NormalizeRect();
    Begin();
}

void CMemDC::Begin()
{
    if (m_rect.IsRectEmpty() || !m_dc.CreateCompatibleDC(&m_dcOriginal) ||
        !m_bitmap.CreateCompatibleBitmap(&m_dcOriginal, m_rect.Width(), m_rect.Height()))
    {
        m_dc.DeleteDC();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_dc.m_hDC, m_bitmap.m_hObject);
    // Logical coordinates stay those of the destination.
    m_dc.SetWindowOrg(m_rect.left, m_rect.top);
    m_dc.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_dcOriginal, m_rect.left,
                m_rect.top, SRCCOPY);
    m_bMemDC = TRUE;
}

CMemDC::~CMemDC()
{
    if (!m_bMemDC)
        return;
    m_dcOriginal.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_dc, m_rect.left,
                        m_rect.top, SRCCOPY);
    ::SelectObject(m_dc.m_hDC, m_hOldBitmap);
}

struct CCairoDrawing::SAccess
{
    std::shared_ptr<SDeviceContext> pDC;
    std::unique_ptr<CDcPixels> pPixels;
};

CCairoDrawing::CCairoDrawing(HDC hdc)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || pDC->Surface() == nullptr)
        return;
    m_pAccess = std::make_unique<SAccess>();
    m_pAccess->pDC = pDC;
    const std::vector<RECT>& clip = pDC->SurfaceClip();
    m_pAccess->pPixels = std::make_unique<CDcPixels>(*pDC, BoundingRect(clip), true);
    m_pCairo = cairo_create(pDC->Surface());
    if (clip.empty())
    {
        cairo_rectangle(m_pCairo, 0, 0, 0, 0);
        cairo_clip(m_pCairo);
    }
    for (const RECT& rc : clip)
        cairo_rectangle(m_pCairo, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    if (!clip.empty())
        cairo_clip(m_pCairo);
    cairo_translate(m_pCairo, pDC->OffsetX(), pDC->OffsetY());
}

CCairoDrawing::~CCairoDrawing()
{
    if (m_pCairo != nullptr)
        cairo_destroy(m_pCairo);
    // The pixels object flushes Cairo's work and updates a DIB section.
    m_pAccess.reset();
}

cairo_surface_t* GetDCSurface(HDC hdc)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    return pDC != nullptr ? pDC->Surface() : nullptr;
}

cairo_surface_t* GetBitmapSurface(HBITMAP hBitmap)
{
    std::shared_ptr<SBitmapRecord> pBitmap = GdiFindAs<SBitmapRecord>(hBitmap);
    if (pBitmap == nullptr)
        return nullptr;
    CSurfacePixels pixels(pBitmap->pSurface, pBitmap.get(), RECT{0, 0, pBitmap->nWidth, pBitmap->nHeight},
                          false);
    return pBitmap->pSurface;
}

SImage ImageFromSurface(cairo_surface_t* pSurface)
{
    SImage image;
    const SPixelBuffer buffer = SurfaceBuffer(pSurface);
    if (buffer.pData == nullptr)
        return image;
    cairo_surface_flush(pSurface);
    image.nWidth = buffer.nWidth;
    image.nHeight = buffer.nHeight;
    image.pixels.resize(static_cast<std::size_t>(buffer.nWidth) * buffer.nHeight);
    for (LONG y = 0; y < buffer.nHeight; ++y)
        std::memcpy(&image.pixels[static_cast<std::size_t>(y) * buffer.nWidth], buffer.Row(y),
                    static_cast<std::size_t>(buffer.nWidth) * 4);
    return image;
}

SImageResult WriteSurfacePng(cairo_surface_t* pSurface, LPCWSTR pszPath, bool bOpaque)
{
    const SImage image = ImageFromSurface(pSurface);
    if (image.IsEmpty())
        return SImageResult{EImageError::Unsupported, "the surface is not a 32-bit image surface"};
    return WritePngFile(pszPath, image, bOpaque);
}

void InstallDrawingHooks()
{
    SetDialogFontUnitsHook(&GetDialogFontUnits);
    SetDialogFontHook(&GetDialogFont);
    AfxSetDCFromHandleHook(&CDC::FromHandle);
}

BOOL FillPaintBackground(HWND, HDC hdc, HBRUSH hBrush)
{
    RECT rc{0, 0, 0, 0};
    if (hBrush == nullptr || ::GetClipBox(hdc, &rc) == RGN_ERROR)
        return FALSE;
    return ::FillRect(hdc, &rc, hBrush) != 0 ? TRUE : FALSE;
}

HBRUSH DefaultControlBrush(UINT nMessage, HDC hdc)
{
    const bool bWindow = nMessage == WM_CTLCOLOREDIT || nMessage == WM_CTLCOLORLISTBOX;
    const int nBackground = bWindow ? COLOR_WINDOW : COLOR_BTNFACE;
    ::SetTextColor(hdc, ::GetSysColor(bWindow ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    ::SetBkColor(hdc, ::GetSysColor(nBackground));
    return ::GetSysColorBrush(nBackground);
}
