// Text output and measurement.
#include "DeviceContext.h"
#include "FontEngine.h"
#include "LastError.h"
#include "TextLayout.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <optional>

namespace
{

// A piece of text placed on the surface: its cell's top-left corner, and
// optionally a width for every character (ExtTextOut's lpDx).
struct STextRun
{
    std::wstring_view text;
    LONG x = 0;
    LONG top = 0;
    LONG nWidth = 0;
    const std::vector<std::size_t>* pUnderlined = nullptr;
    const INT* pAdvances = nullptr;
};

CFontInstance& FontOf(SDeviceContext& dc)
{
    if (dc.state.pFont == nullptr)
        dc.state.pFont = GdiPeekAs<SFontRecord>(GetStockObject(SYSTEM_FONT));
    return dc.state.pFont->Instance();
}

void FillSurfaceRect(const SPixelBuffer& buffer, const std::vector<RECT>& clip, const RECT& rc,
                     COLORREF colour)
{
    const DWORD pixel = PixelFromColour(colour);
    ForEachClipped(clip, rc,
                   [&](const RECT& part)
                   {
                       for (LONG y = part.top; y < part.bottom; ++y)
                           std::fill_n(buffer.Row(y) + part.left, part.right - part.left, pixel);
                   });
}

// Draws runs of text in the device context's font and text colour, inside
// its clip and, when given, pClip (surface coordinates). Each run's cell is
// filled with the background colour first when bOpaqueCells; pOpaqueRect is
// filled first in any case.
void DrawRuns(SDeviceContext& dc, const std::vector<STextRun>& runs, const RECT* pClip, bool bOpaqueCells,
              const RECT* pOpaqueRect, bool bDrawGlyphs = true)
{
    CFontInstance& font = FontOf(dc);
    const TEXTMETRICW& tm = font.Metrics();
    std::vector<RECT> clip = dc.SurfaceClip();
    if (pClip != nullptr)
        clip = CombineRectLists(clip, {*pClip}, RGN_AND);
    if (clip.empty())
        return;
    RECT bounds{0, 0, 0, 0};
    for (const STextRun& run : runs)
    {
        // Glyphs may reach a little outside their cell (italics, accents).
        const RECT cell{run.x - tm.tmMaxCharWidth, run.top - tm.tmHeight,
                        run.x + run.nWidth + tm.tmMaxCharWidth, run.top + 2 * tm.tmHeight};
        ::UnionRect(&bounds, &bounds, &cell);
    }
    if (pOpaqueRect != nullptr)
        ::UnionRect(&bounds, &bounds, pOpaqueRect);
    const RECT clipBox = BoundingRect(clip);
    RECT area;
    if (!::IntersectRect(&area, &bounds, &clipBox))
        return;

    CDcPixels pixels(dc, area, true);
    const SPixelBuffer& buffer = pixels.Buffer();
    if (buffer.pData == nullptr)
        return;
    if (pOpaqueRect != nullptr)
        FillSurfaceRect(buffer, clip, *pOpaqueRect, dc.state.backgroundColour);
    if (bOpaqueCells)
    {
        for (const STextRun& run : runs)
            FillSurfaceRect(buffer, clip, RECT{run.x, run.top, run.x + run.nWidth, run.top + tm.tmHeight},
                            dc.state.backgroundColour);
    }
    pixels.MarkDirty();

    bool bAnything = font.Underlined() || font.StruckOut();
    for (const STextRun& run : runs)
        bAnything = bAnything || (bDrawGlyphs && !run.text.empty()) ||
                    (run.pUnderlined != nullptr && !run.pUnderlined->empty());
    if (!bAnything)
        return;
    cairo_t* pCairo = cairo_create(dc.Surface());
    for (const RECT& rc : clip)
        cairo_rectangle(pCairo, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    cairo_clip(pCairo);
    const COLORREF colour = dc.state.textColour;
    cairo_set_source_rgb(pCairo, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                         GetBValue(colour) / 255.0);
    cairo_set_antialias(pCairo, CAIRO_ANTIALIAS_NONE);
    auto line = [&](LONG x0, LONG x1, LONG y)
    {
        if (x1 > x0)
            cairo_rectangle(pCairo, x0, y, x1 - x0, font.LineThickness());
    };
    for (const STextRun& run : runs)
    {
        const LONG baseline = run.top + tm.tmAscent;
        if (bDrawGlyphs)
        {
            if (run.pAdvances == nullptr)
                font.DrawRun(pCairo, run.text, run.x, baseline);
            else
            {
                LONG x = run.x;
                for (std::size_t i = 0; i < run.text.size(); ++i)
                {
                    font.DrawRun(pCairo, run.text.substr(i, 1), x, baseline);
                    x += run.pAdvances[i];
                }
            }
        }
        if (font.Underlined())
            line(run.x, run.x + run.nWidth, baseline + font.UnderlineOffset());
        if (font.StruckOut())
            line(run.x, run.x + run.nWidth, baseline + font.StrikeOutOffset());
        if (run.pUnderlined != nullptr)
        {
            for (std::size_t nIndex : *run.pUnderlined)
            {
                const LONG x0 = run.x + font.TextWidth(run.text.substr(0, nIndex));
                line(x0, x0 + font.Glyph(run.text[nIndex]).nAdvance, baseline + font.UnderlineOffset());
            }
        }
    }
    cairo_fill(pCairo);
    cairo_destroy(pCairo);
}

std::wstring_view TextOf(LPCWSTR lpString, int c)
{
    if (lpString == nullptr || c == 0)
        return {};
    return c < 0 ? std::wstring_view(lpString) : std::wstring_view(lpString, static_cast<std::size_t>(c));
}

BOOL OutputText(HDC hdc, int x, int y, UINT options, const RECT* lprect, std::wstring_view text,
                const INT* lpDx)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    if (text.empty())
    {
        // Only the opaque rectangle, if any (FillSolidRect comes this way).
        if (lprect != nullptr && (options & ETO_OPAQUE) != 0)
        {
            RECT rc = pDC->ToSurface(*lprect);
            OrderPair(rc.left, rc.right);
            OrderPair(rc.top, rc.bottom);
            SBrushPaint brush;
            brush.eKind = SBrushPaint::EKind::Solid;
            brush.pixel = PixelFromColour(pDC->state.backgroundColour);
            ForEachClipPart(*pDC, rc, true,
                            [&](const SPixelBuffer& buffer, const RECT& part)
                            { PatternRect(buffer, part, brush, Rop3Index(PATCOPY)); });
        }
        return TRUE;
    }
    CFontInstance& font = FontOf(*pDC);
    const TEXTMETRICW& tm = font.Metrics();
    LONG nWidth = 0;
    if (lpDx != nullptr)
    {
        for (std::size_t i = 0; i < text.size(); ++i)
            nWidth += lpDx[i];
    }
    else
        nWidth = font.TextWidth(text);

    const UINT align = pDC->state.nTextAlign;
    POINT origin{x, y};
    if ((align & TA_UPDATECP) != 0)
        origin = pDC->state.ptCurrent;
    LONG left = origin.x;
    switch (align & TA_CENTER)
    {
        case TA_CENTER:
            left -= nWidth / 2;
            break;
        case TA_RIGHT:
            left -= nWidth;
            break;
        default:
            break;
    }
    LONG top = origin.y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top -= tm.tmAscent;
    else if ((align & TA_BOTTOM) != 0)
        top -= tm.tmHeight;
    if ((align & TA_UPDATECP) != 0)
    {
        // The current position moves past the text in the direction it runs.
        if ((align & TA_CENTER) == TA_LEFT)
            pDC->state.ptCurrent.x += nWidth;
        else if ((align & TA_CENTER) == TA_RIGHT)
            pDC->state.ptCurrent.x -= nWidth;
    }

    const POINT surfaceTopLeft = pDC->ToSurface(POINT{left, top});
    STextRun run;
    run.text = text;
    run.x = surfaceTopLeft.x;
    run.top = surfaceTopLeft.y;
    run.nWidth = nWidth;
    run.pAdvances = lpDx;
    std::optional<RECT> rect;
    if (lprect != nullptr && (options & (ETO_OPAQUE | ETO_CLIPPED)) != 0)
    {
        RECT rc = pDC->ToSurface(*lprect);
        OrderPair(rc.left, rc.right);
        OrderPair(rc.top, rc.bottom);
        rect = rc;
    }
    const bool bOpaqueRect = rect.has_value() && (options & ETO_OPAQUE) != 0;
    const bool bClipped = rect.has_value() && (options & ETO_CLIPPED) != 0;
    DrawRuns(*pDC, {run}, bClipped ? &*rect : nullptr, pDC->state.nBackgroundMode == OPAQUE && !bOpaqueRect,
             bOpaqueRect ? &*rect : nullptr);
    return TRUE;
}

} // namespace

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c)
{
    if ((lpString == nullptr && c != 0) || c < 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return OutputText(hdc, x, y, 0, nullptr, TextOf(lpString, c), nullptr);
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c,
                 const INT* lpDx)
{
    if (lpString == nullptr && c != 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return OutputText(hdc, x, y, options, lprect, TextOf(lpString, static_cast<int>(c)), lpDx);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    if (psizl == nullptr || c < 0 || (lpString == nullptr && c != 0))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    CFontInstance& font = FontOf(*pDC);
    psizl->cx = font.TextWidth(TextOf(lpString, c));
    psizl->cy = font.Metrics().tmHeight;
    return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || lptm == nullptr)
        return FALSE;
    *lptm = FontOf(*pDC).Metrics();
    return TRUE;
}

int GetTextFaceW(HDC hdc, int c, LPWSTR lpName)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return 0;
    const std::wstring& family = FontOf(*pDC).FamilyName();
    if (lpName == nullptr)
        return static_cast<int>(family.size()) + 1;
    if (c <= 0)
        return 0;
    const std::size_t n = std::min(family.size(), static_cast<std::size_t>(c - 1));
    std::wmemcpy(lpName, family.data(), n);
    lpName[n] = L'\0';
    return static_cast<int>(n) + 1;
}

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return 0;
    if (lprc == nullptr || (lpchText == nullptr && cchText != 0))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::wstring_view text = TextOf(lpchText, cchText);
    CFontInstance& font = FontOf(*pDC);
    const TEXTMETRICW& tm = font.Metrics();
    const LONG nRectWidth = lprc->right - lprc->left;
    const bool bLimited = (format & (DT_WORDBREAK | DT_END_ELLIPSIS)) != 0;
    const std::vector<SLayoutLine> lines =
        LayoutText(font, text, bLimited ? std::max<LONG>(0, nRectWidth) : INT_MAX, format);
    const LONG nLineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) != 0 ? tm.tmExternalLeading : 0);
    const LONG nTextHeight = nLineHeight * static_cast<LONG>(lines.size());
    LONG nWidest = 0;
    for (const SLayoutLine& line : lines)
        nWidest = std::max(nWidest, line.nWidth);

    const bool bSingle = (format & DT_SINGLELINE) != 0;
    if ((format & DT_CALCRECT) != 0)
    {
        // Only the right and bottom edges move. Wrapped text keeps the
        // rectangle's width unless a word is wider.
        const LONG nWidth =
            (format & DT_WORDBREAK) != 0 && !bSingle ? std::max(nRectWidth, nWidest) : nWidest;
        lprc->right = lprc->left + nWidth;
        lprc->bottom = lprc->top + nTextHeight;
        return nTextHeight;
    }

    LONG top = lprc->top;
    if (bSingle && (format & DT_VCENTER) != 0)
        top = lprc->top + (lprc->bottom - lprc->top - nLineHeight) / 2;
    else if (bSingle && (format & DT_BOTTOM) != 0)
        top = lprc->bottom - nLineHeight;

    std::vector<STextRun> runs;
    runs.reserve(lines.size());
    const bool bShowUnderlines = (format & DT_HIDEPREFIX) == 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        const SLayoutLine& line = lines[i];
        LONG left = lprc->left;
        if ((format & DT_CENTER) != 0)
            left = lprc->left + (nRectWidth - line.nWidth) / 2;
        else if ((format & DT_RIGHT) != 0)
            left = lprc->right - line.nWidth;
        const POINT surface = pDC->ToSurface(POINT{left, top + static_cast<LONG>(i) * nLineHeight});
        STextRun run;
        run.text = line.text;
        run.x = surface.x;
        run.top = surface.y;
        run.nWidth = line.nWidth;
        run.pUnderlined = bShowUnderlines ? &line.underlined : nullptr;
        runs.push_back(run);
    }
    RECT clip = pDC->ToSurface(*lprc);
    DrawRuns(*pDC, runs, (format & DT_NOCLIP) != 0 ? nullptr : &clip, pDC->state.nBackgroundMode == OPAQUE,
             nullptr, (format & DT_PREFIXONLY) == 0);

    if ((format & DT_MODIFYSTRING) != 0 && lines.size() == 1 && lines[0].bShortened && lpchText != nullptr)
    {
        // The caller's buffer holds the text and four characters more.
        const std::size_t nRoom = text.size() + 4;
        const std::wstring& shown = lines[0].text;
        const std::size_t n = std::min(shown.size(), nRoom - 1);
        auto* pBuffer = const_cast<LPWSTR>(lpchText);
        std::wmemcpy(pBuffer, shown.data(), n);
        pBuffer[n] = L'\0';
    }
    if (bSingle && (format & (DT_VCENTER | DT_BOTTOM)) != 0)
        return top + nLineHeight - lprc->top;
    return nTextHeight;
}
