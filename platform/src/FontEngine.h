// Fonts resolved through fontconfig and rendered by Cairo and FreeType, with
// the metrics GDI reports and integer glyph advances, so that text measures
// exactly as it is drawn. Private to the drawing layer.
#pragma once

#include "GdiTable.h"

#include <cairo.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct SGlyph
{
    static constexpr unsigned long kInvisible = ~0ul;
    unsigned long nIndex = kInvisible; // kInvisible for control characters
    LONG nAdvance = 0;
};

// One realised font: a face at a pixel size with its metrics. Shared by all
// font objects that ask for the same thing.
class CFontInstance
{
public:
    static std::shared_ptr<CFontInstance> Get(const LOGFONTW& logFont);
    ~CFontInstance();
    CFontInstance(const CFontInstance&) = delete;
    CFontInstance& operator=(const CFontInstance&) = delete;

    const TEXTMETRICW& Metrics() const { return m_metrics; }
    cairo_scaled_font_t* ScaledFont() const { return m_pScaledFont; }
    const std::wstring& FamilyName() const { return m_strFamily; }
    bool Underlined() const { return m_bUnderline; }
    bool StruckOut() const { return m_bStrikeOut; }
    bool Antialiased() const { return m_bAntialias; }
    // Offsets from the baseline (positive downwards) of the first row of the
    // underline and of the strike-out line, and their thickness.
    LONG UnderlineOffset() const { return m_nUnderlineOffset; }
    LONG StrikeOutOffset() const { return m_nStrikeOutOffset; }
    LONG LineThickness() const { return m_nLineThickness; }

    const SGlyph& Glyph(wchar_t ch);
    LONG TextWidth(std::wstring_view text);

    // Draws a run of text with its baseline's left end at (x, y) in the
    // context's user space, using the same advances TextWidth adds up.
    void DrawRun(cairo_t* pCairo, std::wstring_view text, double x, double y);

private:
    CFontInstance() = default;
    bool Realise(const LOGFONTW& logFont);

    cairo_scaled_font_t* m_pScaledFont = nullptr;
    TEXTMETRICW m_metrics{};
    std::wstring m_strFamily;
    bool m_bUnderline = false;
    bool m_bStrikeOut = false;
    bool m_bAntialias = true;
    LONG m_nUnderlineOffset = 1;
    LONG m_nStrikeOutOffset = -3;
    LONG m_nLineThickness = 1;
    std::array<SGlyph, 128> m_asciiGlyphs{};
    std::array<bool, 128> m_asciiKnown{};
    std::unordered_map<wchar_t, SGlyph> m_otherGlyphs;
};

struct SFontRecord : SGdiRecord
{
    SFontRecord() : SGdiRecord(EGdiKind::Font) {}
    LOGFONTW logFont{};

    // The realised font, made on first use.
    CFontInstance& Instance();

private:
    std::shared_ptr<CFontInstance> m_pInstance;
};

// The family an interface font name stands for.
std::wstring MapFontFamily(const std::wstring& strFaceName);
