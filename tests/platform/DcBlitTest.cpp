// Blits, stretching, DIB sections and their row layout, rows from memory, and
// alpha blending. Expected values are worked out by hand from GDI's
// definitions of the raster operations and of pre-multiplied blending.
#include "DrawingTestSupport.h"

#include <cstring>

namespace
{

constexpr COLORREF kWhite = RGB(255, 255, 255);

BITMAPINFO DibInfo(LONG nWidth, LONG nHeight, WORD nBitCount)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = nBitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A DIB section selected into its own memory device context.
struct SDibCanvas
{
    HBITMAP hBitmap = nullptr;
    BYTE* pBits = nullptr;
    HDC hdc = nullptr;
    HGDIOBJ hOld = nullptr;

    SDibCanvas(LONG nWidth, LONG nHeight, WORD nBitCount)
    {
        const BITMAPINFO info = DibInfo(nWidth, nHeight, nBitCount);
        void* pvBits = nullptr;
        hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pvBits, nullptr, 0);
        pBits = static_cast<BYTE*>(pvBits);
        hdc = CreateCompatibleDC(nullptr);
        hOld = SelectObject(hdc, hBitmap);
    }
    ~SDibCanvas()
    {
        SelectObject(hdc, hOld);
        DeleteDC(hdc);
        DeleteObject(hBitmap);
    }
};

void BlitOne(COLORREF source, COLORREF destination, DWORD rop, COLORREF& result)
{
    CTestCanvas from(1, 1, source);
    CTestCanvas to(1, 1, destination);
    HBRUSH hBrush = CreateSolidBrush(RGB(0xF0, 0xF0, 0x0F));
    HGDIOBJ hOld = SelectObject(to.Dc(), hBrush);
    EXPECT_TRUE(BitBlt(to.Dc(), 0, 0, 1, 1, from.Dc(), 0, 0, rop));
    SelectObject(to.Dc(), hOld);
    DeleteObject(hBrush);
    result = to.At(0, 0);
}

} // namespace

TEST(DcBlit, RasterOperationsCombineBitByBit)
{
    const COLORREF source = RGB(0x12, 0x34, 0x56);
    const COLORREF destination = RGB(0xFF, 0x0F, 0xF0);
    struct SCase
    {
        DWORD rop;
        COLORREF expected;
    };
    const SCase cases[] = {
        {SRCCOPY, RGB(0x12, 0x34, 0x56)},    {SRCINVERT, RGB(0xED, 0x3B, 0xA6)},
        {SRCAND, RGB(0x12, 0x04, 0x50)},     {SRCPAINT, RGB(0xFF, 0x3F, 0xF6)},
        {NOTSRCCOPY, RGB(0xED, 0xCB, 0xA9)}, {PATCOPY, RGB(0xF0, 0xF0, 0x0F)},
        {MERGECOPY, RGB(0x10, 0x30, 0x06)},  {BLACKNESS, RGB(0, 0, 0)},
        {WHITENESS, RGB(0xFF, 0xFF, 0xFF)},  {DSTINVERT, RGB(0x00, 0xF0, 0x0F)},
        {SRCERASE, RGB(0x00, 0x30, 0x06)}, // source AND NOT destination
    };
    for (const SCase& test : cases)
    {
        COLORREF result = 0;
        BlitOne(source, destination, test.rop, result);
        EXPECT_EQ(result, test.expected) << std::hex << test.rop;
    }
}

TEST(DcBlit, SourceInvertTwiceRestores)
{
    CTestCanvas canvas(5, 5, RGB(10, 200, 30));
    CTestCanvas marker(3, 3, RGB(255, 128, 1));
    SetPixel(marker.Dc(), 1, 1, RGB(7, 7, 7));
    const SImage before = canvas.Snapshot();
    BitBlt(canvas.Dc(), 1, 1, 3, 3, marker.Dc(), 0, 0, SRCINVERT);
    EXPECT_NE(canvas.Snapshot().pixels, before.pixels);
    BitBlt(canvas.Dc(), 1, 1, 3, 3, marker.Dc(), 0, 0, SRCINVERT);
    EXPECT_EQ(canvas.Snapshot().pixels, before.pixels);
}

TEST(DcBlit, OverlappingCopyWithinOneSurfaceMovesThePixels)
{
    CTestCanvas canvas(6, 1);
    for (int x = 0; x < 6; ++x)
    {
        SetPixel(canvas.Dc(), x, 0, RGB(x * 10, 0, 0));
    }
    BitBlt(canvas.Dc(), 1, 0, 5, 1, canvas.Dc(), 0, 0, SRCCOPY);
    const int expected[] = {0, 0, 10, 20, 30, 40};
    for (int x = 0; x < 6; ++x)
    {
        EXPECT_EQ(canvas.At(x, 0), RGB(expected[x], 0, 0)) << x;
    }
}

TEST(DcBlit, PixelsWhoseSourceIsOutsideAreLeftAlone)
{
    CTestCanvas source(2, 1, RGB(0, 0, 255));
    CTestCanvas canvas(4, 1);
    BitBlt(canvas.Dc(), 0, 0, 4, 1, source.Dc(), -2, 0, SRCCOPY);
    EXPECT_EQ(canvas.At(0, 0), kWhite);
    EXPECT_EQ(canvas.At(1, 0), kWhite);
    EXPECT_EQ(canvas.At(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(3, 0), RGB(0, 0, 255));
}

TEST(DcBlit, StretchBltPicksNearestPixelsAndMirrors)
{
    CTestCanvas source(4, 1);
    for (int x = 0; x < 4; ++x)
    {
        SetPixel(source.Dc(), x, 0, RGB(0, x * 50, 0));
    }
    CTestCanvas canvas(8, 2);
    StretchBlt(canvas.Dc(), 0, 0, 8, 2, source.Dc(), 0, 0, 4, 1, SRCCOPY);
    for (int x = 0; x < 8; ++x)
    {
        EXPECT_EQ(canvas.At(x, 0), RGB(0, (x / 2) * 50, 0)) << x;
        EXPECT_EQ(canvas.At(x, 1), RGB(0, (x / 2) * 50, 0)) << x;
    }
    // Shrinking samples at pixel centres: source columns 1 and 3.
    canvas.Fill(kWhite);
    StretchBlt(canvas.Dc(), 0, 0, 2, 1, source.Dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 50, 0));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 150, 0));
    // A negative width runs from x = 3 leftwards: a mirror image.
    canvas.Fill(kWhite);
    StretchBlt(canvas.Dc(), 3, 0, -4, 1, source.Dc(), 0, 0, 4, 1, SRCCOPY);
    for (int x = 0; x < 4; ++x)
    {
        EXPECT_EQ(canvas.At(x, 0), RGB(0, (3 - x) * 50, 0)) << x;
    }
    EXPECT_EQ(canvas.At(4, 0), kWhite);
}

TEST(DcBlit, TwentyFourBitSectionRowsArePaddedAndBottomUp)
{
    SDibCanvas dib(3, 2, 24);
    ASSERT_NE(dib.pBits, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(dib.hBitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidthBytes, 12); // 9 bytes of pixels and 3 of padding
    EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
    EXPECT_EQ(section.dsBmih.biSizeImage, 24u);

    SetPixel(dib.hdc, 0, 0, RGB(1, 2, 3));
    SetPixel(dib.hdc, 2, 1, RGB(4, 5, 6));
    // The top row is the second in memory; each pixel is blue, green, red.
    const BYTE expected[24] = {0, 0, 0, 0, 0, 0, 6, 5, 4, 0, 0, 0, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(dib.pBits, expected, 24), 0);

    // Writing the bits directly shows through the device context.
    dib.pBits[12 + 3] = 7;
    dib.pBits[12 + 4] = 8;
    dib.pBits[12 + 5] = 9;
    EXPECT_EQ(GetPixel(dib.hdc, 1, 0), RGB(9, 8, 7));
    // Drawing through Cairo reaches the bits as well.
    {
        CCairoDrawing drawing(dib.hdc);
        cairo_set_source_rgb(drawing.Get(), 1.0, 0.0, 0.0);
        cairo_paint(drawing.Get());
    }
    EXPECT_EQ(dib.pBits[0], 0);
    EXPECT_EQ(dib.pBits[2], 255);
    EXPECT_EQ(dib.pBits[14], 255);
    EXPECT_EQ(dib.pBits[9], 0); // padding stays
}

TEST(DcBlit, TopDownAndThirtyTwoBitSections)
{
    SDibCanvas topDown(2, -2, 24);
    SetPixel(topDown.hdc, 1, 0, RGB(10, 20, 30));
    EXPECT_EQ(topDown.pBits[3], 30);
    EXPECT_EQ(topDown.pBits[5], 10);

    SDibCanvas bottomUp(2, 2, 32);
    SetPixel(bottomUp.hdc, 1, 0, RGB(10, 20, 30));
    // Top row second in memory: bytes 8..15; pixel 1 at 12.
    EXPECT_EQ(bottomUp.pBits[12], 30);
    EXPECT_EQ(bottomUp.pBits[13], 20);
    EXPECT_EQ(bottomUp.pBits[14], 10);
    EXPECT_EQ(bottomUp.pBits[15], 255);

    SDibCanvas shared(2, -2, 32);
    reinterpret_cast<DWORD*>(shared.pBits)[3] = 0xFF112233u;
    EXPECT_EQ(GetPixel(shared.hdc, 1, 1), RGB(0x11, 0x22, 0x33));
}

TEST(DcBlit, RowsFromMemoryFollowTheirHeader)
{
    // Two rows of two 24-bit pixels, bottom-up: memory row 0 is the bottom.
    const BITMAPINFO info = DibInfo(2, 2, 24);
    const BYTE bits[16] = {1, 1, 1, 2, 2, 2, 0, 0, 3, 3, 3, 4, 4, 4, 0, 0};
    CTestCanvas canvas(4, 4);
    EXPECT_EQ(SetDIBitsToDevice(canvas.Dc(), 1, 1, 2, 2, 0, 0, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(canvas.At(1, 1), RGB(3, 3, 3));
    EXPECT_EQ(canvas.At(2, 1), RGB(4, 4, 4));
    EXPECT_EQ(canvas.At(1, 2), RGB(1, 1, 1));
    EXPECT_EQ(canvas.At(2, 2), RGB(2, 2, 2));
    EXPECT_EQ(canvas.At(0, 0), kWhite);

    // Only the scans supplied are drawn: here the bottom one.
    canvas.Fill(kWhite);
    SetDIBitsToDevice(canvas.Dc(), 0, 0, 2, 2, 0, 0, 0, 1, bits, &info, DIB_RGB_COLORS);
    EXPECT_EQ(canvas.At(0, 0), kWhite);
    EXPECT_EQ(canvas.At(0, 1), RGB(1, 1, 1));

    // 32-bit top-down rows stretched to twice the size.
    const BITMAPINFO info32 = DibInfo(2, -1, 32);
    const DWORD row[2] = {0xFF0000FFu, 0xFF00FF00u};
    canvas.Fill(kWhite);
    EXPECT_EQ(StretchDIBits(canvas.Dc(), 0, 0, 4, 2, 0, 0, 2, 1, row, &info32, DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(2, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(3, 1), RGB(0, 255, 0));
}

TEST(DcBlit, AlphaBlendOfAPremultipliedPixel)
{
    // Red 100, green 50, blue 0 at alpha 128, already multiplied by alpha.
    SDibCanvas source(1, 1, 32);
    reinterpret_cast<DWORD*>(source.pBits)[0] = 0x80643200u;
    CTestCanvas canvas(1, 1, kWhite);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(AlphaBlend(canvas.Dc(), 0, 0, 1, 1, source.hdc, 0, 0, 1, 1, blend));
    // Each channel: source + 255 * (255 - 128) / 255 = source + 127.
    EXPECT_EQ(canvas.At(0, 0), RGB(227, 177, 127));
    EXPECT_EQ(canvas.Snapshot().At(0, 0) >> 24, 255u);

    // Constant alpha 128 scales the source first: 100 -> 50, 50 -> 25,
    // alpha 128 -> 64; the destination keeps 191 / 255 of itself.
    canvas.Fill(kWhite);
    blend.SourceConstantAlpha = 128;
    AlphaBlend(canvas.Dc(), 0, 0, 1, 1, source.hdc, 0, 0, 1, 1, blend);
    EXPECT_EQ(canvas.At(0, 0), RGB(50 + 191, 25 + 191, 191));

    // Without per-pixel alpha only the constant counts: 64 / 255 of source.
    CTestCanvas solid(1, 1, RGB(200, 0, 100));
    CTestCanvas target(1, 1, RGB(0, 100, 200));
    const BLENDFUNCTION constant{AC_SRC_OVER, 0, 64, 0};
    AlphaBlend(target.Dc(), 0, 0, 1, 1, solid.Dc(), 0, 0, 1, 1, constant);
    EXPECT_EQ(target.At(0, 0), RGB(50, 75, 175));
}

TEST(DcBlit, AlphaBlendRefusesWhatGdiRefuses)
{
    CTestCanvas source(2, 2);
    CTestCanvas canvas(4, 4);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
    EXPECT_FALSE(AlphaBlend(canvas.Dc(), 0, 0, 2, 2, source.Dc(), 1, 1, 2, 2, blend));
    EXPECT_FALSE(AlphaBlend(canvas.Dc(), 0, 0, -2, 2, source.Dc(), 0, 0, 2, 2, blend));
    EXPECT_FALSE(AlphaBlend(canvas.Dc(), 0, 0, 2, 2, nullptr, 0, 0, 2, 2, blend));
}

TEST(DcBlit, TransparentBltSkipsTheTransparentColour)
{
    CTestCanvas source(2, 1, RGB(255, 0, 255));
    SetPixel(source.Dc(), 1, 0, RGB(0, 0, 90));
    CTestCanvas canvas(2, 1, RGB(1, 2, 3));
    TransparentBlt(canvas.Dc(), 0, 0, 2, 1, source.Dc(), 0, 0, 2, 1, RGB(255, 0, 255));
    EXPECT_EQ(canvas.At(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 90));
}

TEST(DcBlit, GetDIBitsCopiesRowsInTheLayoutAsked)
{
    CTestCanvas canvas(3, 2);
    SetPixel(canvas.Dc(), 0, 0, RGB(1, 2, 3));
    SetPixel(canvas.Dc(), 2, 1, RGB(4, 5, 6));
    BITMAPINFO info = DibInfo(3, 2, 24);
    BYTE bits[24] = {};
    HDC hdc = canvas.Dc();
    EXPECT_EQ(GetDIBits(hdc, canvas.Bitmap(), 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 24u);
    EXPECT_EQ(bits[6], 6);
    EXPECT_EQ(bits[8], 4);
    EXPECT_EQ(bits[12], 3);
    EXPECT_EQ(bits[14], 1);

    BITMAPINFO query{};
    query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_NE(GetDIBits(hdc, canvas.Bitmap(), 0, 0, nullptr, &query, DIB_RGB_COLORS), 0);
    EXPECT_EQ(query.bmiHeader.biWidth, 3);
    EXPECT_EQ(query.bmiHeader.biHeight, 2);
    EXPECT_EQ(query.bmiHeader.biBitCount, 32);
}

TEST(DcBlit, BadSectionsAreRefused)
{
    BITMAPINFO info = DibInfo(0, 2, 24);
    void* pBits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0), nullptr);
    EXPECT_EQ(pBits, nullptr);
    info = DibInfo(4, 4, 8);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0), nullptr);
    info = DibInfo(100000, 100000, 32);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &pBits, nullptr, 0), nullptr);
}
