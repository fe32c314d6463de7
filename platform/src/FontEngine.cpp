#include "FontEngine.h"

#include "Utf8.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <mutex>
#include <vector>

#include <unistd.h>

namespace
{

constexpr const wchar_t* kInterfaceFamily = L"DejaVu Sans";
// The size a zero height asks for: the 8-point interface font at 96 dpi.
constexpr LONG kDefaultCharacterHeight = 11;

std::wstring Lowercase(std::wstring text)
{
    for (wchar_t& ch : text)
        ch = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
    return text;
}

LONG Round(double value)
{
    return static_cast<LONG>(std::lround(value));
}

// What the font tables say, in font units.
struct SFaceUnits
{
    double unitsPerEm = 2048;
    double winAscent = 1901;
    double winDescent = 483;
    double lineHeight = 2384; // ascender - descender + line gap
    double averageWidth = 0;  // 0: unknown
    double maxAdvance = 0;
    double underlinePosition = -130;
    double underlineThickness = 90;
    double strikeOutPosition = 0; // 0: unknown
    double strikeOutSize = 0;
};

SFaceUnits ReadFaceUnits(cairo_scaled_font_t* pScaledFont)
{
    SFaceUnits units;
    if (cairo_scaled_font_status(pScaledFont) != CAIRO_STATUS_SUCCESS ||
        cairo_scaled_font_get_type(pScaledFont) != CAIRO_FONT_TYPE_FT)
        return units;
    FT_Face pFace = cairo_ft_scaled_font_lock_face(pScaledFont);
    if (pFace == nullptr)
        return units;
    if (pFace->units_per_EM != 0)
    {
        units.unitsPerEm = pFace->units_per_EM;
        units.winAscent = pFace->ascender;
        units.winDescent = -pFace->descender;
        units.lineHeight = pFace->height;
        units.maxAdvance = pFace->max_advance_width;
        units.underlinePosition = pFace->underline_position;
        units.underlineThickness = pFace->underline_thickness;
        const auto* pOs2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(pFace, FT_SFNT_OS2));
        if (pOs2 != nullptr && pOs2->version != 0xFFFF)
        {
            // GDI's cell is the Windows ascent and descent.
            if (pOs2->usWinAscent + pOs2->usWinDescent > 0)
            {
                units.winAscent = pOs2->usWinAscent;
                units.winDescent = pOs2->usWinDescent;
            }
            units.averageWidth = pOs2->xAvgCharWidth;
            units.strikeOutPosition = pOs2->yStrikeoutPosition;
            units.strikeOutSize = pOs2->yStrikeoutSize;
        }
    }
    cairo_ft_scaled_font_unlock_face(pScaledFont);
    return units;
}

// Folders where the interface font is installed on the systems we know, and
// the faces of its families (those of the fonts-dejavu-core package).
constexpr const char* kFontFolders[] = {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/dejavu",
                                        "/usr/share/fonts/TTF", "/usr/local/share/fonts/dejavu"};
constexpr const char* kFontFiles[] = {"DejaVuSans.ttf",
                                      "DejaVuSans-Bold.ttf",
                                      "DejaVuSans-Oblique.ttf",
                                      "DejaVuSans-BoldOblique.ttf",
                                      "DejaVuSansMono.ttf",
                                      "DejaVuSansMono-Bold.ttf",
                                      "DejaVuSansMono-Oblique.ttf",
                                      "DejaVuSansMono-BoldOblique.ttf",
                                      "DejaVuSerif.ttf",
                                      "DejaVuSerif-Bold.ttf",
                                      "DejaVuSerif-Italic.ttf",
                                      "DejaVuSerif-BoldItalic.ttf"};

FcConfig* FontConfiguration();

// Frees the font configuration when the program ends. Fontconfig keeps parts
// of its fonts' records by offset, where a leak checker cannot see them; the
// faces Cairo holds keep no part of them (see CreateFace).
void ReleaseFontConfiguration()
{
    FcConfig* pEmpty = FcConfigCreate();
    if (pEmpty == nullptr || !FcConfigSetCurrent(pEmpty))
        return;
    FcConfigDestroy(pEmpty);
    FcConfigDestroy(FontConfiguration());
}

// The fonts text is drawn with: the interface font's families only, so that
// text looks and measures the same on every machine whatever else is
// installed (and fontconfig neither parses the machine's configuration nor
// writes caches). The machine's own configuration is used only when the
// interface font is missing. It becomes fontconfig's current configuration,
// so that Cairo's own look-ups see the same fonts.
FcConfig* FontConfiguration()
{
    static FcConfig* const s_pConfig = []() -> FcConfig*
    {
        for (const char* pszFolder : kFontFolders)
        {
            const std::string folder = pszFolder;
            if (::access((folder + "/DejaVuSans.ttf").c_str(), R_OK) != 0)
                continue;
            FcConfig* pConfig = FcConfigCreate();
            if (pConfig == nullptr)
                break;
            for (const char* pszFile : kFontFiles)
            {
                const std::string path = folder + "/" + pszFile;
                if (::access(path.c_str(), R_OK) == 0)
                    FcConfigAppFontAddFile(pConfig, reinterpret_cast<const FcChar8*>(path.c_str()));
            }
            if (FcConfigSetCurrent(pConfig))
            {
                std::atexit(&ReleaseFontConfiguration);
                return pConfig;
            }
            FcConfigDestroy(pConfig);
            break;
        }
        return FcConfigGetCurrent();
    }();
    return s_pConfig;
}

// The face closest to what is asked; strFamily becomes the family found.
cairo_font_face_t* CreateFace(std::wstring& strFamily, bool bBold, bool bItalic)
{
    const std::string family = WideToUtf8(strFamily);
    FcConfig* pConfig = FontConfiguration();
    FcPattern* pPattern = FcPatternCreate();
    FcPatternAddString(pPattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    // A family that is not there gives way to the interface font.
    const std::string fallback = WideToUtf8(kInterfaceFamily);
    FcPatternAddString(pPattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(fallback.c_str()));
    FcPatternAddInteger(pPattern, FC_WEIGHT, bBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pPattern, FC_SLANT, bItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddInteger(pPattern, FC_WIDTH, FC_WIDTH_NORMAL);
    FcConfigSubstitute(pConfig, pPattern, FcMatchPattern);
    FcDefaultSubstitute(pPattern);
    FcResult result = FcResultNoMatch;
    FcPattern* pMatch = FcFontMatch(pConfig, pPattern, &result);
    FcPatternDestroy(pPattern);
    if (pMatch == nullptr)
        return cairo_toy_font_face_create(family.c_str(),
                                          bItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                          bBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    // Rendering settings are ours, not the desktop configuration's, so text
    // looks and measures the same on every machine.
    FcPatternDel(pMatch, FC_ANTIALIAS);
    FcPatternDel(pMatch, FC_HINTING);
    FcPatternDel(pMatch, FC_HINT_STYLE);
    FcPatternDel(pMatch, FC_AUTOHINT);
    FcPatternDel(pMatch, FC_RGBA);
    FcPatternDel(pMatch, FC_LCD_FILTER);
    // Cairo has no use for the character set, and it must not outlive the
    // configuration it comes from.
    FcPatternDel(pMatch, FC_CHARSET);
    FcPatternDel(pMatch, FC_LANG);
    FcChar8* pszFound = nullptr;
    if (FcPatternGetString(pMatch, FC_FAMILY, 0, &pszFound) == FcResultMatch && pszFound != nullptr)
        strFamily = Utf8ToWide(reinterpret_cast<const char*>(pszFound));
    cairo_font_face_t* pFace = cairo_ft_font_face_create_for_pattern(pMatch);
    FcPatternDestroy(pMatch);
    return pFace;
}

cairo_scaled_font_t* CreateScaledFont(cairo_font_face_t* pFace, double xScale, double yScale, bool bAntialias)
{
    cairo_matrix_t fontMatrix;
    cairo_matrix_init_scale(&fontMatrix, xScale, yScale);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* pOptions = cairo_font_options_create();
    cairo_font_options_set_antialias(pOptions, bAntialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_subpixel_order(pOptions, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_font_options_set_hint_style(pOptions, CAIRO_HINT_STYLE_SLIGHT);
    // Whole-pixel advances: measuring and drawing then agree exactly.
    cairo_font_options_set_hint_metrics(pOptions, CAIRO_HINT_METRICS_ON);
    cairo_scaled_font_t* pScaledFont = cairo_scaled_font_create(pFace, &fontMatrix, &identity, pOptions);
    cairo_font_options_destroy(pOptions);
    return pScaledFont;
}

std::wstring KeyOf(const LOGFONTW& lf)
{
    std::wstring key = Lowercase(MapFontFamily(lf.lfFaceName));
    key += L'|' + std::to_wstring(lf.lfHeight) + L'|' + std::to_wstring(lf.lfWidth) + L'|' +
           std::to_wstring(lf.lfWeight >= FW_SEMIBOLD ? 1 : 0) + L'|' + std::to_wstring(lf.lfItalic != 0) +
           std::to_wstring(lf.lfUnderline != 0) + std::to_wstring(lf.lfStrikeOut != 0) +
           std::to_wstring(lf.lfQuality == NONANTIALIASED_QUALITY);
    return key;
}

} // namespace

std::wstring MapFontFamily(const std::wstring& strFaceName)
{
    struct SAlias
    {
        const wchar_t* pszName;
        const wchar_t* pszFamily;
    };
    static const SAlias kAliases[] = {
        {L"", kInterfaceFamily},
        {L"ms shell dlg", kInterfaceFamily},
        {L"ms shell dlg 2", kInterfaceFamily},
        {L"segoe ui", kInterfaceFamily},
        {L"tahoma", kInterfaceFamily},
        {L"ms sans serif", kInterfaceFamily},
        {L"microsoft sans serif", kInterfaceFamily},
        {L"system", kInterfaceFamily},
        {L"arial", kInterfaceFamily},
        {L"verdana", kInterfaceFamily},
        {L"sans-serif", kInterfaceFamily},
        {L"sans", kInterfaceFamily},
        {L"courier", L"DejaVu Sans Mono"},
        {L"courier new", L"DejaVu Sans Mono"},
        {L"consolas", L"DejaVu Sans Mono"},
        {L"lucida console", L"DejaVu Sans Mono"},
        {L"monospace", L"DejaVu Sans Mono"},
        {L"times new roman", L"DejaVu Serif"},
        {L"georgia", L"DejaVu Serif"},
        {L"serif", L"DejaVu Serif"},
    };
    const std::wstring lower = Lowercase(strFaceName);
    for (const SAlias& alias : kAliases)
    {
        if (lower == alias.pszName)
            return alias.pszFamily;
    }
    return strFaceName;
}

std::shared_ptr<CFontInstance> CFontInstance::Get(const LOGFONTW& logFont)
{
    // Controls make and delete fonts on every paint; the realised fonts are
    // kept while any object uses them, plus a few recent ones.
    static std::mutex s_mutex;
    static auto* s_pCache = new std::map<std::wstring, std::weak_ptr<CFontInstance>>;
    static auto* s_pRecent = new std::vector<std::shared_ptr<CFontInstance>>;
    const std::wstring key = KeyOf(logFont);
    std::lock_guard lock(s_mutex);
    auto it = s_pCache->find(key);
    if (it != s_pCache->end())
    {
        if (std::shared_ptr<CFontInstance> pExisting = it->second.lock())
            return pExisting;
    }
    std::shared_ptr<CFontInstance> pInstance(new CFontInstance);
    pInstance->Realise(logFont);
    (*s_pCache)[key] = pInstance;
    s_pRecent->push_back(pInstance);
    if (s_pRecent->size() > 16)
        s_pRecent->erase(s_pRecent->begin());
    for (auto entry = s_pCache->begin(); entry != s_pCache->end();)
        entry = entry->second.expired() ? s_pCache->erase(entry) : std::next(entry);
    return pInstance;
}

CFontInstance::~CFontInstance()
{
    if (m_pScaledFont != nullptr)
        cairo_scaled_font_destroy(m_pScaledFont);
}

bool CFontInstance::Realise(const LOGFONTW& logFont)
{
    m_strFamily = MapFontFamily(std::wstring(logFont.lfFaceName, wcsnlen(logFont.lfFaceName, LF_FACESIZE)));
    const bool bBold = logFont.lfWeight >= FW_SEMIBOLD;
    const bool bItalic = logFont.lfItalic != 0;
    m_bUnderline = logFont.lfUnderline != 0;
    m_bStrikeOut = logFont.lfStrikeOut != 0;
    m_bAntialias = logFont.lfQuality != NONANTIALIASED_QUALITY;

    cairo_font_face_t* pFace = CreateFace(m_strFamily, bBold, bItalic);
    cairo_scaled_font_t* pProbe = CreateScaledFont(pFace, 64, 64, m_bAntialias);
    const SFaceUnits units = ReadFaceUnits(pProbe);
    cairo_scaled_font_destroy(pProbe);

    const double cellUnits = std::max(1.0, units.winAscent + units.winDescent);
    double em;
    if (logFont.lfHeight < 0)
        em = -static_cast<double>(logFont.lfHeight);
    else if (logFont.lfHeight > 0)
        em = logFont.lfHeight * units.unitsPerEm / cellUnits;
    else
        em = kDefaultCharacterHeight;
    em = std::clamp(em, 1.0, 2000.0);
    const double scale = em / units.unitsPerEm;

    TEXTMETRICW& tm = m_metrics;
    tm.tmAscent = std::max<LONG>(1, Round(units.winAscent * scale));
    tm.tmDescent = logFont.lfHeight > 0 ? std::max<LONG>(0, logFont.lfHeight - tm.tmAscent)
                                        : std::max<LONG>(0, Round(units.winDescent * scale));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - Round(em));
    tm.tmExternalLeading = std::max<LONG>(0, Round((units.lineHeight - cellUnits) * scale));
    tm.tmMaxCharWidth = std::max<LONG>(1, Round(units.maxAdvance * scale));
    tm.tmWeight = logFont.lfWeight != FW_DONTCARE ? logFont.lfWeight : FW_NORMAL;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = bItalic ? 1 : 0;
    tm.tmUnderlined = m_bUnderline ? 1 : 0;
    tm.tmStruckOut = m_bStrikeOut ? 1 : 0;
    // As in GDI the "fixed pitch" bit is set for proportional fonts.
    tm.tmPitchAndFamily = TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE | FF_SWISS;
    tm.tmCharSet = DEFAULT_CHARSET;

    double xScale = em;
    if (logFont.lfWidth > 0 && units.averageWidth > 0)
        xScale = em * logFont.lfWidth / (units.averageWidth * scale);
    m_pScaledFont = CreateScaledFont(pFace, xScale, em, m_bAntialias);
    cairo_font_face_destroy(pFace);

    tm.tmAveCharWidth =
        units.averageWidth > 0 ? Round(units.averageWidth * scale * xScale / em) : Glyph(L'x').nAdvance;
    if (tm.tmAveCharWidth <= 0)
        tm.tmAveCharWidth = std::max<LONG>(1, Round(em / 2));

    m_nLineThickness = std::max<LONG>(1, Round(units.underlineThickness * scale));
    m_nUnderlineOffset = std::max<LONG>(1, Round(-units.underlinePosition * scale - m_nLineThickness / 2.0));
    m_nUnderlineOffset = std::min(m_nUnderlineOffset, std::max<LONG>(0, tm.tmDescent - m_nLineThickness));
    const double strikeOut = units.strikeOutPosition > 0 ? units.strikeOutPosition : units.winAscent * 0.3;
    m_nStrikeOutOffset = -Round(strikeOut * scale);
    return cairo_scaled_font_status(m_pScaledFont) == CAIRO_STATUS_SUCCESS;
}

const SGlyph& CFontInstance::Glyph(wchar_t ch)
{
    const auto code = static_cast<unsigned long>(ch);
    if (code < 128 && m_asciiKnown[code])
        return m_asciiGlyphs[code];
    if (code >= 128)
    {
        auto it = m_otherGlyphs.find(ch);
        if (it != m_otherGlyphs.end())
            return it->second;
    }
    SGlyph glyph;
    const bool bControl =
        code < 0x20 || (code >= 0x7F && code < 0xA0) || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF;
    if (!bControl && cairo_scaled_font_status(m_pScaledFont) == CAIRO_STATUS_SUCCESS)
    {
        const std::string utf8 = WideToUtf8(std::wstring_view(&ch, 1));
        cairo_glyph_t* pGlyphs = nullptr;
        int nGlyphs = 0;
        if (cairo_scaled_font_text_to_glyphs(m_pScaledFont, 0, 0, utf8.data(), static_cast<int>(utf8.size()),
                                             &pGlyphs, &nGlyphs, nullptr, nullptr,
                                             nullptr) == CAIRO_STATUS_SUCCESS &&
            nGlyphs == 1)
        {
            cairo_text_extents_t extents;
            cairo_scaled_font_glyph_extents(m_pScaledFont, pGlyphs, 1, &extents);
            glyph.nIndex = pGlyphs[0].index;
            glyph.nAdvance = Round(extents.x_advance);
        }
        cairo_glyph_free(pGlyphs);
    }
    if (code < 128)
    {
        m_asciiGlyphs[code] = glyph;
        m_asciiKnown[code] = true;
        return m_asciiGlyphs[code];
    }
    return m_otherGlyphs.emplace(ch, glyph).first->second;
}

LONG CFontInstance::TextWidth(std::wstring_view text)
{
    LONG nWidth = 0;
    for (wchar_t ch : text)
        nWidth += Glyph(ch).nAdvance;
    return nWidth;
}

void CFontInstance::DrawRun(cairo_t* pCairo, std::wstring_view text, double x, double y)
{
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(text.size());
    double penX = x;
    for (wchar_t ch : text)
    {
        const SGlyph& glyph = Glyph(ch);
        if (glyph.nIndex != SGlyph::kInvisible)
            glyphs.push_back(cairo_glyph_t{glyph.nIndex, penX, y});
        penX += glyph.nAdvance;
    }
    if (glyphs.empty())
        return;
    cairo_set_scaled_font(pCairo, m_pScaledFont);
    cairo_show_glyphs(pCairo, glyphs.data(), static_cast<int>(glyphs.size()));
}

CFontInstance& SFontRecord::Instance()
{
    if (m_pInstance == nullptr)
        m_pInstance = CFontInstance::Get(logFont);
    return *m_pInstance;
}
