// Text: font metrics against the font's own tables, measuring that agrees
// with drawing, DrawText's layout (alignment, wrapping, ellipsis, prefixes,
// calculated rectangles) and where the ink lands.
#include "DrawingTestSupport.h"

#include <cwchar>
#include <string>

namespace
{

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A font selected into a canvas for the life of the object.
class CFontCanvas : public CTestCanvas
{
public:
    CFontCanvas(int nWidth, int nHeight, int nFontHeight, int nWeight = FW_NORMAL, BOOL bUnderline = FALSE)
        : CTestCanvas(nWidth, nHeight)
    {
        m_hFont = CreateFontW(nFontHeight, 0, 0, 0, nWeight, FALSE, bUnderline, FALSE, DEFAULT_CHARSET, 0, 0,
                              0, 0, L"MS Shell Dlg");
        m_hOld = SelectObject(Dc(), m_hFont);
        SetBkMode(Dc(), TRANSPARENT);
    }
    ~CFontCanvas()
    {
        SelectObject(Dc(), m_hOld);
        DeleteObject(m_hFont);
    }

    SIZE Extent(const std::wstring& text) const
    {
        SIZE size{};
        GetTextExtentPoint32W(Dc(), text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
    TEXTMETRICW Metrics() const
    {
        TEXTMETRICW tm{};
        GetTextMetricsW(Dc(), &tm);
        return tm;
    }

private:
    HFONT m_hFont = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "-" + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

} // namespace

TEST(Text, MetricsComeFromTheFontTables)
{
    // DejaVu Sans: 2048 units per em, Windows ascent 1901 and descent 483,
    // average width 1038. At 20 pixels per em: 18.56 and 4.72, rounded.
    CFontCanvas canvas(10, 10, -20);
    const TEXTMETRICW tm = canvas.Metrics();
    EXPECT_EQ(tm.tmAscent, 19);
    EXPECT_EQ(tm.tmDescent, 5);
    EXPECT_EQ(tm.tmHeight, 24);
    EXPECT_EQ(tm.tmInternalLeading, 4);
    EXPECT_EQ(tm.tmAveCharWidth, 10);
    EXPECT_GT(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    WCHAR szFace[LF_FACESIZE] = {};
    GetTextFaceW(canvas.Dc(), LF_FACESIZE, szFace);
    EXPECT_STREQ(szFace, L"DejaVu Sans");

    // A positive height asks for the whole cell.
    CFontCanvas cell(10, 10, 24);
    EXPECT_EQ(cell.Metrics().tmHeight, 24);
    EXPECT_EQ(cell.Metrics().tmAscent, 19);
}

TEST(Text, FaceNamesMapToTheDejaVuFamilies)
{
    const struct
    {
        const wchar_t* pszAsked;
        const wchar_t* pszFound;
    } cases[] = {{L"Segoe UI", L"DejaVu Sans"},
                 {L"", L"DejaVu Sans"},
                 {L"Courier New", L"DejaVu Sans Mono"},
                 {L"Times New Roman", L"DejaVu Serif"},
                 {L"No Such Family Anywhere", L"DejaVu Sans"}};
    CTestCanvas canvas(2, 2);
    for (const auto& test : cases)
    {
        HFONT hFont =
            CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, test.pszAsked);
        HGDIOBJ hOld = SelectObject(canvas.Dc(), hFont);
        WCHAR szFace[LF_FACESIZE] = {};
        EXPECT_EQ(GetTextFaceW(canvas.Dc(), LF_FACESIZE, szFace),
                  static_cast<int>(wcslen(test.pszFound)) + 1);
        EXPECT_STREQ(szFace, test.pszFound);
        SelectObject(canvas.Dc(), hOld);
        DeleteObject(hFont);
    }
}

TEST(Text, ExtentsAddUpAndMatchTheInk)
{
    CFontCanvas canvas(200, 40, -16);
    const SIZE whole = canvas.Extent(L"Hello, World");
    EXPECT_EQ(whole.cx, canvas.Extent(L"Hello, ").cx + canvas.Extent(L"World").cx);
    EXPECT_EQ(whole.cy, canvas.Metrics().tmHeight);
    EXPECT_EQ(canvas.Extent(L"").cx, 0);
    EXPECT_GT(canvas.Extent(L"WWW").cx, canvas.Extent(L"iii").cx);

    TextOutW(canvas.Dc(), 10, 5, L"Hello, World", 12);
    const RECT ink = InkBounds(canvas.Snapshot(), kWhite);
    const RECT cell{10, 5, 10 + whole.cx, 5 + whole.cy};
    EXPECT_TRUE(Inside(ink, cell)) << Describe(ink) << " in " << Describe(cell);
    // The text fills most of its measured width: the measure is not loose.
    EXPECT_GT(ink.right - ink.left, whole.cx - 4);
}

TEST(Text, LongTextIsShortenedWithAnEllipsisAndStaysInside)
{
    CFontCanvas canvas(160, 40, -13);
    wchar_t buffer[64] = L"The quick brown fox jumps over the lazy dog";
    const std::wstring original = buffer;
    RECT rc{20, 10, 100, 30};
    DrawTextW(canvas.Dc(), buffer, -1, &rc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    const std::wstring shown = buffer;
    ASSERT_GT(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), L"...");
    EXPECT_EQ(original.compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0);
    EXPECT_LE(canvas.Extent(shown).cx, 80);
    // One more character would not have fitted.
    const std::wstring longer = original.substr(0, shown.size() - 2) + L"...";
    EXPECT_GT(canvas.Extent(longer).cx, 80);
    const RECT ink = InkBounds(canvas.Snapshot(), kWhite);
    EXPECT_TRUE(Inside(ink, rc)) << Describe(ink);
    EXPECT_GT(ink.right - ink.left, 60);
}

TEST(Text, TextThatDoesNotFitIsClippedToItsRectangle)
{
    CFontCanvas canvas(160, 40, -13);
    wchar_t buffer[64] = L"The quick brown fox jumps over the lazy dog";
    RECT rc{20, 10, 70, 30};
    DrawTextW(canvas.Dc(), buffer, -1, &rc, DT_SINGLELINE | DT_MODIFYSTRING);
    EXPECT_STREQ(buffer, L"The quick brown fox jumps over the lazy dog");
    const RECT ink = InkBounds(canvas.Snapshot(), kWhite);
    EXPECT_TRUE(Inside(ink, rc)) << Describe(ink);
    EXPECT_EQ(ink.right, 70);

    canvas.Fill(kWhite);
    DrawTextW(canvas.Dc(), buffer, -1, &rc, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(canvas.Snapshot(), kWhite).right, 100);
}

TEST(Text, CalcRectMeasuresWithoutDrawing)
{
    CFontCanvas canvas(200, 100, -13);
    const LONG nHeight = canvas.Metrics().tmHeight;
    RECT rc{5, 7, 6, 8};
    EXPECT_EQ(DrawTextW(canvas.Dc(), L"Single line", -1, &rc, DT_SINGLELINE | DT_CALCRECT), nHeight);
    EXPECT_EQ(rc.left, 5);
    EXPECT_EQ(rc.right, 5 + canvas.Extent(L"Single line").cx);
    EXPECT_EQ(rc.bottom, 7 + nHeight);
    EXPECT_EQ(InkBounds(canvas.Snapshot(), kWhite).right, 0);

    // Lines break at line feeds; the widest sets the width.
    rc = RECT{0, 0, 1, 1};
    EXPECT_EQ(DrawTextW(canvas.Dc(), L"ab\r\ncdef\nx", -1, &rc, DT_CALCRECT), 3 * nHeight);
    EXPECT_EQ(rc.right, canvas.Extent(L"cdef").cx);

    // Word wrapping keeps the rectangle's width; each word here needs a line.
    const LONG nWord = canvas.Extent(L"wwww").cx;
    rc = RECT{0, 0, nWord + 2, 1};
    EXPECT_EQ(DrawTextW(canvas.Dc(), L"wwww wwww wwww", -1, &rc, DT_CALCRECT | DT_WORDBREAK), 3 * nHeight);
    EXPECT_EQ(rc.right, nWord + 2);
    rc = RECT{0, 0, 2 * nWord + canvas.Extent(L" ").cx, 1};
    EXPECT_EQ(DrawTextW(canvas.Dc(), L"wwww wwww wwww", -1, &rc, DT_CALCRECT | DT_WORDBREAK), 2 * nHeight);
    // A word wider than the rectangle widens it.
    rc = RECT{0, 0, 10, 1};
    DrawTextW(canvas.Dc(), L"wwww", -1, &rc, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(rc.right, nWord);
}

TEST(Text, AlignmentPlacesTheCell)
{
    CFontCanvas canvas(120, 50, -13);
    const SIZE size = canvas.Extent(L"Middle");
    RECT rc{0, 0, 100, 40};
    const int nOffset = DrawTextW(canvas.Dc(), L"Middle", -1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const LONG left = (100 - size.cx) / 2;
    const LONG top = (40 - size.cy) / 2;
    EXPECT_EQ(nOffset, top + size.cy);
    RECT ink = InkBounds(canvas.Snapshot(), kWhite);
    EXPECT_TRUE(Inside(ink, RECT{left, top, left + size.cx, top + size.cy})) << Describe(ink);
    EXPECT_LE(std::abs((ink.left + ink.right) / 2 - 50), 2);

    canvas.Fill(kWhite);
    DrawTextW(canvas.Dc(), L"Middle", -1, &rc, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    ink = InkBounds(canvas.Snapshot(), kWhite);
    EXPECT_TRUE(Inside(ink, RECT{100 - size.cx, 40 - size.cy, 100, 40})) << Describe(ink);
    EXPECT_GE(ink.right, 97);

    // TextOut's alignment: right end and baseline at the point.
    canvas.Fill(kWhite);
    SetTextAlign(canvas.Dc(), TA_RIGHT | TA_BASELINE);
    TextOutW(canvas.Dc(), 110, 30, L"HH", 2);
    ink = InkBounds(canvas.Snapshot(), kWhite);
    EXPECT_LE(ink.right, 110);
    EXPECT_GE(ink.bottom, 30);
    EXPECT_LE(ink.bottom, 31);
    SetTextAlign(canvas.Dc(), TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToEx(canvas.Dc(), 3, 0, nullptr);
    TextOutW(canvas.Dc(), 0, 0, L"HH", 2);
    POINT pt{};
    GetCurrentPositionEx(canvas.Dc(), &pt);
    EXPECT_EQ(pt.x, 3 + canvas.Extent(L"HH").cx);
}

TEST(Text, AmpersandsUnderlineTheNextCharacter)
{
    CFontCanvas plain(80, 30, -16);
    CFontCanvas prefixed(80, 30, -16);
    RECT rc{0, 0, 80, 30};
    DrawTextW(plain.Dc(), L"File", -1, &rc, DT_SINGLELINE);
    DrawTextW(prefixed.Dc(), L"&File", -1, &rc, DT_SINGLELINE);
    const SImage a = plain.Snapshot();
    const SImage b = prefixed.Snapshot();
    const LONG nAscent = plain.Metrics().tmAscent;
    const LONG nFirst = plain.Extent(L"F").cx;
    int nDifferent = 0;
    for (LONG y = 0; y < 30; ++y)
    {
        for (LONG x = 0; x < 80; ++x)
        {
            if (a.At(x, y) == b.At(x, y))
                continue;
            ++nDifferent;
            // Only the underline differs: below the baseline, under the F.
            EXPECT_GE(y, nAscent) << x << "," << y;
            EXPECT_LT(x, nFirst) << x << "," << y;
        }
    }
    EXPECT_GT(nDifferent, nFirst / 2);

    // A hidden prefix leaves the text as if it had none.
    CFontCanvas hidden(80, 30, -16);
    DrawTextW(hidden.Dc(), L"&File", -1, &rc, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(hidden.Snapshot().pixels, a.pixels);

    // "&&" is one ampersand; DT_NOPREFIX keeps every ampersand.
    RECT measure{0, 0, 1, 1};
    DrawTextW(plain.Dc(), L"A&&B", -1, &measure, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(measure.right, plain.Extent(L"A&B").cx);
    measure = RECT{0, 0, 1, 1};
    DrawTextW(plain.Dc(), L"A&&B", -1, &measure, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(measure.right, plain.Extent(L"A&&B").cx);
}

TEST(Text, OpaqueBackgroundFillsTheCell)
{
    CFontCanvas canvas(80, 30, -13);
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), RGB(255, 0, 0));
    const SIZE size = canvas.Extent(L"ab");
    TextOutW(canvas.Dc(), 5, 4, L"ab", 2);
    const SImage image = canvas.Snapshot();
    EXPECT_EQ(ColourOf(image.At(5, 4)), RGB(255, 0, 0));
    EXPECT_EQ(ColourOf(image.At(5 + size.cx - 1, 4 + size.cy - 1)), RGB(255, 0, 0));
    EXPECT_EQ(ColourOf(image.At(4, 4)), kWhite);
    EXPECT_EQ(ColourOf(image.At(5 + size.cx, 4)), kWhite);
    EXPECT_EQ(ColourOf(image.At(5, 4 + size.cy)), kWhite);

    canvas.Fill(kWhite);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    TextOutW(canvas.Dc(), 5, 4, L"ab", 2);
    EXPECT_EQ(canvas.At(5, 4), kWhite);
}

TEST(Text, UnderlinedAndBoldFonts)
{
    CFontCanvas regular(120, 30, -16);
    CFontCanvas bold(120, 30, -16, FW_BOLD);
    EXPECT_GT(bold.Extent(L"Bold text").cx, regular.Extent(L"Bold text").cx);

    CFontCanvas underlined(120, 30, -16, FW_NORMAL, TRUE);
    TextOutW(underlined.Dc(), 0, 0, L"under", 5);
    TextOutW(regular.Dc(), 0, 0, L"under", 5);
    const LONG nAscent = regular.Metrics().tmAscent;
    const SImage a = regular.Snapshot();
    const SImage b = underlined.Snapshot();
    // Below the baseline the plain word has no ink; the underlined one has a
    // line across its whole width.
    int nPlain = 0;
    int nLine = 0;
    for (LONG y = nAscent; y < 30; ++y)
    {
        for (LONG x = 0; x < 120; ++x)
        {
            nPlain += ColourOf(a.At(x, y)) != kWhite ? 1 : 0;
            nLine += ColourOf(b.At(x, y)) != kWhite ? 1 : 0;
        }
    }
    EXPECT_EQ(nPlain, 0);
    EXPECT_GE(nLine, regular.Extent(L"under").cx);
}

TEST(Text, DialogBaseUnitsComeFromTheDialogFont)
{
    const SIZE units = GetDialogFontUnits(L"MS Shell Dlg", 8);
    // The eight-point font: an 11-pixel character height, a 13-pixel cell.
    CFontCanvas canvas(10, 10, -11);
    EXPECT_EQ(units.cy, canvas.Metrics().tmHeight);
    EXPECT_EQ(units.cy, 13);
    const LONG nLetters = canvas.Extent(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz").cx;
    EXPECT_EQ(units.cx, (nLetters / 26 + 1) / 2);
    EXPECT_GE(units.cx, 5);
    EXPECT_LE(units.cx, 8);
    EXPECT_EQ(GetDialogFont(L"MS Shell Dlg", 8), GetDialogFont(L"MS Shell Dlg", 8));
    EXPECT_TRUE(DeleteObject(GetDialogFont(L"MS Shell Dlg", 8)));
    EXPECT_EQ(GetObjectType(GetDialogFont(L"MS Shell Dlg", 8)), static_cast<DWORD>(OBJ_FONT));
}

TEST(Text, BadArgumentsAreRefused)
{
    CFontCanvas canvas(10, 10, -11);
    RECT rc{0, 0, 10, 10};
    EXPECT_EQ(DrawTextW(canvas.Dc(), nullptr, 4, &rc, 0), 0);
    EXPECT_EQ(DrawTextW(canvas.Dc(), L"x", 1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(nullptr, L"x", 1, &rc, 0), 0);
    EXPECT_FALSE(TextOutW(canvas.Dc(), 0, 0, L"x", -1));
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32W(canvas.Dc(), L"x", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32W(canvas.Dc(), L"x", 1, nullptr));
    // Control characters take no room and draw nothing.
    EXPECT_EQ(canvas.Extent(std::wstring(L"\x01\x02\x1F", 3)).cx, 0);
}
