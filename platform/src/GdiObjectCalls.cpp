// Pens, brushes, fonts, stock objects, system colours and the calls that
// look at or delete any object.
#include "DeviceContext.h"
#include "FontEngine.h"
#include "LastError.h"
#include "StockObjects.h"

#include <array>
#include <cstring>
#include <cwchar>
#include <map>
#include <mutex>

namespace
{

// The fixed light theme (see Gdi.h); index 25 is unused, as in Windows.
constexpr std::array<COLORREF, 31> kSystemColours = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(0, 120, 215),
    RGB(240, 240, 240)};

template <class T> HGDIOBJ PublishPermanent(std::shared_ptr<T> pRecord)
{
    pRecord->bPermanent = true;
    return GdiInsert(std::move(pRecord));
}

std::shared_ptr<SPenRecord> MakePen(UINT nStyle, LONG nWidth, COLORREF colour)
{
    auto pPen = std::make_shared<SPenRecord>();
    pPen->nStyle = nStyle;
    pPen->nWidth = nWidth;
    pPen->color = colour & 0x00FFFFFFu;
    return pPen;
}

std::shared_ptr<SBrushRecord> MakeBrush(UINT nStyle, COLORREF colour, LONG nHatch)
{
    auto pBrush = std::make_shared<SBrushRecord>();
    pBrush->nStyle = nStyle;
    pBrush->color = colour & 0x00FFFFFFu;
    pBrush->nHatch = nHatch;
    return pBrush;
}

LOGFONTW MakeLogFont(LONG nHeight, LONG nWeight, const wchar_t* pszFace)
{
    LOGFONTW lf{};
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(lf.lfFaceName, pszFace, LF_FACESIZE - 1);
    return lf;
}

HGDIOBJ MakeStock(int nIndex)
{
    switch (nIndex)
    {
        case WHITE_BRUSH:
            return PublishPermanent(MakeBrush(BS_SOLID, RGB(255, 255, 255), 0));
        case LTGRAY_BRUSH:
            return PublishPermanent(MakeBrush(BS_SOLID, RGB(192, 192, 192), 0));
        case GRAY_BRUSH:
            return PublishPermanent(MakeBrush(BS_SOLID, RGB(128, 128, 128), 0));
        case DKGRAY_BRUSH:
            return PublishPermanent(MakeBrush(BS_SOLID, RGB(64, 64, 64), 0));
        case BLACK_BRUSH:
            return PublishPermanent(MakeBrush(BS_SOLID, RGB(0, 0, 0), 0));
        case NULL_BRUSH:
            return PublishPermanent(MakeBrush(BS_NULL, 0, 0));
        case WHITE_PEN:
            return PublishPermanent(MakePen(PS_SOLID, 1, RGB(255, 255, 255)));
        case BLACK_PEN:
            return PublishPermanent(MakePen(PS_SOLID, 1, RGB(0, 0, 0)));
        case NULL_PEN:
            return PublishPermanent(MakePen(PS_NULL, 1, 0));
        case DC_BRUSH:
        {
            auto pBrush = MakeBrush(BS_SOLID, RGB(255, 255, 255), 0);
            pBrush->bDcBrush = true;
            return PublishPermanent(std::move(pBrush));
        }
        case DC_PEN:
        {
            auto pPen = MakePen(PS_SOLID, 1, 0);
            pPen->bDcPen = true;
            return PublishPermanent(std::move(pPen));
        }
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case SYSTEM_FIXED_FONT:
        {
            auto pFont = std::make_shared<SFontRecord>();
            pFont->logFont = MakeLogFont(16, FW_NORMAL, L"Courier New");
            return PublishPermanent(std::move(pFont));
        }
        case ANSI_VAR_FONT:
        case DEFAULT_GUI_FONT:
        {
            auto pFont = std::make_shared<SFontRecord>();
            pFont->logFont = MakeLogFont(-11, FW_NORMAL, L"MS Shell Dlg");
            return PublishPermanent(std::move(pFont));
        }
        case SYSTEM_FONT:
        case DEVICE_DEFAULT_FONT:
        {
            // The font a new device context has: a 16-pixel cell, bold.
            auto pFont = std::make_shared<SFontRecord>();
            pFont->logFont = MakeLogFont(16, FW_BOLD, L"System");
            return PublishPermanent(std::move(pFont));
        }
        default:
            return nullptr;
    }
}

} // namespace

HGDIOBJ StockObjectHandle(int nIndex)
{
    static std::mutex s_mutex;
    static std::array<HGDIOBJ, DC_PEN + 1> s_handles{};
    if (nIndex < 0 || nIndex > DC_PEN)
        return nullptr;
    std::lock_guard lock(s_mutex);
    if (s_handles[static_cast<std::size_t>(nIndex)] == nullptr)
        s_handles[static_cast<std::size_t>(nIndex)] = MakeStock(nIndex);
    return s_handles[static_cast<std::size_t>(nIndex)];
}

HBITMAP DefaultBitmapHandle()
{
    static const HGDIOBJ s_handle = []
    {
        std::shared_ptr<SBitmapRecord> pBitmap = MakeBitmapRecord(1, 1, 0xFF000000u);
        return PublishPermanent(std::move(pBitmap));
    }();
    return static_cast<HBITMAP>(s_handle);
}

HGDIOBJ GetStockObject(int nIndex)
{
    HGDIOBJ handle = StockObjectHandle(nIndex);
    if (handle == nullptr)
        SetLastError(ERROR_INVALID_PARAMETER);
    return handle;
}

DWORD GetSysColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(kSystemColours.size()))
        return 0;
    return kSystemColours[static_cast<std::size_t>(nIndex)];
}

HBRUSH GetSysColorBrush(int nIndex)
{
    static std::mutex s_mutex;
    static std::array<HGDIOBJ, kSystemColours.size()> s_brushes{};
    if (nIndex < 0 || nIndex >= static_cast<int>(kSystemColours.size()))
        return nullptr;
    std::lock_guard lock(s_mutex);
    HGDIOBJ& handle = s_brushes[static_cast<std::size_t>(nIndex)];
    if (handle == nullptr)
        handle = PublishPermanent(MakeBrush(BS_SOLID, GetSysColor(nIndex), 0));
    return static_cast<HBRUSH>(handle);
}

BOOL DeleteObject(HGDIOBJ hObject)
{
    if (hObject == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (IsRegionHandle(hObject))
        return DeleteRgn(static_cast<HRGN>(hObject));
    std::shared_ptr<SGdiRecord> pRecord = GdiFind(hObject);
    if (pRecord == nullptr)
        return FALSE;
    // Device contexts are deleted by DeleteDC, image lists by their own call.
    if (pRecord->eKind == EGdiKind::SurfaceDC || pRecord->eKind == EGdiKind::MemoryDC ||
        pRecord->eKind == EGdiKind::ImageList)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (pRecord->bPermanent)
        return TRUE;
    return GdiRemove(hObject) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ hObject)
{
    if (IsRegionHandle(hObject))
        return OBJ_REGION;
    std::shared_ptr<SGdiRecord> pRecord = GdiFind(hObject);
    if (pRecord == nullptr || pRecord->eKind == EGdiKind::ImageList)
        return 0;
    return static_cast<DWORD>(pRecord->eKind);
}

int GetObjectW(HGDIOBJ hObject, int cbBuffer, LPVOID lpvObject)
{
    std::shared_ptr<SGdiRecord> pRecord = GdiFind(hObject);
    if (pRecord == nullptr)
        return 0;
    auto copyOut = [&](const void* pData, int nSize) -> int
    {
        if (lpvObject == nullptr)
            return nSize;
        if (cbBuffer < nSize)
        {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        std::memcpy(lpvObject, pData, static_cast<std::size_t>(nSize));
        return nSize;
    };
    if (auto pPen = std::dynamic_pointer_cast<SPenRecord>(pRecord))
    {
        const LOGPEN logPen{pPen->nStyle, POINT{pPen->nWidth, 0}, pPen->color};
        return copyOut(&logPen, sizeof(logPen));
    }
    if (auto pBrush = std::dynamic_pointer_cast<SBrushRecord>(pRecord))
    {
        const LOGBRUSH logBrush{pBrush->nStyle, pBrush->color, static_cast<ULONG_PTR>(pBrush->nHatch)};
        return copyOut(&logBrush, sizeof(logBrush));
    }
    if (auto pFont = std::dynamic_pointer_cast<SFontRecord>(pRecord))
        return copyOut(&pFont->logFont, sizeof(LOGFONTW));
    if (auto pBitmap = std::dynamic_pointer_cast<SBitmapRecord>(pRecord))
    {
        DIBSECTION section{};
        section.dsBm.bmWidth = pBitmap->nWidth;
        section.dsBm.bmHeight = pBitmap->nHeight;
        section.dsBm.bmPlanes = 1;
        section.dsBm.bmBitsPixel = pBitmap->IsDibSection() ? pBitmap->nDibBitCount : 32;
        section.dsBm.bmWidthBytes =
            pBitmap->IsDibSection() ? pBitmap->nDibStride : DibRowBytes(pBitmap->nWidth, 32);
        section.dsBm.bmBits = pBitmap->pBits;
        if (pBitmap->IsDibSection() && cbBuffer >= static_cast<int>(sizeof(DIBSECTION)))
        {
            section.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
            section.dsBmih.biWidth = pBitmap->nWidth;
            section.dsBmih.biHeight = pBitmap->bDibTopDown ? -pBitmap->nHeight : pBitmap->nHeight;
            section.dsBmih.biPlanes = 1;
            section.dsBmih.biBitCount = pBitmap->nDibBitCount;
            section.dsBmih.biCompression = BI_RGB;
            section.dsBmih.biSizeImage = static_cast<DWORD>(pBitmap->nDibStride * pBitmap->nHeight);
            return copyOut(&section, sizeof(section));
        }
        return copyOut(&section.dsBm, sizeof(BITMAP));
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color)
{
    const UINT nStyle = static_cast<UINT>(iStyle);
    const UINT nBase = nStyle & PS_STYLE_MASK;
    if (nBase > PS_ALTERNATE || nBase == 7)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HPEN>(GdiInsert(MakePen(nStyle, cWidth < 1 ? 1 : cWidth, color)));
}

HPEN CreatePenIndirect(const LOGPEN* plpen)
{
    if (plpen == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    return static_cast<HBRUSH>(GdiInsert(MakeBrush(BS_SOLID, color, 0)));
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color)
{
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HBRUSH>(GdiInsert(MakeBrush(BS_HATCHED, color, iHatch)));
}

HBRUSH CreatePatternBrush(HBITMAP hbm)
{
    std::shared_ptr<SBitmapRecord> pBitmap = GdiFindAs<SBitmapRecord>(hbm);
    if (pBitmap == nullptr)
        return nullptr;
    auto pTile = std::make_shared<SPatternTile>();
    pTile->nWidth = pBitmap->nWidth;
    pTile->nHeight = pBitmap->nHeight;
    pTile->pixels.resize(static_cast<std::size_t>(pBitmap->nWidth) * pBitmap->nHeight);
    {
        CSurfacePixels pixels(pBitmap->pSurface, pBitmap.get(), RECT{0, 0, pBitmap->nWidth, pBitmap->nHeight},
                              false);
        for (LONG y = 0; y < pBitmap->nHeight; ++y)
            std::memcpy(&pTile->pixels[static_cast<std::size_t>(y) * pBitmap->nWidth], pixels.Buffer().Row(y),
                        static_cast<std::size_t>(pBitmap->nWidth) * 4);
    }
    auto pBrush = MakeBrush(BS_PATTERN, 0, 0);
    pBrush->pPattern = std::move(pTile);
    return static_cast<HBRUSH>(GdiInsert(std::move(pBrush)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush)
{
    if (plbrush == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    switch (plbrush->lbStyle)
    {
        case BS_SOLID:
            return CreateSolidBrush(plbrush->lbColor);
        case BS_NULL:
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        case BS_HATCHED:
            return CreateHatchBrush(static_cast<int>(plbrush->lbHatch), plbrush->lbColor);
        case BS_PATTERN:
            return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

HFONT CreateFontIndirectW(const LOGFONTW* lplf)
{
    if (lplf == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto pFont = std::make_shared<SFontRecord>();
    pFont->logFont = *lplf;
    pFont->logFont.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return static_cast<HFONT>(GdiInsert(std::move(pFont)));
}

HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision,
                  DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName)
{
    LOGFONTW lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic != 0);
    lf.lfUnderline = static_cast<BYTE>(bUnderline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName != nullptr)
        std::wcsncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

HFONT GetDialogFont(LPCWSTR pszFaceName, int nPointSize)
{
    static std::mutex s_mutex;
    static auto* s_pFonts = new std::map<std::pair<std::wstring, int>, HGDIOBJ>;
    const std::wstring face = pszFaceName != nullptr ? pszFaceName : L"";
    std::lock_guard lock(s_mutex);
    HGDIOBJ& handle = (*s_pFonts)[{face, nPointSize}];
    if (handle == nullptr)
    {
        auto pFont = std::make_shared<SFontRecord>();
        // Points to pixels at 96 dpi, as a character height.
        pFont->logFont =
            MakeLogFont(-MulDiv(nPointSize > 0 ? nPointSize : 8, 96, 72), FW_NORMAL, face.c_str());
        handle = PublishPermanent(std::move(pFont));
    }
    return static_cast<HFONT>(handle);
}

SIZE GetDialogFontUnits(LPCWSTR pszFaceName, int nPointSize)
{
    auto pFont = GdiPeekAs<SFontRecord>(GetDialogFont(pszFaceName, nPointSize));
    if (pFont == nullptr)
        return SIZE{6, 13};
    CFontInstance& font = pFont->Instance();
    // The average width of the 52 letters, rounded, as dialogs measure it.
    const LONG nLetters = font.TextWidth(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return SIZE{(nLetters / 26 + 1) / 2, font.Metrics().tmHeight};
}
