#include "GdiObjects.h"

#include "Dc.h"
#include "GdiRecords.h"
#include "LastError.h"
#include "Resources.h"

#include <atomic>
#include <cstring>
#include <map>
#include <mutex>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace
{

template <class T> T* WrapperFor(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    std::shared_ptr<SGdiRecord> pRecord = GdiPeek(hObject);
    if (pRecord == nullptr)
        return nullptr;
    if (auto* pAttached = dynamic_cast<T*>(pRecord->pAttached))
        return pAttached;
    for (std::unique_ptr<CGdiObject>& pWrapper : pRecord->temporaryWrappers)
    {
        if (auto* pTyped = dynamic_cast<T*>(pWrapper.get()))
            return pTyped;
    }
    auto pWrapper = std::make_unique<T>();
    pWrapper->m_hObject = hObject;
    T* pResult = pWrapper.get();
    pRecord->temporaryWrappers.push_back(std::move(pWrapper));
    return pResult;
}

// Region handles belong to the window layer's table; their temporary
// wrappers are kept here and dropped once their region is gone.
CRgn* RegionWrapperFor(HRGN hRgn)
{
    static std::mutex s_mutex;
    static auto* s_pWrappers = new std::map<HRGN, std::unique_ptr<CRgn>>;
    if (!IsRegionHandle(hRgn))
        return nullptr;
    std::lock_guard lock(s_mutex);
    for (auto it = s_pWrappers->begin(); it != s_pWrappers->end();)
    {
        if (it->first != hRgn && !IsRegionHandle(it->first))
        {
            it->second->m_hObject = nullptr;
            it = s_pWrappers->erase(it);
        }
        else
            ++it;
    }
    std::unique_ptr<CRgn>& pWrapper = (*s_pWrappers)[hRgn];
    if (pWrapper == nullptr)
        pWrapper = std::make_unique<CRgn>();
    // The wrapper never deletes the region: the caller owns it.
    pWrapper->m_hObject = hRgn;
    return pWrapper.get();
}

std::atomic<BitmapResourceLoader> g_bitmapLoader{nullptr};

HBITMAP LoadBitmapFromResources(HINSTANCE hInstance, LPCWSTR lpBitmapName)
{
    HINSTANCE hModule = hInstance != nullptr ? hInstance : AfxFindResourceHandle(lpBitmapName, RT_BITMAP);
    HRSRC hResource = FindResourceW(hModule, lpBitmapName, RT_BITMAP);
    if (hResource == nullptr)
        return nullptr;
    const auto* pData = static_cast<const BYTE*>(LockResource(LoadResource(hModule, hResource)));
    const DWORD nSize = SizeofResource(hModule, hResource);
    if (pData == nullptr || nSize == 0)
        return nullptr;
    // Bitmap resources are BMP data with or without the file header, or PNG.
    SImage image;
    if (!ReadImageMemory(pData, nSize, image))
    {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return CreateBitmapFromImage(image);
}

} // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (IsRegionHandle(hObject))
        return RegionWrapperFor(static_cast<HRGN>(hObject));
    return WrapperFor<CGdiObject>(hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject != nullptr || hObject == nullptr)
        return FALSE;
    if (std::shared_ptr<SGdiRecord> pRecord = GdiPeek(hObject))
    {
        if (pRecord->pAttached != nullptr)
            return FALSE;
        pRecord->pAttached = this;
    }
    else if (!IsRegionHandle(hObject))
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (std::shared_ptr<SGdiRecord> pRecord = GdiPeek(hObject))
    {
        if (pRecord->pAttached == this)
            pRecord->pAttached = nullptr;
    }
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObjectW(int nCount, LPVOID lpObject) const
{
    return ::GetObjectW(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return static_cast<UINT>(::GetObjectType(m_hObject));
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return GdiPeek(m_hObject) != nullptr ? TRUE : FALSE;
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    CreatePen(nPenStyle, nWidth, crColor);
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return WrapperFor<CPen>(hPen);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    return Attach(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    return ::GetObjectW(m_hObject, sizeof(LOGPEN), pLogPen);
}

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    CreateHatchBrush(nIndex, crColor);
}

CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return WrapperFor<CBrush>(hBrush);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap != nullptr ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)))
                              : FALSE;
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return ::GetObjectW(m_hObject, sizeof(LOGBRUSH), pLogBrush);
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return WrapperFor<CFont>(hFont);
}

BOOL CFont::CreateFontIndirectW(const LOGFONTW* lpLogFont)
{
    return Attach(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreateFontW(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                        BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                        BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename)
{
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality,
                                nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW logFont{};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName != nullptr)
        std::wcsncpy(logFont.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC*)
{
    if (lpLogFont == nullptr)
        return FALSE;
    // Tenths of a point to a character height in pixels at 96 dpi.
    LOGFONTW logFont = *lpLogFont;
    logFont.lfHeight = -std::abs(MulDiv(96, lpLogFont->lfHeight, 720));
    return CreateFontIndirectW(&logFont);
}

int CFont::GetLogFont(LOGFONTW* pLogFont) const
{
    return ::GetObjectW(m_hObject, sizeof(LOGFONTW), pLogFont);
}

void SetBitmapResourceLoader(BitmapResourceLoader loader)
{
    g_bitmapLoader.store(loader);
}

HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName)
{
    if (lpBitmapName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BitmapResourceLoader loader = g_bitmapLoader.load();
    return loader != nullptr ? loader(hInstance, lpBitmapName)
                             : LoadBitmapFromResources(hInstance, lpBitmapName);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return WrapperFor<CBitmap>(hBitmap);
}

BOOL CBitmap::LoadBitmapW(UINT nIDResource)
{
    return LoadBitmapW(MAKEINTRESOURCEW(nIDResource));
}

BOOL CBitmap::LoadBitmapW(LPCWSTR lpszResourceName)
{
    return Attach(::LoadBitmapW(nullptr, lpszResourceName));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* lpBitmap)
{
    if (lpBitmap == nullptr)
        return FALSE;
    return CreateBitmap(lpBitmap->bmWidth, lpBitmap->bmHeight, lpBitmap->bmPlanes, lpBitmap->bmBitsPixel,
                        lpBitmap->bmBits);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC != nullptr ? pDC->m_hDC : nullptr, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return ::GetObjectW(m_hObject, sizeof(BITMAP), pBitMap);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    std::shared_ptr<SBitmapRecord> pBitmap = GdiFindAs<SBitmapRecord>(m_hObject);
    if (pBitmap == nullptr || lpBits == nullptr)
        return 0;
    const DWORD nTotal = static_cast<DWORD>(pBitmap->nWidth * pBitmap->nHeight * 4);
    const DWORD nCopy = std::min(dwCount, nTotal);
    CSurfacePixels pixels(pBitmap->pSurface, pBitmap.get(), RECT{0, 0, pBitmap->nWidth, pBitmap->nHeight},
                          false);
    const DWORD nRowBytes = static_cast<DWORD>(pBitmap->nWidth) * 4;
    for (DWORD nDone = 0; nDone < nCopy;)
    {
        const LONG y = static_cast<LONG>(nDone / nRowBytes);
        const DWORD nOffset = nDone % nRowBytes;
        const DWORD n = std::min(nRowBytes - nOffset, nCopy - nDone);
        std::memcpy(static_cast<BYTE*>(lpBits) + nDone,
                    reinterpret_cast<BYTE*>(pixels.Buffer().Row(y)) + nOffset, n);
        nDone += n;
    }
    return nCopy;
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    std::shared_ptr<SBitmapRecord> pBitmap = GdiFindAs<SBitmapRecord>(m_hObject);
    if (pBitmap == nullptr || lpBits == nullptr)
        return 0;
    const DWORD nTotal = static_cast<DWORD>(pBitmap->nWidth * pBitmap->nHeight * 4);
    const DWORD nCopy = std::min(dwCount, nTotal);
    CSurfacePixels pixels(pBitmap->pSurface, pBitmap.get(), RECT{0, 0, pBitmap->nWidth, pBitmap->nHeight},
                          true);
    const DWORD nRowBytes = static_cast<DWORD>(pBitmap->nWidth) * 4;
    for (DWORD nDone = 0; nDone < nCopy;)
    {
        const LONG y = static_cast<LONG>(nDone / nRowBytes);
        const DWORD nOffset = nDone % nRowBytes;
        const DWORD n = std::min(nRowBytes - nOffset, nCopy - nDone);
        std::memcpy(reinterpret_cast<BYTE*>(pixels.Buffer().Row(y)) + nOffset,
                    static_cast<const BYTE*>(lpBits) + nDone, n);
        nDone += n;
    }
    return nCopy;
}

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return RegionWrapperFor(hRgn);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return Attach(::CreateRectRgnIndirect(lpRect));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    ::SetRectRgn(static_cast<HRGN>(m_hObject), lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject),
                        pRgn1 != nullptr ? static_cast<HRGN>(pRgn1->m_hObject) : nullptr,
                        pRgn2 != nullptr ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return CombineRgn(pRgnSrc, nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return pRgn != nullptr ? ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->m_hObject))
                           : FALSE;
}

int CRgn::OffsetRgn(int x, int y)
{
    return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y);
}

int CRgn::OffsetRgn(POINT point)
{
    return OffsetRgn(point.x, point.y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect);
}
